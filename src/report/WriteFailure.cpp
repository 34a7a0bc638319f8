#include "report/WriteFailure.h"

namespace resultfiles {

QString writeFailure(WriteFailure failure, const QString& quoted, const QString& cause)
{
    const QString& p = quoted;
    switch (failure) {
    case WriteFailure::NoName:
        return QStringLiteral("no file name was given");
    case WriteFailure::CannotWrite:
        break;
    case WriteFailure::OldContentLost:
        return writeFailure(WriteFailure::CannotWrite, p, cause) +
               QStringLiteral(", and its old content could not be put back");
    case WriteFailure::Folder:
        return QStringLiteral("%1 is a folder, not a file").arg(p);
    case WriteFailure::NotOrdinary:
        return QStringLiteral("%1 is not an ordinary file").arg(p);
    case WriteFailure::ReadOnly:
        return QStringLiteral("the file %1 is read-only").arg(p);
    case WriteFailure::TooLarge:
        return QStringLiteral("the file %1 is larger than 64 MiB and is not replaced").arg(p);
    case WriteFailure::BeingWritten:
        return QStringLiteral("the file %1 is being written by another program").arg(p);
    case WriteFailure::FolderMissing:
        return QStringLiteral("the folder %1 does not exist").arg(p);
    case WriteFailure::NotAFolder:
        return QStringLiteral("%1 is not a folder").arg(p);
    case WriteFailure::NoFolderPermission:
        return QStringLiteral("you have no permission to write in the folder %1").arg(p);
    case WriteFailure::ReadOnlyFileSystem:
        return QStringLiteral("the folder %1 is on a read-only file system").arg(p);
    }
    return QStringLiteral("the file %1 cannot be written: %2").arg(p, cause);
}

} // namespace resultfiles
