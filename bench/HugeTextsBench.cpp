// The longest texts a quiz file may hold must not freeze the window: Load,
// Start, one answer with Next, and Report (shown and painted) timed for four
// items whose lines are 32 767 characters long, the most a line may hold, and
// for 32 767 items of 200 characters with every question answered before
// Report. Goal: each step under 0.5 s. Exits 1 when a step misses it, or
// when the quiz does not load whole.

#include "BenchProgram.h"
#include "support/Controls.h"
#include "support/QuizDriver.h"

#include "quiztest/QuizSession.h"
#include "quiztest/frmQ.h"
#include "toolkit/Fonts.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using Stopwatch = std::chrono::steady_clock;

// Runs `step`, the events it posts, and a paint of the whole frame (so that
// every text shown is laid out), and gives its seconds.
double timed(QWidget& frame, const std::function<void()>& step)
{
    const auto start = Stopwatch::now();
    step();
    QCoreApplication::processEvents();
    (void)frame.grab();
    return std::chrono::duration<double>(Stopwatch::now() - start).count();
}

struct Figures {
    double load = 0, start = 0, next = 0, report = 0;
};

Figures run(const char* name, const QByteArray& file, int items)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quiz.csv"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        std::printf("cannot write %s\n", qPrintable(path));
    out.close();

    BenchProgram program;
    program.frame->show();
    QCoreApplication::processEvents();
    QuizDriver driver(*program.frame);
    driver.quizControls().chkShowCorrect->click(); // the marks are the costliest path of an answer

    Figures f;
    f.load = timed(*program.frame, [&] { driver.load(path); });
    if (driver.session().iTotal() != items || !program.platform.boxes.shown.empty()) {
        std::printf("%s: the quiz did not load whole\n", name);
        return {1e9, 1e9, 1e9, 1e9};
    }
    f.start = timed(*program.frame, [&] { driver.pressStart(); });
    f.next = timed(*program.frame, [&] {
        driver.choose(driver.wrongSlot()); // the marks are drawn
        driver.pressNext();
    });
    // The rest of the test, so that the report's lists are full.
    while (program.platform.boxes.shown.empty()) {
        driver.choose(4);
        driver.pressNext();
    }
    f.report = timed(*program.frame, [&] { driver.pressReport(); });
    std::printf("%-36s %6d items  load %.3f s  start %.3f s  next %.3f s  report %.3f s\n", name, items, f.load,
                f.start, f.next, f.report);
    return f;
}

bool withinGoal(const Figures& f)
{
    constexpr double kGoal = 0.5;
    return f.load < kGoal && f.start < kGoal && f.next < kGoal && f.report < kGoal;
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    installDesignFonts();

    QByteArray longAnswers;
    for (int i = 1; i <= 4; ++i)
        longAnswers += "q" + QByteArray::number(i) + "," + QByteArray(32764, char('a' + i)) + "\r\n";
    QByteArray manyItems;
    for (int i = 1; i <= 32767; ++i) {
        const QByteArray question = "question " + QByteArray::number(i);
        manyItems += question + "," + QByteArray(199 - question.size(), 'm') + "\r\n";
    }
    const bool ok = withinGoal(run("4 lines of 32 767 characters", longAnswers, 4)) &
                    withinGoal(run("items of 200 characters", manyItems, 32767));
    std::printf("goal: every step under 0.5 s: %s\n", ok ? "met" : "MISSED");
    return ok ? 0 : 1;
}
