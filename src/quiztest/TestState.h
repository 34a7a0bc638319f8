#pragma once

#include "quizfile/QuizItems.h"
#include "quiztest/AskOrder.h"

#include <QString>

#include <cstdint>

// What the quiz window knows about the loaded quiz and the test in progress.
// Arrays count from 0; index 0 is never used.
struct TestState {
    bool bReporting = false; // the Report command has shown the report window
    QString sTitle;          // title of every message box of the quiz window
    std::int16_t iTotal = 0; // items loaded, numbered 1..iTotal in file order
    std::int16_t iCorrect = 0;
    std::int16_t iWrong = 0; // answered wrongly, or left without an answer
    // The texts of the items last loaded, read through sQuestions and sAnswers.
    // A load that yields no item leaves them, unread with iTotal 0.
    quizfile::QuizItems items;
    AskOrder iAskOrder;    // also keeps iAsked, the questions shown so far
    bool bAnswered = true; // the question on display has had an answer click

    std::int16_t iAsked() const { return iAskOrder.iAsked(); }
    // The question and the answer text of item i; index 0 gives empty texts.
    QString sQuestions(int i) const { return items.question(i); }
    QString sAnswers(int i) const { return items.answer(i); }
};
