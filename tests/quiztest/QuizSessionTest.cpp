#include "quiztest/QuizSession.h"

#include "DrawTestSupport.h"
#include "support/QuizDriver.h"
#include "support/ScriptedPlatform.h"

#include "quiztest/RandomGenerator.h"
#include "quiztest/TextFormat.h"
#include "toolkit/CrLf.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <map>
#include <set>

namespace {

using Options = QuizSession::AnswerOptions;

QString score(const char* digits)
{
    return QStringLiteral("Score = %1 %").arg(QLatin1String(digits));
}

// What a person does with one question.
enum class Act { Right, Wrong, Skip, Unanswered, WrongRight, RightWrong, RightTwice };

// A session on the program's generator and a scripted clock, with a log of
// what its signals carried.
class Session : public ::testing::Test {
protected:
    explicit Session(RandomSource* source = nullptr) : s(source ? *source : generator, clock)
    {
        QObject::connect(&s, &QuizSession::practiseLine, [this](const QString& l) { practise += l; });
        QObject::connect(&s, &QuizSession::correctLine, [this](const QString& l) { correct += l; });
        QObject::connect(&s, &QuizSession::scoreChanged, [this](const QString& t) { scores << t; });
        QObject::connect(&s, &QuizSession::finishedTest, [this](const QString& t) { finishes << t; });
        QObject::connect(&s, &QuizSession::verdict, [this](bool right) { verdicts.push_back(right); });
        QObject::connect(&s, &QuizSession::marked, [this](int r, int c) { marks.push_back({r, c}); });
    }

    void load(quizfile::QuizItems items)
    {
        s.beginLoad(QString());
        s.takeItems(std::move(items));
        s.showProgress();
        s.endLoad(true);
    }
    void load(int count) { load(numberedItems(count)); }
    void start()
    {
        s.start();
        s.next();
    }
    int current() const { return s.iAskOrder().iAskOrder(s.iAsked()); }
    QString line(int item) const { return s.sQuestions(item) + u',' + s.sAnswers(item) + kCrLf; }
    int right() const { return s.question().rightSlot; }
    int wrong() const
    {
        const QuizQuestion& q = s.question();
        for (int slot = 0; slot < QuizQuestion::Slots; ++slot)
            if (q.answers[slot] != q.answers[q.rightSlot])
                return slot;
        ADD_FAILURE() << "every slot reads the right answer";
        return 0;
    }

    // Plays one question; returns whether the session moved on by itself.
    bool play(Act act, const Options& options = {})
    {
        const std::int16_t asked = s.iAsked();
        const qsizetype finished = finishes.size();
        std::vector<int> choices;
        switch (act) {
        case Act::Right:
            choices = {right()};
            break;
        case Act::Wrong:
            choices = {wrong()};
            break;
        case Act::Skip:
            choices = {QuizSession::Skip};
            break;
        case Act::Unanswered:
            break;
        case Act::WrongRight:
            choices = {wrong(), right()};
            break;
        case Act::RightWrong:
            choices = {right(), wrong(), QuizSession::Skip};
            break;
        case Act::RightTwice:
            choices = {right(), right()};
            break;
        }
        for (int index : choices) {
            s.answer(index, options);
            if (s.iAsked() != asked || finishes.size() != finished)
                return true;
        }
        return false;
    }

    ScriptedClock clock;
    RandomGenerator generator{20261207};
    QuizSession s;
    QString practise, correct;
    QStringList scores, finishes;
    std::vector<bool> verdicts;
    std::vector<std::pair<int, int>> marks;
};

TEST_F(Session, EveryQuestionIsAnUnaskedItemWithItsAnswerInOneSlotAndThreeOthers)
{
    load(10);
    start();
    std::set<int> asked;
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(s.iAsked(), k);
        const QuizQuestion& q = s.question();
        EXPECT_EQ(q.item, current());
        EXPECT_TRUE(asked.insert(q.item).second) << "asked twice: " << q.item;
        EXPECT_EQ(q.question, s.sQuestions(q.item));
        EXPECT_EQ(q.answers[q.rightSlot], s.sAnswers(q.item));
        EXPECT_EQ(q.fillOrder[0], q.rightSlot);
        EXPECT_EQ(std::set<int>(q.fillOrder.begin(), q.fillOrder.end()).size(), 4u);
        EXPECT_EQ(std::set<QString>(q.answers.begin(), q.answers.end()).size(), 4u)
            << "three other items, none the question's own";
        for (int slot = 0; slot < 4; ++slot)
            EXPECT_EQ(q.answers[slot], s.sAnswers(q.items[slot]));
        EXPECT_FALSE(s.bAnswered());
        if (k < 10)
            s.next();
    }
    EXPECT_TRUE(finishes.isEmpty());
}

TEST_F(Session, NextCountsAQuestionLeftWithoutAnswerOnce)
{
    load(10);
    start();
    const int first = current();
    s.next();
    EXPECT_EQ(s.iWrong(), 1);
    EXPECT_EQ(practise, line(first));

    const struct {
        Act act;
        int wrong, correct;
    } answered[] = {{Act::Right, 1, 1}, {Act::Wrong, 2, 1}, {Act::Skip, 3, 1}};
    for (const auto& a : answered) {
        const QString listsBefore = practise + correct;
        play(a.act);
        const QString listsAfter = practise + correct;
        s.next();
        EXPECT_EQ(s.iWrong(), a.wrong);
        EXPECT_EQ(s.iCorrect(), a.correct);
        EXPECT_EQ(practise + correct, listsAfter) << "an answered question is not recorded again";
        EXPECT_NE(listsAfter, listsBefore);
    }
    EXPECT_FALSE(s.bAnswered());
}

TEST_F(Session, FinishCountsTheLastQuestionThenOnlyRepeatsTheScore)
{
    load(4);
    start();
    for (int k = 0; k < 3; ++k) {
        play(Act::Right);
        s.next();
    }
    const int last = current();
    EXPECT_EQ(s.phase(), QuizSession::Phase::Running);
    s.next();
    EXPECT_EQ(s.phase(), QuizSession::Phase::Finished);
    EXPECT_TRUE(s.testRunning());
    EXPECT_EQ(s.iWrong(), 1);
    EXPECT_EQ(practise, line(last));
    EXPECT_EQ(finishes, QStringList{score("75.00")});
    EXPECT_EQ(scores.back(), score("75.00"));

    const QuizQuestion question = s.question();
    const QString lists = practise + correct;
    const bool answered = s.bAnswered();
    s.next();
    EXPECT_EQ(finishes, (QStringList{score("75.00"), score("75.00")}));
    EXPECT_EQ(s.iCorrect(), 3);
    EXPECT_EQ(s.iWrong(), 1);
    EXPECT_EQ(s.iAsked(), 4);
    EXPECT_EQ(s.bAnswered(), answered);
    EXPECT_EQ(s.question().item, question.item);
    EXPECT_EQ(s.question().answers, question.answers);
    EXPECT_EQ(practise + correct, lists);
}

TEST_F(Session, OnlyTheFirstJudgementCountsAndMarks)
{
    const Options show{true, false, false};
    const struct {
        const char* what;
        Act act;
        std::vector<bool> verdicts;
        int correct, wrong;
        bool practised, marked;
    } cases[] = {
        {"wrong, no marks without Show correct answer", Act::Wrong, {false}, 0, 1, true, false},
        {"wrong then right", Act::WrongRight, {false, true}, 0, 1, true, true},
        {"right then wrong and Skip", Act::RightWrong, {true, false, false}, 1, 0, false, false},
        {"right twice", Act::RightTwice, {true, true}, 1, 0, false, false},
    };
    load(10);
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int item = current();
        const int rightSlot = right(), wrongSlot = wrong();
        const std::int16_t correctBefore = s.iCorrect(), wrongBefore = s.iWrong();
        const QString practiseBefore = practise, correctListBefore = correct;
        verdicts.clear();
        marks.clear();
        play(c.act, &c == cases ? Options{} : show);
        EXPECT_EQ(verdicts, c.verdicts);
        EXPECT_EQ(s.iCorrect() - correctBefore, c.correct);
        EXPECT_EQ(s.iWrong() - wrongBefore, c.wrong);
        EXPECT_EQ(practise, practiseBefore + (c.practised ? line(item) : QString()));
        EXPECT_EQ(correct, correctListBefore + (c.practised ? QString() : line(item)));
        using Marks = std::vector<std::pair<int, int>>;
        EXPECT_EQ(marks, (c.marked ? Marks{{rightSlot, wrongSlot}} : Marks{}));
        EXPECT_TRUE(s.bAnswered());
        s.next();
    }
    EXPECT_EQ(scores.back(), score("50.00")) << "2 right of the 4 asked";
}

TEST_F(Session, AutoAdvanceAndTheScoreUpdates)
{
    const struct {
        Options options;
        Act act;
        QStringList expectedScores;
    } cases[] = {
        {{false, true, false}, Act::Right, {score("100.00"), score("50.00")}},
        {{false, false, true}, Act::Right, {score("100.00"), score("100.00")}},
        {{false, false, true}, Act::Wrong, {score("00.00")}},
    };
    for (const auto& c : cases) {
        load(10);
        start();
        const int first = current();
        scores.clear();
        EXPECT_TRUE(play(c.act, c.options));
        EXPECT_EQ(scores, c.expectedScores);
        EXPECT_EQ(s.iAsked(), 2) << "question 2 is shown";
        EXPECT_NE(current(), first);
        EXPECT_FALSE(s.bAnswered());
        EXPECT_TRUE((c.act == Act::Right ? correct : practise).endsWith(line(first)));
    }
}

TEST_F(Session, ASharedAnswerTextIsRightInEitherSlotAndSkipNeverIs)
{
    // With four items every question shows the answers of all three others,
    // so Q1 and Q2 always show "same" twice.
    load(itemsOf({{QStringLiteral("Q1"), QStringLiteral("same")},
                  {QStringLiteral("Q2"), QStringLiteral("same")},
                  {QStringLiteral("Q3"), QStringLiteral("Skip")},
                  {QStringLiteral("Q4"), QStringLiteral("A4")}}));
    start();
    QString expectedCorrect, expectedPractise;
    for (int k = 1; k <= 4; ++k) {
        const int item = current();
        const QuizQuestion& q = s.question();
        int chosen = wrong();
        if (item <= 2) {
            for (int slot = 0; slot < 4; ++slot)
                if (slot != q.rightSlot && q.answers[slot] == QStringLiteral("same"))
                    chosen = slot;
            ASSERT_NE(chosen, q.rightSlot);
        } else if (item == 3) {
            chosen = QuizSession::Skip; // reads "Skip" like the right answer, and is still Skip
        }
        const bool right = item <= 2;
        EXPECT_EQ(s.isRight(chosen), right) << "Q" << item;
        EXPECT_EQ(s.answer(chosen, {}).right, right);
        (right ? expectedCorrect : expectedPractise) += line(item);
        if (k < 4)
            s.next();
    }
    EXPECT_EQ(s.iCorrect(), 2);
    EXPECT_EQ(s.iWrong(), 2);
    EXPECT_EQ(correct, expectedCorrect);
    EXPECT_EQ(practise, expectedPractise);
}

TEST_F(Session, TheLargestQuizDrawsItsCandidates)
{
    load(32767);
    start();
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const QuizQuestion& q = s.question();
        EXPECT_EQ(q.answers[q.rightSlot], s.sAnswers(current()));
        EXPECT_EQ(std::set<QString>(q.answers.begin(), q.answers.end()).size(), 4u);
        play(k == 2 ? Act::Right : Act::Wrong);
        s.next();
    }
    EXPECT_EQ(scores.back(), score("33.33"));
}

// Whole tests: every item asked once and recorded once in the list its first
// judgement chose, the counts adding up, and the final score matching them.
TEST_F(Session, WholeTestsRecordEveryItemOnceAndScoreTheCounts)
{
    using enum Act;
    const Act mix[] = {Right, Wrong, Skip, Unanswered, WrongRight, RightWrong, RightTwice, Right, Unanswered};
    const Options settings[] = {{}, {true, false, false}, {false, true, false}, {false, false, true}};
    clock.step = 1.0 / 64;
    int run = 0;
    for (double clockSeed : {1000.0, 40000.0, 86000.5}) {
        for (int items : {4, 5, 37}) {
            for (const Options& setting : settings) {
                ++run;
                SCOPED_TRACE(::testing::Message()
                             << "clock " << clockSeed << ", " << items << " items, setting " << (&setting - settings));
                clock.seconds = clockSeed;
                load(items);
                const qsizetype practiseBefore = practise.size(), correctBefore = correct.size();
                finishes.clear();
                start();
                std::map<int, bool> judgedRight; // by item, from the first judgement
                int step = run;
                while (finishes.isEmpty()) {
                    ASSERT_LE(s.iCorrect() + s.iWrong(), s.iAsked());
                    const int item = current();
                    ASSERT_FALSE(judgedRight.contains(item)) << "asked twice: " << item;
                    const Act act = mix[step++ % std::size(mix)];
                    judgedRight[item] = act == Right || act == RightWrong || act == RightTwice;
                    if (!play(act, setting))
                        s.next();
                }
                ASSERT_EQ(finishes.size(), 1);
                ASSERT_EQ(s.iAsked(), items);
                ASSERT_EQ(static_cast<int>(judgedRight.size()), items);
                const int rights = static_cast<int>(
                    std::count_if(judgedRight.begin(), judgedRight.end(), [](const auto& j) { return j.second; }));
                EXPECT_EQ(s.iCorrect(), rights);
                EXPECT_EQ(s.iCorrect() + s.iWrong(), items);
                QString expectedPractise, expectedCorrect;
                for (int k = 1; k <= items; ++k) {
                    const int item = s.iAskOrder().iAskOrder(k);
                    (judgedRight[item] ? expectedCorrect : expectedPractise) += line(item);
                }
                EXPECT_EQ(practise.mid(practiseBefore), expectedPractise);
                EXPECT_EQ(correct.mid(correctBefore), expectedCorrect);
                EXPECT_EQ(finishes[0], textformat::scoreText(100.0 / items * rights));
            }
        }
    }
}

// The score after a test or part of one: each question counts once, by its
// first judgement; one left without an answer counts as wrong when Next
// moves on, and the last one counts at the finish.
TEST_F(Session, ScoreTexts)
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
        scores.clear();
        finishes.clear();
        start();
        for (std::size_t k = 0; k < c.acts.size(); ++k) {
            play(c.acts[k]);
            if (k + 1 < c.acts.size())
                s.next();
        }
        if (static_cast<int>(c.acts.size()) == c.items) {
            s.next();
            EXPECT_EQ(finishes, QStringList{score(c.expected)});
        }
        ASSERT_FALSE(scores.isEmpty());
        EXPECT_EQ(scores.last(), score(c.expected));
    }
}

// The program's generator, except that chosen draws come out exactly 0.
class ExactZeroDraws : public Session {
protected:
    explicit ExactZeroDraws(int zeroEvery) : Session(&source), source(77, zeroEvery) {}
    ZeroingSource source;
};

class EveryFewDrawsZero : public ExactZeroDraws, public ::testing::WithParamInterface<int> {
protected:
    EveryFewDrawsZero() : ExactZeroDraws(GetParam()) {}
};

// Every slot draw takes four draws in a row, so a zero at least every fifth
// draw still leaves room for one that succeeds.
TEST_P(EveryFewDrawsZero, AreDrawnAgainAndNeverShowMissingCandidates)
{
    load(6);
    start();
    std::set<int> asked;
    for (int k = 1; k <= 6; ++k) {
        ASSERT_EQ(s.iAsked(), k);
        asked.insert(current());
        const QuizQuestion& q = s.question();
        EXPECT_EQ(q.answers[q.rightSlot], s.sAnswers(current()));
        EXPECT_EQ(std::set<QString>(q.answers.begin(), q.answers.end()).size(), 4u);
        if (k < 6)
            s.next();
    }
    EXPECT_EQ(asked.size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(Session, EveryFewDrawsZero, ::testing::Values(5, 7, 11));

class OnlyZeroDraws : public ExactZeroDraws {
protected:
    OnlyZeroDraws() : ExactZeroDraws(1) {}
};

TEST_F(OnlyZeroDraws, ShowNothingAndDoNotHang)
{
    load(6);
    start();
    s.next();
    EXPECT_EQ(s.iAsked(), 0);
    EXPECT_EQ(s.iWrong() + s.iCorrect(), 0);
    EXPECT_EQ(s.question().rightSlot, -1);
    EXPECT_FALSE(s.answer(0, {}).right) << "nothing to be right about";
}

} // namespace
