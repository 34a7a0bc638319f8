#pragma once

#include "quizfile/QuizItems.h"

#include <QString>

#include <initializer_list>
#include <utility>

class frmQ;

// count items "Q1,A1" … "Qcount,Acount": every answer text differs, so a
// result line tells which item it came from.
quizfile::QuizItems numberedItems(int count);

// The items of these question and answer pairs, in order.
quizfile::QuizItems itemsOf(std::initializer_list<std::pair<QString, QString>> pairs);

// Puts the quiz window into the state a successful load of these items
// leaves it in, without a file: the items at 1..n, the counters 0, the score
// "Score = 00.00 %", the progress " 0 / n", Start shown, enabled and focused, Next
// hidden, the question, answer and option areas disabled. bAnswered and the
// report's lists are left alone, as a load leaves them.
//
// Free of the test framework, so that the benchmarks can use it as well.
void loadQuiz(frmQ& quiz, quizfile::QuizItems items);
