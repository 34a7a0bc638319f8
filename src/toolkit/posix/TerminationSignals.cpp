#include "toolkit/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The write end of a pipe that the handler writes a byte to: all a signal
// handler may safely do. The event loop reads the other end.
int g_wakeUp = -1;

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // Full or closed, the pipe has said enough already.
    [[maybe_unused]] const ssize_t wrote = ::write(g_wakeUp, &byte, 1);
    errno = saved;
}

} // namespace

void quitOnTerminationSignals(QCoreApplication& app)
{
    int ends[2];
    if (g_wakeUp >= 0 || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_wakeUp = ends[1];
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [ends] {
        char bytes[64];
        while (::read(ends[0], bytes, sizeof bytes) > 0) {
        }
        // exit, not quit: a logout does not wait for the Close question.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}
