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

// The number of the first line that does not decode, or 0.
int firstBadLine(QByteArrayView bytes, TextEncoding encoding)
{
    LineDecoder decoder(encoding);
    if (!decoder.isValid())
        return 1;
    LineCursor<QByteArrayView> lines{bytes};
    QStringView text;
    while (!lines.atEnd()) {
        if (!decoder.decode(lines.take(), text))
            return lines.number;
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

// Room for the items of a text of `lineBreaks` + 1 lines at most, so that the
// item list is never copied while it grows.
void reserveItems(ReadResult& result, qsizetype lineBreaks)
{
    result.items.reserve(std::size_t(std::min<qsizetype>(lineBreaks + 1, kMaxItems)));
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
    result.items.push_back({split.question.toString(), split.answer.toString()});
    return true;
}

} // namespace

EncodingChoice chooseEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return {TextEncoding::Utf8WithBom, firstBadLine(bytes.sliced(kUtf8Bom.size()), TextEncoding::Utf8)};
    const int badUtf8 = firstBadLine(bytes, TextEncoding::Utf8);
    if (badUtf8 == 0)
        return {TextEncoding::Utf8, 0};
    const int badShiftJis = firstBadLine(bytes, TextEncoding::ShiftJis);
    if (badShiftJis == 0 || badShiftJis > badUtf8)
        return {TextEncoding::ShiftJis, badShiftJis};
    return {TextEncoding::Utf8, badUtf8};
}

ReadResult readQuizText(QStringView text)
{
    ReadResult result;
    reserveItems(result, text.count(QChar(u'\r')));
    LineCursor<QStringView> lines{text};
    while (!lines.atEnd()) {
        const QStringView line = lines.take();
        if (!readLine(result, line, lines.number))
            break;
    }
    return result;
}

ReadResult readQuizBytes(QByteArrayView bytes)
{
    const EncodingChoice choice = chooseEncoding(bytes);
    const QByteArrayView body = choice.encoding == TextEncoding::Utf8WithBom ? bytes.sliced(kUtf8Bom.size()) : bytes;

    ReadResult result;
    result.encoding = choice.encoding;
    reserveItems(result, std::count(body.begin(), body.end(), '\r'));
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
    return result;
}

} // namespace quizfile
