#include "quizfile/TextEncoding.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <iterator>

namespace quizfile {

namespace {

struct Entry {
    TextEncoding encoding;
    const char* icu;     // ICU's converter name; null for the Unicode ones
    const char* display; // as a user knows it
    bool multiByte;
    bool latin; // its letters beyond ASCII are Latin ones
    // What the charset detectors call it, lower case without '-' and '_'.
    std::array<const char*, 4> detected;
    // The languages it was made for, as ICU's locales name them.
    const char* languages = "";
    unsigned codePage = 0; // Windows's number for it, where Windows uses it as a system's code page
};

constexpr const char* kWestern = "en fr de es pt it nl sv da nb is fi ca ga";
constexpr const char* kCentral = "en cs sk pl hu sl hr bs ro sq de";
constexpr const char* kCyrillic = "ru uk be bg sr mk";
constexpr const char* kBaltic = "lt lv et";

// The one table of encoding names. Legacy encodings come in the order of
// legacyEncodings(): Windows's own code pages first.
constexpr Entry kEntries[] = {
    // clang-format off
    // encoding                 ICU              user's name   multi  Latin  detectors' names                              languages, code page
    {TextEncoding::Utf8,        nullptr,         "UTF-8",      true,  false, {"utf8"}},
    {TextEncoding::Utf8WithBom, nullptr,         "UTF-8",      true,  false, {}},
    {TextEncoding::Utf16Le,     nullptr,         "UTF-16",     true,  false, {"utf16le"}},
    {TextEncoding::Utf16Be,     nullptr,         "UTF-16",     true,  false, {"utf16be"}},
    // Code page 932 as Windows has it: 0x8160 is U+FF5E (～), not the U+301C of JIS X 0208.
    {TextEncoding::ShiftJis,    "windows-31j",   "Shift-JIS",  true,  false, {"shiftjis", "windows31j", "cp932", "sjis"},  "ja", 932},
    {TextEncoding::EucJp,       "EUC-JP",        "EUC-JP",     true,  false, {"eucjp"},                                     "ja"},
    // GB18030 reads every GBK file, and the files of systems that write GB18030.
    {TextEncoding::Gb18030,     "GB18030",       "GBK",        true,  false, {"gb18030", "gbk", "gb2312", "cp936"},         "zh", 936},
    {TextEncoding::Big5,        "windows-950",   "Big5",       true,  false, {"big5", "cp950", "windows950", "big5hkscs"}, "zh_Hant", 950},
    {TextEncoding::Windows949,  "windows-949",   "Korean (code page 949)", true, false, {"euckr", "uhc", "cp949", "windows949"}, "ko", 949},
    {TextEncoding::Windows1252, "windows-1252",  "Windows-1252", false, true,  {"windows1252", "iso88591", "cp1252", "ascii"}, kWestern, 1252},
    {TextEncoding::Windows1250, "windows-1250",  "Windows-1250", false, true,  {"windows1250", "cp1250"},                kCentral, 1250},
    {TextEncoding::Windows1251, "windows-1251",  "Windows-1251", false, false, {"windows1251", "cp1251"},                kCyrillic, 1251},
    {TextEncoding::Windows1253, "windows-1253",  "Windows-1253", false, false, {"windows1253", "cp1253"},                "el", 1253},
    {TextEncoding::Windows1254, "windows-1254",  "Windows-1254", false, true,  {"windows1254", "iso88599", "cp1254"},    "tr az", 1254},
    {TextEncoding::Windows1255, "windows-1255",  "Windows-1255", false, false, {"windows1255", "cp1255"},                "he yi", 1255},
    {TextEncoding::Windows1256, "windows-1256",  "Windows-1256", false, false, {"windows1256", "cp1256"},                "ar fa ur fr", 1256},
    {TextEncoding::Windows1257, "windows-1257",  "Windows-1257", false, true,  {"windows1257", "cp1257"},                kBaltic, 1257},
    {TextEncoding::Windows1258, "windows-1258",  "Windows-1258", false, true,  {"windows1258", "cp1258"},                "vi", 1258},
    {TextEncoding::Windows874,  "windows-874",   "Windows-874",  false, false, {"windows874", "tis620", "iso885911", "cp874"}, "th", 874},
    {TextEncoding::Iso8859_2,   "ISO-8859-2",    "ISO-8859-2",   false, true,  {"iso88592"},                             kCentral},
    {TextEncoding::Iso8859_5,   "ISO-8859-5",    "ISO-8859-5",   false, false, {"iso88595"},                             kCyrillic},
    {TextEncoding::Iso8859_7,   "ISO-8859-7",    "ISO-8859-7",   false, false, {"iso88597"},                             "el"},
    {TextEncoding::Iso8859_8,   "ISO-8859-8",    "ISO-8859-8",   false, false, {"iso88598", "iso88598i"},                "he"},
    {TextEncoding::Iso8859_13,  "ISO-8859-13",   "ISO-8859-13",  false, true,  {"iso885913"},                            kBaltic},
    {TextEncoding::Iso8859_15,  "ISO-8859-15",   "ISO-8859-15",  false, true,  {"iso885915"},                            kWestern},
    {TextEncoding::Koi8R,       "KOI8-R",        "KOI8-R",       false, false, {"koi8r"},                                "ru bg"},
    {TextEncoding::Koi8U,       "KOI8-U",        "KOI8-U",       false, false, {"koi8u"},                                "uk ru be"},
    // clang-format on
};

const Entry& entryOf(TextEncoding encoding)
{
    return *std::find_if(std::begin(kEntries), std::end(kEntries),
                         [encoding](const Entry& entry) { return entry.encoding == encoding; });
}

} // namespace

std::span<const TextEncoding> legacyEncodings()
{
    static const auto legacy = [] {
        std::array<TextEncoding, std::size(kEntries) - 4> made{};
        std::size_t n = 0;
        for (const Entry& entry : kEntries)
            if (entry.icu)
                made[n++] = entry.encoding;
        return made;
    }();
    return legacy;
}

std::optional<TextEncoding> encodingOfCodePage(unsigned codePage)
{
    const auto found = std::find_if(std::begin(kEntries), std::end(kEntries),
                                    [codePage](const Entry& entry) { return entry.codePage == codePage; });
    if (codePage == 0 || found == std::end(kEntries))
        return std::nullopt;
    return found->encoding;
}

const char* icuName(TextEncoding encoding)
{
    return entryOf(encoding).icu;
}

QLatin1StringView displayName(TextEncoding encoding)
{
    return QLatin1StringView(entryOf(encoding).display);
}

bool hasLatinLetters(TextEncoding encoding)
{
    return entryOf(encoding).latin;
}

QLatin1StringView languagesOf(TextEncoding encoding)
{
    return QLatin1StringView(entryOf(encoding).languages);
}

bool isMultiByte(TextEncoding encoding)
{
    return entryOf(encoding).multiByte;
}

std::optional<TextEncoding> encodingForDetectorName(QByteArrayView name)
{
    QByteArray key = name.toByteArray().toLower();
    key.removeIf([](char c) { return c == '-' || c == '_'; });
    for (const Entry& entry : kEntries)
        for (const char* detected : entry.detected)
            if (detected && key == detected)
                return entry.encoding;
    return std::nullopt;
}

} // namespace quizfile
