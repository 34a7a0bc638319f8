#include "quizfile/EncodingClues.h"

#include <QChar>
#include <QStringDecoder>

#include <uchardet/uchardet.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>

namespace quizfile {

namespace {

// The index of the first byte at `from` or later with its high bit set, or
// the size; eight bytes a step over ASCII.
qsizetype nextHighByte(QByteArrayView bytes, qsizetype from)
{
    const char* const data = bytes.data();
    while (from + 8 <= bytes.size()) {
        std::uint64_t word;
        std::memcpy(&word, data + from, sizeof word);
        if ((word & 0x8080808080808080u) != 0)
            break;
        from += 8;
    }
    while (from < bytes.size() && (static_cast<unsigned char>(data[from]) & 0x80) == 0)
        ++from;
    return from;
}

// --- Japanese ------------------------------------------------------------------

bool isShiftJisLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isHalfWidthKatakana(unsigned char b)
{
    return b >= 0xA1 && b <= 0xDF;
}

bool isAsciiLetter(char16_t c)
{
    const char16_t folded = c | 0x20;
    return folded >= u'a' && folded <= u'z';
}

bool shiftJisShowsJapanese(QByteArrayView bytes)
{
    const auto at = [&bytes](qsizetype i) {
        return i >= 0 && i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
    };
    qsizetype run = 0; // half-width katakana in a row, ending before i
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        const unsigned char b = at(i);
        if (i < bytes.size() && isHalfWidthKatakana(b)) {
            ++run;
            continue;
        }
        // Half-width katakana words: in a European text, two accented
        // capitals or signs in a row stand in a word with ASCII letters.
        if (run >= 2 && !isAsciiLetter(at(i - run - 1)) && !isAsciiLetter(b))
            return true;
        run = 0;
        if (i + 1 < bytes.size() && isShiftJisLead(b)) {
            const unsigned char trail = at(i + 1);
            if ((b == 0x82 && trail >= 0x9F && trail <= 0xF1) || (b == 0x83 && trail >= 0x40 && trail <= 0x96))
                return true;
            ++i; // a lead byte takes its trail with it
        } else if (b < 0x80 && i < bytes.size()) {
            i = nextHighByte(bytes, i + 1) - 1;
        }
    }
    return false;
}

} // namespace

EucJpShape eucJpShape(QByteArrayView bytes)
{
    const auto at = [&bytes](qsizetype i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0; };
    const auto inRow = [](unsigned char b) { return b >= 0xA1 && b <= 0xFE; };
    EucJpShape shape;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = at(i);
        if (b < 0x80) {
            i = nextHighByte(bytes, i + 1) - 1;
            continue;
        }
        if (inRow(b) && inRow(at(i + 1))) {
            shape.kana = shape.kana || ((b == 0xA4 || b == 0xA5) && at(i + 1) <= 0xF6);
            i += 1;
        } else if (b == 0x8E && at(i + 1) >= 0xA1 && at(i + 1) <= 0xDF) {
            i += 1;
        } else if (b == 0x8F && inRow(at(i + 1)) && inRow(at(i + 2))) {
            i += 2;
        } else {
            return {};
        }
        shape.shaped = true;
    }
    return shape;
}

namespace {

// --- European words --------------------------------------------------------------

// A byte that a code page has no character for.
constexpr char16_t kUnread = 0xFFFF;

struct CodePage {
    TextEncoding encoding;
    const char* name;
};
constexpr CodePage kCodePages[] = {
    {TextEncoding::Windows1252, "windows-1252"},
    {TextEncoding::Iso8859_15, "ISO-8859-15"},
    {TextEncoding::Windows1250, "windows-1250"},
    {TextEncoding::Iso8859_2, "ISO-8859-2"},
};
constexpr int kPages = int(std::size(kCodePages));

// The characters of the bytes 80..FF in one code page.
using HighTable = std::array<char16_t, 128>;

const std::array<HighTable, kPages>& highTables()
{
    // Asked of ICU once, byte by byte: every code page here is one byte a
    // character, so a text reads whole exactly when each of its bytes does.
    static const std::array<HighTable, kPages> tables = [] {
        std::array<HighTable, kPages> made{};
        for (int page = 0; page < kPages; ++page) {
            auto decoder = std::make_unique<QStringDecoder>(kCodePages[page].name, QStringConverter::Flag::Stateless);
            for (int b = 0x80; b <= 0xFF; ++b) {
                const char byte = char(b);
                const QString text = decoder->decode(QByteArrayView(&byte, 1));
                if (decoder->hasError() || text.size() != 1) {
                    made[page][b - 0x80] = kUnread;
                    // Its error flag stays on: the next byte needs a new one.
                    decoder =
                        std::make_unique<QStringDecoder>(kCodePages[page].name, QStringConverter::Flag::Stateless);
                } else {
                    made[page][b - 0x80] = text.front().unicode();
                }
            }
        }
        return made;
    }();
    return tables;
}

bool isLatinLetter(char16_t c)
{
    return c >= 0xC0 && c <= 0x17F && c != 0xD7 && c != 0xF7;
}

bool isLetter(char16_t c)
{
    return isAsciiLetter(c) || isLatinLetter(c);
}

// A character beyond ASCII that is neither a Latin letter nor the no-break space.
bool isSign(char16_t c)
{
    return c >= 0x80 && !isLatinLetter(c) && c != 0xA0;
}

// Where a sign beyond ASCII may stand; None: nowhere in a text of words.
enum class Place {
    None,
    Anywhere,        // ’, which stands inside words too (l’été)
    BeforeWord,      // ‘ “ „ « ‹ ¿ ¡: not right after a letter
    AfterWord,       // ” » › …: not right before a letter
    ApartFromAccent, // – — • ° € £ ¥ ¢ § © ® ™ ± × ÷ ·: not next to an accented letter
    ApartFromLetter, // ² ³ ¼ ½ ¾ µ: not next to any letter
};

Place placeOf(char16_t c)
{
    switch (c) {
    case 0x2019:
        return Place::Anywhere;
    case 0x2018:
    case 0x201C:
    case 0x201E:
    case 0xAB:
    case 0x2039:
    case 0xBF:
    case 0xA1:
        return Place::BeforeWord;
    case 0x201D:
    case 0xBB:
    case 0x203A:
    case 0x2026:
        return Place::AfterWord;
    case 0x2013:
    case 0x2014:
    case 0x2022:
    case 0xB0:
    case 0x20AC:
    case 0xA3:
    case 0xA5:
    case 0xA2:
    case 0xA7:
    case 0xA9:
    case 0xAE:
    case 0x2122:
    case 0xB1:
    case 0xD7:
    case 0xF7:
    case 0xB7:
        return Place::ApartFromAccent;
    case 0xB2:
    case 0xB3:
    case 0xBC:
    case 0xBD:
    case 0xBE:
    case 0xB5:
        return Place::ApartFromLetter;
    default:
        return Place::None;
    }
}

// The small Latin letters U+00C0..U+017F that a text holds.
using Letters = std::bitset<0x180 - 0xC0>;

// The accented letters of the languages whose lists are written in these
// code pages, small letters only.
const std::u16string_view kAlphabets[] = {
    u"àâæçéèêëîïôœùûüÿ",  // French
    u"äöüß",              // German
    u"áéíñóúü",           // Spanish
    u"áâãàçéêíóôõú",      // Portuguese
    u"àèéìòóù",           // Italian
    u"àçéèêëïöü",         // Dutch
    u"åäöé",              // Swedish
    u"æøåé",              // Danish, Norwegian
    u"áčďéěíňóřšťúůýž",   // Czech
    u"áäčďéíĺľňóôŕšťúýž", // Slovak
    u"ąćęłńóśźż",         // Polish
    u"áéíóöőúüű",         // Hungarian
    u"čćđšž",             // Slovene, Croatian
    u"ăâîşţ",             // Romanian
};

bool fitsOneAlphabet(const Letters& letters)
{
    static const auto alphabets = [] {
        std::array<Letters, std::size(kAlphabets)> made;
        for (std::size_t i = 0; i < std::size(kAlphabets); ++i)
            for (const char16_t c : kAlphabets[i])
                made[i].set(c - 0xC0);
        return made;
    }();
    for (const Letters& alphabet : alphabets)
        if ((letters & ~alphabet).none())
            return true;
    return false;
}

// What a text's characters beyond ASCII say of it.
struct Verdict {
    bool words = true;
    // A Latin letter stands in a word with an ASCII letter.
    bool inAsciiWord = false;
    Letters letters;
};

// Judges the character at `i`, beyond ASCII, of a text that `at` gives
// character by character; false when it breaks the words.
template <typename At> bool judge(const At& at, qsizetype size, qsizetype i, WordsRule rule, Verdict& verdict)
{
    const auto get = [&](qsizetype j) -> char16_t {
        if (j < 0 || j >= size)
            return u'\n';
        const char16_t c = at(j);
        return c == 0xA0 ? u' ' : c; // a no-break space parts words as a blank does
    };
    const char16_t c = get(i), before = get(i - 1), after = get(i + 1);
    if (c == u' ')
        return true;
    if (!isLatinLetter(c)) {
        if (isSign(before) || isSign(after))
            return false;
        switch (placeOf(c)) {
        case Place::None:
            return false;
        case Place::Anywhere:
            return true;
        case Place::BeforeWord:
            return !isLetter(before);
        case Place::AfterWord:
            return !isLetter(after);
        case Place::ApartFromAccent:
            return !isLatinLetter(before) && !isLatinLetter(after);
        case Place::ApartFromLetter:
            return !isLetter(before) && !isLetter(after);
        }
        return false;
    }
    if (isLatinLetter(before) && isLatinLetter(get(i - 2)) && isLatinLetter(get(i - 3)))
        return false;
    if ((QChar::isUpper(c) && QChar::isLower(before)) || (QChar::isLower(c) && QChar::isUpper(after)))
        return false;
    qsizetype first = i, last = i;
    while (isLatinLetter(get(first - 1)))
        --first;
    while (isLatinLetter(get(last + 1)))
        ++last;
    if (isAsciiLetter(get(first - 1)) || isAsciiLetter(get(last + 1))) {
        verdict.inAsciiWord = true;
    } else {
        // A word of accented letters only: one of the few one-letter words.
        const std::u16string_view single = rule == WordsRule::LanguageWords ? u"àèéó" : u"àèéóÀÈÉ";
        if (first != last || single.find(c) == std::u16string_view::npos)
            return false;
    }
    const auto small = char32_t(QChar::toLower(char32_t(c)));
    if (small >= 0xC0 && small < 0x180)
        verdict.letters.set(small - 0xC0);
    return true;
}

bool satisfies(const Verdict& verdict, WordsRule rule)
{
    return verdict.words && (rule == WordsRule::Words || (verdict.inAsciiWord && fitsOneAlphabet(verdict.letters)));
}

// uchardet's pick, when it is a code page read here.
std::optional<TextEncoding> uchardetPick(QByteArrayView bytes)
{
    // Made once a thread: making a detector costs more than a short file's detection.
    thread_local const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
        uchardet_new(), uchardet_delete);
    if (!detector)
        return std::nullopt;
    uchardet_reset(detector.get());
    if (uchardet_handle_data(detector.get(), bytes.data(), size_t(bytes.size())) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    const QByteArrayView name(uchardet_get_charset(detector.get()));
    if (name == "WINDOWS-1252" || name == "ISO-8859-1")
        return TextEncoding::Windows1252;
    if (name == "ISO-8859-15")
        return TextEncoding::Iso8859_15;
    if (name == "WINDOWS-1250")
        return TextEncoding::Windows1250;
    if (name == "ISO-8859-2")
        return TextEncoding::Iso8859_2;
    return std::nullopt;
}

} // namespace

bool looksJapanese(QByteArrayView bytes)
{
    return shiftJisShowsJapanese(bytes) || eucJpShape(bytes).kana;
}

bool readsAsWords(QStringView text, WordsRule rule)
{
    Verdict verdict;
    const auto at = [&text](qsizetype j) { return text[j].unicode(); };
    for (qsizetype i = 0; i < text.size() && verdict.words; ++i)
        if (text[i].unicode() >= 0x80)
            verdict.words = judge(at, text.size(), i, rule, verdict);
    return satisfies(verdict, rule);
}

std::optional<TextEncoding> europeanEncoding(QByteArrayView bytes, WordsRule rule)
{
    const std::array<HighTable, kPages>& tables = highTables();
    std::array<Verdict, kPages> verdicts;
    std::bitset<128> present; // the high bytes the text holds
    int alive = kPages;
    for (qsizetype i = nextHighByte(bytes, 0); i < bytes.size() && alive > 0; i = nextHighByte(bytes, i + 1)) {
        const int high = static_cast<unsigned char>(bytes[i]) - 0x80;
        present.set(high);
        for (int page = 0; page < kPages; ++page) {
            Verdict& verdict = verdicts[page];
            if (!verdict.words)
                continue;
            const HighTable& table = tables[page];
            const auto at = [&bytes, &table](qsizetype j) -> char16_t {
                const auto b = static_cast<unsigned char>(bytes[j]);
                return b < 0x80 ? char16_t(b) : table[b - 0x80];
            };
            verdict.words = table[high] != kUnread && judge(at, bytes.size(), i, rule, verdict);
            alive -= verdict.words ? 0 : 1;
        }
    }
    std::array<bool, kPages> chosen{};
    bool anyFits = false;
    for (int page = 0; page < kPages; ++page) {
        chosen[page] = satisfies(verdicts[page], rule);
        anyFits = anyFits || (chosen[page] && fitsOneAlphabet(verdicts[page].letters));
    }
    // Of the texts of words, those in one language's letters.
    if (anyFits)
        for (int page = 0; page < kPages; ++page)
            chosen[page] = chosen[page] && fitsOneAlphabet(verdicts[page].letters);
    const auto sameText = [&](int a, int b) {
        for (int high = 0; high < 128; ++high)
            if (present.test(high) && tables[a][high] != tables[b][high])
                return false;
        return true;
    };
    int first = -1;
    bool differ = false;
    for (int page = 0; page < kPages; ++page) {
        if (!chosen[page])
            continue;
        if (first < 0)
            first = page;
        else
            differ = differ || !sameText(first, page);
    }
    if (first < 0)
        return std::nullopt;
    if (differ) {
        // The same bytes make different letters: uchardet, which knows these
        // languages' letter pairs, tells Central from Western European best.
        if (const std::optional<TextEncoding> pick =
                uchardetPick(bytes.first(std::min<qsizetype>(bytes.size(), 1 << 20)))) {
            int picked = 0;
            while (kCodePages[picked].encoding != *pick)
                ++picked;
            for (int page = 0; page < kPages; ++page)
                if (chosen[page] && sameText(page, picked))
                    return kCodePages[page].encoding;
        }
    }
    return kCodePages[first].encoding;
}

} // namespace quizfile
