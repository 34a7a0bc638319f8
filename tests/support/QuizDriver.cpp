#include "support/QuizDriver.h"

#include "app/MDIForm1.h"
#include "quiztest/TestState.h"
#include "quiztest/TextFormat.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "toolkit/CrLf.h"
#include "toolkit/OptionArray.h"
#include "toolkit/Tag.h"
#include "ui_frmQ.h"
#include "ui_frmReport.h"

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

const TestState& QuizDriver::state() const
{
    return quiz().state();
}

OptionArray& QuizDriver::options() const
{
    return quiz().Option1();
}

void QuizDriver::load(const QString& path)
{
    quiz().ui().txtQuizFile->setText(path);
    quiz().ui().cmdLoad->click();
}

void QuizDriver::loadItems(quizfile::QuizItems items)
{
    TestState& s = quiz().state();
    Ui::frmQ& ui = quiz().ui();
    s.reset();
    s.takeItems(std::move(items));
    ui.lblScore->setCaption(textformat::scoreText(0));
    ui.lblCorrect->setCaption(textformat::countText(s.iCorrect()));
    ui.lblAsking->setCaption(textformat::progressText(s.iAsked(), s.iTotal()));
    quiz().setTestControlsEnabled(false);
    ui.cmdStart->setVisible(true);
    ui.cmdStart->setEnabled(true);
    ui.cmdStart->setFocus();
    ui.cmdNext->setVisible(false);
}

void QuizDriver::pressStart()
{
    quiz().ui().cmdStart->click();
}

void QuizDriver::pressNext()
{
    quiz().ui().cmdNext->click();
}

void QuizDriver::pressReport()
{
    quiz().ui().cmdReport->click();
}

void QuizDriver::choose(int index)
{
    options()[index].click();
}

void QuizDriver::saveToPractise()
{
    report().ui().cmdSaveTODO->click();
}

void QuizDriver::saveCorrect()
{
    report().ui().cmdSaveCorrect->click();
}

int QuizDriver::rightSlot() const
{
    for (int slot = 0; slot < 4; ++slot)
        if (tag::isTrue(options()[slot]))
            return slot;
    return -1;
}

int QuizDriver::wrongSlot() const
{
    const int right = rightSlot();
    if (right < 0)
        return -1;
    for (int slot = 0; slot < 4; ++slot)
        if (options().Caption(slot) != options().Caption(right))
            return slot;
    return -1;
}

int QuizDriver::current() const
{
    return state().iAskOrder().iAskOrder(state().iAsked());
}

QString QuizDriver::line(int item) const
{
    return state().sQuestions(item) + u',' + state().sAnswers(item) + kCrLf;
}

QString QuizDriver::practise() const
{
    return report().ui().txtPractise->Text();
}

QString QuizDriver::correct() const
{
    return report().ui().txtAnsweredCorrect->Text();
}
