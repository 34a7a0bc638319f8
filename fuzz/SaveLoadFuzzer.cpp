// libFuzzer target for the round trip of a report list: any text a list can
// hold is saved the way the Save button saves it (resultfiles::writeList, into
// a temporary folder) and loaded back the way the Load button loads it. The
// load must give exactly what reading the list's own text and the final CR LF
// gives: the same items and the same error on the same line. The save may
// only refuse a text that UTF-8 cannot hold, and then with a message.
// Anything else aborts.
//
// The first byte of an input says whether the file gets a byte order mark (as
// after a quiz that was not UTF-8) and how the rest becomes text: as Latin-1
// (every byte a character: commas, quotes and breaks come often), as UTF-8
// (invalid sequences become U+FFFD), or as UTF-16 code units (any text at
// all, half surrogate pairs included).

#include "FuzzCheck.h"

#include "quizfile/QuizFile.h"
#include "quizfile/QuizFileReader.h"
#include "report/ResultFiles.h"

#include <QByteArrayView>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString listText(QByteArrayView input)
{
    const QByteArrayView rest = input.sliced(1);
    switch (static_cast<unsigned char>(input[0]) % 3) {
    case 0:
        return QString::fromLatin1(rest);
    case 1:
        return QString::fromUtf8(rest);
    default:
        return QString(reinterpret_cast<const QChar*>(rest.data()), rest.size() / 2);
    }
}

bool hasHalfACharacter(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

// A folder in memory where there is one: every save syncs its file.
QString folder()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/pondera-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/pondera-fuzz-XXXXXX"));
    FUZZ_CHECK(dir.isValid());
    return dir.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    try {
        const QString list = listText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
        const QString path = folder() + QStringLiteral("/words-ReadAgain.csv");
        // The byte order mark that follows a quiz that was not UTF-8.
        const bool withMark = (data[0] / 3) % 2 != 0;
        const std::optional<QString> refused = resultfiles::writeList(path, list, withMark);
        if (refused) {
            FUZZ_CHECK(hasHalfACharacter(list));
            FUZZ_CHECK(!refused->isEmpty() && !refused->contains(u'\n'));
            return 0;
        }
        FUZZ_CHECK(!hasHalfACharacter(list));

        // The file is the list and one CR LF; the CR keeps a lone LF in its line.
        const quizfile::ReadResult expected = quizfile::readQuizText(list + QStringLiteral("\r\n"));
        const quizfile::ReadResult loaded = quizfile::loadQuizFile(path);
        FUZZ_CHECK(loaded.items == expected.items);
        FUZZ_CHECK(loaded.error.has_value() == expected.error.has_value());
        if (loaded.error) {
            FUZZ_CHECK(loaded.error->kind == expected.error->kind);
            FUZZ_CHECK(loaded.error->line == expected.error->line);
            FUZZ_CHECK(loaded.error->message == expected.error->message);
        }
        FUZZ_CHECK(loaded.encoding == (withMark || list.startsWith(QChar(0xFEFF)) ? quizfile::TextEncoding::Utf8WithBom
                                                                                  : quizfile::TextEncoding::Utf8));
    } catch (...) {
        std::fprintf(stderr, "an exception left the save or the load\n");
        std::abort();
    }
    return 0;
}
