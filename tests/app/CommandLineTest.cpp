#include "app/CommandLine.h"

#include "toolkit/FileNames.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

TEST(CommandLine, WhatTheWordsAfterTheNameAskFor)
{
    using Action = CommandLine::Action;
    // The file as the system writes its names.
#ifdef Q_OS_WIN
    const QString folder = QStringLiteral("C:\\Users\\reader\\quizzes");
    const char* const elsewhere = "D:\\ひらがな.csv";
#else
    const QString folder = QStringLiteral("/home/reader/quizzes");
    const char* const elsewhere = "/tmp/ひらがな.csv";
#endif
    const QString words = QDir::toNativeSeparators(folder + QStringLiteral("/words.csv"));
    const QString old = QDir::toNativeSeparators(folder + QStringLiteral("/../old/words.csv"));
    const QString odd = QDir::toNativeSeparators(folder + QStringLiteral("/-odd.csv"));
    const struct {
        QStringList words;
        Action action;
        QString file;
        const char* text; // the whole text, or for a refusal its start
    } cases[] = {
        {{}, Action::Run, "", ""},
        {{QStringLiteral("words.csv")}, Action::Run, words, ""},
        {{QStringLiteral("../old/words.csv")}, Action::Run, old, ""},
        {{QString::fromUtf8(elsewhere)}, Action::Run, QString::fromUtf8(elsewhere), ""},
        {{QStringLiteral("--"), QStringLiteral("-odd.csv")}, Action::Run, odd, ""},
        {{QString()}, Action::Run, "", ""},
        {{QStringLiteral("--version")}, Action::PrintVersion, "", "pondera 1.0.0\n"},
        {{QStringLiteral("-v")}, Action::PrintVersion, "", "pondera 1.0.0\n"},
        {{QStringLiteral("-h")}, Action::PrintHelp, "", "Usage: pondera [options] [FILE]\n"},
        {{QStringLiteral("--version"), QStringLiteral("--help")}, Action::PrintHelp, "", "Usage: "},
        {{QStringLiteral("--bogus")}, Action::Refuse, "", "pondera: Unknown option 'bogus'."},
        {{QStringLiteral("words.csv"), QStringLiteral("-x")}, Action::Refuse, "", "pondera: Unknown option 'x'."},
        {{QStringLiteral("-platform"), QStringLiteral("xcb")}, Action::Refuse, "", "pondera: Unknown options: "},
        {{QStringLiteral("--help=yes")}, Action::Refuse, "", "pondera: Unexpected value after '--help'."},
        {{QStringLiteral("a.csv"), QStringLiteral("b.csv")}, Action::Refuse, "", "pondera: one quiz file at a time."},
    };
    for (const auto& c : cases) {
        const QStringList arguments = QStringList{QStringLiteral("/usr/bin/pondera")} + c.words;
        const QString shown = c.words.join(u' ');
        const CommandLine parsed = parseCommandLine(arguments, folder);
        EXPECT_EQ(parsed.action, c.action) << shown.toStdString();
        EXPECT_EQ(parsed.file, c.file) << shown.toStdString();
        const QString text = QString::fromUtf8(c.text);
        if (c.action == Action::Run || c.action == Action::PrintVersion) {
            EXPECT_EQ(parsed.text, text) << shown.toStdString();
        } else {
            EXPECT_TRUE(parsed.text.startsWith(text)) << shown.toStdString() << ": " << parsed.text.toStdString();
            if (c.action == Action::Refuse) {
                EXPECT_EQ(parsed.text.count(u'\n'), 1) << "one line: " << parsed.text.toStdString();
            }
        }
    }
}

// A name that is no UTF-8 (Latin-1 here, in a folder of the same kind) keeps
// its bytes, so that the file it names can be opened.
TEST(CommandLine, FileNamesKeepTheirBytes)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: argv holds bytes there; Windows gives the command line in UTF-16";
#else
    const struct {
        const char* word;
        QByteArray file;
    } rows[] = {
        {"caf\xE9.csv", "/home/r\xE9/caf\xE9.csv"},
        {"/tmp/\xE3\x81\xB2.csv", "/tmp/\xE3\x81\xB2.csv"},
        {"/tmp/\x83\x65.csv", "/tmp/\x83\x65.csv"},
    };
    for (const auto& row : rows) {
        const char* const argv[] = {"/usr/bin/pondera", row.word};
        const CommandLine parsed = parseCommandLine(commandLineWords(2, argv), filenames::decode("/home/r\xE9"));
        EXPECT_EQ(parsed.action, CommandLine::Action::Run) << row.word;
        EXPECT_EQ(filenames::encode(parsed.file), row.file) << row.word;
    }
#endif
}

} // namespace
