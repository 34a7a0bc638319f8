#include "quizfile/QuizFile.h"

#include "toolkit/FileNames.h"
#include "toolkit/posix/PosixFile.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quizfile {

namespace {

using posixfile::Descriptor;
using posixfile::quoted;

ReadResult fileError(ReadErrorKind kind, const QString& message)
{
    ReadResult result;
    result.error = ReadError{kind, 0, message};
    return result;
}

ReadResult tooLarge(const QString& path)
{
    return fileError(ReadErrorKind::FileTooLarge,
                     QStringLiteral("the file %1 is larger than 64 MiB and cannot be a quiz file").arg(quoted(path)));
}

// What is at the path, when it is not something to read.
std::optional<ReadResult> notAFile(const QString& path, mode_t mode)
{
    if (S_ISDIR(mode))
        return fileError(ReadErrorKind::NotAFile, QStringLiteral("%1 is a folder, not a file").arg(quoted(path)));
    if (!S_ISREG(mode))
        return fileError(ReadErrorKind::NotAFile, QStringLiteral("%1 is not an ordinary file").arg(quoted(path)));
    return std::nullopt;
}

ReadResult openFailure(const QString& path, const QByteArray& native, int error)
{
    // A folder without read permission, or a socket, cannot be opened at all.
    struct stat status {};
    if (::stat(native.constData(), &status) == 0)
        if (auto refused = notAFile(path, status.st_mode))
            return *refused;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return fileError(ReadErrorKind::FileNotFound, QStringLiteral("the file %1 does not exist").arg(quoted(path)));
    case EACCES:
    case EPERM:
        return fileError(ReadErrorKind::PermissionDenied,
                         QStringLiteral("you have no permission to read the file %1").arg(quoted(path)));
    case ENAMETOOLONG:
        return fileError(ReadErrorKind::FileNotFound,
                         QStringLiteral("the path %1 is longer than the system allows").arg(quoted(path)));
    case ELOOP:
        return fileError(ReadErrorKind::FileNotFound,
                         QStringLiteral("the path %1 has too many levels of symbolic links").arg(quoted(path)));
    default:
        return fileError(ReadErrorKind::ReadFailed,
                         QStringLiteral("the file %1 cannot be opened: %2").arg(quoted(path), qt_error_string(error)));
    }
}

} // namespace

ReadResult loadQuizFile(const QString& path)
{
    if (path.isEmpty())
        return fileError(ReadErrorKind::FileNotFound, QStringLiteral("no file name was given"));

    const QByteArray native = filenames::encode(path);
    // Without O_NONBLOCK, a FIFO put in the file's place would hold the window
    // until a writer came. What was opened is what gets checked, so nothing
    // can be swapped in between.
    const Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return openFailure(path, native, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return fileError(ReadErrorKind::ReadFailed,
                         QStringLiteral("the file %1 cannot be read: %2").arg(quoted(path), qt_error_string(errno)));
    if (auto refused = notAFile(path, status.st_mode))
        return *refused;
    if (status.st_size > kMaxFileBytes)
        return tooLarge(path);

    // A page past the limit tells (a page, not a byte, since some files of
    // /proc read only in whole records).
    std::optional<QByteArray> read =
        posixfile::readToEnd(file.get(), qsizetype(status.st_size), qsizetype(kMaxFileBytes) + 4096);
    if (!read)
        return fileError(ReadErrorKind::ReadFailed,
                         QStringLiteral("the file %1 cannot be read: %2").arg(quoted(path), qt_error_string(errno)));
    QByteArray bytes = *std::move(read);
    if (bytes.size() > kMaxFileBytes)
        return tooLarge(path);
    return readQuizBytes(bytes);
}

} // namespace quizfile
