#pragma once

#include <QString>
#include <QStringList>

// What the words after `pondera` ask for: a window, perhaps with a quiz file
// to load at once, or only a text on the terminal.
struct CommandLine {
    enum class Action {
        Run,          // open the window; load `file` when it is not empty
        PrintHelp,    // `text` to standard output, exit code 0
        PrintVersion, // `text` to standard output, exit code 0
        Refuse,       // `text`, one line, to standard error, exit code 2
    };
    Action action = Action::Run;
    QString file; // absolute
    QString text;
};

// `arguments` as the program received them, its own name first. A relative
// FILE is taken from `workingFolder`. Needs no application object, so that
// --help and --version answer where no display is.
CommandLine parseCommandLine(const QStringList& arguments, const QString& workingFolder);

// The words of the command line as text (filenames::programArguments); a
// file name among them keeps its bytes, even those that are no UTF-8.
QStringList commandLineWords(int argc, const char* const* argv);

// The exit code of a usage error, as other command-line programs give it.
constexpr int kUsageErrorExitCode = 2;
