#include "quizfile/QuizLine.h"

#include <gtest/gtest.h>

#include <QString>

#include <cstddef>
#include <iterator>
#include <ostream>
#include <vector>

using quizfile::LineFailure;
using namespace Qt::StringLiterals;

namespace quizfile {
// For readable failures.
void PrintTo(LineFailure failure, std::ostream* out)
{
    static const char* const names[] = {"None", "NoComma", "UnclosedQuotedAnswer", "QuotedQuestionEndsLine",
                                        "PositionOverflow"};
    *out << names[static_cast<int>(failure)];
}
} // namespace quizfile

namespace {

struct Row {
    QString line;
    LineFailure failure;
    QString question; // when the line splits
    QString answer;
};

Row ok(const char* line, const char* question, const char* answer)
{
    return {QString::fromUtf8(line), LineFailure::None, QString::fromUtf8(question), QString::fromUtf8(answer)};
}

Row ok(QString line, QString question, QString answer)
{
    return {std::move(line), LineFailure::None, std::move(question), std::move(answer)};
}

Row fails(const char* line, LineFailure failure)
{
    return {QString::fromUtf8(line), failure, {}, {}};
}

Row fails(QString line, LineFailure failure)
{
    return {std::move(line), failure, {}, {}};
}

QString xs(qsizetype count)
{
    return QString(count, u'x');
}

// A short rendering of a line for the failure output: long lines are the
// position-limit rows.
std::string describe(const QString& line)
{
    if (line.size() <= 60)
        return line.toStdString();
    return line.first(10).toStdString() + "… (" + std::to_string(line.size()) + " units) …" +
           line.last(10).toStdString();
}

void check(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        const quizfile::SplitLine split = quizfile::splitLine(row.line);
        SCOPED_TRACE("line «" + describe(row.line) + "»");
        EXPECT_EQ(split.failure, row.failure);
        if (row.failure == LineFailure::None) {
            EXPECT_EQ(split.question.toString(), row.question);
            EXPECT_EQ(split.answer.toString(), row.answer);
        }
    }
}

// The format's examples and edge cases.
TEST(QuizLine, FormatExamples)
{
    check({
        ok("apple,ringo", "apple", "ringo"),
        ok("apple, ringo", "apple", " ringo"),
        ok("word,\"a, b\"", "word", "\"a, b\""),
        ok("\"x\",\"yz\"", "\"x\"", "\"yz\""),
        ok("\"x\",", "\"x\"", ""),
        ok("word,\"ab\"", "word", "\"ab\""),
        fails("word,\"a\"", LineFailure::UnclosedQuotedAnswer),
        fails("word,\"\"", LineFailure::UnclosedQuotedAnswer),
        fails("\"x\",\"\"", LineFailure::UnclosedQuotedAnswer),
        fails("\"x\"", LineFailure::QuotedQuestionEndsLine),
        ok(",", "", ""),
        ok("\"abc", "", "abc"),
        fails("\t", LineFailure::NoComma),
        ok("\"to run, to flee\",hashiru", "\"to run, to flee\"", "hashiru"),
    });
}

TEST(QuizLine, QuotedQuestion)
{
    check({
        // A lone quote: no second quote, so the question is empty.
        ok("\"", "", ""),
        ok("\"abc,def", "", "abc,def"),
        fails("\"\"", LineFailure::QuotedQuestionEndsLine),
        fails("\"a,b\"", LineFailure::QuotedQuestionEndsLine),
        ok("\"\",x", "\"\"", "x"),
        // The character at q + 1 is the separator, whatever it is.
        ok("\"x\";y", "\"x\"", "y"),
        ok("\"x\"yz", "\"x\"", "z"),
        ok("\"x\" ,y", "\"x\"", ",y"),
        ok("\"x\"y", "\"x\"", ""),
        ok("\"x\";\"yz\"", "\"x\"", "\"yz\""),
        // The closing quote of the answer is searched from q + 4: after a quoted
        // question a one-character quoted answer fits, a quote at q + 3 is skipped.
        ok("\"x\",\"a\"", "\"x\"", "\"a\""),
        ok("\"x\",\"\"\"", "\"x\"", "\"\"\""),
        fails("\"x\",\"abc", LineFailure::UnclosedQuotedAnswer),
        fails("\"x\",\"", LineFailure::UnclosedQuotedAnswer),
        // Characters after the answer's closing quote are ignored.
        ok("\"x\",\"ab\"tail", "\"x\"", "\"ab\""),
        ok("\"x\",\"a\"b\"c", "\"x\"", "\"a\""),
        ok("\"x\", \"ab\"", "\"x\"", " \"ab\""),
        // No escaping: a doubled quote ends the field.
        ok("\"say \"\"hi\"\"\",x", "\"say \"", "hi\"\"\",x"),
    });
}

TEST(QuizLine, BareQuestion)
{
    check({
        ok("a,b,c", "a", "b,c"),
        ok("word,", "word", ""),
        ok(" ,x", " ", "x"),
        ok("a \"b\",c", "a \"b\"", "c"),
        ok(",\"ab\"", "", "\"ab\""),
        fails(",\"a\"", LineFailure::UnclosedQuotedAnswer),
        fails("word,\"abc", LineFailure::UnclosedQuotedAnswer),
        fails("word,\"", LineFailure::UnclosedQuotedAnswer),
        ok("word,\"a\"\"", "word", "\"a\"\""),
        ok("word,\"ab\"tail, more", "word", "\"ab\""),
        ok("word, \"a\"", "word", " \"a\""),
        fails("word", LineFailure::NoComma),
        fails("a\tb", LineFailure::NoComma),
        fails("   x", LineFailure::NoComma),
        // Only the ASCII comma separates.
        fails("りんご，apple", LineFailure::NoComma),
        ok("りんご,apple", "りんご", "apple"),
        ok("～けん（～軒）,door", "～けん（～軒）", "door"),
        // A lone LF is an ordinary character of the line.
        ok("a\nb,c\nd", "a\nb", "c\nd"),
        ok("tab\t,\tanswer\t", "tab\t", "\tanswer\t"),
    });
}

// Positions are 16-bit: q + 2, c + 1 and, for a quoted answer, q + 4 and c + 4
// must not pass 32 767.
TEST(QuizLine, PositionLimitsOfQuotedQuestion)
{
    // A quoted question whose closing quote lies at position q.
    const auto question = [](qsizetype q) { return u'"' + xs(q - 2) + u'"'; };
    check({
        ok(question(32765) + u",a"_s, question(32765), u"a"_s),
        fails(question(32766) + u",a"_s, LineFailure::PositionOverflow),
        fails(question(40000) + u",a"_s, LineFailure::PositionOverflow),
        // At the end of the line the overflow comes before the missing answer.
        fails(question(32765), LineFailure::QuotedQuestionEndsLine),
        fails(question(32766), LineFailure::PositionOverflow),
        // With a quoted answer the limit is q + 4.
        ok(question(32763) + u",\"ab\""_s, question(32763), u"\"ab\""_s),
        fails(question(32764) + u",\"ab\""_s, LineFailure::PositionOverflow),
        fails(question(32765) + u",\"ab\""_s, LineFailure::PositionOverflow),
        ok(question(32764) + u",ab"_s, question(32764), u"ab"_s),
        // The answer's closing quote has no limit.
        ok(u"\"x\",\""_s + xs(40000) + u'"', u"\"x\""_s, u'"' + xs(40000) + u'"'),
        // Without a second quote, nothing is counted.
        ok(u'"' + xs(40000), QString(), xs(40000)),
    });
}

TEST(QuizLine, PositionLimitsOfBareQuestion)
{
    check({
        ok(xs(32765) + u",a"_s, xs(32765), u"a"_s),
        fails(xs(32766) + u",a"_s, LineFailure::PositionOverflow),
        fails(xs(32766) + u","_s, LineFailure::PositionOverflow),
        fails(xs(40000) + u",a"_s, LineFailure::PositionOverflow),
        ok(xs(32765) + u","_s, xs(32765), QString()),
        // With a quoted answer the limit is c + 4.
        ok(xs(32762) + u",\"ab\""_s, xs(32762), u"\"ab\""_s),
        fails(xs(32763) + u",\"ab\""_s, LineFailure::PositionOverflow),
        fails(xs(32765) + u",\"ab\""_s, LineFailure::PositionOverflow),
        ok(xs(32763) + u",ab"_s, xs(32763), u"ab"_s),
        // Long answers and lines without a comma are no overflow.
        ok(u"a,"_s + xs(100000), u"a"_s, xs(100000)),
        ok(u"a,\""_s + xs(100000) + u'"', u"a"_s, u'"' + xs(100000) + u'"'),
        fails(xs(100000), LineFailure::NoComma),
    });
}

// Positions count UTF-16 code units: a character outside the BMP counts two.
TEST(QuizLine, PositionsCountUtf16Units)
{
    const QString emoji = QString::fromUtf8("😀");
    ASSERT_EQ(emoji.size(), 2);
    const QString units32766 = emoji.repeated(16383);
    const QString units32765 = emoji.repeated(16382) + u'x';
    check({
        ok(units32765 + u",a"_s, units32765, u"a"_s),
        fails(units32766 + u",a"_s, LineFailure::PositionOverflow),
    });
}

// The separator after a quoted question is one character, even when it takes
// two code units: the answer never starts with half of it.
TEST(QuizLine, SeparatorOutsideTheBmpIsOneCharacter)
{
    const QString emoji = QString::fromUtf8("😀");
    check({
        ok(u"\"x\""_s + emoji + u"abc"_s, u"\"x\""_s, u"abc"_s),
        ok(u"\"x\""_s + emoji + u"\"yz\""_s, u"\"x\""_s, u"\"yz\""_s),
        ok(u"\"x\""_s + emoji, u"\"x\""_s, QString()),
        ok(u"\"x\",\""_s + emoji + u"\""_s, u"\"x\""_s, u"\""_s + emoji + u"\""_s),
        ok(u"\"x\""_s + emoji.at(0) + u"abc"_s, u"\"x\""_s, u"abc"_s), // half a pair is one unit
        fails(u"\"x\""_s + emoji + u"\"y"_s, LineFailure::UnclosedQuotedAnswer),
    });
}

// The search the reader and splitLine share gives what QStringView::indexOf
// gives: at every place around its steps of eight, from every start, with
// units that share a byte with the one sought.
TEST(QuizLine, IndexOfUnitAgreesWithIndexOf)
{
    const char16_t sought[] = {u',', u'\r', u'"', 0xFFFF};
    const char16_t others[] = {u'a', 0x2C00, 0x0D2C, 0xFF00, 0x00FF, u'\n'};
    for (const char16_t unit : sought) {
        for (qsizetype size = 0; size <= 40; ++size) {
            for (qsizetype at = -1; at < size; ++at) {
                QString text;
                for (qsizetype i = 0; i < size; ++i)
                    text += QChar(i == at ? unit : others[static_cast<std::size_t>(i) % std::size(others)]);
                if (at >= 0 && at + 9 < size)
                    text[at + 9] = QChar(unit); // a second one, eight or more units on
                for (qsizetype from = 0; from <= size + 1; ++from)
                    EXPECT_EQ(quizfile::indexOfUnit(text, from, unit), QStringView(text).indexOf(QChar(unit), from))
                        << "unit " << int(unit) << ", size " << size << ", at " << at << ", from " << from;
            }
        }
    }
}

TEST(QuizLine, BlankLines)
{
    for (const char* line : {"", " ", "     ", "\u3000", "\u3000\u3000", " \u3000 "})
        EXPECT_TRUE(quizfile::isBlankLine(QString::fromUtf8(line))) << "«" << line << "»";
    // A tab, a no-break space and a lone LF are no blanks.
    for (const char* line : {"\t", " \t ", "\u00A0", "\n", " x ", ","})
        EXPECT_FALSE(quizfile::isBlankLine(QString::fromUtf8(line))) << "«" << line << "»";
}

} // namespace
