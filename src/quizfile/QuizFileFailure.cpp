#include "quizfile/QuizFileFailure.h"

namespace quizfile {

namespace {

ReadResult failed(ReadErrorKind kind, const QString& message)
{
    ReadResult result;
    result.error = ReadError{kind, 0, message};
    return result;
}

} // namespace

ReadResult fileFailure(FileFailure failure, const QString& quotedPath, const QString& cause)
{
    const QString& p = quotedPath;
    switch (failure) {
    case FileFailure::NoName:
        return failed(ReadErrorKind::FileNotFound, QStringLiteral("no file name was given"));
    case FileFailure::NotFound:
        return failed(ReadErrorKind::FileNotFound, QStringLiteral("the file %1 does not exist").arg(p));
    case FileFailure::NoPermission:
        return failed(ReadErrorKind::PermissionDenied,
                      QStringLiteral("you have no permission to read the file %1").arg(p));
    case FileFailure::PathTooLong:
        return failed(ReadErrorKind::FileNotFound,
                      QStringLiteral("the path %1 is longer than the system allows").arg(p));
    case FileFailure::TooManyLinks:
        return failed(ReadErrorKind::FileNotFound,
                      QStringLiteral("the path %1 has too many levels of symbolic links").arg(p));
    case FileFailure::Folder:
        return failed(ReadErrorKind::NotAFile, QStringLiteral("%1 is a folder, not a file").arg(p));
    case FileFailure::NotOrdinary:
        return failed(ReadErrorKind::NotAFile, QStringLiteral("%1 is not an ordinary file").arg(p));
    case FileFailure::TooLarge:
        return failed(ReadErrorKind::FileTooLarge,
                      QStringLiteral("the file %1 is larger than 64 MiB and cannot be a quiz file").arg(p));
    case FileFailure::CannotOpen:
        return failed(ReadErrorKind::ReadFailed, QStringLiteral("the file %1 cannot be opened: %2").arg(p, cause));
    case FileFailure::CannotRead:
        break;
    }
    return failed(ReadErrorKind::ReadFailed, QStringLiteral("the file %1 cannot be read: %2").arg(p, cause));
}

} // namespace quizfile
