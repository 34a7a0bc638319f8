#pragma once

#include "support/ScriptedPlatform.h"

#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"

#include <QtGlobal>

#include <memory>

// The tests' stand-ins set up for a benchmark: every OK box answers itself, the
// work area is a large screen's, and the clock ticks on as it is read.
inline void prepareForBench(ScriptedPlatform& stand_ins)
{
    stand_ins.boxes.autoOk = true;
    stand_ins.workArea.rect = {0, 0, 1280, 984};
    stand_ins.clock.seconds = 36000.0;
    stand_ins.clock.step = 1.0 / 512;
}

// The program started on the stand-ins, as far as the frame's load.
struct BenchProgram {
    BenchProgram()
    {
        prepareForBench(platform);
        frame = std::make_unique<MDIForm1>(platform.platform, generator);
        frame->MDIForm_Load();
    }
    ScriptedPlatform platform;
    RandomGenerator generator;
    std::unique_ptr<MDIForm1> frame;
};

// Benchmarks need no display; call before the QApplication exists.
inline void useOffscreenPlatformUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
