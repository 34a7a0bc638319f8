#include "quizfile/QuizFile.h"

#include "toolkit/windows/WindowsFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

#include <windows.h>

namespace quizfile {

namespace {

using windowsfile::Handle;
using windowsfile::quoted;

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

ReadResult cannotRead(const QString& path, DWORD error)
{
    return fileError(ReadErrorKind::ReadFailed,
                     QStringLiteral("the file %1 cannot be read: %2").arg(quoted(path), windowsfile::errorText(error)));
}

ReadResult openFailure(const QString& path, const std::wstring& name, DWORD error)
{
    // A file cannot be opened as a folder is: the system says only that
    // access is denied.
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return fileError(ReadErrorKind::NotAFile, QStringLiteral("%1 is a folder, not a file").arg(quoted(path)));
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return fileError(ReadErrorKind::FileNotFound, QStringLiteral("the file %1 does not exist").arg(quoted(path)));
    case ERROR_ACCESS_DENIED:
        return fileError(ReadErrorKind::PermissionDenied,
                         QStringLiteral("you have no permission to read the file %1").arg(quoted(path)));
    case ERROR_FILENAME_EXCED_RANGE:
        return fileError(ReadErrorKind::FileNotFound,
                         QStringLiteral("the path %1 is longer than the system allows").arg(quoted(path)));
    case ERROR_CANT_RESOLVE_FILENAME:
        return fileError(ReadErrorKind::FileNotFound,
                         QStringLiteral("the path %1 has too many levels of symbolic links").arg(quoted(path)));
    default:
        return fileError(
            ReadErrorKind::ReadFailed,
            QStringLiteral("the file %1 cannot be opened: %2").arg(quoted(path), windowsfile::errorText(error)));
    }
}

} // namespace

ReadResult loadQuizFile(const QString& path)
{
    if (path.isEmpty())
        return fileError(ReadErrorKind::FileNotFound, QStringLiteral("no file name was given"));

    const std::wstring name = windowsfile::wide(path);
    // Shared in every way, so that a file an editor holds open is read, and
    // a save that replaces it meanwhile is not refused. What was opened is
    // what gets checked, so nothing can be swapped in between.
    const Handle file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                    nullptr));
    if (!file.valid())
        return openFailure(path, name, ::GetLastError());
    // A pipe, a console or a device (NUL, COM1) would block or never end.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return fileError(ReadErrorKind::NotAFile, QStringLiteral("%1 is not an ordinary file").arg(quoted(path)));
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return cannotRead(path, ::GetLastError());
    if (size.QuadPart > kMaxFileBytes)
        return tooLarge(path);

    // A page past the limit tells, as the file may grow while it is read.
    std::optional<QByteArray> read =
        windowsfile::readToEnd(file.get(), qsizetype(size.QuadPart), qsizetype(kMaxFileBytes) + 4096);
    if (!read)
        return cannotRead(path, ::GetLastError());
    QByteArray bytes = *std::move(read);
    if (bytes.size() > kMaxFileBytes)
        return tooLarge(path);
    return readQuizBytes(bytes);
}

} // namespace quizfile
