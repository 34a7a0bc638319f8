#pragma once

#include "quizfile/TextEncoding.h"

#include <QByteArrayView>

#include <optional>

// Which encoding the bytes of a quiz file were written in, when no byte order
// mark says so and they are not UTF-8 throughout: one scored choice among
// every legacy encoding a Windows system writes text in. This is the one
// place that states the rules; scripts/encoding-eval measures them on lists
// of real words.
//
// Every candidate (UTF-8 and each legacy encoding of legacyEncodings()) reads
// a sample of the file: its lines that hold a byte beyond ASCII, up to
// kSampleBytes. Each reading gets one score.
//
// The score starts from the charset detectors' judgement of the sample:
// uchardet's pick and ICU's candidates with their confidences, each shared
// with every candidate that reads the same letters (ISO-8859-13's pick is
// Windows-1257's too). Short lists give a detector too little to go on, so
// the score then counts, in the text each candidate makes, what natural
// writing does not hold:
// - characters that no text holds (control characters but tab and ^Z, C1
//   controls, unassigned code points, private use, U+FFFD): a reading with
//   one is no text at all;
// - lines the candidate cannot decode (a multi-byte encoding mostly);
// - words whose letters come from two scripts: Latin and Cyrillic, kana and
//   Hangul, Latin glued to Han or Hangul, half-width katakana in a Latin word
//   (Han goes with kana and Hangul, and katakana words take Latin letters, as
//   Tシャツ does);
// - combining marks that no letter takes, and ﾞ or ﾟ after a kana they do not
//   voice;
// - a capital right after a small letter inside a word, words of capitals
//   only, and words of one letter beyond ASCII;
// - a sign between two letters (an apostrophe or a middle dot excepted), two
//   signs in a row, a symbol or superscript on a letter, a quote without its
//   pair in the line, signs that text hardly ever holds (box drawing, spacing
//   accents, ¤), and East Asian punctuation without East Asian letters;
// - half-width katakana, which modern text rarely uses;
// - a code page made for another script whose reading holds none of that
//   script's letters (€ of ISO-8859-15 is ₪ in Windows-1255);
// - how far the letters are from the best-fitting language the encoding was
//   made for (TextEncoding.h names them): ICU's locale data gives each
//   language its exemplar letters, and its names of languages, countries,
//   scripts and currencies tell which of them it seldom writes (French î
//   against Latvian ī read from the same byte);
// - and how the words with a letter beyond ASCII (or next to a sign beyond
//   it) are spelled in that language: which letter follows which in its real
//   text, as src/quizfile/letter-pairs.tsv has it (scripts/letter-pairs
//   measures it on the translations Debian ships). Romanian tăcută and
//   Portuguese-looking tãcutã are the same bytes. A pair the text never
//   showed costs a word little: real words hold rare pairs;
// - how the words of ASCII letters in the same columns (a word list's other
//   column is another language) are spelled in that language against the
//   best-fitting one: every reading reads them alike, so they tell the
//   language (Italian permalosità and Lithuanian permalositą are the same
//   bytes);
// and a character of several bytes that UTF-8 reads counts for UTF-8, whose
// damaged files stay UTF-8.
//
// The best score wins among the readings that are text (they decode the
// whole sample, with few flaws of the kinds above for each line) and the
// readings of a multi-byte encoding that decode more of the sample's lines
// than they fail on: the file is then that encoding, damaged, and the reader
// names the line where it fails. Two candidates that read the sample alike
// are the same choice, and the order of legacyEncodings() takes the first;
// the system's own code page (Windows's ANSI code page, systemCodePage())
// goes first of them, as the file most likely came from that system.
// Bytes that no candidate reads so are no text at all.
namespace quizfile {

// At most this many bytes of a file are scored: short lists are read whole,
// and a large file shows its encoding long before this.
inline constexpr qsizetype kSampleBytes = 1024;

struct EncodingChoice {
    enum class Kind {
        Text,    // the file reads as text in `encoding`
        Damaged, // the file is `encoding`, with lines it does not decode
        NotText, // no candidate reads it as text
    };
    Kind kind = Kind::NotText;
    TextEncoding encoding = TextEncoding::Utf8;
};

EncodingChoice chooseEncoding(QByteArrayView bytes);

// The same with `preferred` first among the legacy encodings in place of the
// system's code page; none keeps the order of legacyEncodings().
EncodingChoice chooseEncoding(QByteArrayView bytes, std::optional<TextEncoding> preferred);

} // namespace quizfile
