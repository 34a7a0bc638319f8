// Short quiz lists made of real words, written in each code page their
// language is written in and read back as quiz files; scripts/encoding-eval
// gathers the words and runs this. Prints, for each language and code page and
// overall, the share read exactly, refused, and read wrongly without a
// message, beside uchardet alone on the same bytes.
//
//   encoding_eval --words DIR [--seed N] [--lists N] [--write-sample FILE]
//   encoding_eval --read FILE     the choice made for one file
//
// DIR holds LANG.words (a word a line, UTF-8; en.words gives the meanings)
// and ja.pairs (word TAB meaning). --write-sample writes every list made, in
// the form tests/data/encoding-sample.txt has.

#include "quizfile/QuizFileReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <uchardet/uchardet.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct Language {
    const char* code;
    std::vector<const char*> codePages; // ICU names, as Windows and the other systems write them
    const char* open;                   // the language's quotes
    const char* close;
    const char* money; // a price as the language writes it; %1 is the number
};

// Each language in the code pages its lists come in.
const Language kLanguages[] = {
    {"fr", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "« ", " »", "%1 €"},
    {"de", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "„", "“", "%1 €"},
    {"es", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "«", "»", "%1 €"},
    {"pt", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "“", "”", "%1 €"},
    {"it", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "«", "»", "€ %1"},
    {"nl", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "‘", "’", "€ %1"},
    {"sv", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "”", "”", "%1 kr"},
    {"da", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "»", "«", "%1 kr."},
    {"nb", {"windows-1252", "ISO-8859-1", "ISO-8859-15"}, "«", "»", "kr %1"},
    {"cs", {"windows-1250", "ISO-8859-2"}, "„", "“", "%1 Kč"},
    {"sk", {"windows-1250", "ISO-8859-2"}, "„", "“", "%1 €"},
    {"pl", {"windows-1250", "ISO-8859-2"}, "„", "”", "%1 zł"},
    {"hu", {"windows-1250", "ISO-8859-2"}, "„", "”", "%1 Ft"},
    {"sl", {"windows-1250", "ISO-8859-2"}, "„", "“", "%1 €"},
    {"hr", {"windows-1250", "ISO-8859-2"}, "„", "“", "%1 €"},
    {"ro", {"windows-1250", "ISO-8859-2"}, "„", "”", "%1 lei"},
    {"ru", {"windows-1251", "KOI8-R", "ISO-8859-5"}, "«", "»", "%1 руб."},
    {"uk", {"windows-1251", "KOI8-U"}, "«", "»", "%1 грн"},
    {"bg", {"windows-1251", "ISO-8859-5"}, "„", "“", "%1 лв."},
    {"el", {"windows-1253", "ISO-8859-7"}, "«", "»", "%1 €"},
    {"tr", {"windows-1254", "ISO-8859-9"}, "“", "”", "%1 TL"},
    {"he", {"windows-1255", "ISO-8859-8"}, "\"", "\"", "%1 ₪"},
    {"ar", {"windows-1256"}, "«", "»", "%1 ريال"},
    {"lt", {"windows-1257", "ISO-8859-13"}, "„", "“", "%1 €"},
    {"lv", {"windows-1257", "ISO-8859-13"}, "«", "»", "%1 €"},
    {"et", {"windows-1257", "ISO-8859-13"}, "„", "“", "%1 €"},
    {"vi", {"windows-1258"}, "“", "”", "%1 ₫"},
    {"th", {"windows-874", "TIS-620"}, "“", "”", "%1 บาท"},
    {"ja", {"windows-31j", "EUC-JP"}, "「", "」", "%1円"},
    {"zh", {"GBK"}, "“", "”", "%1元"},
    {"zh_Hant", {"windows-950"}, "「", "」", "%1元"},
    {"ko", {"windows-949", "EUC-KR"}, "“", "”", "%1원"},
};

// The same draws on every system: the engine is fully specified, and the
// numbers are taken from it without a library distribution.
struct Draws {
    std::mt19937_64 engine;
    int below(int n) { return int(engine() % std::uint64_t(n)); }
};

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // hunspell-ko holds its words as conjoining jamo: composed, they are the
    // syllables that Korean text holds.
    return QString::fromUtf8(file.readAll()).normalized(QString::NormalizationForm_C).split(u'\n', Qt::SkipEmptyParts);
}

bool encodes(const QString& text, const char* codePage, QByteArray* out = nullptr)
{
    QStringEncoder encoder(codePage, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QStringDecoder decoder(codePage, QStringConverter::Flag::Stateless);
    if (QString(decoder.decode(bytes)) != text || decoder.hasError())
        return false;
    if (out)
        *out = bytes;
    return true;
}

// Windows-1258 writes Vietnamese tones as combining marks after the letter:
// the text as that code page holds it.
QString asCodePageHoldsIt(const QString& text, const char* codePage)
{
    if (QByteArrayView(codePage) != "windows-1258")
        return text;
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString held;
    for (const QChar c : decomposed) {
        if (c.isMark() && !held.isEmpty()) {
            const QString composed = (QString(held.back()) + c).normalized(QString::NormalizationForm_C);
            if (composed.size() == 1 && encodes(composed, codePage)) {
                held.back() = composed.front();
                continue;
            }
        }
        held += c;
    }
    return held;
}

struct Pair {
    QString word, meaning;
};

struct Source {
    QStringList words;       // of the language
    std::vector<Pair> pairs; // where the meanings come with the words
};

// One line: the word and its meaning, at times with the language's quotes, a
// dash, or a price.
QString lineOf(const Language& language, const Source& source, const QStringList& english, Draws& draws,
               bool meaningFirst, const char* codePage)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        QString word, meaning;
        if (!source.pairs.empty()) {
            const Pair& pair = source.pairs[std::size_t(draws.below(int(source.pairs.size())))];
            word = pair.word;
            meaning = pair.meaning;
        } else {
            word = source.words[draws.below(int(source.words.size()))];
            meaning = english[draws.below(int(english.size()))];
        }
        switch (draws.below(8)) {
        case 0:
            word = QString::fromUtf8(language.open) + word + QString::fromUtf8(language.close);
            break;
        case 1:
            word += QStringLiteral(" – ") +
                    (source.pairs.empty() ? source.words[draws.below(int(source.words.size()))]
                                          : source.pairs[std::size_t(draws.below(int(source.pairs.size())))].word);
            break;
        case 2:
            meaning += QStringLiteral(", ") + QString::fromUtf8(language.money).arg(1 + draws.below(99));
            break;
        default:
            break;
        }
        const auto field = [](const QString& text) { return text.contains(u',') ? u'"' + text + u'"' : text; };
        const QString line = meaningFirst ? field(meaning) + u',' + word : field(word) + u',' + meaning;
        if (line.contains(u'"') && line.count(u'"') % 2 != 0)
            continue;
        const QString held = asCodePageHoldsIt(line, codePage);
        if (encodes(held, codePage))
            return held;
    }
    return {};
}

enum class Outcome { Exact, Refused, Wrong };

struct Tally {
    int lists = 0, exact = 0, refused = 0, wrong = 0;
    void count(Outcome outcome)
    {
        ++lists;
        exact += outcome == Outcome::Exact ? 1 : 0;
        refused += outcome == Outcome::Refused ? 1 : 0;
        wrong += outcome == Outcome::Wrong ? 1 : 0;
    }
    void add(const Tally& other)
    {
        lists += other.lists;
        exact += other.exact;
        refused += other.refused;
        wrong += other.wrong;
    }
    double share(int n) const { return lists ? 100.0 * n / lists : 0; }
};

Outcome pondera(const QByteArray& bytes, const QString& text)
{
    const quizfile::ReadResult result = quizfile::readQuizBytes(bytes);
    if (!result.ok())
        return Outcome::Refused;
    return result.items == quizfile::readQuizText(text).items ? Outcome::Exact : Outcome::Wrong;
}

Outcome uchardetAlone(const QByteArray& bytes, const QString& text)
{
    uchardet_t detector = uchardet_new();
    uchardet_handle_data(detector, bytes.data(), std::size_t(bytes.size()));
    uchardet_data_end(detector);
    const QByteArray name(uchardet_get_charset(detector));
    uchardet_delete(detector);
    if (name.isEmpty())
        return Outcome::Refused;
    // Named as ICU knows it, where ICU's name differs (UHC is code page 949).
    const std::optional<quizfile::TextEncoding> known = quizfile::encodingForDetectorName(name);
    const char* icu = QStringDecoder(name.constData()).isValid() || !known || !quizfile::icuName(*known)
                          ? name.constData()
                          : quizfile::icuName(*known);
    QStringDecoder decoder(QByteArrayView(name) == "ASCII" ? "UTF-8" : icu, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return Outcome::Refused;
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return Outcome::Refused;
    return quizfile::readQuizText(decoded).items == quizfile::readQuizText(text).items ? Outcome::Exact
                                                                                       : Outcome::Wrong;
}

void printRow(const std::string& name, const Tally& ours, const Tally& theirs)
{
    std::printf("%-26s %5d  %6.1f %% %5d %5d  | %6.1f %% %5d %5d\n", name.c_str(), ours.lists, ours.share(ours.exact),
                ours.refused, ours.wrong, theirs.share(theirs.exact), theirs.refused, theirs.wrong);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString wordsDir, samplePath;
    std::uint64_t seed = 1;
    int listsEach = 50;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--words"))
            wordsDir = args[i + 1];
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toULongLong();
        else if (args[i] == QLatin1String("--lists"))
            listsEach = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--write-sample"))
            samplePath = args[i + 1];
        else if (args[i] == QLatin1String("--read")) {
            // One file's choice, to look into a miss.
            QFile file(args[i + 1]);
            if (!file.open(QIODevice::ReadOnly))
                return 2;
            const quizfile::ReadResult result = quizfile::readQuizBytes(file.readAll());
            std::printf("%s%s\n", quizfile::displayName(result.encoding).latin1(),
                        result.error ? qPrintable(u' ' + result.error->message) : "");
            return 0;
        }
    }
    const QStringList english = readLines(wordsDir + QLatin1String("/en.words"));
    if (english.isEmpty()) {
        std::fprintf(stderr, "encoding_eval: no words in %s\n", qPrintable(wordsDir));
        return 2;
    }
    QFile sampleFile(samplePath);
    if (!samplePath.isEmpty() && !sampleFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "encoding_eval: cannot write %s\n", qPrintable(samplePath));
        return 2;
    }
    if (sampleFile.isOpen())
        sampleFile.write(
            QStringLiteral("# Lists of scripts/encoding-eval %1 %2: words of Debian's hunspell dictionaries, "
                           "edict, friso-dict, rime-data-luna-pinyin and hunspell-ko; a list a block, "
                           "after its language and code page, with LF for its CR LF.\n")
                .arg(seed)
                .arg(listsEach)
                .toUtf8());
    Draws draws{std::mt19937_64(seed)};
    std::map<std::string, Tally> ours, theirs;
    Tally allOurs, allTheirs, longOurs, longTheirs;
    std::vector<std::string> order;
    for (const Language& language : kLanguages) {
        Source source;
        if (QByteArrayView(language.code) == "ja") {
            for (const QString& line : readLines(wordsDir + QLatin1String("/ja.pairs"))) {
                const qsizetype tab = line.indexOf(u'\t');
                if (tab > 0)
                    source.pairs.push_back({line.left(tab), line.mid(tab + 1).trimmed()});
            }
        } else {
            source.words = readLines(wordsDir + u'/' + QLatin1String(language.code) + QLatin1String(".words"));
        }
        if (source.words.isEmpty() && source.pairs.empty()) {
            std::fprintf(stderr, "encoding_eval: no words for %s\n", language.code);
            continue;
        }
        for (const char* codePage : language.codePages) {
            const std::string row = std::string(language.code) + " " + codePage;
            order.push_back(row);
            for (int n = 0; n < listsEach; ++n) {
                const int lines = 4 + draws.below(17);
                const bool meaningFirst = draws.below(2) == 0;
                QString text;
                for (int i = 0; i < lines; ++i) {
                    const QString line = lineOf(language, source, english, draws, meaningFirst, codePage);
                    if (!line.isEmpty())
                        text += line + QStringLiteral("\r\n");
                }
                QByteArray bytes;
                if (!encodes(text, codePage, &bytes))
                    continue;
                const Outcome a = pondera(bytes, text);
                const Outcome b = uchardetAlone(bytes, text);
                ours[row].count(a);
                theirs[row].count(b);
                allOurs.count(a);
                allTheirs.count(b);
                if (lines >= 10) {
                    longOurs.count(a);
                    longTheirs.count(b);
                }
                if (a != Outcome::Exact && qEnvironmentVariableIsSet("ENCODING_EVAL_MISSES")) {
                    const quizfile::ReadResult result = quizfile::readQuizBytes(bytes);
                    std::printf("-- %s: %s as %s%s\n%s", row.c_str(), a == Outcome::Wrong ? "wrong" : "refused",
                                quizfile::displayName(result.encoding).latin1(),
                                result.error ? qPrintable(u' ' + result.error->message) : "", qPrintable(text));
                }
                if (sampleFile.isOpen())
                    sampleFile.write("## " + QByteArray(language.code) + ' ' + codePage + '\n' +
                                     text.toUtf8().replace("\r\n", "\n") + '\n');
            }
        }
    }
    std::printf("%-26s %5s  %8s %5s %5s  | %8s %5s %5s\n", "language, code page", "lists", "Pondera", "refus", "wrong",
                "uchardet", "refus", "wrong");
    for (const std::string& row : order)
        printRow(row, ours[row], theirs[row]);
    printRow("all", allOurs, allTheirs);
    printRow("lists of 10 lines or more", longOurs, longTheirs);
    const auto worst = [&](std::map<std::string, Tally>& tallies) {
        std::pair<double, std::string> found{100, ""};
        for (const std::string& row : order)
            found = std::min(found, {tallies[row].share(tallies[row].exact), row});
        return found;
    };
    const auto summary = [&](const char* who, const Tally& all, const Tally& longer,
                             std::map<std::string, Tally>& tallies) {
        const auto [share, row] = worst(tallies);
        std::printf("  %s: %.2f %% exact, %.2f %% wrong without a message, 10+ lines %.2f %% exact, worst %s %.1f %%\n",
                    who, all.share(all.exact), all.share(all.wrong), longer.share(longer.exact), row.c_str(), share);
    };
    std::printf("seed %llu, %d lists:\n", static_cast<unsigned long long>(seed), allOurs.lists);
    summary("Pondera ", allOurs, longOurs, ours);
    summary("uchardet", allTheirs, longTheirs, theirs);
    return 0;
}
