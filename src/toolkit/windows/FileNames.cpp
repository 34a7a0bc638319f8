#include "toolkit/FileNames.h"

#include "toolkit/windows/WindowsFile.h"

#include <QUrl>

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace filenames {

namespace {

bool hasDrive(const QString& name)
{
    return name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter();
}

} // namespace

// Windows names are UTF-16 and reach the wide calls as they are; bytes are
// only the form a name takes in a URL or on a command line given as bytes,
// where it is UTF-8.
QString decode(const QByteArray& native)
{
    return QString::fromUtf8(native);
}

QByteArray encode(const QString& name)
{
    return name.toUtf8();
}

QString display(const QString& name)
{
    return name;
}

QString fromUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    // A server's share comes back as //server/share/..., as Qt gives it.
    return url.toLocalFile();
}

bool isFolder(const QString& name)
{
    const DWORD attributes = ::GetFileAttributesW(windowsfile::wide(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

QString currentFolder()
{
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(DWORD(folder.size()), folder.data());
        if (length == 0)
            return {};
        if (length < folder.size())
            return QString::fromWCharArray(folder.data(), int(length));
        folder.resize(length);
    }
}

QString absolute(const QString& name)
{
    // "C:\x" and "\\server\share\x" stand as they are; "C:x" too, which the
    // system takes from that drive's own working folder.
    if (hasDrive(name) || (name.size() >= 2 && isSeparator(name.at(0)) && isSeparator(name.at(1))))
        return name;
    const QString folder = currentFolder();
    // "\x" is on the working folder's drive.
    if (!name.isEmpty() && isSeparator(name.at(0)))
        return hasDrive(folder) ? folder.left(2) + name : name;
    return folder.isEmpty() || isSeparator(folder.back()) ? folder + name : folder + u'\\' + name;
}

QStringList programArguments(int argc, const char* const* argv)
{
    // argv has the words in the ANSI code page, where a name in another
    // script turns into question marks; the wide command line has them all.
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!words) {
        QStringList fallback;
        for (int i = 0; i < argc; ++i)
            fallback.append(QString::fromLocal8Bit(argv[i]));
        return fallback;
    }
    QStringList arguments;
    for (int i = 0; i < count; ++i)
        arguments.append(QString::fromWCharArray(words[i]));
    ::LocalFree(words);
    return arguments;
}

} // namespace filenames
