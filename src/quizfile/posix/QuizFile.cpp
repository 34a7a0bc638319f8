#include "quizfile/QuizFile.h"

#include "quizfile/QuizFileFailure.h"
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
using filenames::quoted;

// What is at the path, when it is not something to read.
std::optional<ReadResult> notAFile(const QString& path, mode_t mode)
{
    if (S_ISDIR(mode))
        return fileFailure(FileFailure::Folder, quoted(path));
    if (!S_ISREG(mode))
        return fileFailure(FileFailure::NotOrdinary, quoted(path));
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
        return fileFailure(FileFailure::NotFound, quoted(path));
    case EACCES:
    case EPERM:
        return fileFailure(FileFailure::NoPermission, quoted(path));
    case ENAMETOOLONG:
        return fileFailure(FileFailure::PathTooLong, quoted(path));
    case ELOOP:
        return fileFailure(FileFailure::TooManyLinks, quoted(path));
    default:
        return fileFailure(FileFailure::CannotOpen, quoted(path), qt_error_string(error));
    }
}

} // namespace

ReadResult loadQuizFile(const QString& path)
{
    if (path.isEmpty())
        return fileFailure(FileFailure::NoName);

    const QByteArray native = filenames::encode(path);
    // Without O_NONBLOCK, a FIFO put in the file's place would hold the window
    // until a writer came. What was opened is what gets checked, so nothing
    // can be swapped in between.
    const Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return openFailure(path, native, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return fileFailure(FileFailure::CannotRead, quoted(path), qt_error_string(errno));
    if (auto refused = notAFile(path, status.st_mode))
        return *refused;
    if (status.st_size > kMaxFileBytes)
        return fileFailure(FileFailure::TooLarge, quoted(path));

    // A page past the limit tells (a page, not a byte, since some files of
    // /proc read only in whole records).
    std::optional<QByteArray> read =
        posixfile::readToEnd(file.get(), qsizetype(status.st_size), qsizetype(kMaxFileBytes) + 4096);
    if (!read)
        return fileFailure(FileFailure::CannotRead, quoted(path), qt_error_string(errno));
    QByteArray bytes = *std::move(read);
    if (bytes.size() > kMaxFileBytes)
        return fileFailure(FileFailure::TooLarge, quoted(path));
    return readQuizBytes(bytes);
}

} // namespace quizfile
