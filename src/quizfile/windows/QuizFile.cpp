#include "quizfile/QuizFile.h"

#include "quizfile/QuizFileFailure.h"
#include "toolkit/FileNames.h"
#include "toolkit/windows/WindowsFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

#include <windows.h>

namespace quizfile {

namespace {

using filenames::quoted;
using windowsfile::Handle;

ReadResult cannotRead(const QString& path, DWORD error)
{
    return fileFailure(FileFailure::CannotRead, quoted(path), windowsfile::errorText(error));
}

ReadResult openFailure(const QString& path, const std::wstring& name, DWORD error)
{
    // A file cannot be opened as a folder is: the system says only that
    // access is denied.
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return fileFailure(FileFailure::Folder, quoted(path));
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return fileFailure(FileFailure::NotFound, quoted(path));
    case ERROR_ACCESS_DENIED:
        return fileFailure(FileFailure::NoPermission, quoted(path));
    case ERROR_FILENAME_EXCED_RANGE:
        return fileFailure(FileFailure::PathTooLong, quoted(path));
    case ERROR_CANT_RESOLVE_FILENAME:
        return fileFailure(FileFailure::TooManyLinks, quoted(path));
    default:
        return fileFailure(FileFailure::CannotOpen, quoted(path), windowsfile::errorText(error));
    }
}

} // namespace

ReadResult loadQuizFile(const QString& path)
{
    if (path.isEmpty())
        return fileFailure(FileFailure::NoName);

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
        return fileFailure(FileFailure::NotOrdinary, quoted(path));
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return cannotRead(path, ::GetLastError());
    if (size.QuadPart > kMaxFileBytes)
        return fileFailure(FileFailure::TooLarge, quoted(path));

    // A page past the limit tells, as the file may grow while it is read.
    std::optional<QByteArray> read =
        windowsfile::readToEnd(file.get(), qsizetype(size.QuadPart), qsizetype(kMaxFileBytes) + 4096);
    if (!read)
        return cannotRead(path, ::GetLastError());
    QByteArray bytes = *std::move(read);
    if (bytes.size() > kMaxFileBytes)
        return fileFailure(FileFailure::TooLarge, quoted(path));
    return readQuizBytes(bytes);
}

} // namespace quizfile
