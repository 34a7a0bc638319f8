#include "support/AppFixture.h"
#include "support/QuizDriver.h"

#include "quiztest/QuizSession.h"
#include "quiztest/TextFormat.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "support/Controls.h"
#include "toolkit/Tag.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kRed(0xC0, 0x00, 0x00);

QString finishPrompt(const QString& score)
{
    return QStringLiteral("You have finished taking the Quiz\r\n\r\n") + score +
           QStringLiteral("\r\nClick on the command button REPORT (in the quiz form) for more details");
}

QString score(const char* digits)
{
    return QStringLiteral("Score = %1 %").arg(QLatin1String(digits));
}

// What a person does with one question.
enum class Act {
    Right,      // chooses the right answer
    Wrong,      // chooses a wrong slot
    Skip,       // chooses Skip
    Unanswered, // only presses Next
    WrongRight, // changes their mind
    RightWrong,
    RightTwice,
};

class QuizFlow : public AppFixture {
protected:
    OptionButtons options() { return controls().Option1; }

    void load(int count) { driver().loadItems(numberedItems(count)); }
    void pressStart() { driver().pressStart(); }
    void pressNext() { driver().pressNext(); }
    void choose(int index) { driver().choose(index); }

    // The item on display.
    int current() { return driver().current(); }
    QString line(int item) { return driver().line(item); }
    QString practise() { return driver().practise(); }
    QString correct() { return driver().correct(); }

    int rightSlot()
    {
        int found = -1;
        for (int slot = 0; slot < 4; ++slot) {
            if (tag::isTrue(options()[slot])) {
                EXPECT_EQ(found, -1) << "two slots tagged True";
                found = slot;
            }
        }
        EXPECT_NE(found, -1) << "no slot tagged True";
        return std::max(found, 0);
    }
    // A slot that reads differently from the right answer.
    int wrongSlot()
    {
        const QString right = options().Caption(rightSlot());
        for (int slot = 0; slot < 4; ++slot)
            if (options().Caption(slot) != right)
                return slot;
        ADD_FAILURE() << "every slot reads the right answer";
        return 0;
    }

    // Plays one question; returns whether the window moved on by itself.
    bool play(Act act)
    {
        const std::int16_t asked = session().iAsked();
        const std::size_t boxes = p.boxes.shown.size();
        const auto movedOn = [&] { return session().iAsked() != asked || p.boxes.shown.size() != boxes; };
        std::vector<int> clicks;
        switch (act) {
        case Act::Right:
            clicks = {rightSlot()};
            break;
        case Act::Wrong:
            clicks = {wrongSlot()};
            break;
        case Act::Skip:
            clicks = {4};
            break;
        case Act::Unanswered:
            break;
        case Act::WrongRight:
            clicks = {wrongSlot(), rightSlot()};
            break;
        case Act::RightWrong:
            clicks = {rightSlot(), wrongSlot(), 4};
            break;
        case Act::RightTwice:
            clicks = {rightSlot(), rightSlot()};
            break;
        }
        for (int slot : clicks) {
            choose(slot);
            if (movedOn())
                return true;
        }
        return false;
    }

    // Records every new caption of lblScore until the returned connection is cut.
    QMetaObject::Connection recordScores()
    {
        return QObject::connect(controls().lblScore, &CaptionLabel::Change, controls().lblScore,
                                [this] { scores << controls().lblScore->Caption(); });
    }

    QStringList scores;
};

TEST_F(QuizFlow, StartShowsTheFirstQuestionAndFocusesNext)
{
    load(10);
    pressStart();
    EXPECT_TRUE(controls().cmdStart->isHidden());
    EXPECT_FALSE(controls().cmdNext->isHidden());
    EXPECT_TRUE(controls().Frame1->isEnabled());
    EXPECT_TRUE(controls().Frame2->isEnabled());
    EXPECT_TRUE(controls().Frame4->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), controls().cmdNext);
    EXPECT_EQ(session().iAsked(), 1);
    EXPECT_EQ(session().iWrong() + session().iCorrect(), 0);
    EXPECT_FALSE(session().bAnswered());
    EXPECT_EQ(controls().lblAsking->Caption(), QStringLiteral(" 1 / 10"));
    EXPECT_EQ(controls().lblQuestion->text(), session().sQuestions(current()));
    EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(QuizFlow, EveryQuestionShowsTheRightAnswerInOneTaggedSlotAndThreeOthers)
{
    load(10);
    pressStart();
    std::set<int> asked;
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(session().iAsked(), k);
        EXPECT_EQ(controls().lblAsking->Caption(), textformat::countText(k) + QStringLiteral(" / 10"));
        const int item = current();
        EXPECT_TRUE(asked.insert(item).second) << "asked twice: " << item;
        EXPECT_EQ(controls().lblQuestion->text(), session().sQuestions(item));
        const int right = rightSlot();
        EXPECT_EQ(options().Caption(right), session().sAnswers(item));
        std::set<QString> captions;
        for (int slot = 0; slot < 4; ++slot)
            captions.insert(options().Caption(slot));
        EXPECT_EQ(captions.size(), 4u) << "three other items, none the question's own";
        for (int slot = 0; slot < 4; ++slot) {
            if (slot != right) {
                EXPECT_EQ(options().Tag(slot), QStringLiteral("False"));
            }
        }
        EXPECT_EQ(options().Tag(4), QStringLiteral("False"));
        EXPECT_EQ(options().selectedIndex(), -1);
        EXPECT_EQ(controls().cmdStart->isEnabled(), k < 10) << "disabled when the last question is shown";
        // Choose something so that the next question must clear the choice.
        if (k % 2 == 0)
            choose(k % 5);
        if (k < 10)
            pressNext();
    }
    EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(QuizFlow, FinishCountsTheLastQuestionThenOnlyRepeatsTheMessage)
{
    load(4);
    pressStart();
    for (int k = 0; k < 3; ++k) {
        play(Act::Right);
        pressNext();
    }
    const int last = current();
    p.boxes.expect(MsgAnswer::Ok);
    pressNext();
    EXPECT_EQ(practise(), line(last));
    const ShownBox finish{finishPrompt(score("75.00")), MsgStyle::OkInformation, QStringLiteral("Pondera")};
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{finish}));
    EXPECT_EQ(controls().lblScore->Caption(), score("75.00"));
    EXPECT_EQ(reportControls().lblReport->text(), score("75.00"));

    const QString question = controls().lblQuestion->text();
    const QString lists = practise() + correct();
    p.boxes.expect(MsgAnswer::Ok);
    pressNext();
    // The counts after the finish are the session's to keep (QuizSessionTest);
    // here, what the window and the report show of it.
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{finish, finish}));
    EXPECT_EQ(controls().lblQuestion->text(), question);
    EXPECT_EQ(practise() + correct(), lists);
    EXPECT_EQ(controls().lblAsking->Caption(), QStringLiteral(" 4 / 4"));
}

// The score's rules are the session's (QuizSessionTest); here, that the
// window, its finish message and the report's copy show each score.
TEST_F(QuizFlow, ScoreTexts)
{
    using enum Act;
    const struct {
        int items;
        std::vector<Act> acts; // a question per act; Next after each that stays
        const char* expected;
    } cases[] = {
        {10, {Right, Unanswered, RightTwice}, "66.67"},
        {4, {Right, RightTwice, RightWrong, Wrong}, "75.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        load(c.items);
        p.boxes.shown.clear();
        pressStart();
        const bool finishes = static_cast<int>(c.acts.size()) == c.items;
        for (std::size_t k = 0; k < c.acts.size(); ++k) {
            play(c.acts[k]);
            if (k + 1 < c.acts.size())
                pressNext();
        }
        if (finishes) {
            p.boxes.expect(MsgAnswer::Ok);
            pressNext();
            ASSERT_EQ(p.boxes.shown.size(), 1u);
            EXPECT_EQ(p.boxes.shown[0].prompt, finishPrompt(score(c.expected)));
        }
        EXPECT_EQ(controls().lblScore->Caption(), score(c.expected));
        EXPECT_EQ(reportControls().lblReport->text(), controls().lblScore->Caption());
        EXPECT_EQ(controls().lblCorrect->Caption(), textformat::countText(session().iCorrect()));
    }
}

// The counting of the first judgement is the session's; the window shows the
// latest verdict and the first one's marks.
TEST_F(QuizFlow, TheVerdictFollowsTheLatestChoice)
{
    load(10);
    pressStart();
    const auto expectNoMarks = [this] {
        for (int slot = 0; slot < 5; ++slot) {
            EXPECT_FALSE(options()[slot].font().underline()) << slot;
            EXPECT_FALSE(options()[slot].font().strikeOut()) << slot;
        }
    };
    choose(wrongSlot());
    expectNoMarks(); // not without Show correct answer
    pressNext();
    controls().chkShowCorrect->click();

    // Wrong, then right.
    choose(wrongSlot());
    EXPECT_TRUE(controls().lblWrong->isVisibleTo(&quiz()));
    choose(rightSlot());
    EXPECT_TRUE(controls().lblRightAnswer->isVisibleTo(&quiz()));
    EXPECT_FALSE(controls().lblWrong->isVisibleTo(&quiz()));
    EXPECT_EQ(controls().lblRightAnswer->text(), QStringLiteral("Correct Answer, Press Next to continue"));
    EXPECT_EQ(controls().lblScore->Caption(), score("00.00"));

    pressNext();
    EXPECT_FALSE(controls().lblRightAnswer->isVisibleTo(&quiz()));
    EXPECT_FALSE(controls().lblWrong->isVisibleTo(&quiz()));

    // Right, then wrong: no marks even with Show correct answer on.
    choose(rightSlot());
    EXPECT_EQ(controls().lblCorrect->Caption(), QStringLiteral(" 1"));
    choose(wrongSlot());
    choose(4);
    EXPECT_TRUE(controls().lblWrong->isVisibleTo(&quiz()));
    EXPECT_FALSE(controls().lblRightAnswer->isVisibleTo(&quiz()));
    EXPECT_EQ(controls().lblWrong->text(), QStringLiteral("Wrong Answer, Try Again!"));
    expectNoMarks();
    EXPECT_EQ(controls().lblScore->Caption(), score("33.33"));
}

TEST_F(QuizFlow, ShowCorrectAnswerMarksUntilTheNextQuestion)
{
    load(10);
    pressStart();
    controls().chkShowCorrect->click();
    const QColor buttonText = controls().Frame2->palette().color(QPalette::ButtonText);
    ASSERT_NE(buttonText, kNavy);
    ASSERT_NE(buttonText, kRed);
    for (bool skip : {true, false}) {
        SCOPED_TRACE(skip ? "Skip" : "a wrong slot");
        const int item = current();
        const int right = rightSlot();
        const int chosen = skip ? 4 : wrongSlot();
        const QString before = practise();
        choose(chosen);
        EXPECT_EQ(practise(), before + line(item));
        const QFont marked = options()[right].font();
        EXPECT_TRUE(marked.underline());
        EXPECT_FALSE(marked.strikeOut());
        EXPECT_DOUBLE_EQ(marked.pointSizeF(), 14.0);
        EXPECT_EQ(options()[right].palette().color(QPalette::ButtonText), kNavy);
        EXPECT_EQ(options()[right].palette().color(QPalette::WindowText), kNavy);
        EXPECT_TRUE(options()[chosen].font().strikeOut());
        EXPECT_FALSE(options()[chosen].font().underline());
        EXPECT_EQ(options()[chosen].palette().color(QPalette::ButtonText), kRed);
        const double chosenPoints = options()[chosen].font().pointSizeF();
        EXPECT_NE(chosenPoints, 14.0) << "the chosen option keeps its size";

        pressNext();
        for (int slot = 0; slot < 5; ++slot) {
            SCOPED_TRACE(slot);
            EXPECT_FALSE(options()[slot].font().underline());
            EXPECT_FALSE(options()[slot].font().strikeOut());
            EXPECT_EQ(options()[slot].palette().color(QPalette::ButtonText), buttonText);
            if (slot < 4) {
                EXPECT_DOUBLE_EQ(options()[slot].font().pointSizeF(), 9.0);
            }
        }
    }
}

TEST_F(QuizFlow, AutoAdvanceAndTheScoreUpdates)
{
    const struct {
        QCheckBox* QuizControls::*option;
        Act act;
        QStringList expectedScores;
    } cases[] = {
        {&QuizControls::chkAnswered, Act::Right, {score("100.00"), score("50.00")}},
        {&QuizControls::chkFastQuiz, Act::Right, {score("100.00")}},
        {&QuizControls::chkFastQuiz, Act::Wrong, {}}, // 0 of 1 is the score it had
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((controls().*c.option)->text().toStdString());
        load(10);
        pressStart();
        (controls().*c.option)->click();
        const int first = current();
        const QString firstLine = line(first);
        scores.clear();
        const QMetaObject::Connection recording = recordScores();
        EXPECT_TRUE(play(c.act));
        QObject::disconnect(recording);
        EXPECT_EQ(scores, c.expectedScores);
        EXPECT_EQ(controls().lblAsking->Caption(), textformat::countText(2) + QStringLiteral(" / 10"))
            << "question 2 is shown";
        EXPECT_FALSE(controls().lblRightAnswer->isVisibleTo(&quiz()));
        EXPECT_FALSE(controls().lblWrong->isVisibleTo(&quiz()));
        EXPECT_EQ(reportControls().lblReport->text(), controls().lblScore->Caption());
        EXPECT_TRUE((c.act == Act::Right ? correct() : practise()).endsWith(firstLine));
        (controls().*c.option)->click(); // off again for the next case
    }
}

TEST_F(QuizFlow, FastQuizSwitchesTheOtherOptionsOff)
{
    load(10);
    pressStart();
    controls().chkShowCorrect->click();
    controls().chkAnswered->click();
    ASSERT_TRUE(controls().chkShowCorrect->isChecked());
    ASSERT_TRUE(controls().chkAnswered->isChecked());
    for (bool fast : {true, false}) {
        controls().chkFastQuiz->click();
        EXPECT_EQ(controls().chkFastQuiz->isChecked(), fast);
        for (QCheckBox* other : {controls().chkShowCorrect, controls().chkAnswered}) {
            EXPECT_FALSE(other->isChecked());
            EXPECT_EQ(other->isEnabled(), !fast);
        }
    }
}

TEST_F(QuizFlow, DigitKeysOneToFiveChooseTheOptionsDuringATest)
{
    const auto type = [](char key) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key);
    };
    // Before the first Start: nothing, whatever has the focus.
    controls().txtQuizFile->setFocus();
    type('1');
    load(10);
    type('5');
    EXPECT_EQ(options().selectedIndex(), -1);
    EXPECT_EQ(session().iWrong() + session().iCorrect(), 0);

    pressStart();
    for (char key : {'0', '6', 'a', 'x', '!'})
        type(key);
    EXPECT_EQ(options().selectedIndex(), -1);
    EXPECT_FALSE(session().bAnswered());

    type('5');
    EXPECT_EQ(options().selectedIndex(), 4);
    EXPECT_EQ(session().iWrong(), 1);
    EXPECT_TRUE(controls().lblWrong->isVisibleTo(&quiz()));

    pressNext();
    const int right = rightSlot();
    type(static_cast<char>('1' + right));
    EXPECT_EQ(options().selectedIndex(), right);
    EXPECT_EQ(session().iCorrect(), 1);

    // Typed into the file box, a digit still answers, and the box still gets it.
    pressNext();
    controls().txtQuizFile->setFocus();
    controls().txtQuizFile->clear();
    type(static_cast<char>('1' + rightSlot()));
    EXPECT_EQ(session().iCorrect(), 2);
    EXPECT_EQ(controls().txtQuizFile->text().size(), 1);
}

TEST_F(QuizFlow, EnterRightAfterStartLeavesTheFirstQuestionUnanswered)
{
    load(10);
    pressStart();
    const int first = current();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(session().iWrong(), 1);
    EXPECT_EQ(practise(), line(first));
    EXPECT_EQ(session().iAsked(), 2);
    EXPECT_EQ(controls().lblAsking->Caption(), QStringLiteral(" 2 / 10"));
}

} // namespace
