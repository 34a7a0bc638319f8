#include "quizfile/QuizLine.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quizfile {

namespace {

constexpr char16_t kQuote = u'"';

SplitLine failed(LineFailure failure)
{
    SplitLine result;
    result.failure = failure;
    return result;
}

// Index of the first double quote at index `from` or later, or −1.
qsizetype quoteFrom(QStringView line, qsizetype from)
{
    return from < line.size() ? indexOfUnit(line, from, kQuote) : -1;
}

} // namespace

qsizetype indexOfUnit(QStringView text, qsizetype from, char16_t unit)
{
    const char16_t* const data = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = std::max<qsizetype>(from, 0);
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    for (; i + 8 <= size; i += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(units, wanted)));
        if (found != 0)
            return i + std::countr_zero(found) / 2;
    }
#endif
    for (; i < size; ++i)
        if (data[i] == unit)
            return i;
    return -1;
}

bool isBlankLine(QStringView line)
{
    for (const QChar ch : line) {
        if (ch != u' ' && ch != u'\u3000')
            return false;
    }
    return true;
}

SplitLine splitLine(QStringView line)
{
    const qsizetype length = line.size();
    SplitLine result;

    if (length > 0 && line[0] == kQuote) {
        // Quoted question: up to the next quote at position 2 or later.
        const qsizetype closing = quoteFrom(line, 1);
        if (closing < 0) {
            // No second quote: empty question, the answer is the rest of the line.
            result.answer = line.sliced(1);
            return result;
        }
        const qsizetype q = closing + 1; // 1-based position of the closing quote
        if (q + 2 > kMaxPosition)
            return failed(LineFailure::PositionOverflow);
        result.question = line.first(q);
        // The character at q + 1 (index q) is the separator and is not examined;
        // the one after it decides whether the answer is quoted. A separator
        // outside the BMP is one character of two code units: splitting the
        // pair would leave half a character at the start of the answer.
        const qsizetype separator = q + 1 < length && line[q].isHighSurrogate() && line[q + 1].isLowSurrogate() ? 2 : 1;
        const qsizetype answerStart = q + separator; // index of the character after the separator
        if (answerStart < length && line[answerStart] == kQuote) {
            if (answerStart + 3 > kMaxPosition)
                return failed(LineFailure::PositionOverflow);
            const qsizetype answerEnd = quoteFrom(line, answerStart + 2); // two characters on, or later
            if (answerEnd < 0)
                return failed(LineFailure::UnclosedQuotedAnswer);
            result.answer = line.sliced(answerStart, answerEnd - answerStart + 1);
        } else {
            // Everything after the separator: length − q − 1 characters.
            if (length - q - 1 < 0)
                return failed(LineFailure::QuotedQuestionEndsLine);
            result.answer = line.sliced(answerStart);
        }
        return result;
    }

    // Bare question: everything before the first comma.
    const qsizetype comma = indexOfUnit(line, 0, u',');
    if (comma < 0)
        return failed(LineFailure::NoComma);
    const qsizetype c = comma + 1; // 1-based position of the comma
    if (c + 1 > kMaxPosition)
        return failed(LineFailure::PositionOverflow);
    result.question = line.first(comma);
    if (c < length && line[c] == kQuote) { // position c + 1
        if (c + 4 > kMaxPosition)
            return failed(LineFailure::PositionOverflow);
        const qsizetype answerEnd = quoteFrom(line, c + 3); // position c + 4 or later
        if (answerEnd < 0)
            return failed(LineFailure::UnclosedQuotedAnswer);
        result.answer = line.sliced(c, answerEnd - c + 1);
    } else {
        result.answer = line.sliced(c);
    }
    return result;
}

} // namespace quizfile
