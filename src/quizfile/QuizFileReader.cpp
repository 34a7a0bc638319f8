#include "quizfile/QuizFileReader.h"

#include "quizfile/QuizLine.h"

#include <QStringDecoder>

#include <algorithm>
#include <type_traits>

namespace quizfile {

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

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
        const qsizetype cr = all.indexOf(Unit('\r'), start);
        if (cr < 0) {
            next = all.size();
            return all.sliced(start);
        }
        next = cr + 1;
        if (next < all.size() && all[next] == Unit('\n'))
            ++next;
        return all.sliced(start, cr - start);
    }
};

// Decodes one line at a time into a buffer that is reused from line to line.
class LineDecoder {
public:
    explicit LineDecoder(TextEncoding encoding)
        : decoder_(encoding == TextEncoding::ShiftJis
                       // Code page 932 as Windows has it: 0x8160 is U+FF5E (～), not
                       // the U+301C of JIS X 0208. Known through ICU only:
                       // QStringConverter::encodingForName does not know the name.
                       ? QStringDecoder("windows-31j", QStringConverter::Flag::Stateless)
                       // A byte order mark is skipped once, before the first line,
                       // not by the decoder at the start of every line.
                       : QStringDecoder(QStringDecoder::Utf8,
                                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom))
    {
    }

    bool isValid() const { return decoder_.isValid(); }

    // The decoded line, valid until the next call; false when the bytes are bad
    // (and from then on, since the decoder's error flag stays on).
    bool decode(QByteArrayView line, QStringView& text)
    {
        buffer_.resize(decoder_.requiredSpace(line.size()));
        QChar* const begin = buffer_.data();
        QChar* const end = decoder_.appendToBuffer(begin, line);
        text = QStringView(begin, end);
        return !decoder_.hasError();
    }

private:
    QStringDecoder decoder_;
    QString buffer_;
};

// The number of the first line that does not decode (0 when all do), and the
// code units of the lines before it.
struct DecodeScan {
    int badLine = 0;
    qsizetype units = 0;
};

DecodeScan scanLines(QByteArrayView bytes, TextEncoding encoding)
{
    DecodeScan scan;
    LineDecoder decoder(encoding);
    if (!decoder.isValid()) {
        scan.badLine = 1;
        return scan;
    }
    LineCursor<QByteArrayView> lines{bytes};
    QStringView text;
    while (!lines.atEnd()) {
        if (!decoder.decode(lines.take(), text)) {
            scan.badLine = lines.number;
            break;
        }
        scan.units += text.size();
    }
    return scan;
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

// Room for the items of a text of `lineBreaks` + 1 lines holding `lineUnits`
// code units, so that the items are never copied while they grow. Only the
// separators and blank lines are reserved in vain.
void reserveItems(ReadResult& result, qsizetype lineBreaks, qsizetype lineUnits)
{
    result.items.reserve(std::min<qsizetype>(lineBreaks + 1, kMaxItems), lineUnits);
}

// Reads one physical line into the result; false on an error, which ends the read.
bool readLine(ReadResult& result, QStringView line, int number)
{
    if (isBlankLine(line))
        return true;
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

} // namespace

EncodingChoice chooseEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Bom)) {
        const DecodeScan scan = scanLines(bytes.sliced(kUtf8Bom.size()), TextEncoding::Utf8);
        return {TextEncoding::Utf8WithBom, scan.badLine, scan.units};
    }
    const DecodeScan utf8 = scanLines(bytes, TextEncoding::Utf8);
    if (utf8.badLine == 0)
        return {TextEncoding::Utf8, 0, utf8.units};
    const DecodeScan shiftJis = scanLines(bytes, TextEncoding::ShiftJis);
    if (shiftJis.badLine == 0 || shiftJis.badLine > utf8.badLine)
        return {TextEncoding::ShiftJis, shiftJis.badLine, shiftJis.units};
    return {TextEncoding::Utf8, utf8.badLine, utf8.units};
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
    const EncodingChoice choice = chooseEncoding(bytes);
    const QByteArrayView body = choice.encoding == TextEncoding::Utf8WithBom ? bytes.sliced(kUtf8Bom.size()) : bytes;

    ReadResult result;
    result.encoding = choice.encoding;
    reserveItems(result, std::count(body.begin(), body.end(), '\r'), choice.decodedUnits);
    LineDecoder decoder(choice.encoding);
    LineCursor<QByteArrayView> lines{body};
    QStringView line;
    while (!lines.atEnd()) {
        const QByteArrayView raw = lines.take();
        if (lines.number == choice.badLine || !decoder.decode(raw, line)) {
            result.error = encodingError(choice.encoding, lines.number);
            break;
        }
        if (!readLine(result, line, lines.number))
            break;
    }
    // An error early in a large file leaves most of the room unused.
    result.items.squeeze();
    return result;
}

} // namespace quizfile
