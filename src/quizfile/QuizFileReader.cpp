#include "quizfile/QuizFileReader.h"

#include "quizfile/QuizLine.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>
#include <type_traits>
#include <utility>

namespace quizfile {

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

// Lines are decoded in blocks of about this many bytes, each of whole lines.
constexpr qsizetype kBlockBytes = 64 * 1024;

// The index of the first CR at `from` or later, or the size when there is none.
qsizetype nextBreak(QByteArrayView all, qsizetype from)
{
    const void* const cr = std::memchr(all.data() + from, '\r', size_t(all.size() - from));
    return cr ? static_cast<const char*>(cr) - all.data() : all.size();
}

qsizetype nextBreak(QStringView all, qsizetype from)
{
    // Most lines are short, and a file of empty lines is all breaks: a few
    // units are looked at before the vectorised search, which costs more to set up.
    const qsizetype quick = std::min(all.size(), from + 32);
    for (qsizetype i = from; i < quick; ++i)
        if (all[i] == u'\r')
            return i;
    if (quick == all.size())
        return quick;
    const qsizetype cr = all.indexOf(u'\r', quick);
    return cr < 0 ? all.size() : cr;
}

// Walks the physical lines of a text or of its bytes: a line ends at CR LF or
// at a lone CR, a lone LF is part of the line, and the last line needs no
// break. Works on QByteArrayView and QStringView alike: in UTF-8 and in
// Shift-JIS the byte 13 is always a CR of its own, never part of a character.
template <typename View> struct LineCursor {
    using Unit = std::conditional_t<std::is_same_v<View, QStringView>, char16_t, char>;

    View all;
    qsizetype next = 0;
    int number = 0; // of the line last taken

    bool atEnd() const { return next >= all.size(); }

    // The next line, without its break.
    View take()
    {
        ++number;
        const qsizetype start = next;
        const qsizetype cr = nextBreak(all, start);
        if (cr == all.size()) {
            next = cr;
            return all.sliced(start);
        }
        next = cr + 1;
        if (next < all.size() && all[next] == Unit('\n'))
            ++next;
        return all.sliced(start, cr - start);
    }

    // The break after the line last taken, `line`: CR LF, CR or nothing.
    View lineBreak(View line) const
    {
        const qsizetype end = line.data() - all.data() + line.size();
        return all.sliced(end, next - end);
    }
};

// The end of the block of whole lines that starts at `start`: just after the
// first line break at least kBlockBytes on, or the end of the bytes.
qsizetype blockEnd(QByteArrayView bytes, qsizetype start)
{
    if (bytes.size() - start <= kBlockBytes)
        return bytes.size();
    const qsizetype cr = nextBreak(bytes, start + kBlockBytes - 1);
    if (cr == bytes.size())
        return cr;
    return cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
}

// (Re)makes the decoder in place. Qt 6.4 loses an ICU decoder's error reports
// once it is moved, and its resetState() keeps an error flag that is on.
void makeDecoder(std::optional<QStringDecoder>& decoder, TextEncoding encoding)
{
    if (encoding == TextEncoding::ShiftJis)
        // Code page 932 as Windows has it: 0x8160 is U+FF5E (～), not the U+301C
        // of JIS X 0208. Known through ICU only: QStringConverter::encodingForName
        // does not know the name.
        decoder.emplace("windows-31j", QStringConverter::Flag::Stateless);
    else
        // The reader skips a byte order mark once, before the first line; one
        // anywhere else is a character.
        decoder.emplace(QStringDecoder::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
}

// Decodes `bytes` into `text`, reusing its room; false when they do not decode.
bool decodeInto(QStringDecoder& decoder, QByteArrayView bytes, QString& text)
{
    decoder.resetState();
    text.resize(decoder.requiredSpace(bytes.size()));
    QChar* const begin = text.data();
    QChar* const end = decoder.appendToBuffer(begin, bytes);
    text.resize(end - begin);
    return !decoder.hasError();
}

// Lines in `block`, which ends after a line break or at the end of the file.
int lineCount(QByteArrayView block)
{
    const auto breaks = int(std::count(block.begin(), block.end(), '\r'));
    return block.isEmpty() || block.back() == '\r' || block.back() == '\n' ? breaks : breaks + 1;
}

// Decodes the lines of `bytes` and hands each to `onLine(line, lineBreak,
// number)` until it returns false; then only decodes, to find the first line
// that does not decode on its own, whose number it returns (0 when all do).
// The bytes are decoded once, a block of whole lines at a time: a block decodes
// as its lines would one by one, since a line that decodes ends on a whole
// character and the CR after it is one of its own. Only a block that fails is
// gone through line by line.
template <typename OnLine> int decodeLines(QByteArrayView bytes, TextEncoding encoding, OnLine&& onLine)
{
    std::optional<QStringDecoder> decoder;
    makeDecoder(decoder, encoding);
    if (!decoder->isValid())
        return 1;
    bool wanted = true;
    QString text;
    int number = 0; // of the last line handled
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype end = blockEnd(bytes, start);
        const QByteArrayView block = bytes.sliced(start, end - start);
        start = end;
        if (decodeInto(*decoder, block, text)) {
            if (!wanted) {
                number += lineCount(block);
                continue;
            }
            LineCursor<QStringView> lines{text, 0, number};
            while (wanted && !lines.atEnd()) {
                const QStringView line = lines.take();
                wanted = onLine(line, lines.lineBreak(line), lines.number);
            }
            number += lineCount(block);
            continue;
        }
        makeDecoder(decoder, encoding);
        LineCursor<QByteArrayView> lines{block, 0, number};
        while (!lines.atEnd()) {
            const QByteArrayView raw = lines.take();
            if (!decodeInto(*decoder, raw, text))
                return lines.number;
            if (wanted)
                wanted =
                    onLine(QStringView(text), QStringView(u"\r\n").first(lines.lineBreak(raw).size()), lines.number);
        }
        number = lines.number;
    }
    return 0;
}

QString lineMessage(int line, const char* what)
{
    return QStringLiteral("line %1: %2").arg(line).arg(QLatin1StringView(what));
}

ReadError lineError(LineFailure failure, int line)
{
    switch (failure) {
    case LineFailure::NoComma:
        return {ReadErrorKind::NoComma, line, lineMessage(line, "no comma between question and answer")};
    case LineFailure::UnclosedQuotedAnswer:
        return {ReadErrorKind::UnclosedQuotedAnswer, line, lineMessage(line, "the quoted answer has no closing quote")};
    case LineFailure::QuotedQuestionEndsLine:
        return {ReadErrorKind::QuotedQuestionEndsLine, line, lineMessage(line, "no answer after the quoted question")};
    case LineFailure::PositionOverflow:
    case LineFailure::None: // not reached
        break;
    }
    return {ReadErrorKind::LineTooLong, line, QStringLiteral("line %1 is too long").arg(line)};
}

ReadError encodingError(TextEncoding encoding, int line)
{
    const char* what = encoding == TextEncoding::Utf8WithBom ? "the bytes are not UTF-8 text"
                                                             : "the bytes are neither UTF-8 nor Shift-JIS text";
    return {ReadErrorKind::BadEncoding, line, lineMessage(line, what)};
}

// Reads one physical line into the result; false on an error, which ends the read.
bool readLine(ReadResult& result, QStringView line, int number)
{
    if (isBlankLine(line))
        return true;
    if (line.size() > kMaxLineLength) {
        result.error = lineError(LineFailure::PositionOverflow, number);
        return false;
    }
    const SplitLine split = splitLine(line);
    if (!split.ok()) {
        result.error = lineError(split.failure, number);
        return false;
    }
    if (result.items.size() == kMaxItems) {
        result.error =
            ReadError{ReadErrorKind::TooManyItems, number, QStringLiteral("the file holds more than 32 767 items")};
        return false;
    }
    result.items.append(split.question, split.answer);
    return true;
}

// Room for the items of `lineBreaks` + 1 lines of at most `textUnits` code
// units, so that the items are never copied while they grow. Room the texts
// do not fill is never touched, and squeeze() gives it back.
void reserveItems(ReadResult& result, qsizetype lineBreaks, qsizetype textUnits)
{
    result.items.reserve(std::min<qsizetype>(lineBreaks + 1, kMaxItems), textUnits);
}

// A read in one encoding, and its first line that does not decode.
struct Attempt {
    ReadResult result;
    int badLine = 0;
};

Attempt readIn(QByteArrayView bytes, TextEncoding encoding)
{
    Attempt attempt;
    ReadResult& result = attempt.result;
    result.encoding = encoding;
    // Neither encoding makes more than one code unit of a byte.
    reserveItems(result, std::count(bytes.begin(), bytes.end(), '\r'), bytes.size());
    attempt.badLine = decodeLines(bytes, encoding, [&result](QStringView line, QStringView, int number) {
        return readLine(result, line, number);
    });
    if (attempt.badLine != 0 && !result.error)
        result.error = encodingError(encoding, attempt.badLine);
    // An error early in a large file leaves most of the room unused.
    result.items.squeeze();
    return attempt;
}

DecodedQuiz decodeIn(QByteArrayView bytes, TextEncoding encoding)
{
    DecodedQuiz decoded;
    decoded.encoding = encoding;
    decoded.badLine = decodeLines(bytes, encoding, [&decoded](QStringView line, QStringView lineBreak, int) {
        decoded.text += line;
        decoded.text += lineBreak;
        return true;
    });
    return decoded;
}

// The byte order mark decides; then UTF-8 wins if it decodes every line, and
// otherwise the encoding that decodes more lines before its first bad one.
template <typename Result, typename Try> Result chooseEncoding(QByteArrayView bytes, Try&& tryIn)
{
    if (bytes.startsWith(kUtf8Bom))
        return tryIn(bytes.sliced(kUtf8Bom.size()), TextEncoding::Utf8WithBom);
    Result utf8 = tryIn(bytes, TextEncoding::Utf8);
    if (utf8.badLine == 0)
        return utf8;
    Result shiftJis = tryIn(bytes, TextEncoding::ShiftJis);
    if (shiftJis.badLine == 0 || shiftJis.badLine > utf8.badLine)
        return shiftJis;
    return utf8;
}

} // namespace

DecodedQuiz decodeQuizBytes(QByteArrayView bytes)
{
    return chooseEncoding<DecodedQuiz>(bytes, decodeIn);
}

ReadResult readQuizText(QStringView text)
{
    ReadResult result;
    const qsizetype lineBreaks = text.count(QChar(u'\r'));
    reserveItems(result, lineBreaks, text.size() - lineBreaks);
    LineCursor<QStringView> lines{text};
    while (!lines.atEnd()) {
        const QStringView line = lines.take();
        if (!readLine(result, line, lines.number))
            break;
    }
    result.items.squeeze();
    return result;
}

ReadResult readQuizBytes(QByteArrayView bytes)
{
    return chooseEncoding<Attempt>(bytes, readIn).result;
}

} // namespace quizfile
