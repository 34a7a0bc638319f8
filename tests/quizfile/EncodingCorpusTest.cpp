#include "quizfile/QuizFile.h"

#include "QuizTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

using quizfile::TextEncoding;

namespace {

// Quiz files as people have them (tests/data/encodings), each loaded through
// the file layer and compared with the items and the encoding that
// expected.json gives for it. A file marked "miss" is one the encoding choice
// still gets wrong: it must not load as expected, so that a mend shows here
// and the mark comes off. Every other file loads without an error.
TEST(EncodingCorpus, EveryFileGivesItsItems)
{
    const QDir dir(QStringLiteral(PONDERA_TEST_DATA_DIR "/encodings"));
    QFile expectedFile(dir.filePath(QStringLiteral("expected.json")));
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(expectedFile.readAll()).object();
    ASSERT_FALSE(expected.isEmpty());
    const std::map<QString, TextEncoding> encodings = {
        {QStringLiteral("Utf8"), TextEncoding::Utf8},
        {QStringLiteral("Utf8WithBom"), TextEncoding::Utf8WithBom},
        {QStringLiteral("ShiftJis"), TextEncoding::ShiftJis},
        {QStringLiteral("Utf16Le"), TextEncoding::Utf16Le},
        {QStringLiteral("Utf16Be"), TextEncoding::Utf16Be},
        {QStringLiteral("EucJp"), TextEncoding::EucJp},
        {QStringLiteral("Windows1252"), TextEncoding::Windows1252},
        {QStringLiteral("Windows1250"), TextEncoding::Windows1250},
        {QStringLiteral("Iso8859_2"), TextEncoding::Iso8859_2},
        {QStringLiteral("Iso8859_15"), TextEncoding::Iso8859_15},
    };
    // Every file in the folder has its entry.
    EXPECT_EQ(dir.entryList({QStringLiteral("*.csv")}, QDir::Files).size(), expected.size());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        const QJsonObject entry = it.value().toObject();
        quizfile::QuizItems items;
        for (const QJsonValue pair : entry.value(QStringLiteral("items")).toArray())
            items.append(pair.toArray().at(0).toString(), pair.toArray().at(1).toString());
        const quizfile::ReadResult result = quizfile::loadQuizFile(dir.filePath(it.key()));
        const bool hit = result.encoding == encodings.at(entry.value(QStringLiteral("encoding")).toString()) &&
                         result.items == items;
        if (entry.contains(QStringLiteral("miss"))) {
            EXPECT_FALSE(hit) << "read right now: take its miss mark off";
            continue;
        }
        EXPECT_TRUE(result.ok()) << (result.error ? result.error->message.toStdString() : std::string());
        EXPECT_EQ(result.encoding, encodings.at(entry.value(QStringLiteral("encoding")).toString()));
        EXPECT_EQ(result.items, items);
        EXPECT_TRUE(hit);
    }
}

} // namespace
