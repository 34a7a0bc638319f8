#pragma once

#include "app/FileOpenDialog.h"
#include "app/MessageBoxes.h"
#include "app/ProgramEnd.h"
#include "app/WorkArea.h"

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
