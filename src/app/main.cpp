#include "app/CommandLine.h"
#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/frmQ.h"
#include "toolkit/Fonts.h"
#include "toolkit/ProgramStyle.h"
#include "toolkit/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <thread>

int main(int argc, char** argv)
{
    // Parsed before any application object exists: --help and --version must
    // answer on a terminal without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine = parseCommandLine(arguments, QDir::currentPath());
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
    std::jthread fontConfiguration = readFontConfigurationAside();
    QApplication app(qtArgc, argv);
    fontConfiguration.join();
    QApplication::setApplicationName(QStringLiteral("Pondera"));
    // The desktop entry's name, by which a desktop finds the icon of the window.
    QGuiApplication::setDesktopFileName(QStringLiteral(PONDERA_APP_ID));
    installDesignFonts();
    installProgramStyle();

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
