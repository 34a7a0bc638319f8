#pragma once

#include "toolkit/FileOpenDialog.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/ProgramEnd.h"
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
};
