#include "support/QuizDriver.h"

#include "support/Controls.h"

#include "app/MDIForm1.h"
#include "quiztest/QuizSession.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "toolkit/CrLf.h"
#include "toolkit/TextBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

quizfile::QuizItems numberedItems(int count)
{
    quizfile::QuizItems items;
    for (int i = 1; i <= count; ++i)
        items.append(QStringLiteral("Q%1").arg(i), QStringLiteral("A%1").arg(i));
    return items;
}

quizfile::QuizItems itemsOf(std::initializer_list<std::pair<QString, QString>> pairs)
{
    quizfile::QuizItems items;
    for (const auto& [question, answer] : pairs)
        items.append(question, answer);
    return items;
}

QuizDriver::QuizDriver(MDIForm1& frame) : m_frame(frame) {}

frmQ& QuizDriver::quiz() const
{
    return m_frame.quiz();
}

frmReport& QuizDriver::report() const
{
    return m_frame.report();
}

const QuizSession& QuizDriver::session() const
{
    return quiz().session();
}

QuizControls QuizDriver::quizControls() const
{
    return QuizControls(quiz());
}

ReportControls QuizDriver::reportControls() const
{
    return ReportControls(report());
}

void QuizDriver::load(const QString& path)
{
    const QuizControls controls = quizControls();
    controls.txtQuizFile->setText(path);
    controls.cmdLoad->click();
}

void QuizDriver::loadItems(quizfile::QuizItems items)
{
    QuizSession& s = quiz().session();
    s.beginLoad(s.loadedPath());
    quiz().setTestControlsEnabled(false);
    s.takeItems(std::move(items));
    s.showProgress();
    s.endLoad(true);
}

void QuizDriver::pressStart()
{
    quizControls().cmdStart->click();
}

void QuizDriver::pressNext()
{
    quizControls().cmdNext->click();
}

void QuizDriver::pressReport()
{
    quizControls().cmdReport->click();
}

void QuizDriver::choose(int index)
{
    quizControls().Option1[index].click();
}

void QuizDriver::saveToPractise()
{
    reportControls().cmdSaveTODO->click();
}

void QuizDriver::saveCorrect()
{
    reportControls().cmdSaveCorrect->click();
}

int QuizDriver::rightSlot() const
{
    return session().question().rightSlot;
}

int QuizDriver::wrongSlot() const
{
    const QuizQuestion& q = session().question();
    if (q.rightSlot < 0)
        return -1;
    for (int slot = 0; slot < QuizQuestion::Slots; ++slot)
        if (q.answers[slot] != q.answers[q.rightSlot])
            return slot;
    return -1;
}

int QuizDriver::current() const
{
    return session().iAskOrder().iAskOrder(session().iAsked());
}

QString QuizDriver::line(int item) const
{
    return session().sQuestions(item) + u',' + session().sAnswers(item) + kCrLf;
}

QString QuizDriver::practise() const
{
    return reportControls().txtPractise->text();
}

QString QuizDriver::correct() const
{
    return reportControls().txtAnsweredCorrect->text();
}
