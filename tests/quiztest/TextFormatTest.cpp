#include "quiztest/TextFormat.h"
#include "toolkit/Int16.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>
#include <optional>

namespace {

TEST(TextFormat, CountText)
{
    const struct {
        long long count;
        const char* text;
    } cases[] = {{0, " 0"}, {3, " 3"}, {10, " 10"}, {-3, "-3"}, {32767, " 32767"}, {-32768, "-32768"}};
    for (const auto& c : cases)
        EXPECT_EQ(textformat::countText(c.count), QString::fromLatin1(c.text)) << c.count;
}

TEST(TextFormat, ProgressText)
{
    EXPECT_EQ(textformat::progressText(3, 10), QStringLiteral(" 3 / 10"));
    EXPECT_EQ(textformat::progressText(0, 0), QStringLiteral(" 0 / 0"));
    EXPECT_EQ(textformat::progressText(0, 32767), QStringLiteral(" 0 / 32767"));
    // Read out as written, a text that looks like a placeholder too.
    EXPECT_EQ(textformat::questionSaid(3, 10, QStringLiteral("50 %1"), {QStringLiteral("%2"), QStringLiteral("b")}),
              (QStringList{QStringLiteral("Question 3 of 10: 50 %1"), QStringLiteral("Key 1: %2"),
                           QStringLiteral("Key 2: b")}));
}

TEST(TextFormat, TwoDecimalsPattern)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "00.00"},
        {5.0, "05.00"},
        {100.0, "100.00"},
        {200.0 / 3.0, "66.67"},
        {100.0 / 3.0, "33.33"},
        {100.0 / 32.0, "03.13"},       // exact half: away from zero
        {100.0 / 96.0 * 3.0, "03.13"}, // the same half, reached with binary noise
        {100.0 / 8.0, "12.50"},
        {0.004, "00.00"},
        {0.005, "00.01"},
        {99.999, "100.00"},
        {9.995, "10.00"},
        {-5.0, "-05.00"},
        {-0.001, "00.00"},
        {1234.5678, "1234.57"},
        {-3276700.0, "-3276700.00"},
        {3276700.0 / 3.0, "1092233.33"},
        {1e20, "100000000000000000000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textformat::twoDecimals(c.value), QString::fromLatin1(c.text)) << c.value;
}

TEST(TextFormat, ScoreText)
{
    EXPECT_EQ(textformat::scoreText(0), QStringLiteral("Score = 00.00 %"));
    EXPECT_EQ(textformat::scoreText(textformat::score(3, 2)), QStringLiteral("Score = 66.67 %"));
    EXPECT_EQ(textformat::scoreText(textformat::score(20, 1)), QStringLiteral("Score = 05.00 %"));
    EXPECT_EQ(textformat::scoreText(textformat::score(10, 7)), QStringLiteral("Score = 70.00 %"));
    EXPECT_EQ(textformat::scoreText(textformat::score(1, 1)), QStringLiteral("Score = 100.00 %"));
    EXPECT_EQ(textformat::scoreText(textformat::score(2, 1)), QStringLiteral("Score = 50.00 %"));
}

TEST(Int16, CheckedArithmetic)
{
    constexpr auto max = std::numeric_limits<std::int16_t>::max();
    constexpr auto min = std::numeric_limits<std::int16_t>::min();
    EXPECT_EQ(int16::add(32766, 1), max);
    EXPECT_THROW(int16::add(max, 1), int16::OverflowError);
    EXPECT_EQ(int16::sub(-32767, 1), min);
    EXPECT_THROW(int16::sub(min, 1), int16::OverflowError);
    EXPECT_THROW(int16::sub(0, min), int16::OverflowError);
    EXPECT_EQ(int16::mul(181, 181), 32761);
    EXPECT_THROW(int16::mul(182, 181), int16::OverflowError);
    EXPECT_EQ(int16::checked(-32768), min);
    EXPECT_THROW(int16::checked(32768), int16::OverflowError);
    EXPECT_THROW(int16::checked(-32769), int16::OverflowError);
    // The variants that give no value where the others throw.
    EXPECT_EQ(int16::tryAdd(32766, 1), max);
    EXPECT_EQ(int16::tryAdd(max, 1), std::nullopt);
    EXPECT_EQ(int16::tryAdd(min, -1), std::nullopt);
    EXPECT_EQ(int16::trySub(-32767, 1), min);
    EXPECT_EQ(int16::trySub(min, 1), std::nullopt);
    EXPECT_EQ(int16::trySub(0, min), std::nullopt);
    EXPECT_EQ(int16::trySub(-1, min), max);
    EXPECT_EQ(int16::tryChecked(-32768), min);
    EXPECT_EQ(int16::tryChecked(32767), max);
    EXPECT_EQ(int16::tryChecked(32768), std::nullopt);
    EXPECT_EQ(int16::tryChecked(-32769), std::nullopt);
}

} // namespace
