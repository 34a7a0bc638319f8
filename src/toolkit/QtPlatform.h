#pragma once

#include "toolkit/FileOpenDialog.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Platform.h"
#include "toolkit/ProgramEnd.h"
#include "toolkit/QtClock.h"
#include "toolkit/WorkArea.h"

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

class QtWorkArea final : public WorkArea {
public:
    WorkAreaRect query() override;
    bool known() override;
};

// The Qt implementations together, and the Platform that refers to them: what
// the program runs on.
struct QtPlatformSet {
    QtMessageBoxes boxes;
    QtFileOpenDialog dialog;
    QtProgramEnd end;
    QtWorkArea workArea;
    QtClock clock;
    Platform platform{boxes, dialog, end, workArea, clock};
};
