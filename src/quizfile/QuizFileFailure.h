#pragma once

#include "quizfile/QuizFileReader.h"

#include <QString>

// Why a quiz file could not be read, each system's causes named alike: the
// one place of the messages Load shows for a file it cannot read.
namespace quizfile {

enum class FileFailure {
    NoName,
    NotFound,
    NoPermission,
    PathTooLong,
    TooManyLinks,
    Folder,
    NotOrdinary,
    TooLarge,
    CannotOpen, // with the system's cause
    CannotRead, // with the system's cause
};

// The failure of the file at `quotedPath` (quoted as the system's file layer
// quotes a path); `cause` is the system's own text of the error.
ReadResult fileFailure(FileFailure failure, const QString& quotedPath = QString(), const QString& cause = QString());

} // namespace quizfile
