#include "support/AppFixture.h"
#include "support/QuizDriver.h"

#include "quiztest/RandomGenerator.h"
#include "quiztest/RandomSource.h"
#include "quiztest/TextFormat.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "toolkit/OptionArray.h"
#include "toolkit/Tag.h"
#include "ui_frmQ.h"
#include "ui_frmReport.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <map>
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
    Ui::frmQ& ui() { return quiz().ui(); }
    TestState& state() { return quiz().state(); }
    OptionArray& options() { return quiz().Option1(); }

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
        const std::int16_t asked = state().iAsked();
        const std::size_t boxes = p.boxes.shown.size();
        const auto movedOn = [&] { return state().iAsked() != asked || p.boxes.shown.size() != boxes; };
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
        return QObject::connect(ui().lblScore, &CaptionLabel::Change, ui().lblScore,
                                [this] { scores << ui().lblScore->Caption(); });
    }

    QStringList scores;
};

TEST_F(QuizFlow, StartShowsTheFirstQuestionAndFocusesNext)
{
    load(10);
    pressStart();
    EXPECT_TRUE(ui().cmdStart->isHidden());
    EXPECT_FALSE(ui().cmdNext->isHidden());
    EXPECT_TRUE(ui().Frame1->isEnabled());
    EXPECT_TRUE(ui().Frame2->isEnabled());
    EXPECT_TRUE(ui().Frame4->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ui().cmdNext);
    EXPECT_EQ(state().iAsked(), 1);
    EXPECT_EQ(state().iWrong() + state().iCorrect(), 0);
    EXPECT_FALSE(state().bAnswered());
    EXPECT_EQ(ui().lblAsking->Caption(), QStringLiteral(" 1 / 10"));
    EXPECT_EQ(ui().lblQuestion->text(), state().sQuestions(current()));
    EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(QuizFlow, EveryQuestionShowsTheRightAnswerInOneTaggedSlotAndThreeOthers)
{
    load(10);
    pressStart();
    std::set<int> asked;
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(state().iAsked(), k);
        EXPECT_EQ(ui().lblAsking->Caption(), textformat::countText(k) + QStringLiteral(" / 10"));
        const int item = current();
        EXPECT_TRUE(asked.insert(item).second) << "asked twice: " << item;
        EXPECT_EQ(ui().lblQuestion->text(), state().sQuestions(item));
        const int right = rightSlot();
        EXPECT_EQ(options().Caption(right), state().sAnswers(item));
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
        EXPECT_EQ(ui().cmdStart->isEnabled(), k < 10) << "disabled when the last question is shown";
        // Choose something so that the next question must clear the choice.
        if (k % 2 == 0)
            choose(k % 5);
        if (k < 10)
            pressNext();
    }
    EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(QuizFlow, NextRecordsAQuestionLeftWithoutAnswerOnce)
{
    load(10);
    pressStart();
    const int first = current();
    pressNext();
    EXPECT_EQ(state().iWrong(), 1);
    EXPECT_EQ(practise(), line(first));

    const struct {
        Act act;
        int wrong, correct;
    } answered[] = {{Act::Right, 1, 1}, {Act::Wrong, 2, 1}, {Act::Skip, 3, 1}};
    for (const auto& a : answered) {
        const QString listsBefore = practise() + correct();
        play(a.act);
        const QString listsAfter = practise() + correct();
        pressNext();
        EXPECT_EQ(state().iWrong(), a.wrong);
        EXPECT_EQ(state().iCorrect(), a.correct);
        EXPECT_EQ(practise() + correct(), listsAfter) << "an answered question is not recorded again";
        EXPECT_NE(listsAfter, listsBefore);
    }
    EXPECT_FALSE(state().bAnswered());
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
    EXPECT_EQ(state().iWrong(), 1);
    EXPECT_EQ(practise(), line(last));
    const ShownBox finish{finishPrompt(score("75.00")), MsgStyle::OkInformation, QStringLiteral("Pondera")};
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{finish}));
    EXPECT_EQ(ui().lblScore->Caption(), score("75.00"));
    EXPECT_EQ(report().ui().lblReport->text(), score("75.00"));

    const QString question = ui().lblQuestion->text();
    const QString lists = practise() + correct();
    const bool answered = state().bAnswered();
    p.boxes.expect(MsgAnswer::Ok);
    pressNext();
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{finish, finish}));
    EXPECT_EQ(state().iCorrect(), 3);
    EXPECT_EQ(state().iWrong(), 1);
    EXPECT_EQ(state().iAsked(), 4);
    EXPECT_EQ(state().bAnswered(), answered);
    EXPECT_EQ(ui().lblQuestion->text(), question);
    EXPECT_EQ(practise() + correct(), lists);
    EXPECT_EQ(ui().lblAsking->Caption(), QStringLiteral(" 4 / 4"));
}

TEST_F(QuizFlow, ScoreTexts)
{
    using enum Act;
    const struct {
        int items;
        std::vector<Act> acts; // a question per act; Next after each that stays
        const char* expected;
    } cases[] = {
        {10, {Right, Right, Right, Wrong, Right, Skip, Unanswered, RightWrong, Right, RightTwice}, "70.00"},
        {10, {Right, Unanswered, RightTwice}, "66.67"},
        {20,
         {Right,      Unanswered, Unanswered, Unanswered, Unanswered, Unanswered, Unanswered,
          Unanswered, Unanswered, Unanswered, Unanswered, Unanswered, Unanswered, Unanswered,
          Unanswered, Unanswered, Unanswered, Unanswered, Unanswered, Unanswered},
         "05.00"},
        {4, {Right, RightTwice, RightWrong, Right}, "100.00"},
        {4, {Wrong, Skip, Unanswered, WrongRight}, "00.00"},
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
        EXPECT_EQ(ui().lblScore->Caption(), score(c.expected));
        EXPECT_EQ(report().ui().lblReport->text(), ui().lblScore->Caption());
        EXPECT_EQ(ui().lblCorrect->Caption(), textformat::countText(state().iCorrect()));
    }
}

TEST_F(QuizFlow, OnlyTheFirstJudgementCounts)
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
    ui().chkShowCorrect->click();

    // Wrong, then right.
    int item = current();
    choose(wrongSlot());
    EXPECT_TRUE(ui().lblWrong->isVisibleTo(&quiz()));
    choose(rightSlot());
    EXPECT_EQ(state().iWrong(), 2);
    EXPECT_EQ(state().iCorrect(), 0);
    EXPECT_TRUE(practise().endsWith(line(item)));
    EXPECT_EQ(correct(), QString());
    EXPECT_TRUE(ui().lblRightAnswer->isVisibleTo(&quiz()));
    EXPECT_FALSE(ui().lblWrong->isVisibleTo(&quiz()));
    EXPECT_EQ(ui().lblRightAnswer->text(), QStringLiteral("Correct Answer, Press Next to continue"));
    EXPECT_EQ(ui().lblScore->Caption(), score("00.00"));

    pressNext();
    EXPECT_FALSE(ui().lblRightAnswer->isVisibleTo(&quiz()));
    EXPECT_FALSE(ui().lblWrong->isVisibleTo(&quiz()));

    // Right, then wrong: no marks even with Show correct answer on.
    item = current();
    choose(rightSlot());
    EXPECT_EQ(ui().lblCorrect->Caption(), QStringLiteral(" 1"));
    choose(wrongSlot());
    choose(4);
    EXPECT_EQ(state().iCorrect(), 1);
    EXPECT_EQ(state().iWrong(), 2);
    EXPECT_EQ(correct(), line(item));
    EXPECT_TRUE(ui().lblWrong->isVisibleTo(&quiz()));
    EXPECT_FALSE(ui().lblRightAnswer->isVisibleTo(&quiz()));
    EXPECT_EQ(ui().lblWrong->text(), QStringLiteral("Wrong Answer, Try Again!"));
    expectNoMarks();
    EXPECT_EQ(ui().lblScore->Caption(), score("33.33"));
    EXPECT_TRUE(state().bAnswered());
}

TEST_F(QuizFlow, ShowCorrectAnswerMarksUntilTheNextQuestion)
{
    load(10);
    pressStart();
    ui().chkShowCorrect->click();
    const QColor buttonText = ui().Frame2->palette().color(QPalette::ButtonText);
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
        QCheckBox* Ui::frmQ::*option;
        Act act;
        QStringList expectedScores;
    } cases[] = {
        {&Ui::frmQ::chkAnswered, Act::Right, {score("100.00"), score("50.00")}},
        {&Ui::frmQ::chkFastQuiz, Act::Right, {score("100.00")}},
        {&Ui::frmQ::chkFastQuiz, Act::Wrong, {}}, // 0 of 1 is the score it had
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((ui().*c.option)->text().toStdString());
        load(10);
        pressStart();
        (ui().*c.option)->click();
        const int first = current();
        const QString firstLine = line(first);
        scores.clear();
        const QMetaObject::Connection recording = recordScores();
        EXPECT_TRUE(play(c.act));
        QObject::disconnect(recording);
        EXPECT_EQ(scores, c.expectedScores);
        EXPECT_EQ(state().iAsked(), 2) << "question 2 is shown";
        EXPECT_NE(current(), first);
        EXPECT_FALSE(state().bAnswered());
        EXPECT_FALSE(ui().lblRightAnswer->isVisibleTo(&quiz()));
        EXPECT_FALSE(ui().lblWrong->isVisibleTo(&quiz()));
        EXPECT_EQ(report().ui().lblReport->text(), ui().lblScore->Caption());
        EXPECT_TRUE((c.act == Act::Right ? correct() : practise()).endsWith(firstLine));
        (ui().*c.option)->click(); // off again for the next case
    }
}

TEST_F(QuizFlow, FastQuizSwitchesTheOtherOptionsOff)
{
    load(10);
    pressStart();
    ui().chkShowCorrect->click();
    ui().chkAnswered->click();
    ASSERT_TRUE(ui().chkShowCorrect->isChecked());
    ASSERT_TRUE(ui().chkAnswered->isChecked());
    for (bool fast : {true, false}) {
        ui().chkFastQuiz->click();
        EXPECT_EQ(ui().chkFastQuiz->isChecked(), fast);
        for (QCheckBox* other : {ui().chkShowCorrect, ui().chkAnswered}) {
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
    ui().txtQuizFile->setFocus();
    type('1');
    load(10);
    type('5');
    EXPECT_EQ(options().selectedIndex(), -1);
    EXPECT_EQ(state().iWrong() + state().iCorrect(), 0);

    pressStart();
    for (char key : {'0', '6', 'a', 'x', '!'})
        type(key);
    EXPECT_EQ(options().selectedIndex(), -1);
    EXPECT_FALSE(state().bAnswered());

    type('5');
    EXPECT_EQ(options().selectedIndex(), 4);
    EXPECT_EQ(state().iWrong(), 1);
    EXPECT_TRUE(ui().lblWrong->isVisibleTo(&quiz()));

    pressNext();
    const int right = rightSlot();
    type(static_cast<char>('1' + right));
    EXPECT_EQ(options().selectedIndex(), right);
    EXPECT_EQ(state().iCorrect(), 1);

    // Typed into the file box, a digit still answers, and the box still gets it.
    pressNext();
    ui().txtQuizFile->setFocus();
    ui().txtQuizFile->clear();
    type(static_cast<char>('1' + rightSlot()));
    EXPECT_EQ(state().iCorrect(), 2);
    EXPECT_EQ(ui().txtQuizFile->text().size(), 1);
}

TEST_F(QuizFlow, EnterRightAfterStartLeavesTheFirstQuestionUnanswered)
{
    load(10);
    pressStart();
    const int first = current();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(state().iWrong(), 1);
    EXPECT_EQ(practise(), line(first));
    EXPECT_EQ(state().iAsked(), 2);
    EXPECT_EQ(ui().lblAsking->Caption(), QStringLiteral(" 2 / 10"));
}

TEST_F(QuizFlow, ASharedAnswerTextIsRightInEitherSlotAndSkipNeverIs)
{
    // With four items every question shows the answers of all three others,
    // so Q1 and Q2 always show "same" twice.
    driver().loadItems(itemsOf({{QStringLiteral("Q1"), QStringLiteral("same")},
                                {QStringLiteral("Q2"), QStringLiteral("same")},
                                {QStringLiteral("Q3"), QStringLiteral("Skip")},
                                {QStringLiteral("Q4"), QStringLiteral("A4")}}));
    pressStart();
    std::map<int, QString> expectedCorrect, expectedPractise;
    for (int k = 1; k <= 4; ++k) {
        const int item = current();
        const int right = rightSlot();
        if (item <= 2) {
            int twin = -1;
            for (int slot = 0; slot < 4; ++slot)
                if (slot != right && options().Caption(slot) == QStringLiteral("same"))
                    twin = slot;
            ASSERT_NE(twin, -1);
            choose(twin);
            EXPECT_TRUE(ui().lblRightAnswer->isVisibleTo(&quiz())) << "Q" << item;
            expectedCorrect[item] = line(item);
        } else if (item == 3) {
            choose(4); // reads "Skip" like the right answer, and is still Skip
            EXPECT_TRUE(ui().lblWrong->isVisibleTo(&quiz()));
            expectedPractise[item] = line(item);
        } else {
            // "same" is wrong here, in either slot.
            choose(wrongSlot());
            EXPECT_TRUE(ui().lblWrong->isVisibleTo(&quiz()));
            expectedPractise[item] = line(item);
        }
        if (k < 4)
            pressNext();
    }
    EXPECT_EQ(state().iCorrect(), 2);
    EXPECT_EQ(state().iWrong(), 2);
    for (const auto& [item, text] : expectedCorrect)
        EXPECT_TRUE(correct().contains(text)) << text.toStdString();
    for (const auto& [item, text] : expectedPractise)
        EXPECT_TRUE(practise().contains(text)) << text.toStdString();
}

TEST_F(QuizFlow, TheLargestQuizDrawsItsCandidates)
{
    load(32767);
    pressStart();
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const int right = rightSlot();
        EXPECT_EQ(options().Caption(right), state().sAnswers(current()));
        std::set<QString> captions;
        for (int slot = 0; slot < 4; ++slot)
            captions.insert(options().Caption(slot));
        EXPECT_EQ(captions.size(), 4u);
        EXPECT_FALSE(captions.contains(QStringLiteral("answer 2"))) << "every slot filled";
        play(k == 2 ? Act::Right : Act::Wrong);
        pressNext();
    }
    EXPECT_EQ(ui().lblAsking->Caption(), QStringLiteral(" 4 / 32767"));
    EXPECT_EQ(ui().lblScore->Caption(), score("33.33"));
}

// Whole tests: every item asked once and recorded once in the list its first
// judgement chose, the counts adding up, and the final score matching them.
TEST_F(QuizFlow, WholeTestsRecordEveryItemOnceAndScoreTheCounts)
{
    using enum Act;
    const Act mix[] = {Right, Wrong, Skip, Unanswered, WrongRight, RightWrong, RightTwice, Right, Unanswered};
    const struct {
        QCheckBox* Ui::frmQ::*option; // nullptr for none
    } settings[] = {{nullptr}, {&Ui::frmQ::chkShowCorrect}, {&Ui::frmQ::chkAnswered}, {&Ui::frmQ::chkFastQuiz}};
    p.clock.step = 1.0 / 64;
    int run = 0;
    for (double clockSeed : {1000.0, 40000.0, 86000.5}) {
        for (int items : {4, 5, 37}) {
            for (const auto& setting : settings) {
                ++run;
                SCOPED_TRACE(::testing::Message()
                             << "clock " << clockSeed << ", " << items << " items, setting " << (&setting - settings));
                p.clock.seconds = clockSeed;
                load(items);
                const qsizetype practiseBefore = practise().size();
                const qsizetype correctBefore = correct().size();
                p.boxes.shown.clear();
                p.boxes.expect(MsgAnswer::Ok);
                pressStart();
                if (setting.option) // the options can change only during a test
                    (ui().*setting.option)->click();

                std::map<int, bool> judgedRight; // by item, from the first judgement
                int step = run;
                while (p.boxes.shown.empty()) {
                    ASSERT_LE(state().iCorrect() + state().iWrong(), state().iAsked());
                    const int item = current();
                    ASSERT_FALSE(judgedRight.contains(item)) << "asked twice: " << item;
                    const Act act = mix[step++ % std::size(mix)];
                    judgedRight[item] = act == Right || act == RightWrong || act == RightTwice;
                    if (!play(act))
                        pressNext();
                }

                ASSERT_EQ(p.boxes.shown.size(), 1u);
                ASSERT_EQ(state().iAsked(), items);
                ASSERT_EQ(static_cast<int>(judgedRight.size()), items);
                const int rights = static_cast<int>(
                    std::count_if(judgedRight.begin(), judgedRight.end(), [](const auto& j) { return j.second; }));
                EXPECT_EQ(state().iCorrect(), rights);
                EXPECT_EQ(state().iCorrect() + state().iWrong(), items);
                QString expectedPractise, expectedCorrect;
                for (int k = 1; k <= items; ++k) {
                    const int item = state().iAskOrder().iAskOrder(k);
                    (judgedRight[item] ? expectedCorrect : expectedPractise) += line(item);
                }
                EXPECT_EQ(practise().mid(practiseBefore), expectedPractise);
                EXPECT_EQ(correct().mid(correctBefore), expectedCorrect);
                const QString expectedScore = textformat::scoreText(100.0 / items * rights);
                EXPECT_EQ(p.boxes.shown[0].prompt, finishPrompt(expectedScore));
                EXPECT_EQ(ui().lblScore->Caption(), expectedScore);
                EXPECT_EQ(report().ui().lblReport->text(), expectedScore);

                if (setting.option)
                    (ui().*setting.option)->click();
            }
        }
    }
}

// The program's generator, except that chosen draws come out exactly 0.
class ZeroingGenerator : public RandomSource {
public:
    explicit ZeroingGenerator(int zeroEvery) : m_zeroEvery(zeroEvery) {}

    float draw() override
    {
        const float r = m_generator.draw();
        return m_zeroEvery == 1 || (m_zeroEvery > 0 && ++m_drawn % m_zeroEvery == 0) ? 0.0f : r;
    }
    void reseed(double clockReading) override { m_generator.reseed(clockReading); }

private:
    RandomGenerator m_generator{77};
    int m_zeroEvery;
    int m_drawn = 0;
};

class ExactZeroDraws : public QuizFlow {
protected:
    ExactZeroDraws() { startAtSetUp = false; }

    void startWith(RandomSource& source)
    {
        frame = std::make_unique<MDIForm1>(p.platform, source);
        frame->MDIForm_Load();
        frame->show();
        settle();
    }
};

TEST_F(ExactZeroDraws, AreDrawnAgainAndNeverShowMissingCandidates)
{
    // Every slot draw takes four draws in a row, so a zero at least every
    // fifth draw still leaves room for one that succeeds.
    for (int zeroEvery : {5, 7, 11}) {
        SCOPED_TRACE(zeroEvery);
        ZeroingGenerator source(zeroEvery);
        startWith(source);
        load(6);
        pressStart();
        std::set<int> asked;
        for (int k = 1; k <= 6; ++k) {
            ASSERT_EQ(state().iAsked(), k);
            asked.insert(current());
            EXPECT_EQ(options().Caption(rightSlot()), state().sAnswers(current()));
            std::set<QString> captions;
            for (int slot = 0; slot < 4; ++slot)
                captions.insert(options().Caption(slot));
            EXPECT_EQ(captions.size(), 4u);
            if (k < 6)
                pressNext();
        }
        EXPECT_EQ(asked.size(), 6u);
        frame.reset();
        settle();
    }
}

TEST_F(ExactZeroDraws, AGeneratorThatOnlyGivesZeroShowsNothingAndDoesNotHang)
{
    ZeroingGenerator source(1);
    startWith(source);
    load(6);
    pressStart();
    pressNext();
    EXPECT_EQ(state().iAsked(), 0);
    EXPECT_EQ(state().iWrong() + state().iCorrect(), 0);
    EXPECT_EQ(ui().lblQuestion->text(), QStringLiteral("Question"));
    EXPECT_EQ(options().Caption(0), QStringLiteral("answer 1"));
    EXPECT_EQ(ui().lblAsking->Caption(), QStringLiteral(" 0 / 6"));
    frame.reset();
    settle();
}

} // namespace
