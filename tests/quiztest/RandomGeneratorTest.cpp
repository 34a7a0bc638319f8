#include "quiztest/RandomGenerator.h"
#include "toolkit/QtClock.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <set>

namespace {

TEST(RandomGenerator, UnitFromBitsUsesTheTop24BitsAndStaysBelowOne)
{
    const struct {
        std::uint64_t bits;
        float expected;
    } cases[] = {
        {0, 0.0f},
        {(std::uint64_t{1} << 40) - 1, 0.0f}, // the low 40 bits never count
        {std::uint64_t{1} << 40, 0x1.0p-24f},
        {std::uint64_t{1} << 63, 0.5f},
        {std::numeric_limits<std::uint64_t>::max(), 1.0f - 0x1.0p-24f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RandomGenerator::unitFromBits(c.bits), c.expected) << std::hex << c.bits;
    EXPECT_LT(RandomGenerator::unitFromBits(std::numeric_limits<std::uint64_t>::max()), 1.0f);
}

TEST(RandomGenerator, IsSplitmix64)
{
    // The published first outputs of splitmix64 from state 0.
    RandomGenerator generator(0);
    EXPECT_EQ(generator.draw(), RandomGenerator::unitFromBits(0xE220A8397B1DCDAFu));
    EXPECT_EQ(generator.draw(), RandomGenerator::unitFromBits(0x6E789E6AA1B965F4u));
}

TEST(RandomGenerator, EveryRunStartsInTheSameState)
{
    RandomGenerator first;
    RandomGenerator second;
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(first.draw(), second.draw()) << i;
}

TEST(RandomGenerator, DrawsAreUniformInTheUnitInterval)
{
    RandomGenerator generator;
    constexpr int kDraws = 160000;
    std::array<int, 16> buckets{};
    double sum = 0;
    for (int i = 0; i < kDraws; ++i) {
        const float r = generator.draw();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
        ++buckets[static_cast<std::size_t>(r * 16)];
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.005);
    for (int count : buckets)
        EXPECT_NEAR(count, kDraws / 16, kDraws / 16 / 20);
}

TEST(RandomGenerator, ReseedMixesTheReadingIntoTheState)
{
    // Same state and same reading: the same continuation.
    RandomGenerator a(7);
    RandomGenerator b(7);
    a.reseed(3600.25);
    b.reseed(3600.25);
    EXPECT_EQ(a.draw(), b.draw());

    // The reading matters.
    RandomGenerator c(7);
    RandomGenerator d(7);
    c.reseed(3600.25);
    d.reseed(3600.265625);
    EXPECT_NE(c.draw(), d.draw());

    // A reseed changes the sequence even with a reading of 0.
    RandomGenerator e(7);
    RandomGenerator f(7);
    e.reseed(0.0);
    EXPECT_NE(e.draw(), f.draw());

    // The previous state matters.
    RandomGenerator g(7);
    RandomGenerator h(8);
    g.reseed(3600.25);
    h.reseed(3600.25);
    EXPECT_NE(g.draw(), h.draw());
}

TEST(RandomGenerator, ReseedsWithinOneClockTickDoNotRepeatTheDraw)
{
    RandomGenerator generator;
    generator.reseed(45000.5);
    const float first = generator.draw();
    generator.reseed(45000.5);
    EXPECT_NE(generator.draw(), first);

    // Two reseeds in a row, nothing drawn between.
    RandomGenerator once(11);
    RandomGenerator twice(11);
    once.reseed(1.0);
    twice.reseed(1.0);
    twice.reseed(1.0);
    EXPECT_NE(once.draw(), twice.draw());

    // Many draws within one tick: only chance collisions of 24-bit values.
    std::set<float> seen;
    for (int i = 0; i < 10000; ++i) {
        generator.reseed(45000.5);
        seen.insert(generator.draw());
    }
    EXPECT_GE(seen.size(), 9980u);
}

TEST(QtClock, ReadsTheTimeOfDayInSeconds)
{
    QtClock clock;
    const double reading = clock.secondsSinceMidnight();
    EXPECT_GE(reading, 0.0);
    EXPECT_LT(reading, 86400.0);
}

} // namespace
