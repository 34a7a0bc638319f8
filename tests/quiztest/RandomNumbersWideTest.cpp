#include "quiztest/RandomDraw.h"

#include "DrawTestSupport.h"

#include "quiztest/DrawnNumbers.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/RandomSource.h"
#include "toolkit/Clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

using randomdraw::RandomNumbers;
using randomdraw::RandomNumbersWide;

namespace {

class SteppingClock : public Clock {
public:
    double secondsSinceMidnight() override { return 30000.0 + (m_reads++ / 4) / 64.0; }

private:
    int m_reads = 0;
};

// The drawing as the rule states it, with a materialised pool, in 32-bit
// arithmetic throughout.
DrawnNumbers referenceWide(int Upper, int Lower, int HowMany, bool Unique, int IgnoreMe, RandomSource& generator,
                           Clock& clock)
{
    if (HowMany > (Upper + 1) - (Lower - 1))
        return DrawnNumbers::empty();
    return referencePoolDraw(Upper, Lower, HowMany, Unique, IgnoreMe, [&](int Count) {
        generator.reseed(clock.secondsSinceMidnight());
        const double r = generator.draw();
        return static_cast<int>(std::floor((0 - (Count + 1) + 1) * r + (Count + 1)));
    });
}

TEST(RandomNumbersWide, MatchesTheReferenceAndTheNarrowDrawWhereThatDoesNotOverflow)
{
    const std::int16_t bounds[] = {-32768, -32767, -2, 0, 1, 3, 10, 32766, 32767};
    int lists = 0;
    int narrowOverflows = 0;
    for (auto Upper : bounds) {
        for (auto Lower : bounds) {
            const int size = std::max(0, Upper - Lower + 1);
            // Large pools only with a few draws: the reference pool costs a
            // full copy per removal.
            const bool large = size > 100;
            const std::set<int> howManys =
                large ? std::set<int>{0, 3} : std::set<int>{-1, 0, 1, 3, 4, 33, size, size + 1, size + 2};
            const std::set<int> ignores =
                large ? std::set<int>{0, 2, size, size + 1} : std::set<int>{0, -1, 1, 2, size, size + 1};
            for (int HowMany : howManys) {
                const auto howMany = static_cast<std::int16_t>(HowMany);
                for (bool Unique : {false, true}) {
                    for (int IgnoreMe : ignores) {
                        for (int zeroEvery : {0, 3}) {
                            ZeroingSource wideSource(7, zeroEvery), referenceSource(7, zeroEvery),
                                narrowSource(7, zeroEvery);
                            SteppingClock wideClock, referenceClock, narrowClock;
                            const DrawnNumbers wide =
                                RandomNumbersWide(Upper, Lower, howMany, Unique, IgnoreMe, wideSource, wideClock);
                            ASSERT_EQ(wide, referenceWide(Upper, Lower, HowMany, Unique, IgnoreMe, referenceSource,
                                                          referenceClock))
                                << Upper << ", " << Lower << ", " << HowMany << ", " << Unique << ", " << IgnoreMe;
                            ASSERT_EQ(wideSource.draw(), referenceSource.draw()) << "the same number of draws";
                            const DrawnNumbers narrow =
                                RandomNumbers(Upper, Lower, howMany, Unique, IgnoreMe, narrowSource, narrowClock);
                            if (narrow.kind() != DrawnNumbers::Kind::Failure)
                                ASSERT_EQ(wide, narrow) << Upper << ", " << Lower << ", " << HowMany;
                            else if (wide.isList())
                                ++narrowOverflows;
                            lists += wide.isList();
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(lists, 500);
    EXPECT_GT(narrowOverflows, 50) << "the grid must reach the ranges the narrow draw cannot take";
}

TEST(RandomNumbersWide, DrawsTheWrongCandidatesOfTheLargestQuiz)
{
    RandomGenerator generator(99);
    SteppingClock clock;
    for (int question : {1, 2, 16384, 32766, 32767}) {
        SCOPED_TRACE(question);
        EXPECT_EQ(RandomNumbers(32767, 1, 3, true, question, generator, clock), DrawnNumbers::failure())
            << "the 16-bit size check overflows";
        for (int round = 0; round < 50; ++round) {
            const DrawnNumbers drawn = RandomNumbersWide(32767, 1, 3, true, question, generator, clock);
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

TEST(RandomNumbersWide, WholeSixteenBitRange)
{
    RandomGenerator generator(5);
    SteppingClock clock;
    const DrawnNumbers drawn = RandomNumbersWide(32767, -32768, 32767, true, 0, generator, clock);
    ASSERT_TRUE(drawn.isList()) << "a pool of 65536 entries, Count + 1 past 16 bits";
    EXPECT_EQ(std::set<std::int16_t>(drawn.values().begin(), drawn.values().end()).size(), 32767u);
    EXPECT_EQ(RandomNumbersWide(32767, 32767, 3, true, 0, generator, clock), DrawnNumbers::empty())
        << "3 > (32767 + 1) − (32767 − 1)";
}

} // namespace
