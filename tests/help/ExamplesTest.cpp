#include "help/HelpText.h"
#include "quizfile/QuizFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>

namespace {

QString examplePath(const char* name)
{
    return QStringLiteral(PONDERA_EXAMPLES_DIR "/") + QString::fromLatin1(name);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return file.readAll();
}

TEST(Examples, JapaneseWordsAreTheHelpTextsExample)
{
    const QStringList help = helptext::text().split(QStringLiteral("\r\n"));
    QString expected;
    for (int line = 14; line <= 18; ++line)
        expected += help.at(line - 1) + QStringLiteral("\r\n");
    EXPECT_EQ(bytesOf(examplePath("japanese-words.csv")), expected.toUtf8());
}

TEST(Examples, LoadAsQuizzesWithDistinctAnswers)
{
    const struct {
        const char* name;
        int minItems;
        int maxItems;
    } files[] = {{"japanese-words.csv", 5, 5}, {"world-capitals.csv", 30, 50}};
    for (const auto& f : files) {
        const QString path = examplePath(f.name);
        const QByteArray bytes = bytesOf(path);
        EXPECT_TRUE(bytes.endsWith("\r\n")) << f.name;
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << f.name << ": every line ends with CR LF";
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r')) << f.name;

        const quizfile::ReadResult result = quizfile::loadQuizFile(path);
        ASSERT_TRUE(result.ok()) << f.name << ": " << qPrintable(result.error->message);
        EXPECT_EQ(result.encoding, quizfile::TextEncoding::Utf8) << f.name;
        const int items = static_cast<int>(result.items.size());
        EXPECT_GE(items, f.minItems) << f.name;
        EXPECT_LE(items, f.maxItems) << f.name;
        EXPECT_EQ(items, bytes.count("\r\n")) << f.name << ": no blank lines";
        // Two questions with the same answer would offer one right answer twice.
        QSet<QString> answers;
        for (qsizetype i = 1; i <= result.items.size(); ++i) {
            EXPECT_FALSE(result.items.question(i).isEmpty()) << f.name;
            EXPECT_FALSE(result.items.answer(i).isEmpty()) << f.name;
            answers.insert(result.items.answer(i));
        }
        EXPECT_EQ(answers.size(), items) << f.name;
    }
}

TEST(Examples, WorldCapitalsShowQuotedFieldsWithCommas)
{
    const quizfile::ReadResult result = quizfile::loadQuizFile(examplePath("world-capitals.csv"));
    ASSERT_TRUE(result.ok());
    const auto has = [&](const QString& question, const QString& answer) {
        for (qsizetype i = 1; i <= result.items.size(); ++i)
            if (result.items.questionView(i) == question && result.items.answerView(i) == answer)
                return true;
        return false;
    };
    EXPECT_TRUE(has(QStringLiteral("United States"), QStringLiteral("\"Washington, D.C.\"")));
    EXPECT_TRUE(has(QStringLiteral("\"Korea, South\""), QStringLiteral("Seoul")));
}

} // namespace
