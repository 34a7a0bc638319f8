#include "quizfile/EncodingChoice.h"

#include "toolkit/SystemCodePage.h"

#include <QByteArray>
#include <QChar>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <uchardet/uchardet.h>
#include <unicode/ucsdet.h>
#include <unicode/ucurr.h>
#include <unicode/uenum.h>
#include <unicode/uldnames.h>
#include <unicode/uloc.h>
#include <unicode/ulocdata.h>
#include <unicode/uscript.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// The letter pairs live in the library's resources: a static library's
// resources are linked in only when something names them.
static void initLetterPairs()
{
    Q_INIT_RESOURCE(letterpairs);
}

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

// --- The sample ------------------------------------------------------------------

// A byte that is never part of a multi-byte character of any candidate (no
// trail byte is below 0x40, and GB18030's digits are left out): a line may
// be cut after it.
bool isCutPoint(char byte)
{
    return byte >= 0 && byte < 0x30;
}

// The lines of `bytes` that hold a byte beyond ASCII, without their breaks,
// up to kSampleBytes in all. A line ends at CR (or CR LF) in a file that holds
// a CR, else at LF, as the reader has it. A line longer than what is left is
// cut around its first byte beyond ASCII, after bytes that no character
// reaches over, so that every candidate decodes the piece as it would the line.
std::vector<QByteArrayView> sampleOf(QByteArrayView bytes)
{
    const char unit = bytes.contains('\r') ? '\r' : '\n';
    std::vector<QByteArrayView> lines;
    qsizetype taken = 0;
    for (qsizetype high = nextHighByte(bytes, 0); high < bytes.size() && taken < kSampleBytes;) {
        qsizetype start = bytes.first(high).lastIndexOf(unit) + 1;
        if (unit == '\r' && start < high && bytes[start] == '\n')
            ++start;
        qsizetype end = bytes.indexOf(unit, high);
        if (end < 0)
            end = bytes.size();
        qsizetype from = start, to = end;
        const qsizetype room = kSampleBytes - taken;
        if (to - from > room) {
            from = high;
            while (from > start && !isCutPoint(bytes[from - 1]))
                --from;
            to = std::min(end, from + room);
            // A cut point a little further on, if there is one.
            const qsizetype limit = std::min(end, to + 256);
            while (to < limit && !isCutPoint(bytes[to - 1]))
                ++to;
        }
        lines.push_back(bytes.sliced(from, to - from));
        taken += to - from;
        high = nextHighByte(bytes, end);
    }
    return lines;
}

// --- What natural writing holds --------------------------------------------------

using Letters = std::unique_ptr<USet, decltype(&uset_close)>;

// Which letter follows which in a language's real text, ASCII letters and
// the ends of words (a space) included.
struct Spelling {
    QHash<std::uint64_t, int> pairs;
    QHash<char32_t, int> firsts; // how often each letter (or a word's start) begins a pair
    QHash<char32_t, int> all;    // how often each letter follows another
    int letters = 0;
    int words = 0;
};

std::uint64_t pairKey(char32_t first, char32_t second)
{
    return std::uint64_t(first) << 32 | second;
}

// The spelling of every language the code pages are made for, as
// scripts/letter-pairs measured it on the translations Debian ships. Read on
// first use: only a file that is not UTF-8 needs it.
const std::map<QByteArray, Spelling>& spellings()
{
    static const std::map<QByteArray, Spelling> read = [] {
        initLetterPairs();
        std::map<QByteArray, Spelling> made;
        QFile file(QStringLiteral(":/quizfile/letter-pairs.tsv"));
        if (!file.open(QIODevice::ReadOnly))
            return made;
        const QByteArray all = file.readAll();
        for (const QByteArray& line : all.split('\n')) {
            const qsizetype tab = line.indexOf('\t');
            const qsizetype next = line.lastIndexOf('\t');
            if (line.startsWith('#') || tab < 0 || next <= tab)
                continue;
            const QList<uint> pair = QString::fromUtf8(line.sliced(tab + 1, next - tab - 1)).toUcs4();
            const int n = line.sliced(next + 1).toInt();
            if (pair.size() != 2 || n <= 0)
                continue;
            Spelling& spelling = made[line.first(tab)];
            spelling.pairs[pairKey(pair[0], pair[1])] += n;
            spelling.firsts[pair[0]] += n;
            if (pair[1] == U' ') {
                spelling.words += n;
            } else {
                spelling.all[pair[1]] += n;
                spelling.letters += n;
            }
        }
        return made;
    }();
    return read;
}

struct Alphabet {
    QByteArray language;                    // as ICU's locales name it
    Letters main{nullptr, uset_close};      // the letters the language is written in
    Letters auxiliary{nullptr, uset_close}; // letters of its loan words and names
    // How often each letter beyond ASCII occurs in the language's own words,
    // as the log of its share over that of one letter in kTypicalLetters; for
    // alphabets, not for the thousands of East Asian characters.
    QHash<char32_t, double> weight;
    double unseen = 0; // the weight of a letter of the alphabet that the words never showed
    // How its words are spelled, which tells languages with the same
    // letters apart (Romanian ă, Portuguese ã).
    Spelling spelling;
};

constexpr double kTypicalLetters = 200;
constexpr double kUnseenSyllable = -0.5;
// What a letter's frequency counts for against the other measures.
constexpr double kLetterWeight = 1.0;
// What a word's spelling counts for. A pair's chance is mostly what the
// language's text showed, and partly the second letter's own share: the
// text is a few hundred kilobytes, and a real word may hold a pair it never
// showed (French œcuménique), which must cost it little.
constexpr double kSpellingWeight = 1.0;
constexpr double kShownPairs = 0.9;
// What the spelling of the plain words around them counts for: they tell
// the language of the column, and so weigh less than the letters in question.
constexpr double kPlainWordsWeight = 0.5;

// The language's own words, as ICU's locale data has them: the names of
// languages, countries, scripts and currencies written in it. A few thousand letters, enough to
// tell its common letters from its rare ones.
void weighLetters(const char* language, Alphabet& alphabet)
{
    QHash<char32_t, int> counts;
    int total = 0;
    const auto count = [&](const UChar* text, int32_t length) {
        for (int32_t i = 0; i < length; ++i) {
            const char32_t c = QChar::toLower(char32_t(text[i]));
            if (!QChar::isLetter(c))
                continue;
            ++total;
            if (c >= 0x80)
                ++counts[c];
        }
    };
    UChar name[256];
    UErrorCode opened = U_ZERO_ERROR;
    const std::unique_ptr<ULocaleDisplayNames, decltype(&uldn_close)> names(
        uldn_open(language, ULDN_STANDARD_NAMES, &opened), uldn_close);
    if (U_FAILURE(opened))
        return;
    const auto add = [&](auto displayName, const char* code) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = displayName(names.get(), code, name, 256, &status);
        if (status == U_ZERO_ERROR)
            count(name, length);
    };
    // The languages of two-letter codes: the ones a language names most.
    for (const char* const* code = uloc_getISOLanguages(); *code; ++code)
        if (std::strlen(*code) == 2)
            add(uldn_languageDisplayName, *code);
    for (const char* const* code = uloc_getISOCountries(); *code; ++code)
        add(uldn_regionDisplayName, *code);
    for (int script = 0; script < USCRIPT_CODE_LIMIT; ++script)
        add(uldn_scriptDisplayName, uscript_getShortName(UScriptCode(script)));
    UErrorCode listed = U_ZERO_ERROR;
    UEnumeration* currencies = ucurr_openISOCurrencies(UCURR_COMMON | UCURR_NON_DEPRECATED, &listed);
    while (const char* code = U_SUCCESS(listed) ? uenum_next(currencies, nullptr, &listed) : nullptr) {
        UChar iso[4] = {};
        u_charsToUChars(code, iso, 3);
        UErrorCode status = U_ZERO_ERROR;
        UBool isChoiceFormat = false;
        int32_t length = 0;
        const UChar* currency = ucurr_getName(iso, language, UCURR_LONG_NAME, &isChoiceFormat, &length, &status);
        if (status == U_ZERO_ERROR)
            count(currency, length);
    }
    uenum_close(currencies);
    if (total == 0)
        return;
    const double letters = double(total) + 1;
    // Names are not every word: a letter they hardly hold (Slovak ť, of its
    // verbs) counts no worse than a letter of loan words.
    const auto weigh = [&](double n) { return std::clamp(std::log(n / letters * kTypicalLetters), -2.0, 0.0); };
    alphabet.unseen = weigh(0.5);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        alphabet.weight.insert(it.key(), weigh(it.value() + 0.5));
    if (std::strcmp(language, "ko") == 0) {
        // Of Korean's 2 350 syllables in use, a word list holds many that
        // names never do: only a syllable the names never hold counts, and
        // little.
        for (auto it = alphabet.weight.begin(); it != alphabet.weight.end(); ++it)
            it.value() = 0;
        alphabet.unseen = kUnseenSyllable;
    }
}

// Korean's exemplars are every Hangul syllable, 11 172 of them. The 2 350
// that EUC-KR has (KS X 1001) are the ones in use: the others, which code
// page 949 adds, are what other bytes read as Korean make.
void keepCommonHangul(USet* set)
{
    // ICU's encoder puts a substitute in for what it lacks, and Qt reports no
    // error then: a syllable is in EUC-KR when it comes back from it whole.
    QStringEncoder encoder("EUC-KR", QStringConverter::Flag::Stateless);
    QStringDecoder decoder("EUC-KR", QStringConverter::Flag::Stateless);
    const std::unique_ptr<USet, decltype(&uset_close)> rare(uset_openEmpty(), uset_close);
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c) {
        const QByteArray bytes = encoder.encode(QStringView(&c, 1));
        const QString back = decoder.decode(bytes);
        if (back.size() != 1 || back.front() != QChar(c))
            uset_add(rare.get(), c);
    }
    uset_removeAll(set, rare.get()); // at once: each single removal rewrites the set
}

// The alphabet of a language, made on first use: its weights ask ICU for
// over a thousand names. Null where ICU has no exemplars for it.
const Alphabet* alphabetOf(const QByteArray& language)
{
    static std::mutex guard;
    static std::map<QByteArray, std::unique_ptr<Alphabet>> made;
    const std::lock_guard lock(guard);
    if (const auto found = made.find(language); found != made.end())
        return found->second.get();
    std::unique_ptr<Alphabet>& alphabet = made[language];
    UErrorCode status = U_ZERO_ERROR;
    ULocaleData* data = ulocdata_open(language.constData(), &status);
    if (U_FAILURE(status))
        return nullptr;
    auto fresh = std::make_unique<Alphabet>();
    fresh->language = language;
    fresh->main.reset(ulocdata_getExemplarSet(data, nullptr, USET_ADD_CASE_MAPPINGS, ULOCDATA_ES_STANDARD, &status));
    UErrorCode auxStatus = U_ZERO_ERROR;
    fresh->auxiliary.reset(
        ulocdata_getExemplarSet(data, nullptr, USET_ADD_CASE_MAPPINGS, ULOCDATA_ES_AUXILIARY, &auxStatus));
    ulocdata_close(data);
    if (U_FAILURE(status) || !fresh->main)
        return nullptr;
    if (language == "ko")
        keepCommonHangul(fresh->main.get());
    if (uset_size(fresh->main.get()) < 200 || language == "ko")
        weighLetters(language.constData(), *fresh);
    if (const auto spelling = spellings().find(language); spelling != spellings().end())
        fresh->spelling = spelling->second;
    uset_freeze(fresh->main.get());
    if (U_SUCCESS(auxStatus) && fresh->auxiliary)
        uset_freeze(fresh->auxiliary.get());
    else
        fresh->auxiliary.reset();
    alphabet = std::move(fresh);
    return alphabet.get();
}

// The languages a reading in `encoding` may be in: those it was made for, or
// for UTF-8 all of them.
QList<QByteArray> languagesFor(TextEncoding encoding)
{
    if (!languagesOf(encoding).isEmpty())
        return QByteArray(languagesOf(encoding).data()).split(' ');
    QList<QByteArray> all;
    for (const TextEncoding legacy : legacyEncodings())
        for (const QByteArray& language : QByteArray(languagesOf(legacy).data()).split(' '))
            if (!all.contains(language))
                all.append(language);
    return all;
}

// The scripts, grouped as words mix them.
enum ScriptGroup : unsigned {
    Latin = 1u << 0,
    Cyrillic = 1u << 1,
    Greek = 1u << 2,
    Han = 1u << 3,
    Kana = 1u << 4,
    Hangul = 1u << 5,
    HalfWidthKana = 1u << 6,
    Other = 1u << 7, // each other script counts as itself: see scriptBits
};

unsigned scriptBits(char32_t c)
{
    // Full-width Latin letters are East Asian forms (ＤＮＡ鑑定).
    if (c >= 0xFF21 && c <= 0xFF5A)
        return Han;
    if (c >= 0xFF66 && c <= 0xFF9F)
        return HalfWidthKana;
    switch (QChar::script(c)) {
    case QChar::Script_Latin:
        return Latin;
    case QChar::Script_Cyrillic:
        return Cyrillic;
    case QChar::Script_Greek:
        return Greek;
    case QChar::Script_Han:
    case QChar::Script_Bopomofo:
        return Han;
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
        return Kana;
    case QChar::Script_Hangul:
        return Hangul;
    case QChar::Script_Common:
    case QChar::Script_Inherited:
        return 0;
    default:
        return Other << (QChar::script(c) % 23);
    }
}

// Whether a word's scripts could be one word's.
bool scriptsGoTogether(unsigned bits)
{
    // Katakana words take Latin letters (Tシャツ); Han is written with kana
    // and with Hangul. A Latin letter glued to Han or Hangul is what other
    // bytes read as East Asian make (ci轅ki).
    // Half-width katakana never stand in a Latin word: ｫlocandoｻ is « » read as
    // Shift-JIS.
    if (bits & Kana)
        bits &= ~Latin;
    if (bits & HalfWidthKana)
        bits = (bits & ~HalfWidthKana) | Kana;
    if (bits & (Han | Kana | Hangul)) {
        if (bits & Latin)
            return false;
        bits &= ~Han;
    }
    return std::popcount(bits) <= 1;
}

// A control character that no text holds. A tab separates columns, and old
// systems end a file with ^Z (0x1A).
bool isControl(char32_t c)
{
    return c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != 0x0B && c != 0x0C && c != 0x1A;
}

bool isImpossible(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
    case QChar::Other_Surrogate:
        return true;
    default:
        return c == 0xFFFD || QChar::isNonCharacter(c);
    }
}

// A sign that may stand between two letters of a word.
bool joinsWords(char32_t c)
{
    switch (c) {
    case 0x2019: // ’ l’été
    case 0x02BC: // ʼ
    case 0x00B7: // · col·lecció
    case 0x2027: // ‧
    case 0x30FB: // ・ Japanese names
    case 0x2010: // ‐
    case 0x2011: // ‑
    case 0x2013: // –
    case 0xFF0E: // ．
    case 0xFF0F: // ／
        return true;
    default:
        return false;
    }
}

// A sign that text hardly ever holds, though an encoding has it: what a wrong
// code page makes of letters.
bool isOddSign(char32_t c)
{
    if (QChar::category(c) == QChar::Symbol_Modifier || QChar::category(c) == QChar::Other_Format)
        return true;
    return (c >= 0x2500 && c <= 0x259F) || c == 0xA4 || c == 0xA6 || c == 0xAC || c == 0xAD || c == 0xAF;
}

bool isPairedQuote(char32_t c)
{
    switch (c) {
    case 0xAB: // « »
    case 0xBB:
    case 0x201C: // “ ” „
    case 0x201D:
    case 0x201E:
    case 0x2039: // ‹ ›
    case 0x203A:
        return true;
    default:
        return false;
    }
}

// Punctuation and forms of East Asian writing, which only stand among its
// letters.
bool isEastAsianSign(char32_t c)
{
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFFEF) || c == 0x30FB;
}

bool isWordChar(char32_t c)
{
    return QChar::isLetter(c) || QChar::isMark(c);
}

// The letter as alphabets list it: small, and half-width katakana (ﾘﾝｺﾞ) as
// the kana they stand for.
char32_t alphabetLetter(char32_t c)
{
    if (c >= 0xFF66 && c <= 0xFF9D)
        return QString(QChar(char16_t(c))).normalized(QString::NormalizationForm_KC).front().unicode();
    return QChar::toLower(c);
}

struct PlainWords;

// What a reading of the sample shows.
struct Evidence {
    int badLines = 0;   // lines the candidate does not decode
    int goodLines = 0;  // lines it decodes
    int impossible = 0; // characters no text holds
    int mixedWords = 0;
    int caseBreaks = 0;
    int shouting = 0;
    int signsInWords = 0;
    int oddSigns = 0;
    int strayMarks = 0; // combining marks where no letter takes them
    int eastAsianSigns = 0;
    int loneLetters = 0;               // words of one letter beyond ASCII
    int halfWidthKana = 0;             // forms kept for old systems, rarer than any other kana
    QHash<char32_t, int> letters;      // beyond ASCII, in small letters
    std::vector<std::u32string> words; // those that hold them, spelled in small letters
    QString text;                      // the whole reading, to tell readings that differ
    const PlainWords* plain = nullptr; // the words around them, the same in every reading
};

// The words of ASCII letters alone in the columns of the file that hold bytes
// beyond ASCII (a word list's other column is mostly another language). Every
// single-byte reading reads them alike, so they tell the column's language:
// Italian permalosità and Lithuanian permalositą are the same bytes, and
// the words around them settle it. Languages not written in Latin letters
// take no part.
struct PlainWords {
    std::vector<std::u32string> words;
    QHash<QByteArray, double> fits; // each Latin language's spelling fit
    double best = 0;                // the best of them

    void fit(const QByteArray& language);
    double worseThanBest(const QByteArray& language) const
    {
        return fits.contains(language) ? best - fits.value(language) : 0.0;
    }
};

// The words whose spelling is weighed: enough to tell a language by.
constexpr std::size_t kMostWordsSpelled = 64;

void examine(QStringView line, Evidence& evidence)
{
    QString composed;
    bool hasMark = false;
    for (const QChar c : line)
        hasMark = hasMark || c.isMark();
    if (hasMark) {
        // Windows-1258 writes Vietnamese tones as combining marks.
        composed = line.toString().normalized(QString::NormalizationForm_C);
        line = composed;
    }
    const QList<uint> points = line.toUcs4();
    std::vector<char32_t> wordBeyondAscii;
    std::u32string spelled;
    const qsizetype n = points.size();
    const auto at = [&](qsizetype i) -> char32_t { return i >= 0 && i < n ? char32_t(points[i]) : U' '; };
    // Quotes come in pairs within a line: one alone is what a wrong code page
    // makes of a letter (Slovak ť read as »).
    int quotes = 0;
    for (const uint c : points)
        quotes += isPairedQuote(char32_t(c)) ? 1 : 0;
    evidence.oddSigns += quotes % 2;
    for (qsizetype i = 0; i < n;) {
        const char32_t c = at(i);
        if (isControl(c))
            ++evidence.impossible;
        if (!isWordChar(c)) {
            if (c >= 0x80) {
                const bool inWord = QChar::isLetter(at(i - 1)) && QChar::isLetter(at(i + 1));
                // Signs beyond ASCII stand apart: two in a row (‚©‚Ô, what
                // Windows-1252 makes of kana), or a symbol on a letter (Œ¢).
                const auto isSign = [](char32_t x) {
                    return x >= 0x80 && !isWordChar(x) && QChar::category(x) != QChar::Separator_Space;
                };
                const auto isQuoteLike = [](char32_t x) {
                    const QChar::Category k = QChar::category(x);
                    return k == QChar::Punctuation_InitialQuote || k == QChar::Punctuation_FinalQuote ||
                           k == QChar::Punctuation_Open || k == QChar::Punctuation_Close || x == 0x2026 ||
                           isEastAsianSign(x);
                };
                if (isSign(c) && isSign(at(i + 1)) && !(isQuoteLike(c) && isQuoteLike(at(i + 1))))
                    ++evidence.signsInWords;
                const QChar::Category kind = QChar::category(c);
                if ((kind == QChar::Symbol_Currency || kind == QChar::Symbol_Other || kind == QChar::Symbol_Math) &&
                    !inWord && (QChar::isLetter(at(i - 1)) || QChar::isLetter(at(i + 1))) && at(i - 1) < 0x3000)
                    ++evidence.signsInWords;
                if (isImpossible(c))
                    ++evidence.impossible;
                else if (isOddSign(c))
                    evidence.oddSigns += inWord ? 2 : 1;
                else if (QChar::category(c) != QChar::Separator_Space && !joinsWords(c) && inWord)
                    ++evidence.signsInWords;
                else if (QChar::category(c) == QChar::Number_Other &&
                         (QChar::isLetter(at(i - 1)) || QChar::isLetter(at(i + 1))))
                    ++evidence.signsInWords; // z³, ½ur: a superscript or a fraction on a letter
                else if (isEastAsianSign(c))
                    ++evidence.eastAsianSigns;
            }
            ++i;
            continue;
        }
        // A word: letters and marks.
        qsizetype end = i;
        unsigned scripts = 0;
        bool beyondAscii = false, caseBreak = false, allCapitals = true;
        int cased = 0, marksInRow = 0, wordLetters = 0;
        wordBeyondAscii.clear();
        spelled.clear();
        for (; end < n && isWordChar(at(end)); ++end) {
            const char32_t w = at(end);
            scripts |= scriptBits(w);
            beyondAscii = beyondAscii || w >= 0x80;
            if (QChar::isMark(w)) {
                // A mark belongs after a letter, and no letter takes a pile of them.
                ++marksInRow;
                if (end == i || marksInRow > 2 || (marksInRow == 2 && at(end - 1) == w))
                    ++evidence.strayMarks;
                // One that composes with no letter before it is no language's.
                wordBeyondAscii.push_back(w);
                continue;
            }
            marksInRow = 0;
            // ﾞ and ﾟ voice only the kana that have voiced forms (ｶﾞ, ﾊﾟ):
            // elsewhere they are letters of another script read as Shift-JIS.
            if ((w == 0xFF9E || w == 0xFF9F) &&
                QString(QString(QChar(char16_t(end > i ? at(end - 1) : 0))) + QChar(char16_t(w)))
                        .normalized(QString::NormalizationForm_KC)
                        .size() != 1)
                ++evidence.strayMarks;
            ++wordLetters;
            spelled.push_back(alphabetLetter(w));
            if (w >= 0x80 && w != 0xFF9E && w != 0xFF9F) // ﾞ and ﾟ voice the kana before them
                wordBeyondAscii.push_back(alphabetLetter(w));
            if (w >= 0xFF66 && w <= 0xFF9F)
                ++evidence.halfWidthKana;
            if (QChar::isUpper(w)) {
                ++cased;
                caseBreak = caseBreak || (end > i && QChar::isLower(at(end - 1)));
            } else if (QChar::isLower(w)) {
                ++cased;
                allCapitals = false;
            }
        }
        // A word of one letter beyond ASCII is rare in alphabets (à, и), and
        // is what a sign read in another script's code page makes.
        if (wordLetters == 1 && !wordBeyondAscii.empty() && !(scripts & (Han | Kana | Hangul)))
            ++evidence.loneLetters;
        else {
            for (const char32_t letter : wordBeyondAscii)
                ++evidence.letters[letter];
            // A word next to a sign beyond ASCII is spelled too: another code
            // page reads that byte as one of the word's letters («ciao» and
            // Ťciaoť are the same bytes).
            const bool touchesSign =
                (at(i - 1) >= 0x80 && !QChar::isSpace(at(i - 1))) || (at(end) >= 0x80 && !QChar::isSpace(at(end)));
            if ((!wordBeyondAscii.empty() || touchesSign) && !(scripts & (Han | Kana | Hangul | HalfWidthKana)) &&
                evidence.words.size() < kMostWordsSpelled)
                evidence.words.push_back(spelled);
        }
        if (beyondAscii) {
            evidence.mixedWords += scriptsGoTogether(scripts) ? 0 : 1;
            evidence.caseBreaks += caseBreak ? 1 : 0;
            evidence.shouting += allCapitals && cased >= 2 ? 1 : 0;
        }
        i = end;
    }
}

// How far the letters are from any one language the encoding was made for
// (kana read from a Chinese code page are no Chinese): each letter outside its
// alphabet counts 6, each that only its loan words use 3; and the letters of
// the alphabet count by how rare the language's words hold them, as
// Alphabet::weight has it. The language that fits best gives the answer.
// How much better the words are spelled as the language spells than by
// chance: for each pair of its letters, the log of the chance of the second
// after the first over the second's own share. Pairs with a letter the
// language does not write are left out: other scripts stand among its words
// in runs of their own, which tell nothing of the language.
bool isOwnLetter(const Alphabet& alphabet, char32_t c)
{
    return c == U' ' || uset_contains(alphabet.main.get(), UChar32(c)) ||
           (alphabet.auxiliary && uset_contains(alphabet.auxiliary.get(), UChar32(c)));
}

double spellingFit(const Alphabet& alphabet, const std::vector<std::u32string>& words)
{
    const Spelling& spelling = alphabet.spelling;
    if (spelling.pairs.isEmpty())
        return 0;
    const double symbols = spelling.letters + spelling.words + 0.5 * (spelling.all.size() + 1);
    const auto share = [&](char32_t c) {
        return ((c == U' ' ? spelling.words : spelling.all.value(c)) + 0.5) / symbols;
    };
    double fit = 0;
    for (const std::u32string& word : words) {
        char32_t before = U' ';
        for (std::size_t i = 0; i <= word.size(); ++i) {
            const char32_t c = i < word.size() ? word[i] : U' ';
            if (isOwnLetter(alphabet, c) && isOwnLetter(alphabet, before)) {
                const int firsts = spelling.firsts.value(before);
                if (firsts > 0)
                    fit += std::log(kShownPairs * spelling.pairs.value(pairKey(before, c)) / firsts / share(c) +
                                    (1 - kShownPairs));
            }
            before = c;
        }
    }
    return fit;
}

double languageDistance(const Evidence& evidence, TextEncoding encoding, bool spelled = true)
{
    const QHash<char32_t, int>& letters = evidence.letters;
    if (letters.isEmpty())
        return 0;
    int all = 0;
    for (auto it = letters.cbegin(); it != letters.cend(); ++it)
        all += it.value();
    double best = 6.0 * all;
    for (const QByteArray& language : languagesFor(encoding)) {
        const Alphabet* const alphabet = alphabetOf(language);
        if (!alphabet)
            continue;
        double distance = spelled ? -kSpellingWeight * spellingFit(*alphabet, evidence.words) : 0.0;
        if (spelled && evidence.plain)
            distance += kPlainWordsWeight * evidence.plain->worseThanBest(language);
        for (auto it = letters.cbegin(); it != letters.cend() && distance < best; ++it) {
            const bool main = uset_contains(alphabet->main.get(), UChar32(it.key()));
            const bool loan =
                !main && alphabet->auxiliary && uset_contains(alphabet->auxiliary.get(), UChar32(it.key()));
            if (!main && !loan) {
                // Of the tens of thousands of Han characters, a word list
                // holds many that no exemplar set has (檸檬).
                distance += (QChar::script(it.key()) == QChar::Script_Han ? 2.0 : 6.0) * it.value();
                continue;
            }
            distance += (loan ? 3.0 : 0.0) * it.value();
            if (!alphabet->weight.isEmpty())
                distance -= kLetterWeight * alphabet->weight.value(it.key(), alphabet->unseen) * it.value();
        }
        best = std::min(best, distance);
    }
    return best;
}

// --- The detectors ---------------------------------------------------------------

std::optional<TextEncoding> uchardetPick(QByteArrayView sample)
{
    // A new detector each time: uchardet_reset (0.0.7) leaves state behind,
    // so that earlier files swayed the pick.
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(uchardet_new(),
                                                                                            uchardet_delete);
    if (!detector)
        return std::nullopt;
    if (uchardet_handle_data(detector.get(), sample.data(), std::size_t(sample.size())) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    return encodingForDetectorName(QByteArrayView(uchardet_get_charset(detector.get())));
}

// ICU's confidence, 0 to 100, in each candidate.
template <typename Confidences> void icuConfidences(QByteArrayView sample, Confidences&& confidences)
{
    // A new detector each time, as for uchardet: no file sways the next.
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCharsetDetector, void (*)(UCharsetDetector*)> detector(ucsdet_open(&status), ucsdet_close);
    if (!detector || U_FAILURE(status))
        return;
    status = U_ZERO_ERROR;
    ucsdet_setText(detector.get(), sample.data(), static_cast<int32_t>(sample.size()), &status);
    int32_t count = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &status);
    if (U_FAILURE(status))
        return;
    for (int32_t i = 0; i < count; ++i) {
        const char* name = ucsdet_getName(matches[i], &status);
        const int32_t confidence = ucsdet_getConfidence(matches[i], &status);
        if (U_FAILURE(status))
            return;
        if (const std::optional<TextEncoding> encoding = encodingForDetectorName(QByteArrayView(name)))
            confidences(*encoding, int(confidence));
    }
}

// --- The score -------------------------------------------------------------------

struct Candidate {
    TextEncoding encoding;
    Evidence evidence;
    double letterDistance = 0; // languageDistance without the spelling
    int uchardet = 0;          // 1 when uchardet picks it
    int icu = 0;               // ICU's confidence
    double score = 0;

    bool readsSample() const { return evidence.badLines == 0 && evidence.impossible == 0; }
};

// What the detectors add to a reading they support: at most
// kDetectorPoints.
constexpr double kUchardetPoints = 4.0;
constexpr double kIcuPointsPerConfidence = 0.1; // ICU's confidence is 0 to 100
constexpr double kDetectorPoints = kUchardetPoints + 100 * kIcuPointsPerConfidence;

double detectorPoints(const Candidate& c)
{
    return kUchardetPoints * c.uchardet + kIcuPointsPerConfidence * c.icu;
}

// The score of what the reading itself shows.
double ownScore(const Candidate& c)
{
    const Evidence& e = c.evidence;
    // East Asian punctuation without an East Asian letter is a sign out of place.
    bool eastAsian = false;
    for (auto it = e.letters.cbegin(); it != e.letters.cend() && !eastAsian; ++it)
        eastAsian = (scriptBits(it.key()) & (Han | Kana | Hangul)) != 0;
    const int oddSigns = e.oddSigns + (eastAsian ? 0 : e.eastAsianSigns);
    // A code page made for another script, read as none of its letters: the
    // same bytes are signs of a Latin one (€ and ₪ are one byte).
    bool otherScript = false;
    for (auto it = e.letters.cbegin(); it != e.letters.cend() && !otherScript; ++it)
        otherScript = scriptBits(it.key()) != Latin && QChar::isLetter(it.key());
    const double unmade = !hasLatinLetters(c.encoding) && c.encoding != TextEncoding::Utf8 && !otherScript ? 5.0 : 0.0;
    // A character of several bytes that UTF-8 reads is rare by chance in any
    // other encoding: each is evidence for a damaged UTF-8 file.
    double utf8 = 0;
    if (c.encoding == TextEncoding::Utf8)
        for (const QChar x : e.text)
            utf8 += x.unicode() >= 0x80 && x.unicode() != 0xFFFD && !x.isLowSurrogate() ? 10.0 : 0.0;
    return utf8 - unmade - 1000.0 * e.impossible - 20.0 * e.badLines - 20.0 * e.mixedWords - 20.0 * e.strayMarks -
           8.0 * e.caseBreaks - 4.0 * e.loneLetters - 0.5 * e.halfWidthKana - 2.0 * e.shouting - 15.0 * e.signsInWords -
           20.0 * oddSigns - languageDistance(e, c.encoding);
}

// What no natural writing holds, for each line the reading decodes: more than
// kMostFlawsPerLine, and the best reading of the bytes is no text.
double flaws(const Evidence& e)
{
    return 20.0 * (e.mixedWords + e.strayMarks + e.oddSigns) + 15.0 * e.signsInWords + 8.0 * e.caseBreaks;
}

double flawsPerLine(const Candidate& c)
{
    return flaws(c.evidence) / std::max(1, c.evidence.goodLines);
}

constexpr double kMostFlawsPerLine = 10;

// A stateless decoder of `encoding` (UTF-8 for the Unicode ones), kept for
// the thread: opening an ICU converter costs more than a short list's reading.
// `remake` after an error: Qt 6.4 keeps a failed decoder's error flag on, and
// loses an ICU decoder's reports once it is moved, so it is made in place.
QStringDecoder& decoderOf(TextEncoding encoding, bool remake = false)
{
    thread_local std::array<std::optional<QStringDecoder>, 32> decoders;
    std::optional<QStringDecoder>& decoder = decoders.at(std::size_t(encoding));
    if (!decoder || remake) {
        if (const char* name = icuName(encoding))
            decoder.emplace(name, QStringConverter::Flag::Stateless);
        else
            decoder.emplace(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    }
    return *decoder;
}

// Reads each sample line in the candidate's encoding, until the reading can
// no longer be text or a damaged file's (the reader has no use for the rest).
void readSample(const std::vector<QByteArrayView>& sample, Candidate& candidate)
{
    Evidence& evidence = candidate.evidence;
    const auto lines = int(sample.size());
    const bool multiByte = isMultiByte(candidate.encoding);
    for (const QByteArrayView line : sample) {
        QStringDecoder& decoder = decoderOf(candidate.encoding);
        const QString text = decoder.decode(line);
        if (decoder.hasError()) {
            ++evidence.badLines;
            evidence.text += u'\uFFFD';
            decoderOf(candidate.encoding, true);
            if (!multiByte || 2 * evidence.badLines >= lines)
                return;
            continue;
        }
        ++evidence.goodLines;
        examine(text, evidence);
        evidence.text += text;
        evidence.text += u'\n';
        if (evidence.impossible > 0 || flaws(evidence) > kMostFlawsPerLine * lines)
            return;
    }
}

// A reading that is text: it decodes the whole sample, with few flaws.
bool isText(const Candidate& c)
{
    return c.readsSample() && flawsPerLine(c) <= kMostFlawsPerLine;
}

// A multi-byte encoding's reading that decodes more of the sample's lines
// than it fails on: the file is in it, damaged.
bool isDamaged(const Candidate& c)
{
    return isMultiByte(c.encoding) && c.evidence.impossible == 0 && c.evidence.badLines > 0 &&
           c.evidence.goodLines > c.evidence.badLines;
}

// Whether a detector that names `named` supports `other`: it reads the same
// letters, and a detector judges letters. ISO-8859-13's pick is
// Windows-1257's too, which reads its C1 controls as quotes and €, and
// KOI8-R's is KOI8-U's, whose і is a box-drawing sign in KOI8-R.
bool supports(const Candidate& named, const Candidate& other)
{
    const QString& a = named.evidence.text;
    const QString& b = other.evidence.text;
    if (&named == &other)
        return true;
    if (a.size() != b.size() || named.evidence.badLines > 0)
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i].isLetter())
            return false;
    return true;
}

// uchardet's pick and ICU's confidences, given to the candidates they support.
void askDetectors(const std::vector<QByteArrayView>& sample, std::vector<Candidate>& candidates)
{
    QByteArray joined;
    for (const QByteArrayView line : sample) {
        joined += line;
        joined += "\r\n";
    }
    const auto supportAll = [&](TextEncoding encoding, auto&& give) {
        for (const Candidate& named : candidates)
            if (named.encoding == encoding)
                for (Candidate& candidate : candidates)
                    if (supports(named, candidate))
                        give(candidate);
    };
    if (const std::optional<TextEncoding> picked = uchardetPick(joined))
        supportAll(*picked, [](Candidate& candidate) { candidate.uchardet = 1; });
    icuConfidences(joined, [&](TextEncoding encoding, int confidence) {
        supportAll(encoding,
                   [confidence](Candidate& candidate) { candidate.icu = std::max(candidate.icu, confidence); });
    });
}

bool isAsciiLetter(unsigned char c)
{
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

// The plain words of the first lines of the file. A word next to a byte
// beyond ASCII is left out: it is part of a word with other letters, or the
// trail of a multi-byte character. No candidate has a comma as a trail byte,
// so the columns are the same in every reading.
PlainWords plainWordsOf(QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(std::min(bytes.size(), 4 * kSampleBytes));
    const char unit = head.contains('\r') ? '\r' : '\n';
    std::array<std::vector<std::u32string>, 2> columns;
    std::array<bool, 2> beyondAscii{false, false};
    for (qsizetype start = 0; start < head.size();) {
        qsizetype end = head.indexOf(unit, start);
        if (end < 0)
            end = head.size();
        const QByteArrayView line = head.sliced(start, end - start);
        start = end + 1;
        const qsizetype comma = line.indexOf(',');
        const auto at = [&](qsizetype i) {
            return i >= 0 && i < line.size() ? static_cast<unsigned char>(line[i]) : 0;
        };
        for (qsizetype i = 0; i < line.size();) {
            const std::size_t column = comma >= 0 && i > comma ? 1 : 0;
            beyondAscii[column] = beyondAscii[column] || at(i) >= 0x80;
            if (!isAsciiLetter(at(i))) {
                ++i;
                continue;
            }
            std::u32string word;
            qsizetype after = i;
            for (; isAsciiLetter(at(after)); ++after)
                word.push_back(char32_t(at(after) | 0x20));
            if (at(i - 1) < 0x80 && at(after) < 0x80 && columns[column].size() < kMostWordsSpelled)
                columns[column].push_back(std::move(word));
            i = after;
        }
    }
    PlainWords plain;
    for (std::size_t column = 0; column < columns.size(); ++column)
        if (beyondAscii[column])
            plain.words.insert(plain.words.end(), columns[column].begin(), columns[column].end());
    return plain;
}

void PlainWords::fit(const QByteArray& language)
{
    const Alphabet* const alphabet = alphabetOf(language);
    if (fits.contains(language) || !alphabet || !uset_contains(alphabet->main.get(), U'a'))
        return;
    const double fitted = spellingFit(*alphabet, words);
    best = fits.isEmpty() ? fitted : std::max(best, fitted);
    fits.insert(language, fitted);
}

} // namespace

EncodingChoice chooseEncoding(QByteArrayView bytes)
{
    static const std::optional<TextEncoding> system = [] {
        const std::optional<unsigned> codePage = systemCodePage();
        return codePage ? encodingOfCodePage(*codePage) : std::nullopt;
    }();
    return chooseEncoding(bytes, system);
}

EncodingChoice chooseEncoding(QByteArrayView bytes, std::optional<TextEncoding> preferred)
{
    const std::vector<QByteArrayView> sample = sampleOf(bytes);
    std::vector<Candidate> candidates;
    candidates.push_back({TextEncoding::Utf8, {}});
    if (preferred)
        candidates.push_back({*preferred, {}});
    for (const TextEncoding encoding : legacyEncodings())
        if (encoding != preferred)
            candidates.push_back({encoding, {}});
    const auto eligible = [](const Candidate& c) { return isText(c) || isDamaged(c); };
    // Only an eligible reading is scored: the alphabets of the languages of the
    // others are never needed. The plain words are weighed against the best
    // language of any reading, so every reading is made before any is scored.
    PlainWords plain = plainWordsOf(bytes);
    for (Candidate& candidate : candidates) {
        readSample(sample, candidate);
        if (eligible(candidate) && !isMultiByte(candidate.encoding))
            for (const QByteArray& language : languagesFor(candidate.encoding))
                plain.fit(language);
    }
    for (Candidate& candidate : candidates) {
        if (eligible(candidate)) {
            if (!isMultiByte(candidate.encoding))
                candidate.evidence.plain = &plain;
            candidate.score = ownScore(candidate);
            candidate.letterDistance = languageDistance(candidate.evidence, candidate.encoding, false);
        }
    }
    // Readings of the same text whose languages write its letters as well are
    // one choice, though the spelling of one code page's languages fits the
    // words better (é of café is French and Czech alike): each scores as the
    // best of them, and the order of the candidates, the system's code page
    // first, settles it.
    const auto shareScores = [&] {
        for (Candidate& candidate : candidates)
            for (const Candidate& other : candidates)
                if (eligible(candidate) && eligible(other) && other.score > candidate.score &&
                    candidate.letterDistance <= other.letterDistance && candidate.evidence.text == other.evidence.text)
                    candidate.score = other.score;
    };
    shareScores();
    // The best eligible reading, the first in the order of the candidates
    // among equals.
    const auto best = [&] {
        const Candidate* found = nullptr;
        for (const Candidate& candidate : candidates)
            if (eligible(candidate) && (!found || candidate.score > found->score))
                found = &candidate;
        return found;
    };
    // The detectors are asked only when their points could change the choice:
    // a large file mostly reads clearly without them, and asking them costs
    // more than reading the sample.
    const Candidate* leader = best();
    bool close = false;
    for (const Candidate& candidate : candidates)
        close = close || (leader && &candidate != leader && eligible(candidate) &&
                          candidate.evidence.text != leader->evidence.text &&
                          candidate.score + kDetectorPoints >= leader->score);
    if (close) {
        askDetectors(sample, candidates);
        for (Candidate& candidate : candidates)
            candidate.score += detectorPoints(candidate);
        shareScores();
    }
    const Candidate* chosen = best();
    if (!chosen)
        return {EncodingChoice::Kind::NotText, TextEncoding::Utf8};
    return {isText(*chosen) ? EncodingChoice::Kind::Text : EncodingChoice::Kind::Damaged, chosen->encoding};
}

} // namespace quizfile
