// Saving the largest list through the report's Save button: 32 767 lines, as
// many as a test of the largest quiz can put into the practise list,
// replacing the file of the last save each time.

#include "BenchProgram.h"
#include "ReportLines.h"
#include "support/Controls.h"

#include "quiztest/Quiz.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QTemporaryDir* dir = nullptr;

void saveList(benchmark::State& state, Lines kind)
{
    BenchProgram fresh;
    frmReport& report = fresh.frame->report();
    for (const QString& line : reportLines(kind))
        fresh.frame->test().practiseList().append(line);
    // The list lays out what it was given at its next event; the save is
    // what is timed.
    const ReportControls controls(report);
    controls.txtPractise->layOutHeld();
    QuizControls(fresh.frame->quiz()).txtQuizFile->setText(dir->filePath(QStringLiteral("words.csv")));
    fresh.platform.boxes.autoYesNo = MsgAnswer::Yes; // replace the last save's file
    const QString saved = dir->filePath(QStringLiteral("words-ReadAgain.csv"));
    for (auto _ : state) {
        fresh.platform.boxes.shown.clear();
        controls.cmdSaveTODO->click();
        if (fresh.platform.boxes.shown.empty() ||
            !fresh.platform.boxes.shown.back().prompt.startsWith(QStringLiteral("File is Saved as"))) {
            state.SkipWithError("the list was not saved");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(saved).size());
}

// Special: every line holds characters that the list box keeps apart, the
// slowest case for reading its text back.
BENCHMARK_CAPTURE(saveList, Plain, Lines::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveList, Special, Lines::Special)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    dir = &temporary;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
