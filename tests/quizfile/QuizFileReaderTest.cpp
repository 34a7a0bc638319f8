#include "quizfile/QuizFileReader.h"

#include "quizfile/EncodingChoice.h"

#include "QuizTestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <string>
#include <vector>

using quizfile::ReadErrorKind;
using quizfile::ReadResult;
using quizfile::TextEncoding;
using namespace quiztest_support;

namespace {

// The UTF-8 byte order mark.
const QByteArray kBom("\xEF\xBB\xBF");

// The text in UTF-16, little- or big-endian, after its byte order mark.
QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar ch : text) {
        const char high = char(ch.unicode() >> 8), low = char(ch.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1} : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

struct Row {
    std::string name;
    QByteArray file;
    Items expected = {};                     // the items read, before the error if any
    std::optional<ReadErrorKind> error = {}; // none: the whole file reads
    int line = 0;                            // of the error
};

void check(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ReadResult result = quizfile::readQuizBytes(row.file);
        EXPECT_EQ(result.items, row.expected);
        ASSERT_EQ(result.error.has_value(), row.error.has_value())
            << (result.error ? result.error->message.toStdString() : std::string("no error"));
        if (row.error) {
            EXPECT_EQ(result.error->kind, *row.error);
            EXPECT_EQ(result.error->line, row.line);
        }
    }
}

TEST(QuizFileReader, LineBreaks)
{
    check({
        {"CR LF", bytes("a,1\r\nb,2\r\nc,3"), items({{"a", "1"}, {"b", "2"}, {"c", "3"}})},
        {"CR LF after the last line", bytes("a,1\r\nb,2\r\n"), items({{"a", "1"}, {"b", "2"}})},
        {"lone CR", bytes("a,1\rb,2\rc,3\r"), items({{"a", "1"}, {"b", "2"}, {"c", "3"}})},
        // Without any CR in the file, each LF ends a line.
        {"LF only", bytes("a,1\nb,2\nc,3\n"), items({{"a", "1"}, {"b", "2"}, {"c", "3"}})},
        {"LF only, the last line without a break", bytes("a,1\n\nb,2\n  \nc,3"),
         items({{"a", "1"}, {"b", "2"}, {"c", "3"}})},
        {"LF only, first line without comma", bytes("a\nb,2\nc,3"), {}, ReadErrorKind::NoComma, 1},
        {"LF only, an error counts LF lines", bytes("a,1\n\nword\nb,2"), items({{"a", "1"}}), ReadErrorKind::NoComma,
         3},
        {"one line, no break at all", bytes("a,1"), items({{"a", "1"}})},
        {"mixed", bytes("a,1\r\nb,2\rc,3\nd,4\r\n"), items({{"a", "1"}, {"b", "2"}, {"c", "3\nd,4"}})},
        {"LF CR", bytes("a,1\n\rb,2"), items({{"a", "1\n"}, {"b", "2"}})},
        {"CR CR LF: an empty line between", bytes("a,1\r\r\nb,2"), items({{"a", "1"}, {"b", "2"}})},
        {"lines counted across CR LF and CR", bytes("a,1\r\n\rb,2\r\nword\r\nc,3"), items({{"a", "1"}, {"b", "2"}}),
         ReadErrorKind::NoComma, 4},
    });
}

TEST(QuizFileReader, BlankLines)
{
    check({
        {"empty file", QByteArray(), {}},
        {"one line break", bytes("\r\n"), {}},
        {"blank lines only", bytes("   \r\n \r\n\r\n  "), {}},
        {"blanks around items", bytes("\r\n  \r\na,1\r\n\r\n \r\nb,2\r\n   "), items({{"a", "1"}, {"b", "2"}})},
        {"ideographic spaces are blanks", bytes("\xE3\x80\x80\r\n \xE3\x80\x80 \r\na,1"), items({{"a", "1"}})},
        {"ideographic spaces in Shift-JIS", bytes("\x81\x40\x81\x40\r\n\x82\xA0,1"), items({{"あ", "1"}})},
        {"a tab makes an item line", bytes("a,1\r\n\t\r\nb,2"), items({{"a", "1"}}), ReadErrorKind::NoComma, 2},
        {"blanks and a tab", bytes("  \t  \r\na,1"), {}, ReadErrorKind::NoComma, 1},
        {"no-break space is no blank", bytes("\xC2\xA0"), {}, ReadErrorKind::NoComma, 1},
        {"blank-looking item", bytes(" , "), items({{" ", " "}})},
    });
}

// The reader only counts; "Not enough questions to ask" is the Load handler's.
TEST(QuizFileReader, ItemCounts)
{
    check({
        {"no item", bytes(""), {}},
        {"3 items", bytes("a,1\r\nb,2\r\nc,3\r\n"), items({{"a", "1"}, {"b", "2"}, {"c", "3"}})},
        {"4 items", bytes("a,1\r\nb,2\r\nc,3\r\nd,4\r\n"), items({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}})},
    });
}

TEST(QuizFileReader, LineErrorsKeepTheItemsBefore)
{
    const QByteArray tooLong = "a,1\r\n\r\n" + QByteArray(32766, 'x') + ",y\r\nb,2";
    check({
        {"no comma", bytes("a,1\r\n\r\n  \r\nword\r\nb,2"), items({{"a", "1"}}), ReadErrorKind::NoComma, 4},
        {"unclosed quoted answer", bytes("a,1\r\nword,\"a\""), items({{"a", "1"}}), ReadErrorKind::UnclosedQuotedAnswer,
         2},
        {"quoted question ends the line", bytes("a,1\r\nb,2\r\n\"x\"\r\nc,3"), items({{"a", "1"}, {"b", "2"}}),
         ReadErrorKind::QuotedQuestionEndsLine, 3},
        {"position overflow", tooLong, items({{"a", "1"}}), ReadErrorKind::LineTooLong, 3},
        {"error on the first line", bytes("\"\"\r\na,1"), {}, ReadErrorKind::QuotedQuestionEndsLine, 1},
        // However far its comma, no line runs past what a 16-bit position reaches.
        {"answer past 32 767 characters", "a,1\r\nx," + QByteArray(32766, 'y') + "\r\nb,2", items({{"a", "1"}}),
         ReadErrorKind::LineTooLong, 2},
        {"32 767 characters in UTF-16, fewer in bytes", "a,1\r\nx," + QByteArray("🐕").repeated(16383) + "z",
         items({{"a", "1"}}), ReadErrorKind::LineTooLong, 2},
        {"blanks past 32 767 are still a blank line", "a,1\r\n" + QByteArray(40000, ' ') + "\r\nx,\"ab\"",
         items({{"a", "1"}, {"x", "\"ab\""}})},
    });
    // A line of exactly 32 767 characters is read.
    const ReadResult longest = quizfile::readQuizBytes("x," + QByteArray(32765, 'y'));
    EXPECT_TRUE(longest.ok());
    EXPECT_EQ(longest.items.answerView(1).size(), 32765);
}

TEST(QuizFileReader, Messages)
{
    const struct {
        QByteArray file;
        const char* message;
    } rows[] = {
        {bytes("a,1\r\n\r\nb,2\r\nc,3\r\n\r\n\r\nword"), "line 7: no comma between question and answer"},
        {bytes("word,\"\""), "line 1: the quoted answer has no closing quote"},
        {bytes("a,1\r\n\"x\""), "line 2: no answer after the quoted question"},
        {"a,1\r\n\r\n" + QByteArray(40000, 'x') + ",y", "line 3 is too long"},
        {bytes("a,1\r\nb,2\r\nc,3\r\n\x80\0\xFF"), "line 4: the bytes are not text in any encoding Pondera reads"},
        {bytes("café,coffee\r\nthé,tea\r\n\xFF,x"), "line 3: the bytes are not UTF-8 text"},
        {cp932("犬,dog\r\n猫,cat\r\n") + "\xFF", "line 3: the bytes are not Shift-JIS text"},
        {kBom + "a,1\r\n\x82\xA0,x", "line 2: the bytes are not UTF-8 text"},
        {bytes("a,1\r\nq\ta"), "line 2: no comma between question and answer; the line is separated by a tab, and "
                               "Pondera needs a comma"},
        {utf16(QStringLiteral("a,1\r\n"), false) + "\x3D\xD8,\0x\0", "line 2: the bytes are not UTF-16 text"},
    };
    for (const auto& row : rows) {
        const ReadResult result = quizfile::readQuizBytes(row.file);
        ASSERT_TRUE(result.error.has_value()) << row.message;
        EXPECT_EQ(result.error->message, QString::fromUtf8(row.message));
    }
}

QByteArray itemLines(int count, const QByteArray& line = "q,a\r\n")
{
    return line.repeated(count);
}

TEST(QuizFileReader, ItemLimit)
{
    {
        const ReadResult result = quizfile::readQuizBytes(itemLines(32767));
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.items.size(), 32767);
    }
    {
        const ReadResult result = quizfile::readQuizBytes(itemLines(32768));
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->kind, ReadErrorKind::TooManyItems);
        EXPECT_EQ(result.error->line, 32768);
        EXPECT_EQ(result.error->message, QStringLiteral("the file holds more than 32 767 items"));
        EXPECT_EQ(result.items.size(), 32767);
        EXPECT_EQ(result.items.question(32767), QStringLiteral("q"));
        EXPECT_EQ(result.items.answer(32767), QStringLiteral("a"));
    }
    {
        // Blank lines are not items but count as lines.
        const ReadResult result = quizfile::readQuizBytes("\r\n \r\n" + itemLines(32767) + "\r\nlast,one\r\n");
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->kind, ReadErrorKind::TooManyItems);
        EXPECT_EQ(result.error->line, 32771);
        EXPECT_EQ(result.items.size(), 32767);
    }
    {
        // Blank lines after the last item are no item lines.
        const ReadResult result = quizfile::readQuizBytes(itemLines(32767) + "\r\n  \r\n\xE3\x80\x80\r\n");
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.items.size(), 32767);
    }
    {
        // The line is split before it is counted: its own error comes first.
        const ReadResult result = quizfile::readQuizBytes(itemLines(32767) + "no comma");
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->kind, ReadErrorKind::NoComma);
        EXPECT_EQ(result.error->line, 32768);
        EXPECT_EQ(result.items.size(), 32767);
    }
}

TEST(QuizFileReader, Utf8)
{
    const ReadResult plain = quizfile::readQuizBytes(QByteArray("りんご,apple\r\n\"犬, いぬ\",dog 🐕\r\n"));
    EXPECT_TRUE(plain.ok());
    EXPECT_EQ(plain.encoding, TextEncoding::Utf8);
    EXPECT_EQ(plain.items, items({{"りんご", "apple"}, {"\"犬, いぬ\"", "dog 🐕"}}));

    const ReadResult ascii = quizfile::readQuizBytes(QByteArray("a,1"));
    EXPECT_EQ(ascii.encoding, TextEncoding::Utf8);

    // The byte order mark is no part of the first line.
    const ReadResult bom = quizfile::readQuizBytes(kBom + "りんご,apple\r\n");
    EXPECT_TRUE(bom.ok());
    EXPECT_EQ(bom.encoding, TextEncoding::Utf8WithBom);
    EXPECT_EQ(bom.items, items({{"りんご", "apple"}}));

    const ReadResult quoted = quizfile::readQuizBytes(kBom + "\"x, y\",z");
    EXPECT_EQ(quoted.items, items({{"\"x, y\"", "z"}}));

    // Only one mark is skipped.
    const ReadResult twice = quizfile::readQuizBytes(kBom + kBom + "a,1");
    ASSERT_EQ(twice.items.size(), 1);
    EXPECT_EQ(twice.items.question(1), QChar(0xFEFF) + QStringLiteral("a"));

    const ReadResult onlyBom = quizfile::readQuizBytes(kBom);
    EXPECT_TRUE(onlyBom.ok());
    EXPECT_TRUE(onlyBom.items.isEmpty());
    EXPECT_EQ(onlyBom.encoding, TextEncoding::Utf8WithBom);

    // A NUL is an ordinary character.
    const ReadResult nul = quizfile::readQuizBytes(bytes("a\0b,1"));
    ASSERT_EQ(nul.items.size(), 1);
    EXPECT_EQ(nul.items.question(1), QString::fromUtf16(u"a\0b", 3));
}

// A spreadsheet's "Unicode" text: UTF-16 with a byte order mark, whose lines
// and fields follow the rules of the decoded text.
TEST(QuizFileReader, Utf16WithByteOrderMark)
{
    const QString text = QStringLiteral("りんご,apple\r\n\r\n\"犬, いぬ\",dog 🐕\r\n\u3000\r\n～,tilde\r\n");
    const Items expected = items({{"りんご", "apple"}, {"\"犬, いぬ\"", "dog 🐕"}, {"～", "tilde"}});
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const TextEncoding encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
        check({
            {"CR LF", utf16(text, bigEndian), expected},
            {"LF only", utf16(QString(text).remove(u'\r'), bigEndian), expected},
            // U+0D0A holds both break bytes: not a break in UTF-16.
            {"break bytes inside characters", utf16(QStringLiteral("\u0D0A,\u0A0D"), bigEndian),
             items({{"\u0D0A", "\u0A0D"}})},
            {"half a surrogate pair", utf16(QStringLiteral("a,1\r\nb,2\r\nc,") + QChar(0xD83D), bigEndian),
             items({{"a", "1"}, {"b", "2"}}), ReadErrorKind::BadEncoding, 3},
            {"half a code unit", utf16(QStringLiteral("a,1\r\nb,2"), bigEndian) + "x", items({{"a", "1"}}),
             ReadErrorKind::BadEncoding, 2},
            {"half a code unit after the last break", utf16(QStringLiteral("a,1\r\n"), bigEndian) + "x",
             items({{"a", "1"}}), ReadErrorKind::BadEncoding, 2},
        });
        EXPECT_EQ(quizfile::readQuizBytes(utf16(text, bigEndian)).encoding, encoding);
    }
}

TEST(QuizFileReader, ShiftJisDecoderExists)
{
    // Known through ICU; QStringConverter's own list does not have it.
    EXPECT_TRUE(QStringDecoder("windows-31j").isValid());
    EXPECT_TRUE(QStringEncoder("windows-31j").isValid());
}

// The help's example words, saved in code page 932.
TEST(QuizFileReader, ShiftJisHelpExamples)
{
    const char* const lines[] = {
        "らべる (比べる),compare", "かぶる,put on", "むら (村),village", "ひっこす（引っ越す）,move to (house)",
        "～けん（～軒）,door",
    };
    QByteArray file;
    for (const char* line : lines)
        file += cp932(line) + "\r\n";
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(file);
    ASSERT_TRUE(utf8.hasError()) << "the test data must not be UTF-8";

    const ReadResult result = quizfile::readQuizBytes(file);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(result.items, items({{"らべる (比べる)", "compare"},
                                   {"かぶる", "put on"},
                                   {"むら (村)", "village"},
                                   {"ひっこす（引っ越す）", "move to (house)"},
                                   {"～けん（～軒）", "door"}}));
    // The full-width forms, not look-alikes.
    ASSERT_EQ(result.items.size(), 5);
    EXPECT_EQ(result.items.question(4)[4], QChar(0xFF08));
    EXPECT_EQ(result.items.question(4)[9], QChar(0xFF09));
    EXPECT_EQ(result.items.question(5)[0], QChar(0xFF5E));
}

// Code page 932 bytes whose characters differ from JIS X 0208's: Windows maps
// them to the full-width forms, and so must we.
TEST(QuizFileReader, ShiftJisFullWidthForms)
{
    const struct {
        QByteArray bytes;
        char16_t expected;
    } rows[] = {
        {bytes("\x81\x60"), 0xFF5E}, // ～ FULLWIDTH TILDE, not U+301C WAVE DASH
        {bytes("\x81\x69"), 0xFF08}, // （
        {bytes("\x81\x6A"), 0xFF09}, // ）
        {bytes("\x81\x61"), 0x2225}, // ∥ PARALLEL TO, not U+2016
        {bytes("\x81\x7C"), 0xFF0D}, // － not U+2212
        {bytes("\x81\x91"), 0xFFE0}, // ￠ not U+00A2
        {bytes("\x81\x92"), 0xFFE1}, // ￡ not U+00A3
        {bytes("\x81\xCA"), 0xFFE2}, // ￢ not U+00AC
        {bytes("\x81\x40"), 0x3000}, // ideographic space
        {bytes("\x5C"), u'\\'},      // the backslash stays a backslash
        {bytes("\xB1"), 0xFF71},     // ｱ half-width katakana
    };
    for (const auto& row : rows) {
        // After kana that are never UTF-8, so that the file is read as Shift-JIS.
        const ReadResult result = quizfile::readQuizBytes(cp932("りんご,") + row.bytes);
        EXPECT_EQ(result.encoding, TextEncoding::ShiftJis);
        ASSERT_EQ(result.items.size(), 1) << row.bytes.toHex().toStdString();
        EXPECT_EQ(result.items.answer(1), QString(QChar(row.expected))) << row.bytes.toHex().toStdString();
    }
    // Our test data agrees: the encoder writes U+FF5E as 0x8160.
    EXPECT_EQ(cp932("～（）"), bytes("\x81\x60\x81\x69\x81\x6A"));
}

TEST(QuizFileReader, ShiftJisLineBreaks)
{
    check({
        {"CR LF", cp932("かぶる,put on\r\nむら,village"), items({{"かぶる", "put on"}, {"むら", "village"}})},
        {"lone CR", cp932("かぶる,put on\rむら,village"), items({{"かぶる", "put on"}, {"むら", "village"}})},
        {"LF only", cp932("かぶる,put on\nむら,village"), items({{"かぶる", "put on"}, {"むら", "village"}})},
        {"LF with a CR elsewhere", cp932("かぶる,put on\nむら,village\r\n"),
         items({{"かぶる", "put on\nむら,village"}})},
        // 0x5C (a backslash on its own) as the second byte of a character.
        {"trail bytes that look like ASCII", cp932("表,ソ\r\n能,十"), items({{"表", "ソ"}, {"能", "十"}})},
    });
}

// A Shift-JIS file whose bytes happen to be valid UTF-8 is read as UTF-8: the
// rule can tell the two apart only by invalid bytes.
TEST(QuizFileReader, ShiftJisThatIsValidUtf8)
{
    const QByteArray file = cp932("ﾃｽ,x"); // C3 BD: "ý" in UTF-8
    ASSERT_EQ(file, bytes("\xC3\xBD,x"));
    const ReadResult result = quizfile::readQuizBytes(file);
    EXPECT_EQ(result.encoding, TextEncoding::Utf8);
    EXPECT_EQ(result.items, items({{"ý", "x"}}));
}

TEST(QuizFileReader, BadBytes)
{
    check({
        {"line 3", bytes("a,1\r\nb,2\r\n\x80\0\xFF,x\r\nc,3"), items({{"a", "1"}, {"b", "2"}}),
         ReadErrorKind::BadEncoding, 3},
        {"line 1", bytes("\0\xFF"), {}, ReadErrorKind::BadEncoding, 1},
        {"after CR LF", bytes("a,1\r\n\0\xFF"), items({{"a", "1"}}), ReadErrorKind::BadEncoding, 2},
        {"after a lone CR", bytes("a,1\r\0\xFF"), items({{"a", "1"}}), ReadErrorKind::BadEncoding, 2},
        {"after LF in a file without CR", bytes("a,1\n\0\xFF"), items({{"a", "1"}}), ReadErrorKind::BadEncoding, 2},
        {"after LF in a file with CR: same line", bytes("a,1\n\0\xFF\r\n"), {}, ReadErrorKind::BadEncoding, 1},
        {"blank lines counted", bytes("a,1\r\n\r\n  \r\n\0\xFD,x"), items({{"a", "1"}}), ReadErrorKind::BadEncoding, 4},
        {"lead byte at the end of the file", bytes("a,1\r\nb,\0\x82"), items({{"a", "1"}}), ReadErrorKind::BadEncoding,
         2},
        {"lead byte before CR", bytes("a,\0\x82\r\nb,2"), {}, ReadErrorKind::BadEncoding, 1},
        // 85 40 would be "…@" in Windows-1252; 90 is no character there.
        {"code without a character", bytes("a,1\r\n\0\x85\x90,x"), items({{"a", "1"}}), ReadErrorKind::BadEncoding, 2},
        {"a line error before the bad bytes comes first", bytes("word\r\n\xFF"), {}, ReadErrorKind::NoComma, 1},
        {"the bad line is not split", bytes("a,1\r\n\0\xFF\r\n"), items({{"a", "1"}}), ReadErrorKind::BadEncoding, 2},
    });
}

// When the bytes are neither, the encoding that decodes more lines is kept.
TEST(QuizFileReader, BadBytesKeepTheFurtherEncoding)
{
    {
        // UTF-8 until line 3; line 2 is no Shift-JIS (0x82 0x2C).
        const QByteArray file = bytes("犬,dog\r\nあ,a\r\n\xFF,x");
        const quizfile::DecodedQuiz choice = quizfile::decodeQuizBytes(file);
        EXPECT_EQ(choice.encoding, TextEncoding::Utf8);
        EXPECT_EQ(choice.badLine, 3);
        const ReadResult result = quizfile::readQuizBytes(file);
        EXPECT_EQ(result.encoding, TextEncoding::Utf8);
        EXPECT_EQ(result.items, items({{"犬", "dog"}, {"あ", "a"}}));
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->kind, ReadErrorKind::BadEncoding);
        EXPECT_EQ(result.error->line, 3);
    }
    {
        // Shift-JIS until line 3; line 1 is no UTF-8.
        const QByteArray file = cp932("犬,dog\r\nかぶる,put on\r\n") + "\x80,x\r\nc,3";
        const ReadResult result = quizfile::readQuizBytes(file);
        EXPECT_EQ(result.encoding, TextEncoding::ShiftJis);
        EXPECT_EQ(result.items, items({{"犬", "dog"}, {"かぶる", "put on"}}));
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->kind, ReadErrorKind::BadEncoding);
        EXPECT_EQ(result.error->line, 3);
    }
    {
        // With the byte order mark the file is UTF-8, even if Shift-JIS would read it.
        const QByteArray file = kBom + "a,1\r\n" + cp932("かぶる,put on");
        const ReadResult result = quizfile::readQuizBytes(file);
        EXPECT_EQ(result.encoding, TextEncoding::Utf8WithBom);
        EXPECT_EQ(result.items, items({{"a", "1"}}));
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->kind, ReadErrorKind::BadEncoding);
        EXPECT_EQ(result.error->line, 2);
    }
}

TEST(QuizFileReader, ChooseEncoding)
{
    const struct {
        const char* name;
        QByteArray file;
        TextEncoding encoding;
        int badLine;
        const char* text; // the lines before the bad one, with their breaks
    } rows[] = {
        {"empty", QByteArray(), TextEncoding::Utf8, 0, ""},
        {"ASCII", bytes("a,1\r\nb,2"), TextEncoding::Utf8, 0, "a,1\r\nb,2"},
        {"UTF-8", bytes("犬,dog"), TextEncoding::Utf8, 0, "犬,dog"},
        {"UTF-8, a surrogate pair", bytes("犬,🐕\r\n"), TextEncoding::Utf8, 0, "犬,🐕\r\n"},
        {"UTF-8, lone CR and LF", bytes("a\rb\nc\r\n\r"), TextEncoding::Utf8, 0, "a\rb\nc\r\n\r"},
        {"UTF-8 with BOM", kBom + "犬,dog", TextEncoding::Utf8WithBom, 0, "犬,dog"},
        {"Shift-JIS", cp932("犬,dog\r\nかぶる,put on"), TextEncoding::ShiftJis, 0, "犬,dog\r\nかぶる,put on"},
        {"BOM, then Shift-JIS", kBom + "a\r\n" + cp932("かぶる"), TextEncoding::Utf8WithBom, 2, "a\r\n"},
        // One byte beyond ASCII: a letter of a code page (ÿ).
        {"a lone byte", bytes("a,1\r\nb,2\r\xFF\r\nc,3"), TextEncoding::Windows1252, 0, "a,1\r\nb,2\rÿ\r\nc,3"},
        {"neither, same line", bytes("a,1\r\nb,2\r\0\xFF\r\nc,3"), TextEncoding::Utf8, 3, "a,1\r\nb,2\r"},
        {"neither, UTF-8 further", bytes("犬,dog\r\nあ,a\r\n\xFF"), TextEncoding::Utf8, 3, "犬,dog\r\nあ,a\r\n"},
        {"neither, Shift-JIS further", cp932("犬\r\nかぶる\r\n") + "\x80", TextEncoding::ShiftJis, 3,
         "犬\r\nかぶる\r\n"},
        // Lines are decoded a block at a time: a bad line far into the file, in
        // a block after the first, is still found exactly.
        {"bad line in a later block", QByteArray("q,\xC3\xA9\r\n").repeated(30000) + "\xFF\r\nb,2", TextEncoding::Utf8,
         30001, nullptr},
        // A Western file that Shift-JIS cannot read: the detector's code page.
        {"Windows-1252", bytes("pomme,apple\r\ncr\xE8me,cream\r\n\xE9t\xE9,summer\r\nfen\xEAtre,window\r\n"),
         TextEncoding::Windows1252, 0, "pomme,apple\r\ncrème,cream\r\nété,summer\r\nfenêtre,window\r\n"},
        // Bytes that Shift-JIS reads whole, "crè" and "nêt" as kanji, but
        // that make words of one language in a European code page.
        {"Windows-1252 that Shift-JIS reads", bytes("cr\xE8me,cream\r\nfen\xEAtre,window\r\n"),
         TextEncoding::Windows1252, 0, "crème,cream\r\nfenêtre,window\r\n"},
        {"ISO-8859-15", bytes("c\xBDur,heart\r\n\xE9t\xE9,summer"), TextEncoding::Iso8859_15, 0,
         "cœur,heart\r\nété,summer"},
        // A real word may hold a pair of letters that the language's measured
        // text never showed (œc): that costs it little against ½ glued to a word.
        {"a pair of letters seldom seen",
         bytes("Nita,bravoure\r\northoscope,\xAB \xE9licitine \xBB\r\nedification,\xBD"
               "cum\xE9nicit\xE9\r\nwallaby,administr\xE9\r\n"),
         TextEncoding::Iso8859_15, 0,
         "Nita,bravoure\r\northoscope,« élicitine »\r\nedification,œcuménicité\r\nwallaby,administré\r\n"},
        // Italian permalosità is Lithuanian permalositą in Windows-1257: the
        // plain words of the same column tell the language.
        {"the words around tell the language",
         bytes("\xABpanettaio\xBB,cully\r\ns'addicesse,Wessex\r\nsuanne,inferred\r\n\xABpermalosit\xE0\xBB,"
               "sympathetically\r\n"),
         TextEncoding::Windows1252, 0,
         "«panettaio»,cully\r\ns'addicesse,Wessex\r\nsuanne,inferred\r\n«permalosità»,sympathetically\r\n"},
        {"ISO-8859-2",
         bytes("\xB9kola,school\r\n\xE8"
               "as,time\r\n\xF8"
               "eka,river"),
         TextEncoding::Iso8859_2, 0, "škola,school\r\nčas,time\r\nřeka,river"},
        {"Windows-1250",
         bytes("\x9Akola,school\r\n\xE8"
               "as,time\r\n\xF8"
               "eka,river"),
         TextEncoding::Windows1250, 0, "škola,school\r\nčas,time\r\nřeka,river"},
        // Two accented letters in a row make a pair of high bytes, as kanji are.
        {"Portuguese with a Shift-JIS pair", bytes("a\xE7\xE3o,action\r\nn\xE3o,no"), TextEncoding::Windows1252, 0,
         "ação,action\r\nnão,no"},
        // Japanese stays Japanese: half-width katakana (Windows-1252 would read
        // "ØÝºÞ"), and damaged kanji with no kana, which no code page reads as
        // words. (One word alone, ﾘﾝｺﾞ reads as well as the kanji 憬剤 of EUC-JP.)
        {"half-width katakana", cp932("ﾘﾝｺﾞ,apple\r\nﾃﾚﾋﾞ,TV\r\nｶﾒﾗ,camera"), TextEncoding::ShiftJis, 0,
         "ﾘﾝｺﾞ,apple\r\nﾃﾚﾋﾞ,TV\r\nｶﾒﾗ,camera"},
        {"damaged kanji", cp932("犬,dog\r\n猫,cat\r\n") + "\xFF", TextEncoding::ShiftJis, 3, "犬,dog\r\n猫,cat\r\n"},
        // A control character is in no text: such bytes stay refused.
        {"no text", bytes("a,1\r\n\x80\0\xFF"), TextEncoding::Utf8, 2, "a,1\r\n"},
        {"CR only", QByteArray(200000, '\r'), TextEncoding::Utf8, 0, nullptr},
    };
    for (const auto& row : rows) {
        const quizfile::DecodedQuiz choice = quizfile::decodeQuizBytes(row.file);
        EXPECT_EQ(choice.encoding, row.encoding) << row.name;
        EXPECT_EQ(choice.badLine, row.badLine) << row.name;
        if (row.text)
            EXPECT_EQ(choice.text, QString::fromUtf8(row.text)) << row.name;
        else
            EXPECT_EQ(choice.text.size(), row.badLine
                                              ? QString::fromUtf8(row.file.first(row.file.indexOf('\xFF'))).size()
                                              : row.file.size())
                << row.name;
    }
}

// Where the bytes read alike in several code pages, the system's own (Windows's
// ANSI code page) is taken; it never overrides what the bytes say.
TEST(QuizFileReader, TheSystemsCodePageSettlesWhatTheBytesLeaveOpen)
{
    const struct {
        unsigned codePage;
        std::optional<TextEncoding> encoding;
    } codePages[] = {
        {932, TextEncoding::ShiftJis},
        {936, TextEncoding::Gb18030},
        {949, TextEncoding::Windows949},
        {950, TextEncoding::Big5},
        {874, TextEncoding::Windows874},
        {1250, TextEncoding::Windows1250},
        {1252, TextEncoding::Windows1252},
        {1258, TextEncoding::Windows1258},
        {65001, std::nullopt},
        {437, std::nullopt},
        {0, std::nullopt},
    };
    for (const auto& row : codePages)
        EXPECT_EQ(quizfile::encodingOfCodePage(row.codePage), row.encoding) << row.codePage;

    using Kind = quizfile::EncodingChoice::Kind;
    const QByteArray cafe = bytes("caf\xE9,coffee\r\n\xE9t\xE9,summer\r\n");
    const QByteArray kanji = cp932("犬,dog\r\nかぶる,put on\r\n");
    const struct {
        const char* name;
        QByteArray file;
        std::optional<TextEncoding> system;
        TextEncoding chosen;
    } rows[] = {
        {"no system code page", cafe, std::nullopt, TextEncoding::Windows1252},
        {"a Central European system", cafe, TextEncoding::Windows1250, TextEncoding::Windows1250},
        {"a Baltic system, whose languages write no é", cafe, TextEncoding::Windows1257, TextEncoding::Windows1252},
        {"a Japanese system, bytes of no Japanese", cafe, TextEncoding::ShiftJis, TextEncoding::Windows1252},
        {"a Western system, Japanese bytes", kanji, TextEncoding::Windows1252, TextEncoding::ShiftJis},
        {"a Greek system, Japanese bytes", kanji, TextEncoding::Windows1253, TextEncoding::ShiftJis},
    };
    for (const auto& row : rows) {
        const quizfile::EncodingChoice choice = quizfile::chooseEncoding(row.file, row.system);
        EXPECT_EQ(choice.kind, Kind::Text) << row.name;
        EXPECT_EQ(choice.encoding, row.chosen) << row.name;
    }
}

// Short lists in the code pages their languages are written in, each read
// with its exact text: among them lists that the rules before the scored
// choice refused (German and Czech with their quotes, Cyrillic, Greek,
// Hebrew, Chinese) or read wrongly (EUC-JP as half-width katakana, KOI8-R
// and code page 949 as Shift-JIS, Turkish as Icelandic letters).
TEST(QuizFileReader, ListsInTheirCodePages)
{
    const struct {
        const char* codePage;
        const char* text;
    } rows[] = {
        {"windows-1252", "„Haus“,house\r\nPreis,12 €\r\nMädchen,girl\r\nStraße,street\r\nGrüße,greetings\r\n"},
        {"ISO-8859-15", "cœur,heart\r\nprix,5 €\r\nété,summer\r\nfenêtre,window\r\n"},
        {"windows-1250", "„škola“,school\r\nřeka,river\r\nčas,time\r\nkůň,horse\r\n"},
        {"ISO-8859-2", "żona,wife\r\nłódź,boat\r\nślimak,snail\r\ngęś,goose\r\n"},
        {"windows-1254", "kış,winter\r\nşehir,city\r\nağaç,tree\r\nöğretmen,teacher\r\n"},
        {"windows-1257", "ąžuolas,oak\r\nšuo,dog\r\nžmogus,person\r\nvanduo,water\r\n"},
        {"windows-1251", "собака,dog\r\nкошка,cat\r\nдом,house\r\nвода,water\r\n"},
        {"KOI8-R", "собака,dog\r\nкошка,cat\r\nдом,house\r\nвода,water\r\n"},
        {"windows-1253", "σκύλος,dog\r\nγάτα,cat\r\nσπίτι,house\r\nνερό,water\r\n"},
        {"windows-1255", "כלב,dog\r\nחתול,cat\r\nבית,house\r\nמים,water\r\n"},
        {"windows-1256", "كلب,dog\r\nقطة,cat\r\nبيت,house\r\nماء,water\r\n"},
        {"windows-874", "หมา,dog\r\nแมว,cat\r\nบ้าน,house\r\nน้ำ,water\r\n"},
        {"EUC-JP", "学生,student\r\n先生,teacher\r\n大学,university\r\n電車,train\r\n時間,time\r\n天気,weather\r\n"},
        {"EUC-JP", "りんご,apple\r\nねこ,cat\r\nいぬ,dog\r\nさかな,fish\r\n"},
        {"windows-31j", "学生,student\r\n先生,teacher\r\nりんご,apple\r\nｶﾒﾗ,camera\r\n"},
        {"GBK", "狗,dog\r\n猫,cat\r\n房子,house\r\n水,water\r\n"},
        {"windows-950", "狗,dog\r\n貓,cat\r\n房子,house\r\n學生,student\r\n"},
        {"windows-949", "개,dog\r\n고양이,cat\r\n집,house\r\n물,water\r\n"},
    };
    for (const auto& row : rows) {
        const QString text = QString::fromUtf8(row.text);
        const QByteArray file = QStringEncoder(row.codePage, QStringConverter::Flag::Stateless).encode(text);
        const ReadResult result = quizfile::readQuizBytes(file);
        EXPECT_TRUE(result.ok()) << row.codePage << ": " << row.text;
        EXPECT_EQ(result.items, quizfile::readQuizText(text).items)
            << row.codePage << " read as " << testing::PrintToString(result.encoding);
    }
}

TEST(QuizFileReader, ReadsDecodedText)
{
    const ReadResult result = quizfile::readQuizText(QString::fromUtf8("\r\n\u3000\r\n\"x\",\"yz\"\r\n,\rword"));
    EXPECT_EQ(result.items, items({{"\"x\"", "\"yz\""}, {"", ""}}));
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::NoComma);
    EXPECT_EQ(result.error->line, 5);
}

// Items written back as "QUESTION,ANSWER" lines (as the result files are)
// read back into the same items, quotes included.
TEST(QuizFileReader, ItemsRoundTrip)
{
    const ReadResult first = quizfile::readQuizBytes(
        bytes("\"abc\r\n\"x\";y\r\n\"x\",\"a\"tail\r\nword,\"ab\"tail\r\n,\r\n\"\",\"\"\"\r\n\"x\"\r\n"));
    ASSERT_EQ(first.items.size(), 6);
    QString text;
    for (qsizetype i = 1; i <= first.items.size(); ++i)
        text += first.items.question(i) + u',' + first.items.answer(i) + QStringLiteral("\r\n");
    const ReadResult second = quizfile::readQuizText(text);
    EXPECT_TRUE(second.ok());
    EXPECT_EQ(second.items, first.items);
}

} // namespace
