#include "toolkit/windows/WindowsFile.h"

#include "toolkit/ReadToEnd.h"

#include <algorithm>

#include <windows.h>

namespace windowsfile {

bool Handle::valid() const
{
    return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE;
}

void Handle::reset(void* handle)
{
    if (valid())
        ::CloseHandle(m_handle);
    m_handle = handle;
}

std::wstring wide(const QString& name)
{
    std::wstring path = name.toStdWString();
    // Past MAX_PATH only the long form reaches the file. It takes a full path
    // with backslashes alone, which GetFullPathNameW makes, as the short
    // form's rules would.
    if (path.size() < MAX_PATH - 12 || path.starts_with(L"\\\\?\\"))
        return path;
    DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    length = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(length);
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::optional<QByteArray> readToEnd(void* handle, qsizetype sizeHint, qsizetype limit)
{
    return filereading::readToEnd(sizeHint, limit, [handle](char* into, qsizetype room) -> qsizetype {
        // ReadFile takes at most a DWORD at a time.
        const DWORD want = DWORD(std::min<qsizetype>(room, qsizetype(1) << 30));
        DWORD got = 0;
        if (::ReadFile(handle, into, want, &got, nullptr))
            return got;
        // The write end of a pipe closed is its end, as a read of 0 is.
        return ::GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    });
}

QString errorText(unsigned long error)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    QString text = length > 0 ? QString::fromWCharArray(buffer, int(length)) : QString();
    if (buffer)
        ::LocalFree(buffer);
    text = text.trimmed();
    if (text.endsWith(u'.'))
        text.chop(1);
    if (text.isEmpty())
        text = QStringLiteral("error %1").arg(error);
    return text;
}

} // namespace windowsfile
