#include "help/HelpText.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <set>

namespace {

// The text cut at its CR LF pairs; the final pair leaves an empty remainder.
QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.last().isEmpty());
    lines.removeLast();
    return lines;
}

TEST(HelpText, HasHundredAndFourLinesEachEndedByCrLf)
{
    const QString text = helptext::text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nThank you for using pdr.exe\r\n")));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool loneCr = text.at(i) == u'\r' && (i + 1 == text.size() || text.at(i + 1) != u'\n');
        const bool loneLf = text.at(i) == u'\n' && (i == 0 || text.at(i - 1) != u'\r');
        ASSERT_FALSE(loneCr || loneLf) << "lone line break at " << i;
    }
    EXPECT_EQ(linesOf(text).size(), 104);
}

TEST(HelpText, ExactLines)
{
    const struct {
        int line;
        QString text;
    } cases[] = {
        {2, QStringLiteral("Before taking a Quiz using 'pdr.exe', you MUST create a quiz Q&A file")},
        {6, QStringLiteral("Using your favorite editor, ")},
        {9, QStringLiteral("QUESTION,ANSWER")},
        // The example quiz: kana and kanji, full-width brackets and wave dash
        // in 17 and 18, ASCII brackets after a blank in 14 and 16.
        {14, QString::fromUtf16(u"\u3089\u3079\u308B (\u6BD4\u3079\u308B),compare")},
        {15, QString::fromUtf16(u"\u304B\u3076\u308B,put on")},
        {16, QString::fromUtf16(u"\u3080\u3089 (\u6751),village")},
        {17, QString::fromUtf16(u"\u3072\u3063\u3053\u3059\uFF08\u5F15\u3063\u8D8A\u3059\uFF09,move to (house)")},
        {18, QString::fromUtf16(u"\uFF5E\u3051\u3093\uFF08\uFF5E\u8ED2\uFF09,door")},
        {22, QStringLiteral("Enter the QUESTION in 'column A' ")},
        {24, QString(2, u' ') + QStringLiteral("'column A'") + QString(11, u' ') + QStringLiteral("'column B' ")},
        {25, QString::fromUtf16(u"\u3089\u3079\u308B (\u6BD4\u3079\u308B)") + QString(10, u' ') +
                 QStringLiteral("compare")},
        {36, QStringLiteral("STEP 1: Enter the 'Q and A' CSV file or Select a file using the Browse '...' ")},
        {44, QStringLiteral("\x09or ")},
        {45, QString(8, u' ') + QStringLiteral("Select the appropriate 'radio button'")},
        {46, QStringLiteral("\x09")},
        {47, QStringLiteral("\x09Typing 5 or Selecting 'Skip' will skip this question and moves to the next ")},
        {51, QStringLiteral("\x09or the button 'Next' to move to the next question")},
        {66, QStringLiteral("correct")},
        {94, QStringLiteral("can keep on drilling the unanswered questions till you feel comfortable. ")},
        {100, QStringLiteral("pdr.exe ver 1.0.04.12.12")},
        {101, QStringLiteral("Have doubts or clarification mail me ")},
        {102, QStringLiteral("pondera@example.org")},
        {104, QStringLiteral("Thank you for using pdr.exe")},
    };
    const QStringList lines = linesOf(helptext::text());
    ASSERT_EQ(lines.size(), 104);
    for (const auto& c : cases)
        EXPECT_EQ(lines.at(c.line - 1), c.text) << "line " << c.line;
    EXPECT_EQ(lines.at(101), helptext::contactAddress());
}

TEST(HelpText, RulesAndEmptyLines)
{
    const struct {
        int line;
        int length;
        char16_t ch;
    } rules[] = {{5, 39, u'-'}, {31, 72, u'~'}, {35, 25, u'-'}, {55, 9, u'-'}, {76, 8, u'-'}, {99, 52, u'-'}};
    const std::set<int> empty = {1,  3,  8,  10, 13, 19, 20, 27, 29, 30, 32, 33, 38, 40, 42, 49, 52, 53, 58,
                                 63, 67, 68, 69, 72, 73, 74, 77, 80, 83, 86, 89, 92, 95, 96, 97, 98, 103};

    const QStringList lines = linesOf(helptext::text());
    ASSERT_EQ(lines.size(), 104);
    for (const auto& r : rules)
        EXPECT_EQ(lines.at(r.line - 1), QString(r.length, QChar(r.ch))) << "line " << r.line;
    for (int line = 1; line <= 104; ++line)
        EXPECT_EQ(lines.at(line - 1).isEmpty(), empty.count(line) == 1) << "line " << line;
}

TEST(HelpText, TabsOnlyWhereIndented)
{
    const QStringList lines = linesOf(helptext::text());
    std::set<int> withTab;
    for (int line = 1; line <= lines.size(); ++line)
        if (lines.at(line - 1).contains(u'\t'))
            withTab.insert(line);
    EXPECT_EQ(withTab, (std::set<int>{44, 46, 47, 51}));
}

} // namespace
