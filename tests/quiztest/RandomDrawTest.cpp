#include "quiztest/RandomDraw.h"

#include "DrawTestSupport.h"
#include "quiztest/AskOrder.h"
#include "quiztest/DrawnNumbers.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/RandomSource.h"
#include "toolkit/Clock.h"
#include "toolkit/Int16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <numeric>
#include <ostream>
#include <set>
#include <vector>

using randomdraw::DrawUnaskedQuestion;
using randomdraw::RandomNumber;
using randomdraw::RandomNumbers;

namespace {

constexpr float kBelowOne = 1.0f - 0x1.0p-24f;
constexpr float kTiny = 0x1.0p-24f;

// The clock ticks every 64th of a second and is read several times per tick,
// as the program's clock is when a question is drawn.
class TickingClock : public Clock {
public:
    double secondsSinceMidnight() override { return 36000.0 + (m_reads++ / 8) / 64.0; }
    int reads() const { return m_reads; }

private:
    int m_reads = 0;
};

class FixedClock : public Clock {
public:
    double secondsSinceMidnight() override { return 123.5; }
};

// Hands out the draws a test scripts and records the reseeds.
class ScriptedSource : public RandomSource {
public:
    explicit ScriptedSource(std::vector<float> draws) : m_draws(draws.begin(), draws.end()) {}

    float draw() override
    {
        ++m_drawn;
        if (m_draws.empty()) {
            ADD_FAILURE() << "more draws than scripted";
            return 0.5f;
        }
        const float r = m_draws.front();
        m_draws.pop_front();
        return r;
    }
    void reseed(double clockReading) override { m_reseeds.push_back(clockReading); }

    int drawn() const { return m_drawn; }
    const std::vector<double>& reseeds() const { return m_reseeds; }

private:
    std::deque<float> m_draws;
    int m_drawn = 0;
    std::vector<double> m_reseeds;
};

// The drawing exactly as the rule states it, with a materialised pool: each
// position drawn by RandomNumber(0, Count + 1), and with the same formula in
// 32 bits where Count + 1 is past 16.
DrawnNumbers referenceRandomNumbers(std::int16_t Upper, std::int16_t Lower, std::int16_t HowMany, bool Unique,
                                    int IgnoreMe, RandomSource& generator, Clock& clock)
{
    if (HowMany > (Upper + 1) - (Lower - 1))
        return DrawnNumbers::empty();
    return referencePoolDraw(Upper, Lower, HowMany, Unique, IgnoreMe, [&](int Count) {
        if (Count + 1 <= 32767)
            return static_cast<int>(RandomNumber(0, static_cast<std::int16_t>(Count + 1), generator, clock));
        generator.reseed(clock.secondsSinceMidnight());
        const double r = generator.draw();
        return static_cast<int>(std::floor(-Count * r + (Count + 1)));
    });
}

TEST(RandomNumber, ScriptedDraws)
{
    const struct {
        std::int16_t Upper;
        std::int16_t Lower;
        float r;
        std::int16_t expected;
    } cases[] = {
        {5, 5, 0.0f, 5},
        {5, 5, kBelowOne, 5},
        {3, 0, 0.0f, 0},
        {3, 0, 0.25f, 1},
        {3, 0, 0.5f, 2},
        {3, 0, 0.75f, 3},
        {3, 0, kBelowOne, 3},
        {0, 1, 0.0f, 1}, // span 0
        {0, 1, kBelowOne, 1},
        {0, 6, 0.0f, 6}, // Lower only on an exact 0
        {0, 6, kTiny, 5},
        {0, 6, 0.5f, 3},
        {0, 6, kBelowOne, 1},
        {-1, -3, 0.0f, -3},
        {-1, -3, kBelowOne, -1},
        {32767, 1, kBelowOne, 32767},
        {-32768, -32768, 0.5f, -32768},
        {32767, -1, 0.5f, 1}, // span overflows
        {32767, 0, 0.0f, 1},  // only the + 1 overflows
        {-32768, 1, 0.5f, 1}, // the subtraction overflows
        {32767, -32768, 0.5f, 1},
    };
    for (const auto& c : cases) {
        ScriptedSource source({c.r});
        FixedClock clock;
        EXPECT_EQ(RandomNumber(c.Upper, c.Lower, source, clock), c.expected)
            << c.Upper << ", " << c.Lower << " r=" << c.r;
        EXPECT_EQ(source.drawn(), 1);
        EXPECT_EQ(source.reseeds(), std::vector<double>{123.5}); // also when it overflows
    }
}

TEST(RandomNumber, Distribution)
{
    RandomGenerator generator;
    TickingClock clock;
    constexpr int kCalls = 40000;
    std::map<int, int> zeroToThree;
    std::map<int, int> zeroAndSix;
    for (int i = 0; i < kCalls; ++i) {
        ++zeroToThree[RandomNumber(3, 0, generator, clock)];
        ++zeroAndSix[RandomNumber(0, 6, generator, clock)];
    }
    ASSERT_EQ(zeroToThree.size(), 4u);
    for (int v = 0; v <= 3; ++v)
        EXPECT_NEAR(zeroToThree[v], kCalls / 4, kCalls / 4 / 20) << v;
    ASSERT_EQ(zeroAndSix.size(), 5u);
    for (int v = 1; v <= 5; ++v)
        EXPECT_NEAR(zeroAndSix[v], kCalls / 5, kCalls / 5 / 20) << v;
}

TEST(RandomNumbers, ScriptedCases)
{
    const auto list = [](std::vector<std::int16_t> v) { return DrawnNumbers::list(std::move(v)); };
    const struct {
        const char* what;
        std::int16_t Upper, Lower, HowMany;
        bool Unique;
        int IgnoreMe;
        std::vector<float> draws;
        DrawnNumbers expected;
        int reseeds;
    } cases[] = {
        {"first position each time",
         3,
         0,
         4,
         true,
         0,
         {kBelowOne, kBelowOne, kBelowOne, kBelowOne},
         list({0, 1, 2, 3}),
         4},
        {"last position each time", 3, 0, 4, true, 0, {0.1f, 0.1f, 0.1f, 0.1f}, list({3, 2, 1, 0}), 4},
        {"repeats without Unique", 3, 0, 4, false, 0, {kBelowOne, 0.1f, kBelowOne, 0.1f}, list({0, 3, 0, 3}), 4},
        {"more than the size check allows", 3, 0, 6, true, 0, {}, DrawnNumbers::empty(), 0},
        {"one more than the range: empty pool",
         3,
         0,
         5,
         true,
         0,
         {0.5f, 0.5f, 0.5f, 0.5f, 0.5f},
         DrawnNumbers::failure(),
         5},
        {"IgnoreMe is a position", 5, 0, 2, true, 2, {kBelowOne, 0.7f}, list({0, 3}), 2},
        {"IgnoreMe as the caller passes it", 10, 1, 3, true, 4, {0.7f, 0.7f, 0.7f}, list({3, 5, 6}), 3},
        {"IgnoreMe the last position", 3, 1, 2, true, 3, {0.1f, 0.1f}, list({2, 1}), 2},
        {"IgnoreMe beyond the pool", 2, 1, 1, false, 5, {}, DrawnNumbers::failure(), 0},
        {"IgnoreMe one beyond the pool", 2, 1, 1, false, 3, {}, DrawnNumbers::failure(), 0},
        {"IgnoreMe negative", 2, 1, 1, false, -1, {}, DrawnNumbers::failure(), 0},
        {"IgnoreMe in an empty pool", 0, 1, 1, false, 1, {}, DrawnNumbers::failure(), 0},
        {"position Count + 1 on an exact 0", 3, 0, 1, true, 0, {0.0f}, DrawnNumbers::failure(), 1},
        {"exact 0 on the second entry", 3, 0, 4, true, 0, {0.5f, 0.0f}, DrawnNumbers::failure(), 2},
        {"empty range passes the size check", 0, 1, 1, false, 0, {kBelowOne}, DrawnNumbers::failure(), 1},
        {"reversed range", 0, 5, 1, false, 0, {}, DrawnNumbers::empty(), 0},
        // Sums past 16 bits draw as any other range: a 32767-item quiz asks
        // RandomNumbers(32767, 1, ...) for every question.
        {"Upper 32767", 32767, 1, 3, true, 0, {kBelowOne, kBelowOne, kTiny}, list({1, 2, 32767}), 3},
        {"Lower -32768", 5, -32768, 3, true, 0, {kBelowOne, kBelowOne, kTiny}, list({-32768, -32767, 5}), 3},
        {"size check past 16 bits", 20000, -20000, 3, true, 0, {kTiny, kTiny, kTiny}, list({20000, 19999, 19998}),
         3},
        {"largest pool", 32766, 1, 1, false, 0, {kBelowOne}, list({1}), 1},
        {"largest pool, last position", 32766, 1, 1, false, 0, {kTiny}, list({32766}), 1},
        {"HowMany 0", 3, 0, 0, true, 0, {}, list({}), 0},
        {"HowMany 0 still checks IgnoreMe", 3, 0, 0, true, 9, {}, DrawnNumbers::failure(), 0},
        {"HowMany negative", 3, 0, -1, true, 0, {}, DrawnNumbers::failure(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedSource source(c.draws);
        FixedClock clock;
        EXPECT_EQ(RandomNumbers(c.Upper, c.Lower, c.HowMany, c.Unique, c.IgnoreMe, source, clock), c.expected);
        EXPECT_EQ(source.reseeds().size(), static_cast<std::size_t>(c.reseeds));
        EXPECT_EQ(source.drawn(), c.reseeds); // one draw per reseed
    }
}

TEST(RandomNumbers, SlotOrderIsAnEvenPermutation)
{
    RandomGenerator generator;
    TickingClock clock;
    constexpr int kCalls = 24000;
    std::map<std::vector<std::int16_t>, int> arrangements;
    for (int i = 0; i < kCalls; ++i) {
        const DrawnNumbers slots = RandomNumbers(3, 0, 4, true, 0, generator, clock);
        ASSERT_TRUE(slots.isList());
        std::vector<std::int16_t> sorted = slots.values();
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (std::vector<std::int16_t>{0, 1, 2, 3}));
        ++arrangements[slots.values()];
    }
    ASSERT_EQ(arrangements.size(), 24u);
    for (const auto& [arrangement, count] : arrangements)
        EXPECT_NEAR(count, kCalls / 24, kCalls / 24 / 6);
}

TEST(RandomNumbers, WrongCandidatesAreDistinctAndLeaveTheQuestionOut)
{
    RandomGenerator generator;
    TickingClock clock;
    constexpr int kCalls = 12000;
    std::map<int, int> counts;
    for (int i = 0; i < kCalls; ++i) {
        const DrawnNumbers others = RandomNumbers(10, 1, 3, true, 4, generator, clock);
        ASSERT_TRUE(others.isList());
        ASSERT_EQ(others.values().size(), 3u);
        const std::set<int> distinct(others.values().begin(), others.values().end());
        ASSERT_EQ(distinct.size(), 3u);
        for (int v : distinct) {
            ASSERT_GE(v, 1);
            ASSERT_LE(v, 10);
            ++counts[v];
        }
    }
    EXPECT_EQ(counts.count(4), 0u);
    for (int v = 1; v <= 10; ++v) {
        if (v != 4) {
            EXPECT_NEAR(counts[v], kCalls * 3 / 9, kCalls * 3 / 9 / 15) << v;
        }
    }
}

TEST(RandomNumbers, RemovesThePositionBeforeDrawing)
{
    RandomGenerator generator;
    TickingClock clock;
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const DrawnNumbers drawn = RandomNumbers(5, 0, 2, true, 2, generator, clock);
        ASSERT_TRUE(drawn.isList());
        seen.insert(drawn.values().begin(), drawn.values().end());
    }
    EXPECT_EQ(seen, (std::set<int>{0, 2, 3, 4, 5}));
}

// Same sources, same clocks: same results, and the generators end in the same
// state, for every argument combination of a grid around the edges, sums
// past 16 bits included.
TEST(RandomNumbers, MatchesTheMaterialisedPool)
{
    const std::int16_t bounds[] = {-32768, -32767, -3, -1, 0, 1, 2, 3, 5, 10, 45, 32766, 32767};
    const struct {
        std::uint64_t seed;
        int zeroEvery;
    } sources[] = {{1, 0}, {2, 2}, {3, 3}, {4, 7}};
    int lists = 0;
    int failures = 0;
    int past16Bits = 0;
    for (auto Upper : bounds) {
        for (auto Lower : bounds) {
            const int size = std::max(0, Upper - Lower + 1);
            // Large pools only with a few draws: the reference pool costs a
            // full copy per removal.
            const bool large = size > 100;
            const std::set<int> howManys =
                large ? std::set<int>{-1, 0, 3, 33}
                      : std::set<int>{-1, 0, 1, 2, 3, 4, 5, 31, 32, 33, 40, size - 1, size, size + 1, size + 2};
            const std::set<int> ignores =
                large ? std::set<int>{0, 2, size, size + 1} : std::set<int>{0, -1, 1, 2, 3, size - 1, size, size + 1};
            for (int HowMany : howManys) {
                for (bool Unique : {false, true}) {
                    for (int IgnoreMe : ignores) {
                        for (const auto& s : sources) {
                            ZeroingSource fastSource(s.seed, s.zeroEvery);
                            ZeroingSource referenceSource(s.seed, s.zeroEvery);
                            TickingClock fastClock;
                            TickingClock referenceClock;
                            const auto howMany = static_cast<std::int16_t>(HowMany);
                            const DrawnNumbers fast =
                                RandomNumbers(Upper, Lower, howMany, Unique, IgnoreMe, fastSource, fastClock);
                            const DrawnNumbers reference = referenceRandomNumbers(
                                Upper, Lower, howMany, Unique, IgnoreMe, referenceSource, referenceClock);
                            ASSERT_EQ(fast, reference) << Upper << ", " << Lower << ", " << HowMany << ", " << Unique
                                                       << ", " << IgnoreMe << " seed " << s.seed;
                            ASSERT_EQ(fastClock.reads(), referenceClock.reads());
                            ASSERT_EQ(fastSource.draw(), referenceSource.draw());
                            lists += fast.isList();
                            failures += fast.kind() == DrawnNumbers::Kind::Failure;
                            past16Bits += fast.isList() && (Upper + 1 > 32767 || Lower - 1 < -32768 || size + 1 > 32767);
                        }
                    }
                }
            }
        }
    }
    // The grid must reach the drawing, its failures and the ranges whose
    // sums pass 16 bits.
    EXPECT_GT(lists, 1000);
    EXPECT_GT(failures, 1000);
    EXPECT_GT(past16Bits, 50);
}

TEST(RandomNumbers, MatchesTheMaterialisedPoolOnTheLargestRange)
{
    for (std::int16_t HowMany : {1, 3, 32, 33, 200}) {
        for (int IgnoreMe : {0, 1, 17, 32765, 32766}) {
            ZeroingSource fastSource(HowMany, 0);
            ZeroingSource referenceSource(HowMany, 0);
            TickingClock fastClock;
            TickingClock referenceClock;
            const DrawnNumbers fast = RandomNumbers(32766, 1, HowMany, true, IgnoreMe, fastSource, fastClock);
            ASSERT_EQ(fast, referenceRandomNumbers(32766, 1, HowMany, true, IgnoreMe, referenceSource, referenceClock))
                << HowMany << ", " << IgnoreMe;
            ASSERT_TRUE(fast.isList());
            ASSERT_EQ(fastSource.draw(), referenceSource.draw());
        }
    }
}

TEST(RandomNumbers, WholeLargestRangeIsAPermutation)
{
    RandomGenerator generator;
    TickingClock clock;
    const DrawnNumbers drawn = RandomNumbers(32766, 1, 32766, true, 0, generator, clock);
    ASSERT_TRUE(drawn.isList());
    std::vector<std::int16_t> sorted = drawn.values();
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::int16_t> expected(32766);
    std::iota(expected.begin(), expected.end(), std::int16_t{1});
    EXPECT_EQ(sorted, expected);
    EXPECT_NE(drawn.values(), expected);
}

// The linear scan the membership table stands in for.
bool scanAskOrder(const AskOrder& askOrder, std::int16_t number)
{
    for (int k = 1; k <= askOrder.iAsked(); ++k) {
        if (askOrder.iAskOrder(k) == number)
            return true;
    }
    return false;
}

TEST(AskOrder, AlreadyAsked)
{
    AskOrder askOrder;
    EXPECT_EQ(askOrder.iAsked(), 0);
    EXPECT_EQ(askOrder.iAskOrder(0), 0);
    for (std::int16_t number : {0, 1, -1, 32767, -32768})
        EXPECT_FALSE(askOrder.AlreadyAsked(number)) << number;

    for (std::int16_t number : {7, 3, 9})
        askOrder.append(number);
    EXPECT_EQ(askOrder.iAsked(), 3);
    EXPECT_EQ(askOrder.iAskOrder(0), 0); // position 0 holds 0 and is never compared
    EXPECT_EQ(askOrder.iAskOrder(2), 3);
    EXPECT_THROW(askOrder.iAskOrder(4), std::out_of_range);
    EXPECT_THROW(askOrder.iAskOrder(-1), std::out_of_range);
    const struct {
        std::int16_t number;
        bool asked;
    } cases[] = {{3, true}, {7, true}, {9, true}, {0, false}, {1, false}, {8, false}, {-3, false}, {32767, false}};
    for (const auto& c : cases)
        EXPECT_EQ(askOrder.AlreadyAsked(c.number), c.asked) << c.number;

    askOrder.clear();
    EXPECT_EQ(askOrder.iAsked(), 0);
    EXPECT_FALSE(askOrder.AlreadyAsked(3));
    askOrder.append(9);
    EXPECT_TRUE(askOrder.AlreadyAsked(9));
    EXPECT_FALSE(askOrder.AlreadyAsked(7));
}

TEST(AskOrder, AgreesWithTheLinearScanForEveryNumber)
{
    AskOrder askOrder;
    RandomGenerator generator;
    for (int round = 0; round < 3; ++round) {
        askOrder.clear();
        // Duplicates and numbers outside any question range too.
        for (std::int16_t number : {0, -1, 32767, -32768, 5, 5})
            askOrder.append(number);
        for (int i = 0; i < 40; ++i)
            askOrder.append(static_cast<std::int16_t>(generator.draw() * 200 - 100));
        for (int number = -32768; number <= 32767; ++number) {
            const auto n = static_cast<std::int16_t>(number);
            ASSERT_EQ(askOrder.AlreadyAsked(n), scanAskOrder(askOrder, n)) << number;
        }
    }
}

TEST(AskOrder, AppendPast32767Overflows)
{
    AskOrder askOrder;
    for (int k = 1; k <= 32767; ++k)
        askOrder.append(static_cast<std::int16_t>(k));
    EXPECT_EQ(askOrder.iAsked(), 32767);
    EXPECT_THROW(askOrder.append(1), int16::OverflowError);
    EXPECT_EQ(askOrder.iAsked(), 32767);
}

TEST(DrawUnaskedQuestion, RejectsAskedNumbersWithoutReseeding)
{
    AskOrder askOrder;
    for (std::int16_t number : {1, 2, 4, 5})
        askOrder.append(number);
    ScriptedSource source({0.0f, kBelowOne, 0.2f, 0.5f}); // 1, 5, 2, then 3
    EXPECT_EQ(DrawUnaskedQuestion(5, askOrder, source), 3);
    EXPECT_EQ(source.drawn(), 4);
    EXPECT_TRUE(source.reseeds().empty());

    RandomGenerator generator;
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(DrawUnaskedQuestion(5, askOrder, generator), 3);
}

TEST(DrawUnaskedQuestion, ScriptedDraws)
{
    const struct {
        std::int16_t iTotal;
        float r;
        std::int16_t expected;
    } cases[] = {{5, 0.0f, 1}, {5, 0.2f, 2}, {5, kBelowOne, 5}, {1, kBelowOne, 1}, {32767, kBelowOne, 32767}};
    for (const auto& c : cases) {
        AskOrder askOrder;
        ScriptedSource source({c.r});
        EXPECT_EQ(DrawUnaskedQuestion(c.iTotal, askOrder, source), c.expected) << c.iTotal << " r=" << c.r;
    }
}

TEST(DrawUnaskedQuestion, WholeTestAsksEveryQuestionOnce)
{
    RandomGenerator generator;
    AskOrder askOrder;
    constexpr std::int16_t iTotal = 2000;
    while (askOrder.iAsked() < iTotal)
        askOrder.append(DrawUnaskedQuestion(iTotal, askOrder, generator));
    std::vector<std::int16_t> asked;
    for (int k = 1; k <= iTotal; ++k)
        asked.push_back(askOrder.iAskOrder(k));
    std::sort(asked.begin(), asked.end());
    std::vector<std::int16_t> expected(iTotal);
    std::iota(expected.begin(), expected.end(), std::int16_t{1});
    EXPECT_EQ(asked, expected);
}

TEST(DrawUnaskedQuestion, Distribution)
{
    RandomGenerator generator;
    AskOrder askOrder;
    askOrder.append(2);
    constexpr int kDraws = 40000;
    std::map<int, int> counts;
    for (int i = 0; i < kDraws; ++i)
        ++counts[DrawUnaskedQuestion(5, askOrder, generator)];
    ASSERT_EQ(counts.size(), 4u);
    EXPECT_EQ(counts.count(2), 0u);
    for (int n : {1, 3, 4, 5})
        EXPECT_NEAR(counts[n], kDraws / 4, kDraws / 4 / 20) << n;
}

TEST(RandomNumbers, DrawsTheWrongCandidatesOfTheLargestQuiz)
{
    RandomGenerator generator(99);
    TickingClock clock;
    for (int question : {1, 2, 16384, 32766, 32767}) {
        SCOPED_TRACE(question);
        for (int round = 0; round < 50; ++round) {
            const DrawnNumbers drawn = RandomNumbers(32767, 1, 3, true, question, generator, clock);
            ASSERT_TRUE(drawn.isList());
            const std::set<int> values(drawn.values().begin(), drawn.values().end());
            ASSERT_EQ(values.size(), 3u);
            for (int v : values) {
                ASSERT_GE(v, 1);
                ASSERT_LE(v, 32767);
                ASSERT_NE(v, question);
            }
        }
    }
}

TEST(RandomNumbers, WholeSixteenBitRange)
{
    RandomGenerator generator(5);
    TickingClock clock;
    const DrawnNumbers drawn = RandomNumbers(32767, -32768, 32767, true, 0, generator, clock);
    ASSERT_TRUE(drawn.isList()) << "a pool of 65536 entries, Count + 1 past 16 bits";
    EXPECT_EQ(std::set<std::int16_t>(drawn.values().begin(), drawn.values().end()).size(), 32767u);
    EXPECT_EQ(RandomNumbers(32767, 32767, 3, true, 0, generator, clock), DrawnNumbers::empty())
        << "3 > (32767 + 1) − (32767 − 1)";
}

} // namespace
