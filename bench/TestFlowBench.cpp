// A whole test of the largest quiz (32767 items) driven through the quiz
// window's handlers: per question one answer and Next, timed together.
// Goal: 99th percentile under 2 ms per question, the whole test under 20 s.
// Pass --report-shown to run it with the report window open.

#include "BenchProgram.h"
#include "support/QuizDriver.h"

#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/frmQ.h"
#include "toolkit/Fonts.h"
#include "toolkit/OptionArray.h"
#include "ui_frmQ.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Stopwatch = std::chrono::steady_clock;

double milliseconds(Stopwatch::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    installDesignFonts();

    constexpr int kItems = 32767;
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
    const auto started = Stopwatch::now();
    driver.pressStart();
    const double startMs = milliseconds(Stopwatch::now() - started);
    // The marks and their reset are the costliest path of an answer.
    quiz.ui().chkShowCorrect->click();
    // With the report window shown every list line is laid out as it comes.
    const bool reportShown = QCoreApplication::arguments().contains(QStringLiteral("--report-shown"));
    if (reportShown)
        driver.pressReport();
    QCoreApplication::processEvents();

    std::vector<double> perQuestion;
    perQuestion.reserve(kItems);
    OptionArray& options = quiz.Option1();
    for (int k = 1; bench.boxes.shown.empty(); ++k) {
        const int right = driver.rightSlot();
        const auto t0 = Stopwatch::now();
        switch (k % 4) {
        case 0: // wrong first, then right
            options.select((right + 1) % 4);
            options.select(right);
            break;
        case 1: // skipped
            options.select(4);
            break;
        default:
            options.select(right);
            break;
        }
        quiz.cmdNext_Click();
        perQuestion.push_back(milliseconds(Stopwatch::now() - t0));
        // Let the window repaint as it would between two answers.
        QCoreApplication::processEvents();
    }
    const double wallMs = milliseconds(Stopwatch::now() - started);

    std::vector<double> sorted = perQuestion;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double q) {
        return sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
    };
    double total = 0;
    for (double ms : perQuestion)
        total += ms;
    std::printf("questions            %zu (of %d items; %s; report window %s)\n", perQuestion.size(), kItems,
                quiz.ui().lblScore->text().toUtf8().constData(), reportShown ? "shown" : "hidden");
    std::printf("start (question 1)   %.3f ms\n", startMs);
    std::printf("per question median  %.3f ms\n", at(0.5));
    std::printf("per question p99     %.3f ms\n", at(0.99));
    std::printf("per question max     %.3f ms\n", sorted.back());
    std::printf("handlers total       %.3f s\n", total / 1000.0);
    std::printf("whole test (wall)    %.3f s, repaints included\n", wallMs / 1000.0);
    return perQuestion.size() == static_cast<std::size_t>(kItems) ? 0 : 1;
}
