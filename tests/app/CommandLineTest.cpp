#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, WhatTheWordsAfterTheNameAskFor)
{
    using Action = CommandLine::Action;
    const QString folder = QStringLiteral("/home/reader/quizzes");
    const struct {
        QStringList words;
        Action action;
        const char* file;
        const char* text; // the whole text, or for a refusal its start
    } cases[] = {
        {{}, Action::Run, "", ""},
        {{QStringLiteral("words.csv")}, Action::Run, "/home/reader/quizzes/words.csv", ""},
        {{QStringLiteral("../old/words.csv")}, Action::Run, "/home/reader/quizzes/../old/words.csv", ""},
        {{QStringLiteral("/tmp/ひらがな.csv")}, Action::Run, "/tmp/ひらがな.csv", ""},
        {{QStringLiteral("--"), QStringLiteral("-odd.csv")}, Action::Run, "/home/reader/quizzes/-odd.csv", ""},
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
        EXPECT_EQ(parsed.file, QString::fromUtf8(c.file)) << shown.toStdString();
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

} // namespace
