#pragma once

#include "quizfile/QuizFileReader.h"
#include "quizfile/QuizItems.h"
#include "quiztest/AskOrder.h"

#include <QString>

#include <cstdint>

// What the quiz window knows about the loaded quiz and the test in progress:
// the items, the asking order, the counters and two flags, with the
// operations the handlers need. Arrays count from 0; index 0 is never used.
// The counts are 16-bit: one past 32 767 throws int16::OverflowError.
class TestState {
public:
    bool bReporting() const { return m_bReporting; }   // the Report command has shown the report window
    const QString& sTitle() const { return m_sTitle; } // title of every message box of the quiz window
    std::int16_t iTotal() const { return m_iTotal; }   // items loaded, numbered 1..iTotal in file order
    std::int16_t iCorrect() const { return m_iCorrect; }
    std::int16_t iWrong() const { return m_iWrong; } // answered wrongly, or left without an answer
    std::int16_t iAsked() const { return m_iAskOrder.iAsked(); }
    const AskOrder& iAskOrder() const { return m_iAskOrder; }
    bool bAnswered() const { return m_bAnswered; } // the question on display has had an answer click
    // The question and the answer text of item i; index 0 gives empty texts.
    QString sQuestions(int i) const { return m_items.question(i); }
    QString sAnswers(int i) const { return m_items.answer(i); }
    // The encoding the items were read in.
    quizfile::TextEncoding encoding() const { return m_encoding; }

    // Every item has been asked.
    bool finished() const { return iAsked() >= m_iTotal; }
    // The question on display has been shown but neither answered nor recorded.
    bool questionUnjudged() const { return m_iCorrect + m_iWrong < iAsked(); }

    void setTitle(const QString& title) { m_sTitle = title; }
    void setReporting(bool reporting) { m_bReporting = reporting; }
    // No item counted, nothing asked, no answer counted: the start of every
    // load. The items stay until a load brings others.
    void reset();
    // The items a load read, as items 1..n, and the encoding they were read
    // in. A load that read none leaves the previous ones in place, unread with
    // iTotal 0.
    void takeItems(quizfile::QuizItems items, quizfile::TextEncoding encoding = quizfile::TextEncoding::Utf8);
    // Item `number` is the question on display, not answered yet.
    void ask(std::int16_t number);
    void markAnswered() { m_bAnswered = true; }
    void recordRight();
    void recordWrong();

private:
    bool m_bReporting = false;
    QString m_sTitle;
    std::int16_t m_iTotal = 0;
    std::int16_t m_iCorrect = 0;
    std::int16_t m_iWrong = 0;
    quizfile::QuizItems m_items;
    quizfile::TextEncoding m_encoding = quizfile::TextEncoding::Utf8;
    AskOrder m_iAskOrder;
    bool m_bAnswered = true;
};
