#pragma once

#include "quizfile/QuizFileReader.h"

#include <QByteArrayView>
#include <QStringView>

#include <optional>

// What the bytes of a quiz file that is not UTF-8 show of their language:
// whether they are Japanese, and which European code page reads them as words.
namespace quizfile {

// Whether the bytes show what only Japanese text shows: a full-width kana in
// Shift-JIS (82 9F..82 F1, 83 40..83 96), a kana of EUC-JP (A4 or A5 and
// A1..F6) in bytes that are all EUC-JP, or two or more half-width katakana
// (A1..DF) in a row with no ASCII letter on either side. Any European text
// has almost none of these: there the same bytes are punctuation followed by
// an accented letter, two accented capitals or symbols.
bool looksJapanese(QByteArrayView bytes);

// What EUC-JP makes of the bytes. `shaped`: every high byte is part of an
// EUC-JP character (a pair of A1..FE, 8E and a half-width katakana A1..DF, or
// 8F and a pair), and there is one at least; ICU's decoder would also take C1
// control codes, which no text holds. `kana`: shaped so, and one of the
// characters is a kana (A4 or A5 and A1..F6).
struct EucJpShape {
    bool shaped = false;
    bool kana = false;
};
EucJpShape eucJpShape(QByteArrayView bytes);

// How sure the words must be.
enum class WordsRule {
    // Bytes that no Japanese encoding reads: any text of words will do.
    Words,
    // Bytes that Shift-JIS reads whole: the accented letters must belong to
    // one language's alphabet, one of them must stand next to an ASCII letter,
    // and a word of one accented letter must be a small one (à, è, é, ó).
    LanguageWords,
};

// Whether `text`, as a European code page reads it, is made of words: each
// letter beyond ASCII is a Latin one, stands in a word with an ASCII letter
// (or is a word of its own from à è é ó À È É), with at most three such in a
// row and no capital right after a small letter; each other character beyond
// ASCII is typographic punctuation or a common sign in its place (an opening
// quote or ¿ before a word, a closing one after it, a sign apart from
// accented letters). Shift-JIS or EUC-JP text read so is neither.
bool readsAsWords(QStringView text, WordsRule rule);

// Of Windows-1252, ISO-8859-15, Windows-1250 and ISO-8859-2 (ISO-8859-1 is
// Windows-1252 in every printable character), one that reads the bytes whole
// and as words by `rule`. Where the texts they give differ, one whose letters
// fit one language's alphabet comes first; uchardet's pick decides among
// those, else the order above. None when no code page reads them as words.
std::optional<TextEncoding> europeanEncoding(QByteArrayView bytes, WordsRule rule);

} // namespace quizfile
