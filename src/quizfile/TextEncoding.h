#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>

#include <optional>
#include <span>

// The encodings a quiz file is read in, and the one table of their names.
namespace quizfile {

enum class TextEncoding {
    Utf8,        // valid UTF-8 without a byte order mark (this includes plain ASCII)
    Utf8WithBom, // starts with the UTF-8 byte order mark EF BB BF, which is skipped
    ShiftJis,    // code page 932 (windows-31j)
    Utf16Le,     // starts with the byte order mark FF FE, which is skipped
    Utf16Be,     // starts with the byte order mark FE FF, which is skipped
    EucJp,
    Windows1252, // Western European; ISO-8859-1 reads the same in every printable character
    Windows1250, // Central European
    Iso8859_2,   // Central European
    Iso8859_15,  // Western European with € and œ
    Windows1251, // Cyrillic
    Windows1253, // Greek
    Windows1254, // Turkish; ISO-8859-9 reads the same in every printable character
    Windows1255, // Hebrew
    Windows1256, // Arabic
    Windows1257, // Baltic
    Windows1258, // Vietnamese
    Windows874,  // Thai; TIS-620 reads the same in every printable character
    Iso8859_5,   // Cyrillic
    Iso8859_7,   // Greek
    Iso8859_8,   // Hebrew
    Iso8859_13,  // Baltic
    Koi8R,       // Russian
    Koi8U,       // Ukrainian
    Gb18030,     // Simplified Chinese: code page 936 (GBK) and its extension
    Big5,        // Traditional Chinese: code page 950
    Windows949,  // Korean: code page 949, EUC-KR and its extension
};

// The legacy encodings, in the order that settles a tie between two that read
// a text alike: each Windows code page before the ones of other systems.
std::span<const TextEncoding> legacyEncodings();

// The legacy encoding of a Windows code page number (932 is Shift-JIS, 1252
// Windows-1252); none for a code page that is no legacy encoding here.
std::optional<TextEncoding> encodingOfCodePage(unsigned codePage);

// ICU's name of a legacy encoding, or null for UTF-8 and UTF-16.
const char* icuName(TextEncoding encoding);

// The name a user knows the encoding by, as messages and tests print it.
QLatin1StringView displayName(TextEncoding encoding);

// The languages a legacy encoding was made for, as ICU's locales name them,
// separated by spaces; empty for UTF-8 and UTF-16, which are made for all.
QLatin1StringView languagesOf(TextEncoding encoding);

// Whether a character may take more than one byte (UTF-8, the East Asian code
// pages): such an encoding fails on bytes it does not fit, where a one-byte
// code page reads almost anything.
bool isMultiByte(TextEncoding encoding);

// Whether the letters a legacy encoding adds to ASCII are Latin ones.
bool hasLatinLetters(TextEncoding encoding);

// The encoding that a charset detector (uchardet, ICU's) names, where it is
// one read here or one that reads the same text (ISO-8859-1 is Windows-1252).
std::optional<TextEncoding> encodingForDetectorName(QByteArrayView name);

} // namespace quizfile
