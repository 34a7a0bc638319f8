#pragma once

#include "toolkit/BackgroundWork.h"
#include "toolkit/Clock.h"
#include "toolkit/FileOpenDialog.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Platform.h"
#include "toolkit/ProgramEnd.h"
#include "toolkit/WorkArea.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Stand-ins for everything that waits for a person or leaves the process, for
// the tests and the benchmarks alike. A box or dialog that nothing was scripted
// for goes to scriptedUnexpected, which the program linking them defines: the
// tests fail the running test, the benchmarks print it.
void scriptedUnexpected(const std::string& what);

// A message box as the program showed it.
struct ShownBox {
    QString prompt;
    MsgStyle style;
    QString title;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

void PrintTo(const ShownBox& box, std::ostream* os);

// Answers boxes from a queue and records every box. A box that nobody queued an
// answer for is unexpected, unless autoOk answers an OK-only box or autoYesNo
// a Yes/No question by itself.
class ScriptedMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer MsgBox(const QString& prompt, MsgStyle style, const QString& title) override;

    void expect(MsgAnswer answer) { answers.push_back(answer); }

    std::deque<MsgAnswer> answers;
    std::vector<ShownBox> shown;
    bool autoOk = false;
    std::optional<MsgAnswer> autoYesNo;
};

class ScriptedFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<QString> getOpenFileName(const QString& filter) override;

    // nullopt answers as a cancel.
    std::deque<std::optional<QString>> answers;
    QStringList filters;
};

class ScriptedProgramEnd final : public ProgramEnd {
public:
    void End() override { ++ends; }
    int ends = 0;
};

class ScriptedWorkArea final : public WorkArea {
public:
    WorkAreaRect query() override
    {
        ++queries;
        return rect;
    }
    bool known() override { return placeable; }
    WorkAreaRect rect{0, 0, 1024, 738};
    bool placeable = true;
    int queries = 0;
};

class ScriptedClock final : public Clock {
public:
    double secondsSinceMidnight() override
    {
        const double now = seconds;
        seconds += step;
        return now;
    }
    double seconds = 43200.0;
    double step = 0.0;
};

// Runs each job and its answer at once, as if the disk were instant; with
// `hold`, keeps them until finish(), as a slow disk would, while the test goes
// on working the windows.
class ScriptedBackgroundWork final : public BackgroundWork {
public:
    void run(QObject& receiver, std::function<void()> job, std::function<void()> done) override;
    // Runs the held jobs, oldest first, and gives each its answer.
    void finish();

    bool hold = false;
    std::deque<std::function<void()>> held;
};

// All the scripted stand-ins together, and the Platform that refers to them.
struct ScriptedPlatform {
    ScriptedMessageBoxes boxes;
    ScriptedFileOpenDialog dialog;
    ScriptedProgramEnd end;
    ScriptedWorkArea workArea;
    ScriptedClock clock;
    ScriptedBackgroundWork background;
    Platform platform{boxes, dialog, end, workArea, clock, background};
};
