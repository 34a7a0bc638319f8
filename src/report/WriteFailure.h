#pragma once

#include <QString>

// Why a list could not be saved, each system's causes named alike: the one
// place of the messages Save shows for a file it cannot write.
namespace resultfiles {

enum class WriteFailure {
    NoName,
    CannotWrite,    // with the system's cause
    OldContentLost, // CannotWrite, and the old bytes could not be put back
    Folder,
    NotOrdinary,
    ReadOnly,
    TooLarge,
    BeingWritten,
    // Of the folder the file is to be in:
    FolderMissing,
    NotAFolder,
    NoFolderPermission,
    ReadOnlyFileSystem,
};

// The message for the file or folder at `quoted` (quoted as the system's file
// layer quotes a path); `cause` is the system's own text of the error.
QString writeFailure(WriteFailure failure, const QString& quoted = QString(), const QString& cause = QString());

} // namespace resultfiles
