#include "toolkit/ConsoleText.h"

#include "toolkit/CrLf.h"

#include <QByteArray>
#include <QString>

#include <windows.h>

namespace {

bool writeToConsole(HANDLE console, const QString& text)
{
    DWORD mode = 0;
    if (!::GetConsoleMode(console, &mode))
        return false;
    const auto* at = reinterpret_cast<const wchar_t*>(text.utf16());
    DWORD left = DWORD(text.size());
    while (left > 0) {
        DWORD wrote = 0;
        if (!::WriteConsoleW(console, at, left, &wrote, nullptr) || wrote == 0)
            return false;
        at += wrote;
        left -= wrote;
    }
    return true;
}

bool writeToFile(HANDLE file, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        if (!::WriteFile(file, bytes.constData() + done, DWORD(bytes.size() - done), &wrote, nullptr) || wrote == 0)
            return false;
        done += wrote;
    }
    return true;
}

} // namespace

// The program is a windows program (the GUI subsystem): the system gives it
// no console of its own, and a console's cmd.exe gives it no standard handles
// either. Output sent to a file or a pipe still comes as a standard handle;
// otherwise the program attaches to its parent's console, if it has one, and
// writes there. cmd.exe does not wait for a windows program, so the text comes
// after the prompt it has already shown.
void writeConsoleText(ConsoleStream stream, const QString& lines)
{
    // A file or a pipe had CR LF line ends from the C runtime's text mode, and
    // keeps them; a console takes either.
    const QString text = QString(lines).replace(u'\n', kCrLf);
    const HANDLE given = ::GetStdHandle(stream == ConsoleStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (given && given != INVALID_HANDLE_VALUE && ::GetFileType(given) != FILE_TYPE_UNKNOWN) {
        if (writeToConsole(given, text))
            return;
        // A file or a pipe: bytes in the system's code page, as the C runtime wrote them.
        writeToFile(given, text.toLocal8Bit());
        return;
    }
    if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED)
        return;
    // Errors too: the console has one screen.
    const HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return;
    writeToConsole(console, text);
    ::CloseHandle(console);
}
