// The report window's lists at their largest: 32 767 lines of about 40
// characters appended one by one, as the quiz window does once per answered
// question, and the whole text read once, as a save does. Plain lines, lines
// whose fields hold characters the box keeps apart (a lone LF, U+2028), and
// plain lines but the first.

#include "BenchProgram.h"
#include "ReportLines.h"

#include "toolkit/TextBox.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>

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

void readText(benchmark::State& state, Lines kind)
{
    auto box = shownBox();
    QString expected;
    for (const QString& line : reportLines(kind)) {
        box->appendText(line);
        expected += line;
    }
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
