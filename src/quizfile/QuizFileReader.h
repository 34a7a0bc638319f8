#pragma once

#include "quizfile/QuizItems.h"
#include "quizfile/TextEncoding.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// Reading the items of a quiz file from its bytes: decoding, line
// breaks, blank lines, splitting, and the 16-bit item limit.
namespace quizfile {

enum class ReadErrorKind {
    // A line breaks the rules (see LineFailure in QuizLine.h).
    NoComma,
    UnclosedQuotedAnswer,
    QuotedQuestionEndsLine,
    LineTooLong, // over kMaxLineLength, or a 16-bit position overflow
    // The 32 768th item line.
    TooManyItems,
    // Bytes that are not text in the encoding chosen, or in any encoding.
    BadEncoding,
    // Opening the file (QuizFile.h); these carry no line.
    FileNotFound,
    NotAFile,
    FileTooLarge,
    PermissionDenied,
    ReadFailed,
};

struct ReadError {
    ReadErrorKind kind;
    // 1-based physical line number (blank lines counted; a line ends at CR LF
    // or a lone CR); 0 for the errors about the file as a whole.
    int line = 0;
    // One sentence for the user, without a final full stop, such as
    // "line 7: no comma between question and answer".
    QString message;
};

// The outcome of a read. `items` holds each question and answer as its line
// gave them (quotes included). On an error, it holds the items of the lines
// before the failing line: the load keeps them.
struct ReadResult {
    QuizItems items;
    std::optional<ReadError> error;
    TextEncoding encoding = TextEncoding::Utf8;

    bool ok() const { return !error.has_value(); }
};

// At most 32 767 items can be loaded.
inline constexpr int kMaxItems = 32767;

// No line may hold more UTF-16 code units than a 16-bit position reaches:
// longer ones are refused, so that no accepted text can freeze a window.
inline constexpr qsizetype kMaxLineLength = 32767;

// The text of a quiz file. A byte order mark decides first (UTF-8, UTF-16 LE,
// UTF-16 BE; the mark is left out). Otherwise valid UTF-8 is read as UTF-8,
// and any other bytes in the encoding that EncodingChoice.h chooses; bytes
// that no encoding reads as text are read as UTF-8 up to its first bad line.
// A line decodes when its bytes alone do (in UTF-16: when it holds no half of
// a surrogate pair, and the file no half code unit). A text that holds no CR
// at all ends its lines at each LF; any other ends them at CR LF or a lone
// CR, an LF being a character of its line.
struct DecodedQuiz {
    TextEncoding encoding = TextEncoding::Utf8;
    // The lines before `badLine`, with their breaks; all lines when it is 0.
    QString text;
    int badLine = 0;
};
DecodedQuiz decodeQuizBytes(QByteArrayView bytes);

// The index of the first half of a surrogate pair in `text`, which no UTF can
// hold, or -1.
qsizetype firstHalfSurrogate(QStringView text);

// Reads the items of decoded text.
ReadResult readQuizText(QStringView text);

// Decodes and reads the bytes of a quiz file, in the encoding decodeQuizBytes
// chooses. Each encoding tried decodes the bytes once, a block of lines at a
// time, and the lines go into the items as they come: besides the bytes, a
// read holds the items and one block of text, and no file of short lines costs
// a decoder call per line. A bad line of bytes is a BadEncoding error after
// the items of the lines before it.
ReadResult readQuizBytes(QByteArrayView bytes);

} // namespace quizfile
