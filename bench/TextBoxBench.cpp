// The report window's lists at their largest: 32 767 lines of about 40
// characters appended one by one, as the quiz window does once per answered
// question, and the whole text read once, as a save does. Plain lines, lines
// whose fields hold characters the box keeps apart (a lone LF, U+2028), and
// plain lines but the first. A box lays out what it holds back once it is
// looked at: the appends are timed up to a read of the caret. One line more
// for a shown full box, and the event loop's turn that shows it, is also
// compared with a bare QPlainTextEdit's appendPlainText (goal: within 1 time).

#include "BenchProgram.h"
#include "Ratio.h"
#include "ReportLines.h"

#include "toolkit/TextBox.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QString>

#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

namespace {

// Shown at the size the report window gives a list, so that keeping the caret
// in view costs what it costs on screen.
std::unique_ptr<TextBox> shownBox()
{
    auto box = std::make_unique<TextBox>();
    box->resize(290, 117);
    box->show();
    return box;
}

void appendLines(benchmark::State& state, Lines kind)
{
    const std::vector<QString> text = reportLines(kind);
    for (auto _ : state) {
        state.PauseTiming();
        auto box = shownBox();
        state.ResumeTiming();
        for (const QString& line : text)
            box->appendText(line);
        benchmark::DoNotOptimize(box->textCursor().position());
        state.PauseTiming();
        box.reset();
        state.ResumeTiming();
    }
    state.counters["per line"] = benchmark::Counter(static_cast<double>(state.iterations()) * kReportLines,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The wait after one answer late in the largest test: one line more for a box
// that already holds them all.
void appendToFullBox(benchmark::State& state, Lines kind)
{
    const std::vector<QString> text = reportLines(kind);
    auto box = shownBox();
    for (const QString& line : text)
        box->appendText(line);
    qsizetype next = 0;
    for (auto _ : state) {
        box->appendText(text[static_cast<std::size_t>(next)]);
        next = (next + 1) % kReportLines;
    }
}

// One line more for a shown full list and the turn of the event loop that
// shows it, the program's box against a bare QPlainTextEdit, interleaved.
void compareTurnWithBare(int rounds)
{
    using Stopwatch = std::chrono::steady_clock;
    const std::vector<QString> text = reportLines(Lines::Plain);
    auto box = shownBox();
    QPlainTextEdit bare;
    bare.setUndoRedoEnabled(false);
    bare.resize(290, 117);
    bare.show();
    for (const QString& line : text) {
        box->appendText(line);
        bare.appendPlainText(line.chopped(2));
    }
    QCoreApplication::processEvents();
    std::vector<double> program, floor;
    for (int round = 0; round < rounds; ++round) {
        const QString& line = text[static_cast<std::size_t>(round % kReportLines)];
        const QString bareLine = line.chopped(2);
        const auto t0 = Stopwatch::now();
        box->appendText(line);
        QCoreApplication::processEvents();
        const auto t1 = Stopwatch::now();
        bare.appendPlainText(bareLine);
        QCoreApplication::processEvents();
        const auto t2 = Stopwatch::now();
        program.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        floor.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
    }
    printRatio("one line more for a shown full list, and its turn", "us", median(program), median(floor), 1.0);
}

void readText(benchmark::State& state, Lines kind)
{
    auto box = shownBox();
    QString expected;
    for (const QString& line : reportLines(kind)) {
        box->appendText(line);
        expected += line;
    }
    (void)box->textCursor(); // the lines laid out before the reads are timed
    for (auto _ : state) {
        QString text = box->Text();
        benchmark::DoNotOptimize(text);
        if (text != expected) {
            state.SkipWithError("the text did not read back as appended");
            break;
        }
    }
}

BENCHMARK_CAPTURE(appendLines, Plain, Lines::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(appendLines, Special, Lines::Special)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(appendToFullBox, Plain, Lines::Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(appendToFullBox, Special, Lines::Special)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(readText, Plain, Lines::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readText, Special, Lines::Special)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readText, OneSpecial, Lines::OneSpecial)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    compareTurnWithBare(2001);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
