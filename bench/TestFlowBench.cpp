// A whole test of the largest quiz (32767 items) driven through the quiz
// window's handlers: per question one answer and Next, timed together, against
// a bare Qt window of the same design set the same way (BareQuizWindow), with
// the report window hidden and shown. Goals: the handlers within 2 times the
// bare window's, the whole test within 1.3 times with the report hidden and
// within 1 time with it shown. Also prints the program's median, 99th
// percentile and total per question. --rounds N repeats the four runs
// interleaved (default 1) and compares the medians; --program-only or
// --bare-only, then hidden or shown, runs one side once, for a profile.

#include "BareQuizWindow.h"
#include "BenchProgram.h"
#include "Ratio.h"
#include "support/Controls.h"
#include "support/QuizDriver.h"

#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/frmQ.h"
#include "toolkit/Fonts.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Stopwatch = std::chrono::steady_clock;

constexpr int kItems = 32767;

double milliseconds(Stopwatch::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Run {
    double handlersMs = 0;
    double wallMs = 0;
    std::vector<double> perQuestion;
};

// Which option question k is answered with: every fourth wrong first, then
// right (the marks and their reset are the costliest path of an answer); every
// fourth skipped; the others right.
template <class Choose> void answer(int k, int right, Choose&& choose)
{
    switch (k % 4) {
    case 0:
        choose((right + 1) % 4);
        choose(right);
        break;
    case 1:
        choose(4);
        break;
    default:
        choose(right);
        break;
    }
}

Run runProgram(bool reportShown)
{
    ScriptedPlatform bench;
    prepareForBench(bench);
    RandomGenerator generator;
    MDIForm1 frame(bench.platform, generator);
    frame.MDIForm_Load();
    frame.show();
    QCoreApplication::processEvents();

    frmQ& quiz = frame.quiz();
    QuizDriver driver(frame);
    driver.loadItems(numberedItems(kItems));
    Run run;
    run.perQuestion.reserve(kItems);
    const auto started = Stopwatch::now();
    driver.pressStart();
    run.handlersMs += milliseconds(Stopwatch::now() - started);
    driver.quizControls().chkShowCorrect->click();
    // With the report window shown, the lists lay out and paint their new
    // lines as they show them.
    if (reportShown)
        driver.pressReport();
    QCoreApplication::processEvents();

    for (int k = 1; bench.boxes.shown.empty(); ++k) {
        const auto t0 = Stopwatch::now();
        answer(k, driver.rightSlot(), [&](int index) { quiz.Form_KeyPress('1' + index); });
        quiz.cmdNext_Click();
        run.perQuestion.push_back(milliseconds(Stopwatch::now() - t0));
        // Let the window repaint as it would between two answers.
        QCoreApplication::processEvents();
    }
    run.wallMs = milliseconds(Stopwatch::now() - started);
    for (double ms : run.perQuestion)
        run.handlersMs += ms;
    if (run.perQuestion.size() != static_cast<std::size_t>(kItems))
        std::printf("the program asked %zu questions of %d\n", run.perQuestion.size(), kItems);
    return run;
}

Run runBare(bool reportShown)
{
    BareQuizWindow bare(kItems, reportShown);
    QCoreApplication::processEvents();
    Run run;
    const auto started = Stopwatch::now();
    bare.next();
    run.handlersMs += milliseconds(Stopwatch::now() - started);
    QCoreApplication::processEvents();
    for (int k = 1; k <= kItems; ++k) {
        const auto t0 = Stopwatch::now();
        answer(k, bare.rightSlot(), [&](int index) { bare.choose(index); });
        bare.next();
        run.handlersMs += milliseconds(Stopwatch::now() - t0);
        QCoreApplication::processEvents();
    }
    run.wallMs = milliseconds(Stopwatch::now() - started);
    return run;
}

void printProgramRun(const Run& run, bool reportShown)
{
    std::vector<double> sorted = run.perQuestion;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double q) {
        return sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
    };
    std::printf("report %-6s program: per question median %.3f ms, p99 %.3f ms, max %.3f ms; handlers %.3f s, "
                "whole test %.3f s\n",
                reportShown ? "shown" : "hidden", at(0.5), at(0.99), sorted.back(), run.handlersMs / 1000,
                run.wallMs / 1000);
}

int roundsArgument()
{
    const QStringList args = QCoreApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--rounds"));
    return at >= 0 && at + 1 < args.size() ? std::max(1, args[at + 1].toInt()) : 1;
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    installDesignFonts();

    const int rounds = roundsArgument();
    // For a profile of one side alone: --program-only or --bare-only, then
    // hidden or shown.
    const QStringList args = QCoreApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--program-only")); at >= 0) {
        const bool shown = args.value(at + 1) == QStringLiteral("shown");
        printProgramRun(runProgram(shown), shown);
        return 0;
    }
    if (const qsizetype at = args.indexOf(QStringLiteral("--bare-only")); at >= 0) {
        const Run bare = runBare(args.value(at + 1) == QStringLiteral("shown"));
        std::printf("bare: handlers %.3f s, whole test %.3f s\n", bare.handlersMs / 1000, bare.wallMs / 1000);
        return 0;
    }
    std::vector<double> handlers[2], bareHandlers[2], wall[2], bareWall[2];
    for (int round = 0; round < rounds; ++round) {
        for (const bool shown : {false, true}) {
            const Run program = runProgram(shown);
            printProgramRun(program, shown);
            const Run bare = runBare(shown);
            std::printf("report %-6s bare:    handlers %.3f s, whole test %.3f s\n", shown ? "shown" : "hidden",
                        bare.handlersMs / 1000, bare.wallMs / 1000);
            std::fflush(stdout);
            handlers[shown].push_back(program.handlersMs / 1000);
            bareHandlers[shown].push_back(bare.handlersMs / 1000);
            wall[shown].push_back(program.wallMs / 1000);
            bareWall[shown].push_back(bare.wallMs / 1000);
        }
    }
    printRatio("handlers, whole test, report hidden", "s", median(handlers[0]), median(bareHandlers[0]), 2.0);
    printRatio("handlers, whole test, report shown", "s", median(handlers[1]), median(bareHandlers[1]), 2.0);
    printRatio("whole test wall, report hidden", "s", median(wall[0]), median(bareWall[0]), 1.3);
    printRatio("whole test wall, report shown", "s", median(wall[1]), median(bareWall[1]), 1.0);
    return 0;
}
