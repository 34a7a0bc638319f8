#pragma once

#include "toolkit/BackgroundWork.h"
#include "toolkit/DesktopWorkArea.h"
#include "toolkit/FileOpenDialog.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Platform.h"
#include "toolkit/ProgramEnd.h"
#include "toolkit/QtClock.h"

#include <vector>

class QtMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer MsgBox(const QString& prompt, MsgStyle style, const QString& title) override;
};

class QtFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<QString> getOpenFileName(const QString& filter) override;
};

class QtProgramEnd final : public ProgramEnd {
public:
    void End() override;
};

class QThread;

// One thread for each job. The program's end waits for the jobs still
// running, so that a save begun is a save finished.
class QtBackgroundWork final : public BackgroundWork {
public:
    QtBackgroundWork() = default;
    QtBackgroundWork(const QtBackgroundWork&) = delete;
    QtBackgroundWork& operator=(const QtBackgroundWork&) = delete;
    ~QtBackgroundWork() override;
    void run(QObject& receiver, std::function<void()> job, std::function<void()> done) override;

private:
    std::vector<QThread*> m_running;
};

// The Qt implementations together, and the Platform that refers to them: what
// the program runs on.
struct QtPlatformSet {
    QtMessageBoxes boxes;
    QtFileOpenDialog dialog;
    QtProgramEnd end;
    DesktopWorkArea workArea;
    QtClock clock;
    QtBackgroundWork backgroundWork;
    Platform platform{boxes, dialog, end, workArea, clock, backgroundWork};
};
