#include "support/ScriptedPlatform.h"

#include <QObject>
#include <QPointer>

#include <ostream>
#include <string>

void PrintTo(const ShownBox& box, std::ostream* os)
{
    *os << "{\"" << box.prompt.toStdString() << "\", " << static_cast<int>(box.style) << ", \""
        << box.title.toStdString() << "\"}";
}

MsgAnswer ScriptedMessageBoxes::MsgBox(const QString& prompt, MsgStyle style, const QString& title)
{
    shown.push_back({prompt, style, title});
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (autoOk && style != MsgStyle::YesNoStop)
        return MsgAnswer::Ok;
    if (autoYesNo && style == MsgStyle::YesNoStop)
        return *autoYesNo;
    scriptedUnexpected("unexpected message box: \"" + prompt.toStdString() + "\" style " +
                       std::to_string(static_cast<int>(style)) + " title \"" + title.toStdString() + "\"");
    return style == MsgStyle::YesNoStop ? MsgAnswer::No : MsgAnswer::Ok;
}

std::optional<QString> ScriptedFileOpenDialog::getOpenFileName(const QString& filter)
{
    filters.push_back(filter);
    if (answers.empty()) {
        scriptedUnexpected("unexpected file-open dialog");
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedBackgroundWork::run(QObject& receiver, std::function<void()> job, std::function<void()> done)
{
    held.push_back([target = QPointer<QObject>(&receiver), job = std::move(job), done = std::move(done)] {
        job();
        if (target)
            done();
    });
    if (!hold)
        finish();
}

void ScriptedBackgroundWork::finish()
{
    while (!held.empty()) {
        const std::function<void()> next = std::move(held.front());
        held.pop_front();
        next();
    }
}
