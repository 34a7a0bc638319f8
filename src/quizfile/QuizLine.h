#pragma once

#include <QStringView>

// One line of a quiz file: is it blank, and where are its question
// and answer. Positions are 1-based UTF-16 code units of the decoded line, as
// in the Part; the code below works with 0-based indices (index = position − 1).
namespace quizfile {

// Why an item line cannot be split.
enum class LineFailure {
    None,
    // A bare question (first character not a double quote) without any comma.
    NoComma,
    // A quoted answer without a closing quote at position q + 4 (c + 4 after a
    // bare question) or later. Includes «word,""», «word,"a"», «"x",""».
    UnclosedQuotedAnswer,
    // A quoted question whose closing quote is the last character: «"x"».
    QuotedQuestionEndsLine,
    // A position beyond the 16-bit range: q > 32765, c > 32766, or, with a
    // quoted answer, q or c > 32763.
    PositionOverflow,
};

// The two fields of an item line. Both views point into the line given to
// splitLine and live only as long as it does.
struct SplitLine {
    QStringView question;
    QStringView answer;
    LineFailure failure = LineFailure::None;

    bool ok() const { return failure == LineFailure::None; }
};

// The largest position a 16-bit signed integer holds.
inline constexpr qsizetype kMaxPosition = 32767;

// True for an empty line and for a line of blanks only. A blank is the space
// U+0020 or, by our choice, the ideographic space U+3000. A tab is no blank.
bool isBlankLine(QStringView line);

// The index of the first `unit` in `text` at index `from` or later, or -1.
// For the short lines of a quiz, where a general search costs more to set up
// than it saves: eight units at a time where the processor can.
qsizetype indexOfUnit(QStringView text, qsizetype from, char16_t unit);

// Splits one item line (without its line break) into question and answer by
// the quiz file rules. Quotes stay part of the fields; nothing is trimmed.
SplitLine splitLine(QStringView line);

} // namespace quizfile
