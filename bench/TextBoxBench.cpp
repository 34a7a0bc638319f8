// The report window's lists at their largest: 32 767 lines of about 40
// characters appended one by one, as the quiz window does once per answered
// question, and the whole text read once, as a save does. Plain lines, lines
// whose fields hold characters the box keeps apart (a lone LF, U+2028), and
// plain lines but the first. A box lays out the lines it holds back at its
// next event: the appends are timed up to that layout. Lines appended
// to a shown full box one per turn of the event loop are also compared with a
// bare QPlainTextEdit's appendPlainText (goal: within 1 time).

#include "BenchProgram.h"
#include "Ratio.h"
#include "ReportLines.h"

#include "quizfile/ResultList.h"
#include "toolkit/TextBox.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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
        box->layOutHeld();
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

// A key typed into the middle of a full list, and the result list that
// takes the edit: what the user waits for at each keystroke.
void typeIntoFullList(benchmark::State& state, Lines kind)
{
    const std::vector<QString> text = reportLines(kind);
    auto box = shownBox();
    ResultList list;
    QObject::connect(&list, &ResultList::appended, box.get(), &TextBox::appendText);
    QObject::connect(box.get(), &TextBox::paragraphsEdited, &list, &ResultList::replaceParagraphs);
    for (const QString& line : text)
        list.append(line);
    box->moveCaretToEnd();
    QTextCursor middle(box->document()->findBlockByNumber(kReportLines / 2));
    box->setTextCursor(middle);
    bool typed = true;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, typed ? Qt::Key_X : Qt::Key_Backspace, Qt::NoModifier,
                      typed ? QStringLiteral("x") : QString());
        QCoreApplication::sendEvent(box.get(), &key);
        typed = !typed;
    }
    if (list.text() != box->text())
        state.SkipWithError("the list lost an edit");
}

// Lines appended to a shown full list one per turn of the event loop, as the
// answers of a quick test come, the program's box against a bare
// QPlainTextEdit in alternating blocks. Each block is timed until its list
// has laid out and painted the last line, so whatever the program's box holds
// back is paid for within it.
void compareTurnsWithBare(int blocks, int linesPerBlock)
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
    box->layOutHeld();
    QCoreApplication::processEvents();
    const auto lineAt = [&](int k) -> const QString& { return text[static_cast<std::size_t>(k % kReportLines)]; };
    const auto perLine = [&](Stopwatch::duration d) {
        return std::chrono::duration<double, std::micro>(d).count() / linesPerBlock;
    };
    std::vector<double> program, floor;
    for (int block = 0; block < blocks; ++block) {
        const int first = block * linesPerBlock;
        const auto t0 = Stopwatch::now();
        for (int k = first; k < first + linesPerBlock; ++k) {
            box->appendText(lineAt(k));
            QCoreApplication::processEvents();
        }
        box->layOutHeld();
        QCoreApplication::processEvents();
        const auto t1 = Stopwatch::now();
        for (int k = first; k < first + linesPerBlock; ++k) {
            bare.appendPlainText(lineAt(k).chopped(2));
            QCoreApplication::processEvents();
        }
        const auto t2 = Stopwatch::now();
        program.push_back(perLine(t1 - t0));
        floor.push_back(perLine(t2 - t1));
    }
    printRatio("a line per turn for a shown full list", "us per line", median(program), median(floor), 1.0);
}

void readText(benchmark::State& state, Lines kind)
{
    auto box = shownBox();
    QString expected;
    for (const QString& line : reportLines(kind)) {
        box->appendText(line);
        expected += line;
    }
    box->layOutHeld(); // the lines laid out before the reads are timed
    for (auto _ : state) {
        QString text = box->text();
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
BENCHMARK_CAPTURE(typeIntoFullList, Plain, Lines::Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typeIntoFullList, Special, Lines::Special)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(readText, Plain, Lines::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readText, Special, Lines::Special)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readText, OneSpecial, Lines::OneSpecial)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    compareTurnsWithBare(9, 400);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
