#include "toolkit/FileNames.h"

#include <gtest/gtest.h>

#include <QUrl>

namespace {

// Every name maps back to its bytes; valid UTF-8 reads as the text it is, and
// each other byte shows as one replacement character.
TEST(FileNames, NamesMapBackToTheirBytes)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: names are bytes there; Windows names are UTF-16 and reach the wide calls as they are";
#else
    const struct {
        QByteArray native;
        QString shown;
    } rows[] = {
        {"/tmp/words.csv", QStringLiteral("/tmp/words.csv")},
        {"/tmp/\xE3\x81\xB2\xE3\x82\x89.csv", QStringLiteral("/tmp/ひら.csv")},
        {"/tmp/caf\xE9.csv", QStringLiteral("/tmp/caf\uFFFD.csv")},                              // Latin-1
        {"/tmp/\x83\x65\x83\x58\x83\x67.csv", QStringLiteral("/tmp/\uFFFDe\uFFFDX\uFFFDg.csv")}, // Shift-JIS
        {"\xF0\x9F\x98\x80\xFF", QStringLiteral("\U0001F600\uFFFD")},
        {"\xEF\xBB\xBF"
         "bom",
         QStringLiteral("\uFEFFbom")},
        {"\xED\xB3\xA9", QStringLiteral("\uFFFD\uFFFD\uFFFD")}, // an encoded surrogate is no UTF-8
        {"\xC0\xAF", QStringLiteral("\uFFFD\uFFFD")},           // nor an overlong form
        {"\xE3\x81", QStringLiteral("\uFFFD\uFFFD")},           // nor a sequence cut short
        {"", QString()},
    };
    for (const auto& row : rows) {
        const QString name = filenames::decode(row.native);
        EXPECT_EQ(filenames::encode(name), row.native) << row.native.toHex().toStdString();
        EXPECT_EQ(filenames::display(name), row.shown) << row.native.toHex().toStdString();
    }
    EXPECT_EQ(filenames::encode(QStringLiteral("\U0001F600")), "\xF0\x9F\x98\x80");
#endif
}

TEST(FileNames, LocalAddressesGiveTheirFilesBytes)
{
#ifdef Q_OS_WIN
    // Windows: an address gives its file's name as Qt reads it.
    const struct {
        const char* url;
        QString name; // empty: no local file
    } rows[] = {
        {"file:///C:/tmp/caf%C3%A9.csv", QStringLiteral("C:/tmp/café.csv")},
        {"file:///C:/tmp/a%20b.csv", QStringLiteral("C:/tmp/a b.csv")},
        {"file://server/share/x.csv", QStringLiteral("//server/share/x.csv")},
        {"https://example.org/x.csv", QString()},
    };
    for (const auto& row : rows)
        EXPECT_EQ(filenames::fromUrl(QUrl::fromEncoded(row.url)), row.name) << row.url;
#else
    const struct {
        const char* url;
        QByteArray native; // empty: no local file
    } rows[] = {
        {"file:///tmp/caf%E9.csv", "/tmp/caf\xE9.csv"},
        {"file:///tmp/%E3%81%B2.csv", "/tmp/\xE3\x81\xB2.csv"},
        {"file:///tmp/a%20b.csv", "/tmp/a b.csv"},
        {"file://server/share/x.csv", "//server/share/x.csv"},
        {"https://example.org/x.csv", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(filenames::encode(filenames::fromUrl(QUrl::fromEncoded(row.url))), row.native) << row.url;
#endif
}

// A name is absolute as the system reads it; anything else is taken from the
// working folder, nothing resolved or cleaned.
TEST(FileNames, AbsoluteAsTheSystemReadsIt)
{
    const QString here = filenames::currentFolder();
    ASSERT_FALSE(here.isEmpty());
#ifdef Q_OS_WIN
    const QString separator = QStringLiteral("\\");
    ASSERT_EQ(here.at(1), u':') << "a drive letter";
    const struct {
        QString name;
        QString absolute;
    } rows[] = {
        {QStringLiteral("C:\\quizzes\\words.csv"), QStringLiteral("C:\\quizzes\\words.csv")},
        {QStringLiteral("d:/quizzes/words.csv"), QStringLiteral("d:/quizzes/words.csv")},
        {QStringLiteral("\\\\server\\share\\words.csv"), QStringLiteral("\\\\server\\share\\words.csv")},
        {QStringLiteral("//server/share/words.csv"), QStringLiteral("//server/share/words.csv")},
        {QStringLiteral("C:words.csv"), QStringLiteral("C:words.csv")}, // that drive's own working folder
        {QStringLiteral("\\quizzes\\words.csv"), here.left(2) + QStringLiteral("\\quizzes\\words.csv")},
        {QStringLiteral("/quizzes/words.csv"), here.left(2) + QStringLiteral("/quizzes/words.csv")},
#else
    const QString separator = QStringLiteral("/");
    const struct {
        QString name;
        QString absolute;
    } rows[] = {
        {QStringLiteral("/quizzes/words.csv"), QStringLiteral("/quizzes/words.csv")},
        {QStringLiteral("//quizzes/words.csv"), QStringLiteral("//quizzes/words.csv")},
#endif
        {QStringLiteral("words.csv"), here + separator + QStringLiteral("words.csv")},
        {QStringLiteral("../単語.csv"), here + separator + QStringLiteral("../単語.csv")},
    };
    for (const auto& row : rows)
        EXPECT_EQ(filenames::absolute(row.name), row.absolute) << row.name.toStdString();
}

} // namespace
