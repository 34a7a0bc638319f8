// Start-up: from the process's start to the frame painted, the program's own
// start (as main.cpp does it) against a bare QMainWindow with a QMdiArea and
// one child window. Each start is a process of its own, run alternately,
// under a private Xvfb when one is installed and no display is set. Goal:
// within 1.1 times the bare start. --rounds N sets the starts of each kind
// (default 21). --pause MS waits that long before each start (default 0):
// started back to back, each start also waits for the display to finish with
// the one before, which makes both kinds slower by the same amount.
//
// The bare window draws no text, so it never starts Qt's font machinery: the
// configuration, the font list, a face opened, shaped and rasterised. A third
// kind, the same bare window with one caption in its child, shows what that
// machinery alone costs, and the program's start is also put against it.

#include "Ratio.h"

#include "app/MDIForm1.h"
#include "app/ProgramApplication.h"
#include "quiztest/RandomGenerator.h"
#include "toolkit/QtPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Stopwatch = std::chrono::steady_clock;

// Ends the process once the first paint of `frame` has gone through, printing
// the microseconds since `since` (the parent's clock when it started us).
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& frame, long long since) : m_frame(frame), m_since(since) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &m_frame) {
            m_seen = true;
            // After the paint and the flush that follows it.
            QTimer::singleShot(0, [this] {
                const long long now =
                    std::chrono::duration_cast<std::chrono::microseconds>(Stopwatch::now().time_since_epoch()).count();
                std::printf("%lld\n", now - m_since);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    QWidget& m_frame;
    long long m_since;
    bool m_seen = false;
};

int startProgram(int argc, char** argv, long long since)
{
    ProgramApplication app(argc, argv);
    QtPlatformSet qt;
    RandomGenerator generator;
    MDIForm1 frame(qt.platform, generator);
    FirstPaint paint(frame, since);
    app.installEventFilter(&paint);
    frame.MDIForm_Load();
    frame.show();
    return QApplication::exec();
}

int startBare(int argc, char** argv, long long since, bool captioned)
{
    QApplication app(argc, argv);
    QMainWindow frame;
    auto* area = new QMdiArea;
    frame.setCentralWidget(area);
    auto* child = new QWidget;
    child->resize(628, 524);
    if (captioned)
        (new QLabel(QStringLiteral("Question"), child))->move(16, 16);
    area->addSubWindow(child)->show();
    frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    FirstPaint paint(frame, since);
    app.installEventFilter(&paint);
    frame.show();
    return QApplication::exec();
}

// One start of `kind`; its microseconds, or nothing when it failed.
std::optional<double> timeStart(const QString& kind)
{
    QProcess child;
    const long long since =
        std::chrono::duration_cast<std::chrono::microseconds>(Stopwatch::now().time_since_epoch()).count();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), kind, QStringLiteral("--since"), QString::number(since)});
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return std::nullopt;
    bool ok = false;
    const double us = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? std::optional(us) : std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i + 3 < argc; ++i) {
        if (std::strcmp(argv[i], "--child") == 0 && std::strcmp(argv[i + 2], "--since") == 0) {
            const long long since = std::atoll(argv[i + 3]);
            if (std::strcmp(argv[i + 1], "program") == 0)
                return startProgram(argc, argv, since);
            return startBare(argc, argv, since, std::strcmp(argv[i + 1], "captioned") == 0);
        }
    }
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const auto option = [&](const QString& name, int fallback) {
        const qsizetype at = args.indexOf(name);
        return at > 0 ? std::max(0, args.value(at + 1).toInt()) : fallback;
    };
    const int rounds = std::max(1, option(QStringLiteral("--rounds"), 21));
    const int pauseMs = option(QStringLiteral("--pause"), 0);

    // A display of our own, so that the paint is a real one.
    std::unique_ptr<QProcess> xvfb;
    const QString xvfbPath = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (qEnvironmentVariableIsEmpty("DISPLAY") && !xvfbPath.isEmpty()) {
        const QString display = QStringLiteral(":%1").arg(90 + QCoreApplication::applicationPid() % 100);
        xvfb = std::make_unique<QProcess>();
        xvfb->start(xvfbPath, {display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                               QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        xvfb->waitForStarted();
        QThread::msleep(500);
        qputenv("DISPLAY", display.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // Without a display or Xvfb, the starts are timed off screen.
    if (!xvfb && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::printf("start-up under %s\n",
                qgetenv("QT_QPA_PLATFORM").isEmpty() ? "the default platform" : qgetenv("QT_QPA_PLATFORM").constData());
    const QStringList kinds{QStringLiteral("program"), QStringLiteral("bare"), QStringLiteral("captioned")};
    // One start of each first, to warm the file cache.
    for (const QString& kind : kinds)
        timeStart(kind);
    std::vector<std::vector<double>> ms(kinds.size());
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype kind = 0; kind < kinds.size(); ++kind) {
            QThread::msleep(pauseMs);
            if (const auto us = timeStart(kinds.at(kind)))
                ms[kind].push_back(*us / 1000);
        }
    }
    if (std::any_of(ms.begin(), ms.end(), [](const std::vector<double>& times) { return times.empty(); }))
        std::printf("a start failed\n");
    printRatio("start-up to the frame painted", "ms", median(ms[0]), median(ms[1]), 1.1);
    printRatio("start-up, against the bare window with one caption", "ms", median(ms[0]), median(ms[2]), 1.1);
    if (xvfb) {
        xvfb->terminate();
        xvfb->waitForFinished();
    }
    return 0;
}
