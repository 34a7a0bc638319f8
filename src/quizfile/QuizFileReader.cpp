#include "quizfile/QuizFileReader.h"

#include "quizfile/EncodingChoice.h"
#include "quizfile/QuizLine.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace quizfile {

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");
constexpr QByteArrayView kUtf16LeBom("\xFF\xFE");
constexpr QByteArrayView kUtf16BeBom("\xFE\xFF");

// What ends a line. A text that holds a CR anywhere follows the CR rule:
// a line ends at CR LF or a lone CR, and a lone LF is a character of its line
// (the result files rely on it). A text without any CR could only ever be one
// item under that rule, so there each LF ends a line, as every Linux editor
// writes them.
enum class LineEnd {
    Cr,
    Lf,
};

template <typename View> LineEnd lineEndOf(View text)
{
    using Unit = std::conditional_t<std::is_same_v<View, QStringView>, char16_t, char>;
    return text.contains(Unit('\r')) ? LineEnd::Cr : LineEnd::Lf;
}

template <typename Unit> constexpr Unit breakUnit(LineEnd end)
{
    return end == LineEnd::Cr ? Unit('\r') : Unit('\n');
}

// Lines are decoded in blocks of about this many bytes, each of whole lines.
constexpr qsizetype kBlockBytes = 64 * 1024;

// The index of the first `unit` (CR or LF) at `from` or later, or the size
// when there is none.
qsizetype nextBreak(QByteArrayView all, qsizetype from, char unit)
{
    const void* const found = std::memchr(all.data() + from, unit, size_t(all.size() - from));
    return found ? static_cast<const char*>(found) - all.data() : all.size();
}

qsizetype nextBreak(QStringView all, qsizetype from, char16_t unit)
{
    // Most lines are short, and a file of empty lines is all breaks.
    const qsizetype found = indexOfUnit(all, from, unit);
    return found < 0 ? all.size() : found;
}

// How many times `unit` occurs in the bytes. Counted in runs of at most 255
// into a byte, which the compiler turns into a vectorised loop far cheaper
// than std::count's, whose wide counter takes two lanes per step.
qsizetype countUnit(QByteArrayView bytes, char unit)
{
    qsizetype total = 0;
    const char* data = bytes.data();
    for (qsizetype left = bytes.size(); left > 0;) {
        const qsizetype run = std::min<qsizetype>(left, 255);
        unsigned char inRun = 0;
        for (qsizetype i = 0; i < run; ++i)
            inRun += data[i] == unit ? 1 : 0;
        total += inRun;
        data += run;
        left -= run;
    }
    return total;
}

// Walks the physical lines of a text or of its bytes by the LineEnd rule; the
// last line needs no break. Works on QByteArrayView and QStringView alike: in
// UTF-8 and in Shift-JIS the bytes 13 and 10 are always a CR and an LF of their
// own, never part of a character.
template <typename View> struct LineCursor {
    using Unit = std::conditional_t<std::is_same_v<View, QStringView>, char16_t, char>;

    View all;
    LineEnd end = LineEnd::Cr;
    qsizetype next = 0;
    int number = 0; // of the line last taken

    bool atEnd() const { return next >= all.size(); }

    // The next line, without its break.
    View take()
    {
        ++number;
        const qsizetype start = next;
        const qsizetype found = nextBreak(all, start, breakUnit<Unit>(end));
        if (found == all.size()) {
            next = found;
            return all.sliced(start);
        }
        next = found + 1;
        if (end == LineEnd::Cr && next < all.size() && all[next] == Unit('\n'))
            ++next;
        return all.sliced(start, found - start);
    }

    // The break after the line last taken, `line`: CR LF, CR, LF or nothing.
    View lineBreak(View line) const
    {
        const qsizetype end = line.data() - all.data() + line.size();
        return all.sliced(end, next - end);
    }
};

// The end of the block of whole lines that starts at `start`: just after the
// first line break at least kBlockBytes on, or the end of the bytes.
qsizetype blockEnd(QByteArrayView bytes, qsizetype start, LineEnd end)
{
    if (bytes.size() - start <= kBlockBytes)
        return bytes.size();
    const qsizetype found = nextBreak(bytes, start + kBlockBytes - 1, breakUnit<char>(end));
    if (found == bytes.size())
        return found;
    return end == LineEnd::Cr && found + 1 < bytes.size() && bytes[found + 1] == '\n' ? found + 2 : found + 1;
}

// (Re)makes the decoder in place. Qt 6.4 loses an ICU decoder's error reports
// once it is moved, and its resetState() keeps an error flag that is on.
void makeDecoder(std::optional<QStringDecoder>& decoder, TextEncoding encoding)
{
    // The legacy encodings are known through ICU only:
    // QStringConverter::encodingForName does not know their names.
    if (const char* legacy = icuName(encoding))
        decoder.emplace(legacy, QStringConverter::Flag::Stateless);
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

// The break bytes of a line as text.
QStringView breakText(QByteArrayView lineBreak)
{
    if (lineBreak == "\n")
        return u"\n";
    return QStringView(u"\r\n").first(lineBreak.size());
}

// Lines in `block`, which ends after a line break or at the end of the file.
int lineCount(QByteArrayView block, LineEnd end)
{
    const char unit = breakUnit<char>(end);
    const auto breaks = int(countUnit(block, unit));
    const bool endsWithBreak =
        !block.isEmpty() && (block.back() == unit || (end == LineEnd::Cr && block.back() == '\n' && block.size() > 1 &&
                                                      block.end()[-2] == '\r'));
    return endsWithBreak || block.isEmpty() ? breaks : breaks + 1;
}

// Decodes the lines of `bytes` and hands each to `onLine(line, lineBreak,
// number)` until it returns false; then only decodes, to find the first line
// that does not decode on its own, whose number it returns (0 when all do).
// The bytes are decoded once, a block of whole lines at a time: a block decodes
// as its lines would one by one, since a line that decodes ends on a whole
// character and the CR after it is one of its own. Only a block that fails is
// gone through line by line.
template <typename OnLine>
int decodeLines(QByteArrayView bytes, TextEncoding encoding, LineEnd lineEnd, OnLine&& onLine)
{
    std::optional<QStringDecoder> decoder;
    makeDecoder(decoder, encoding);
    if (!decoder->isValid())
        return 1;
    bool wanted = true;
    QString text;
    int number = 0; // of the last line handled
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype stop = blockEnd(bytes, start, lineEnd);
        const QByteArrayView block = bytes.sliced(start, stop - start);
        start = stop;
        if (decodeInto(*decoder, block, text)) {
            if (!wanted) {
                number += lineCount(block, lineEnd);
                continue;
            }
            LineCursor<QStringView> lines{text, lineEnd, 0, number};
            while (wanted && !lines.atEnd()) {
                const QStringView line = lines.take();
                wanted = onLine(line, lines.lineBreak(line), lines.number);
            }
            // Taken whole, the block's lines are counted already.
            number = lines.atEnd() ? lines.number : number + lineCount(block, lineEnd);
            continue;
        }
        makeDecoder(decoder, encoding);
        LineCursor<QByteArrayView> lines{block, lineEnd, 0, number};
        while (!lines.atEnd()) {
            const QByteArrayView raw = lines.take();
            if (!decodeInto(*decoder, raw, text))
                return lines.number;
            if (wanted)
                wanted = onLine(QStringView(text), breakText(lines.lineBreak(raw)), lines.number);
        }
        number = lines.number;
    }
    return 0;
}

// UTF-16 holds the byte 13 inside other characters, so its lines are found in
// the decoded text, which is made whole at once (it is no larger than the
// bytes). The callback and the answer are those of decodeLines.
template <typename OnLine> int decodeUtf16Lines(QByteArrayView body, TextEncoding encoding, OnLine&& onLine)
{
    QStringDecoder decoder(encoding == TextEncoding::Utf16Le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    // A last byte without its pair is half a code unit: the line it ends is bad.
    const bool halfUnit = body.size() % 2 != 0;
    const QString text = decoder.decode(body.first(body.size() - (halfUnit ? 1 : 0)));
    const LineEnd lineEnd = lineEndOf(QStringView(text));
    // The half unit belongs to the last line, or starts one after a final break.
    const bool endsWithBreak = !text.isEmpty() && (text.back() == QChar(breakUnit<char16_t>(lineEnd)) ||
                                                   (lineEnd == LineEnd::Cr && text.endsWith(QStringLiteral("\r\n"))));
    LineCursor<QStringView> lines{text, lineEnd};
    bool wanted = true;
    while (!lines.atEnd()) {
        const QStringView line = lines.take();
        if (firstHalfSurrogate(line) >= 0 || (halfUnit && lines.atEnd() && !endsWithBreak))
            return lines.number;
        if (wanted)
            wanted = onLine(line, lines.lineBreak(line), lines.number);
    }
    return halfUnit ? lines.number + 1 : 0;
}

// The lines of the bytes in `encoding`, each handed to onLine as decodeLines
// does; the number of the first bad line, or 0.
template <typename OnLine> int forEachLine(QByteArrayView bytes, TextEncoding encoding, OnLine&& onLine)
{
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be)
        return decodeUtf16Lines(bytes, encoding, onLine);
    return decodeLines(bytes, encoding, lineEndOf(bytes), onLine);
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
    return {ReadErrorKind::BadEncoding, line,
            QStringLiteral("line %1: the bytes are not %2 text").arg(line).arg(displayName(encoding))};
}

// Bytes that no encoding reads as text.
ReadError notTextError(int line)
{
    return {ReadErrorKind::BadEncoding, line,
            lineMessage(line, "the bytes are not text in any encoding Pondera reads")};
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
        // Other drill programs export their lists separated by tabs.
        if (split.failure == LineFailure::NoComma && line.contains(u'\t'))
            result.error->message += QStringLiteral("; the line is separated by a tab, and Pondera needs a comma");
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
    // Room is made once the first line decodes: an encoding that fails on
    // it, as UTF-8 does on most Shift-JIS files, costs neither the count nor
    // the room. No encoding makes more than one code unit of a byte.
    bool reserved = false;
    attempt.badLine = forEachLine(bytes, encoding, [&](QStringView line, QStringView, int number) {
        if (!reserved) {
            reserveItems(result, countUnit(bytes, breakUnit<char>(lineEndOf(bytes))), bytes.size());
            reserved = true;
        }
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
    decoded.badLine = forEachLine(bytes, encoding, [&decoded](QStringView line, QStringView lineBreak, int) {
        decoded.text += line;
        decoded.text += lineBreak;
        return true;
    });
    return decoded;
}

// Marks the reading of bytes that no encoding reads as text.
void markNotText(Attempt& attempt)
{
    if (attempt.result.error && attempt.result.error->kind == ReadErrorKind::BadEncoding)
        attempt.result.error = notTextError(attempt.badLine);
}

void markNotText(DecodedQuiz&) {}

// The byte order mark decides; then UTF-8 wins if it decodes every line; then
// the choice of EncodingChoice.h. Bytes that are no text are read as UTF-8 up
// to its first bad line.
template <typename Result, typename Try> Result readInChosen(QByteArrayView bytes, Try&& tryIn)
{
    if (bytes.startsWith(kUtf8Bom))
        return tryIn(bytes.sliced(kUtf8Bom.size()), TextEncoding::Utf8WithBom);
    if (bytes.startsWith(kUtf16LeBom))
        return tryIn(bytes.sliced(kUtf16LeBom.size()), TextEncoding::Utf16Le);
    if (bytes.startsWith(kUtf16BeBom))
        return tryIn(bytes.sliced(kUtf16BeBom.size()), TextEncoding::Utf16Be);
    Result utf8 = tryIn(bytes, TextEncoding::Utf8);
    if (utf8.badLine == 0)
        return utf8;
    const EncodingChoice choice = chooseEncoding(bytes);
    if (choice.kind == EncodingChoice::Kind::NotText) {
        markNotText(utf8);
        return utf8;
    }
    if (choice.encoding == TextEncoding::Utf8)
        return utf8;
    return tryIn(bytes, choice.encoding);
}

} // namespace

qsizetype firstHalfSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return i;
    }
    return -1;
}

DecodedQuiz decodeQuizBytes(QByteArrayView bytes)
{
    return readInChosen<DecodedQuiz>(bytes, decodeIn);
}

ReadResult readQuizText(QStringView text)
{
    ReadResult result;
    const LineEnd lineEnd = lineEndOf(text);
    const qsizetype lineBreaks = text.count(QChar(breakUnit<char16_t>(lineEnd)));
    reserveItems(result, lineBreaks, text.size() - lineBreaks);
    LineCursor<QStringView> lines{text, lineEnd};
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
    return readInChosen<Attempt>(bytes, readIn).result;
}

} // namespace quizfile
