#include "app/CommandLine.h"
#include "app/MDIForm1.h"
#include "app/ProgramApplication.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/frmQ.h"
#include "toolkit/FileNames.h"
#include "toolkit/QtPlatform.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    // Parsed before any application object exists: --help and --version must
    // answer on a terminal without a display.
    const CommandLine commandLine = parseCommandLine(commandLineWords(argc, argv), filenames::currentFolder());
    switch (commandLine.action) {
    case CommandLine::Action::Run:
        break;
    case CommandLine::Action::PrintHelp:
    case CommandLine::Action::PrintVersion:
        std::fputs(commandLine.text.toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fputs(commandLine.text.toLocal8Bit().constData(), stderr);
        return kUsageErrorExitCode;
    }

    // Qt would take its own options from the arguments; they have been read
    // already, and a file named like one of them is still a file.
    int qtArgc = 1;
    ProgramApplication app(qtArgc, argv);

    QtPlatformSet qt;
    RandomGenerator generator;

    MDIForm1 frame(qt.platform, generator);
    frame.MDIForm_Load();
    frame.show();
    // Once the event loop runs, so that any message of the load stands over
    // the frame already on the screen.
    if (!commandLine.file.isEmpty())
        QTimer::singleShot(0, &frame, [&frame, file = commandLine.file] { frame.quiz().openQuizFile(file); });
    return QApplication::exec();
}
