#include "toolkit/FileNames.h"

#include <gtest/gtest.h>

#include <QUrl>

namespace {

// Every name maps back to its bytes; valid UTF-8 reads as the text it is, and
// each other byte shows as one replacement character.
TEST(FileNames, NamesMapBackToTheirBytes)
{
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
}

TEST(FileNames, LocalAddressesGiveTheirFilesBytes)
{
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
}

} // namespace
