#pragma once

#include "support/ScriptedPlatform.h"

#include "toolkit/CrLf.h"

#include <QDir>
#include <QString>

// The boxes a save shows, as the user reads them; the quiz window's caption,
// their title, is empty at the program's start.
namespace savemessages {

inline ShownBox saved(const QString& file)
{
    return {QStringLiteral("File is Saved as") + kCrLf + kCrLf + QDir::toNativeSeparators(file),
            MsgStyle::OkInformation, QString()};
}

inline ShownBox overwrite(const QString& file)
{
    return {file + kCrLf + QStringLiteral("already exists") + kCrLf + kCrLf +
                QStringLiteral("Do you want to overwrite?"),
            MsgStyle::YesNoStop, QString()};
}

inline ShownBox failed(const QString& description)
{
    return {QStringLiteral("There has been a error!") + kCrLf + description, MsgStyle::OkInformation, QString()};
}

} // namespace savemessages
