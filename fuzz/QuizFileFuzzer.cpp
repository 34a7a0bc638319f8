// libFuzzer target for the quiz file reader (src/quizfile). Each input is the
// bytes of a quiz file. Besides the sanitizers' findings, a broken invariant
// aborts with a message:
// - the reader never throws, never yields more than 32 767 items, and an error
//   always names a line (from 1) and carries a message;
// - the decoded text and the encoding chosen are those of decoding the lines
//   one by one (reference), and reading the bytes gives what reading the whole
//   decoded text gives, up to a bad line;
// - bytes that are not UTF-8 are read in the encoding chooseEncoding names,
//   and as UTF-8 up to its first bad line when it names none;
// - items written back as "QUESTION,ANSWER" lines read back into themselves;
// - splitLine agrees with a literal, 1-based rendering of the quiz file rules
//   (reference() below), on every line of the input and on a copy of the first
//   line stretched so that its quotes and comma lie around the 16-bit limits.
// The item limit (32 767) needs inputs too large to fuzz quickly; the unit
// tests cover it.

#include "FuzzCheck.h"

#include "quizfile/EncodingChoice.h"
#include "quizfile/QuizFileReader.h"
#include "quizfile/QuizLine.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace quizfile;

namespace {

// --- The quiz file rules, written out literally with 1-based positions ---------
// Positions count from 1; every position is a 16-bit integer, so a value above
// 32 767 is an overflow; Mid beyond the end is empty; a negative length is an
// invalid argument.

// The fields are views of the line: a stretched line is 64 KiB, and copying it
// for every field would cost more than the whole rest of a run.
struct Reference {
    LineFailure failure = LineFailure::None;
    QStringView question;
    QStringView answer;
};

constexpr long kMax = 32767;

// InStr(start, text, ch): the first position ≥ start holding ch, or 0.
long inStr(long start, QStringView text, QChar ch)
{
    if (start > text.size())
        return 0;
    return long(text.indexOf(ch, start - 1)) + 1;
}

// Mid(text, start[, length]).
QStringView mid(QStringView text, long start, long length = -1)
{
    if (start > text.size())
        return {};
    return length < 0 ? text.mid(start - 1) : text.mid(start - 1, length);
}

Reference reference(QStringView line)
{
    Reference r;
    const auto fail = [&r](LineFailure failure) {
        r = Reference{failure, {}, {}};
        return r;
    };
    const QChar quote(u'"');
    if (line.startsWith(quote)) {
        const long q = inStr(2, line, quote);
        if (q > kMax)
            return fail(LineFailure::PositionOverflow);
        if (q == 0) {
            r.answer = mid(line, 2);
            return r;
        }
        r.question = line.left(q);
        if (q + 2 > kMax)
            return fail(LineFailure::PositionOverflow);
        // The separator at q + 1 is one character, two code units when it lies
        // outside the BMP.
        const auto at = [&line](long position) {
            return position >= 1 && position <= line.size() ? line.at(position - 1) : QChar();
        };
        const bool pair = at(q + 1).isHighSurrogate() && at(q + 2).isLowSurrogate();
        const long q2 = pair ? q + 3 : q + 2;
        if (mid(line, q2, 1) == QStringView(u"\"")) {
            const long q4 = q2 + 2;
            if (q4 > kMax)
                return fail(LineFailure::PositionOverflow);
            const long length = inStr(q4, line, quote) - q2 + 1;
            if (length < 0)
                return fail(LineFailure::UnclosedQuotedAnswer);
            r.answer = mid(line, q2, length);
        } else {
            const long length = long(line.size()) - q - 1;
            if (length < 0)
                return fail(LineFailure::QuotedQuestionEndsLine);
            r.answer = mid(line, q2);
        }
        return r;
    }
    const long c = inStr(1, line, QChar(u','));
    if (c > kMax)
        return fail(LineFailure::PositionOverflow);
    if (c - 1 < 0)
        return fail(LineFailure::NoComma);
    r.question = line.left(c - 1);
    const long c1 = c + 1;
    if (c1 > kMax)
        return fail(LineFailure::PositionOverflow);
    if (mid(line, c1, 1) == QStringView(u"\"")) {
        const long c4 = c + 4;
        if (c4 > kMax)
            return fail(LineFailure::PositionOverflow);
        const long length = inStr(c4, line, quote) - c;
        if (length < 0)
            return fail(LineFailure::UnclosedQuotedAnswer);
        r.answer = mid(line, c1, length);
    } else {
        r.answer = mid(line, c1);
    }
    return r;
}

void checkSplit(QStringView line)
{
    const SplitLine split = splitLine(line);
    const Reference expected = reference(line);
    FUZZ_CHECK(split.failure == expected.failure);
    if (split.ok()) {
        FUZZ_CHECK(split.question == expected.question);
        FUZZ_CHECK(split.answer == expected.answer);
    }
}

// --- Whole-file checks -----------------------------------------------------------

bool isLineKind(ReadErrorKind kind)
{
    switch (kind) {
    case ReadErrorKind::NoComma:
    case ReadErrorKind::UnclosedQuotedAnswer:
    case ReadErrorKind::QuotedQuestionEndsLine:
    case ReadErrorKind::LineTooLong:
    case ReadErrorKind::TooManyItems:
    case ReadErrorKind::BadEncoding:
        return true;
    default:
        return false;
    }
}

void checkItemShape(QStringView question, QStringView answer)
{
    const QChar quote(u'"');
    FUZZ_CHECK(!question.contains(u'\r') && !answer.contains(u'\r'));
    if (question.startsWith(quote)) {
        FUZZ_CHECK(question.size() >= 2 && question.endsWith(quote));
        FUZZ_CHECK(question.count(quote) == 2);
    } else {
        FUZZ_CHECK(!question.contains(u','));
    }
    // An answer that starts with a quote is a quoted answer.
    if (answer.startsWith(quote))
        FUZZ_CHECK(answer.size() >= 3 && answer.endsWith(quote));
}

// The first `count` items of a and b are the same.
bool samePrefix(const QuizItems& a, const QuizItems& b, qsizetype count)
{
    for (qsizetype i = 1; i <= count; ++i)
        if (a.questionView(i) != b.questionView(i) || a.answerView(i) != b.answerView(i))
            return false;
    return true;
}

void checkSameResult(const ReadResult& a, const ReadResult& b)
{
    FUZZ_CHECK(a.items == b.items);
    FUZZ_CHECK(a.error.has_value() == b.error.has_value());
    if (a.error) {
        FUZZ_CHECK(a.error->kind == b.error->kind);
        FUZZ_CHECK(a.error->line == b.error->line);
        FUZZ_CHECK(a.error->message == b.error->message);
    }
}

QStringDecoder decoderFor(TextEncoding encoding)
{
    if (const char* name = icuName(encoding))
        return QStringDecoder(name, QStringConverter::Flag::Stateless);
    return QStringDecoder(QStringDecoder::Utf8,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
}

// The rule, a decoder call a line: the lines of `bytes` decoded one by one, up
// to the first that does not decode alone. Without any CR, each LF ends a line.
DecodedQuiz decodeLineByLine(QByteArrayView bytes, TextEncoding encoding)
{
    DecodedQuiz result{encoding, {}, 0};
    const char lineEnd = bytes.contains('\r') ? '\r' : '\n';
    qsizetype start = 0;
    int number = 0;
    // One decoder for all lines: it is stateless, and its error flag, which
    // nothing clears, ends the walk at once. (An ICU decoder costs more to
    // make than a whole line costs to decode.)
    QStringDecoder decoder = decoderFor(encoding);
    while (start < bytes.size()) {
        ++number;
        const qsizetype found = bytes.indexOf(lineEnd, start);
        const qsizetype end = found < 0 ? bytes.size() : found;
        const QString line = decoder.decode(bytes.sliced(start, end - start));
        if (decoder.hasError()) {
            result.badLine = number;
            return result;
        }
        result.text += line;
        start = end;
        if (found >= 0) {
            result.text += QChar(u'\0' + lineEnd);
            ++start;
            if (lineEnd == '\r' && start < bytes.size() && bytes[start] == '\n') {
                result.text += u'\n';
                ++start;
            }
        }
    }
    return result;
}

// UTF-16 code units straight from the bytes, a last odd byte left out.
QString utf16Units(QByteArrayView body, bool bigEndian)
{
    QString text;
    for (qsizetype i = 0; i + 1 < body.size(); i += 2) {
        const auto first = static_cast<unsigned char>(body[i]), second = static_cast<unsigned char>(body[i + 1]);
        text += QChar(char16_t(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

// The UTF-16 rule: lines split in the code units; the first line with half of
// a surrogate pair is bad, or else the one an odd last byte falls in.
DecodedQuiz referenceUtf16(QByteArrayView body, bool bigEndian)
{
    const TextEncoding encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
    const QString units = utf16Units(body, bigEndian);
    const QChar lineEnd = units.contains(u'\r') ? u'\r' : u'\n';
    DecodedQuiz result{encoding, {}, 0};
    qsizetype start = 0;
    int number = 0;
    while (start < units.size()) {
        ++number;
        qsizetype end = units.indexOf(lineEnd, start);
        qsizetype next = end < 0 ? units.size() : end + 1;
        if (end < 0)
            end = units.size();
        else if (lineEnd == u'\r' && next < units.size() && units[next] == u'\n')
            ++next;
        const QString line = units.sliced(start, end - start);
        for (qsizetype i = 0; i < line.size(); ++i) {
            const bool pair = line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate();
            if (pair)
                ++i;
            else if (line[i].isSurrogate()) {
                result.badLine = number;
                return result;
            }
        }
        if (next == units.size() && end == units.size() && body.size() % 2 != 0) {
            result.badLine = number;
            return result;
        }
        result.text += units.sliced(start, next - start);
        start = next;
    }
    if (body.size() % 2 != 0)
        result.badLine = number + 1;
    return result;
}

// The rule for the encoding `chosen`: a byte order mark decides, valid UTF-8
// is UTF-8, and any other bytes are read in the encoding that chooseEncoding
// names (UTF-8 up to its first bad line when it names none). Whatever was
// chosen, the text is that of the lines decoded one by one in it.
DecodedQuiz referenceDecode(QByteArrayView bytes, TextEncoding chosen)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeLineByLine(bytes.sliced(3), TextEncoding::Utf8WithBom);
    if (bytes.startsWith("\xFF\xFE"))
        return referenceUtf16(bytes.sliced(2), false);
    if (bytes.startsWith("\xFE\xFF"))
        return referenceUtf16(bytes.sliced(2), true);
    DecodedQuiz utf8 = decodeLineByLine(bytes, TextEncoding::Utf8);
    if (utf8.badLine == 0)
        return utf8;
    const EncodingChoice choice = chooseEncoding(bytes);
    FUZZ_CHECK(chosen == (choice.kind == EncodingChoice::Kind::NotText ? TextEncoding::Utf8 : choice.encoding));
    return chosen == TextEncoding::Utf8 ? utf8 : decodeLineByLine(bytes, chosen);
}

QString decodeWhole(QByteArrayView bytes, TextEncoding encoding, bool* hasError)
{
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
        const DecodedQuiz reference = referenceUtf16(bytes.sliced(2), encoding == TextEncoding::Utf16Be);
        *hasError = reference.badLine != 0;
        return utf16Units(bytes.sliced(2), encoding == TextEncoding::Utf16Be);
    }
    if (encoding == TextEncoding::Utf8WithBom)
        bytes = bytes.sliced(3);
    QStringDecoder decoder = decoderFor(encoding);
    QString text = decoder.decode(bytes);
    *hasError = decoder.hasError();
    return text;
}

void checkRead(QByteArrayView bytes)
{
    const ReadResult result = readQuizBytes(bytes);
    FUZZ_CHECK(result.items.size() <= kMaxItems);
    for (qsizetype i = 1; i <= result.items.size(); ++i)
        checkItemShape(result.items.questionView(i), result.items.answerView(i));
    FUZZ_CHECK(result.items.questionView(0).isEmpty() && result.items.answerView(0).isEmpty());
    if (result.error) {
        const ReadError& error = *result.error;
        FUZZ_CHECK(isLineKind(error.kind));
        FUZZ_CHECK(error.line >= 1);
        FUZZ_CHECK(!error.message.isEmpty() && !error.message.contains(u'\n'));
        if (error.kind == ReadErrorKind::TooManyItems)
            FUZZ_CHECK(result.items.size() == kMaxItems);
        else
            FUZZ_CHECK(error.message.startsWith(QStringLiteral("line %1").arg(error.line)));
        FUZZ_CHECK(result.items.size() < error.line);
    }

    // The encoding, and where it fails, as the line-by-line rule has them.
    const DecodedQuiz decoded = decodeQuizBytes(bytes);
    const DecodedQuiz expected = referenceDecode(bytes, decoded.encoding);
    FUZZ_CHECK(decoded.encoding == expected.encoding);
    FUZZ_CHECK(decoded.badLine == expected.badLine);
    FUZZ_CHECK(decoded.text == expected.text);
    FUZZ_CHECK(result.encoding == decoded.encoding);
    const bool badEncoding = result.error && result.error->kind == ReadErrorKind::BadEncoding;
    if (decoded.badLine == 0)
        FUZZ_CHECK(!badEncoding);
    else
        FUZZ_CHECK(result.error && result.error->line <= decoded.badLine &&
                   (badEncoding == (result.error->line == decoded.badLine)));

    // Decoding the whole file at once gives the same lines, up to the bad one.
    bool hasError = false;
    const QString whole = decodeWhole(bytes, decoded.encoding, &hasError);
    FUZZ_CHECK(hasError == (decoded.badLine != 0));
    FUZZ_CHECK(whole.startsWith(decoded.text));
    const ReadResult fromText = readQuizText(whole);
    if (!badEncoding) {
        checkSameResult(result, fromText);
    } else {
        FUZZ_CHECK(fromText.items.size() >= result.items.size());
        FUZZ_CHECK(samePrefix(result.items, fromText.items, result.items.size()));
    }

    // Written back, the items read into themselves.
    QString written;
    for (qsizetype i = 1; i <= result.items.size(); ++i)
        written += result.items.question(i) + u',' + result.items.answer(i) + QStringLiteral("\r\n");
    const ReadResult again = readQuizText(written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.items == result.items);
}

// Every line of the input, as Latin-1 so that every byte is a character.
void checkLines(QByteArrayView bytes)
{
    const QString text = QString::fromLatin1(bytes);
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype cr = text.indexOf(u'\r', start);
        if (cr < 0)
            cr = text.size();
        const QStringView line = QStringView(text).sliced(start, cr - start);
        checkSplit(line);
        FUZZ_CHECK(isBlankLine(line) == (line.count(u' ') + line.count(QChar(0x3000)) == line.size()));
        start = cr + 1;
        if (start < text.size() && text[start] == u'\n')
            ++start;
    }
}

// The first line, its first character followed by 32 758 to 32 769 x's, so
// that the quotes and the comma after them lie around the limits.
void checkStretched(QByteArrayView bytes)
{
    if (bytes.size() < 2)
        return;
    qsizetype end = bytes.indexOf('\r', 1);
    if (end < 0)
        end = bytes.size();
    if (end == 1)
        return;
    const int pad = 32758 + int(static_cast<unsigned char>(bytes[0]) % 12);
    // One buffer for every run: a fresh 64 KiB string each time would make the
    // allocator, not the checks, the cost of a run.
    static const QString xs(32769, u'x');
    static QString line;
    line.resize(0);
    line.append(QLatin1Char(bytes[1]));
    line.append(QStringView(xs).first(pad));
    line.append(QLatin1StringView(bytes.sliced(2, end - 2)));
    checkSplit(line);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        checkRead(bytes);
        checkLines(bytes);
        checkStretched(bytes);
    } catch (...) {
        std::fprintf(stderr, "an exception left the reader\n");
        std::abort();
    }
    return 0;
}
