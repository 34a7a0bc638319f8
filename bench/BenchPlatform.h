#pragma once

#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"
#include "toolkit/Clock.h"
#include "toolkit/FileOpenDialog.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Platform.h"
#include "toolkit/ProgramEnd.h"
#include "toolkit/WorkArea.h"

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

// Stand-ins for everything that waits for a person or leaves the process, so
// that a benchmark can drive the windows without anyone at the keyboard.

// Answers OK, and `yesNo` (No unless set) to a Yes/No question such as the
// quit question; keeps every box shown.
class BenchMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer MsgBox(const QString& prompt, MsgStyle style, const QString&) override
    {
        prompts.push_back(prompt);
        return style == MsgStyle::YesNoStop ? yesNo : MsgAnswer::Ok;
    }
    std::vector<QString> prompts;
    MsgAnswer yesNo = MsgAnswer::No;
};

// Picks the path set beforehand, or cancels when none is set.
class BenchFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<QString> getOpenFileName(const QString&) override { return path; }
    std::optional<QString> path;
};

class BenchProgramEnd final : public ProgramEnd {
public:
    void End() override { ++ends; }
    int ends = 0;
};

class BenchWorkArea final : public WorkArea {
public:
    WorkAreaRect query() override { return {0, 0, 1280, 984}; }
};

// Ticks every 64th of a second, read a few times per tick as the program's
// clock is while it draws; the same readings on every run.
class BenchClock final : public Clock {
public:
    double secondsSinceMidnight() override { return 36000.0 + static_cast<double>(m_reads++ / 8) / 64.0; }

private:
    long long m_reads = 0;
};

struct BenchPlatform {
    BenchMessageBoxes boxes;
    BenchFileOpenDialog dialog;
    BenchProgramEnd end;
    BenchWorkArea workArea;
    BenchClock clock;
    Platform platform{boxes, dialog, end, workArea, clock};
};

// The program started on the stand-ins, as far as the frame's load.
struct BenchProgram {
    BenchProgram()
    {
        frame = std::make_unique<MDIForm1>(platform.platform, generator);
        frame->MDIForm_Load();
    }
    BenchPlatform platform;
    RandomGenerator generator;
    std::unique_ptr<MDIForm1> frame;
};

// Benchmarks need no display; call before the QApplication exists.
inline void useOffscreenPlatformUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
