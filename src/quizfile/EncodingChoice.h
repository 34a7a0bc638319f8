#pragma once

#include "quizfile/TextEncoding.h"

#include <QByteArrayView>

// Which encoding the bytes of a quiz file were written in, when no byte order
// mark says so and they are not UTF-8 throughout: one scored choice among
// every legacy encoding, meant to replace the rules of EncodingClues.h. Not
// the reader's choice yet: scripts/encoding-eval measures it beside the
// reader's and uchardet's on lists of real words.
//
// Every candidate (UTF-8 and each legacy encoding of legacyEncodings()) reads
// a sample of the file: its lines that hold a byte beyond ASCII, up to
// kSampleBytes. Each reading gets one score, and the best score wins; two
// candidates that read the sample alike are the same choice, and the order of
// legacyEncodings() takes the first.
//
// The score starts from the charset detectors' judgement of the sample:
// uchardet's pick and ICU's candidates with their confidences. Short lists give
// a detector too little to go on, so the score then counts, in the text each
// candidate makes, what natural writing does not hold:
// - characters that no text holds (C1 controls, unassigned code points,
//   private use, U+FFFD): a reading with one is no text at all;
// - lines the candidate cannot decode (only a multi-byte encoding fails so);
// - words whose letters come from two scripts (Latin and Cyrillic, kana and
//   Hangul; Han goes with kana and Hangul, and Latin with East Asian scripts,
//   as in Tシャツ);
// - a capital right after a small letter inside a word, and words of capitals
//   only;
// - signs between two letters (an apostrophe or a middle dot excepted), and
//   signs that text hardly ever holds (box drawing, spacing accents, ¤);
// - letters outside the alphabet of the language that fits them best, after
//   the exemplar characters that ICU's locale data gives each language.
//
// A reading that decodes the whole sample into text is taken. Otherwise, where
// the best reading is that of a multi-byte encoding that decodes more of the
// sample's lines than it fails on, the file is that encoding, damaged: the
// reader names the line where it fails. Anything else is no text at all.
namespace quizfile {

// At most this many bytes of a file are scored: short lists are read whole,
// and a large file shows its encoding long before this.
inline constexpr qsizetype kSampleBytes = 8 * 1024;

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

} // namespace quizfile
