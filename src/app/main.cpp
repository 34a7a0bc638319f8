#include "app/CommandLine.h"
#include "app/MDIForm1.h"
#include "app/ProgramApplication.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/frmQ.h"
#include "toolkit/ConsoleText.h"
#include "toolkit/FileNames.h"
#include "toolkit/QtPlatform.h"
#include "toolkit/TerminationSignals.h"

#include <QApplication>
#include <QByteArray>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <vector>

namespace {

// The exit code of a start without a display.
constexpr int kNoDisplayExitCode = 1;

// Qt's messages while the application object connects to the display. Without
// one, Qt ends the start with a fatal message and an abort, which dumps core
// and leaves several lines of its own: one line and an exit code say it
// plainly. When the start succeeds, the messages are passed on as they came.
class StartUpMessages {
public:
    StartUpMessages() : m_previous(qInstallMessageHandler(&StartUpMessages::take)) {}
    StartUpMessages(const StartUpMessages&) = delete;
    StartUpMessages& operator=(const StartUpMessages&) = delete;
    ~StartUpMessages()
    {
        qInstallMessageHandler(m_previous);
        const std::lock_guard lock(s_mutex);
        for (const Message& message : s_held) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            if (m_previous)
                m_previous(message.type, context, message.text);
            else
                std::fprintf(stderr, "%s\n", message.text.toLocal8Bit().constData());
        }
        s_held.clear();
    }

private:
    struct Message {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void take(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtFatalMsg) {
            std::fputs("pondera: no display was found; run Pondera in a desktop session, or on a virtual display "
                       "with: xvfb-run -a pondera\n",
                       stderr);
            std::_Exit(kNoDisplayExitCode);
        }
        const std::lock_guard lock(s_mutex);
        s_held.push_back({type, QByteArray(context.category ? context.category : "default"), text});
    }

    QtMessageHandler m_previous;
    static inline std::mutex s_mutex;
    static inline std::vector<Message> s_held;
};

} // namespace

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
        writeConsoleText(ConsoleStream::Output, commandLine.text);
        return 0;
    case CommandLine::Action::Refuse:
        writeConsoleText(ConsoleStream::Error, commandLine.text);
        return kUsageErrorExitCode;
    }

    // Qt would take its own options from the arguments; they have been read
    // already, and a file named like one of them is still a file.
    int qtArgc = 1;
    std::optional<ProgramApplication> app;
    {
        const StartUpMessages watching;
        app.emplace(qtArgc, argv);
    }

    // A logout or Ctrl+C ends the event loop, and the platform below waits for
    // a save that is running as it ends.
    quitOnTerminationSignals(*app);
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
