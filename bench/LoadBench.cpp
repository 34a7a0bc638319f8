// Loading the largest quiz a file may hold, 32 767 items, through the Load
// button, once as UTF-8 and once as Shift-JIS; and refusing the 64 MiB files
// that cost the most per byte. The two loads are also compared, interleaved,
// with their floor (floorLoad): goal within 1.5 times.

#include "BenchProgram.h"
#include "Ratio.h"
#include "support/Controls.h"
#include "support/QuizDriver.h"

#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/frmQ.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 32767;

QString quizText()
{
    QString text;
    for (int i = 1; i <= kItems; ++i)
        text += QStringLiteral("ことば%1,meaning %1\r\n").arg(i); // about 1 MiB in all
    return text;
}

QByteArray shiftJis(const QString& text)
{
    QStringEncoder encoder("windows-31j");
    QByteArray encoded = encoder.encode(text);
    return encoded;
}

BenchProgram* program = nullptr;
QTemporaryDir* dir = nullptr;

// Two copies of each file: loading the path that was loaded last is refused.
QString writeCopies(const QByteArray& bytes, const QString& name)
{
    for (const char* copy : {"a", "b"}) {
        QFile file(dir->filePath(name + QLatin1String(copy)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    return dir->filePath(name);
}

// Loads the two copies of `path` in turn, `boxes` messages expected of each
// load (none: every item read).
void loadAlternately(benchmark::State& state, const QString& path, qint64 fileBytes, std::size_t boxes = 0)
{
    QuizDriver driver(*program->frame);
    // The benchmark runs this more than once: alternate across runs too.
    static bool second = false;
    for (auto _ : state) {
        driver.load(path + QLatin1String(second ? "b" : "a"));
        second = !second;
        if (program->platform.boxes.shown.size() != boxes || (boxes == 0 && driver.session().iTotal() != kItems)) {
            state.SkipWithError("the load did not end as expected");
            break;
        }
        program->platform.boxes.shown.clear();
    }
    state.SetBytesProcessed(state.iterations() * fileBytes);
}

void BM_LoadUtf8(benchmark::State& state)
{
    static const QByteArray bytes = quizText().toUtf8();
    static const QString path = writeCopies(bytes, QStringLiteral("utf8-"));
    loadAlternately(state, path, bytes.size());
}

void BM_LoadShiftJis(benchmark::State& state)
{
    static const QByteArray bytes = shiftJis(quizText());
    static const QString path = writeCopies(bytes, QStringLiteral("sjis-"));
    loadAlternately(state, path, bytes.size());
}

// Files of the largest size that is read, made to cost the most per byte:
// each is refused with a message. Goal: every one under 1 s.
void loadRefused(benchmark::State& state, const QByteArray& bytes, const QString& name)
{
    loadAlternately(state, writeCopies(bytes, name), bytes.size(), 1);
}

constexpr qsizetype kLargest = qsizetype(64) * 1024 * 1024;

// 64 Mi empty lines: "Not enough questions to ask".
void BM_Load64MiBOfLineBreaks(benchmark::State& state)
{
    loadRefused(state, QByteArray(kLargest, '\r'), QStringLiteral("breaks-"));
}

// 32 Mi blank lines of one space.
void BM_Load64MiBOfBlankLines(benchmark::State& state)
{
    loadRefused(state, QByteArrayLiteral(" \r").repeated(kLargest / 2), QStringLiteral("blanks-"));
}

// Lines that both encodings decode up to a bad byte at the very end, so that
// both are tried on the whole file; the item limit stops the read itself early.
void BM_Load64MiBBadAtTheEnd(benchmark::State& state)
{
    QByteArray bytes = QByteArrayLiteral("q,a\r\n").repeated(kLargest / 5);
    bytes.append('\xFF');
    loadRefused(state, bytes, QStringLiteral("bad-end-"));
}

BENCHMARK(BM_LoadUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load64MiBOfLineBreaks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load64MiBOfBlankLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load64MiBBadAtTheEnd)->Unit(benchmark::kMillisecond);

// The floor of a load: the file read and decoded once, in the encoding known
// beforehand, and each line's question and answer kept as offsets into the
// text. No encoding is chosen, no field is checked or copied.
struct FloorItems {
    QString text;
    std::vector<std::uint32_t> ends;
};

FloorItems floorLoad(const QString& path, const char* encoding)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(encoding);
    FloorItems items;
    items.text = decoder.decode(bytes);
    items.ends.reserve(2 * kItems);
    const QStringView text(items.text);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\r', start);
        if (end < 0)
            end = text.size();
        const qsizetype comma = text.sliced(start, end - start).indexOf(u',');
        items.ends.push_back(static_cast<std::uint32_t>(start + comma));
        items.ends.push_back(static_cast<std::uint32_t>(end));
        start = end + 2;
    }
    return items;
}

// The program's load against its floor, interleaved, medians of `rounds`.
void compareWithFloor(const char* figure, const QString& path, const char* encoding, int rounds)
{
    using Stopwatch = std::chrono::steady_clock;
    const auto ms = [](Stopwatch::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    QuizDriver driver(*program->frame);
    std::vector<double> loads, floors;
    bool second = false;
    for (int round = 0; round < rounds; ++round) {
        const auto t0 = Stopwatch::now();
        driver.load(path + QLatin1String(second ? "b" : "a"));
        const auto t1 = Stopwatch::now();
        const FloorItems floor = floorLoad(path + QLatin1String(second ? "b" : "a"), encoding);
        const auto t2 = Stopwatch::now();
        second = !second;
        if (driver.session().iTotal() != kItems || floor.ends.size() != 2 * kItems)
            std::printf("%s: the load did not read every item\n", figure);
        loads.push_back(ms(t1 - t0));
        floors.push_back(ms(t2 - t1));
    }
    printRatio(figure, "ms", median(loads), median(floors), 1.5);
}

long statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// The peak memory a single load adds, against the size of the text it
// decodes (UTF-16, as the program holds it).
void reportPeakMemory(const char* encoding, const QByteArray& bytes, const QString& text)
{
    const QString path = writeCopies(bytes, QStringLiteral("peak-%1-").arg(QLatin1StringView(encoding)));
    BenchProgram fresh;
    const QuizControls ui(fresh.frame->quiz());
    ui.txtQuizFile->setText(path + QLatin1String("a"));
    std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak to the present size
    const long before = statusKiB("VmRSS:");
    ui.cmdLoad->click();
    const long peak = statusKiB("VmHWM:");
    const double decodedKiB = static_cast<double>(text.size()) * 2 / 1024;
    std::printf("Peak memory of one %s load: %ld KiB over %ld KiB before, for %.0f KiB of decoded text "
                "(%.2f times; the file is %lld KiB)\n",
                encoding, peak - before, before, decodedKiB, (peak - before) / decodedKiB,
                static_cast<long long>(bytes.size() / 1024));
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    dir = &temporary;
    const QString text = quizText();
    reportPeakMemory("UTF-8", text.toUtf8(), text);
    reportPeakMemory("Shift-JIS", shiftJis(text), text);
    BenchProgram running;
    program = &running;
    compareWithFloor("load 32 767 items, UTF-8", writeCopies(text.toUtf8(), QStringLiteral("ratio-utf8-")), "UTF-8",
                     41);
    compareWithFloor("load 32 767 items, Shift-JIS", writeCopies(shiftJis(text), QStringLiteral("ratio-sjis-")),
                     "windows-31j", 41);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    program = nullptr;
    return 0;
}
