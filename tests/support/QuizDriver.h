#pragma once

#include "quizfile/QuizItems.h"

#include <QString>

#include <initializer_list>
#include <utility>

class MDIForm1;
class QuizSession;
class frmQ;
class frmReport;
struct QuizControls;
struct ReportControls;

// count items "Q1,A1" … "Qcount,Acount": every answer text differs, so a
// result line tells which item it came from.
quizfile::QuizItems numberedItems(int count);

// The items of these question and answer pairs, in order.
quizfile::QuizItems itemsOf(std::initializer_list<std::pair<QString, QString>> pairs);

// Works the running program as a person does, through its controls: names a
// quiz file and presses Load, starts, chooses an option, presses Next and
// Report, saves, and reads the lists and what the window shows. The window
// tests, the flow tests and the benchmarks share it, so that none of them
// reaches into a window's state to act. Free of the test framework.
class QuizDriver {
public:
    explicit QuizDriver(MDIForm1& frame);

    frmQ& quiz() const;
    frmReport& report() const;
    const QuizSession& session() const;
    // The windows' controls, found by name.
    QuizControls quizControls() const;
    ReportControls reportControls() const;

    // Types `path` into the file box and presses Load.
    void load(const QString& path);
    // The state a successful load of these items leaves the window in, without
    // a file: the items at 1..n, the counters 0, the score "Score = 00.00 %",
    // the progress " 0 / n", Start shown, enabled and focused, Next hidden, the
    // question, answer and option areas disabled. The report's lists are left
    // alone, as a load leaves them.
    void loadItems(quizfile::QuizItems items);
    void pressStart();
    void pressNext();
    void pressReport();
    // Clicks Option1(index): 0..3 the answer slots, 4 Skip.
    void choose(int index);
    void saveToPractise();
    void saveCorrect();

    // The slot of the right answer, or -1 before the first question.
    int rightSlot() const;
    // A slot that reads differently from the right answer, or -1.
    int wrongSlot() const;
    // The item on display, 0 before the first question.
    int current() const;
    // The line the lists hold for item i: "QUESTION,ANSWER" CR LF.
    QString line(int item) const;
    QString practise() const;
    QString correct() const;

private:
    MDIForm1& m_frame;
};
