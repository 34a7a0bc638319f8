// The report window's lists at their largest: 32 767 lines of about 40
// characters appended one by one, as the quiz window does once per answered
// question, and the whole text read once, as a save does. Plain lines, lines
// whose fields hold characters the box keeps apart (a lone LF, U+2028), and
// plain lines but the first.

#include "BenchPlatform.h"

#include "app/TextBox.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

namespace {

constexpr int kLines = 32767;

enum class Lines { Plain, Special, OneSpecial };

std::vector<QString> lines(Lines kind)
{
    std::vector<QString> result;
    result.reserve(kLines);
    for (int i = 1; i <= kLines; ++i) {
        if (kind == Lines::Plain || (kind == Lines::OneSpecial && i != 1))
            result.push_back(QStringLiteral("ことば%1 (言葉),word number %1\r\n").arg(i));
        else
            result.push_back(QStringLiteral("ことば%1\n(言葉),word\u2028number %1\r\n").arg(i));
    }
    return result;
}

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
    const std::vector<QString> text = lines(kind);
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
    state.counters["per line"] = benchmark::Counter(static_cast<double>(state.iterations()) * kLines,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The wait after one answer late in the largest test: one line more for a box
// that already holds them all.
void appendToFullBox(benchmark::State& state, Lines kind)
{
    const std::vector<QString> text = lines(kind);
    auto box = shownBox();
    for (const QString& line : text)
        box->appendText(line);
    qsizetype next = 0;
    for (auto _ : state) {
        box->appendText(text[static_cast<std::size_t>(next)]);
        next = (next + 1) % kLines;
    }
}

void readText(benchmark::State& state, Lines kind)
{
    auto box = shownBox();
    QString expected;
    for (const QString& line : lines(kind)) {
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

void BM_AppendPlainLines(benchmark::State& state)
{
    appendLines(state, Lines::Plain);
}
void BM_AppendSpecialLines(benchmark::State& state)
{
    appendLines(state, Lines::Special);
}
void BM_AppendToFullBoxPlain(benchmark::State& state)
{
    appendToFullBox(state, Lines::Plain);
}
void BM_AppendToFullBoxSpecial(benchmark::State& state)
{
    appendToFullBox(state, Lines::Special);
}
void BM_TextOfPlainLines(benchmark::State& state)
{
    readText(state, Lines::Plain);
}
void BM_TextOfSpecialLines(benchmark::State& state)
{
    readText(state, Lines::Special);
}
void BM_TextOfOneSpecialLine(benchmark::State& state)
{
    readText(state, Lines::OneSpecial);
}

BENCHMARK(BM_AppendPlainLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendSpecialLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendToFullBoxPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendToFullBoxSpecial)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextOfPlainLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextOfSpecialLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextOfOneSpecialLine)->Unit(benchmark::kMillisecond);

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
