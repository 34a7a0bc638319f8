#include "report/ResultFiles.h"

#include "quizfile/QuizFile.h"
#include "report/WriteFailure.h"
#include "toolkit/FileNames.h"
#include "toolkit/windows/WindowsFile.h"

#include <QRandomGenerator>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <sddl.h>

namespace resultfiles {

namespace {

using windowsfile::errorText;
using windowsfile::Handle;
using filenames::quoted;
using windowsfile::wide;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

QString cannotWrite(const QString& path, DWORD error)
{
    return writeFailure(WriteFailure::CannotWrite, quoted(path), errorText(error));
}

QString folderOf(const QString& target)
{
    qsizetype at = target.size();
    while (at > 0 && !filenames::isSeparator(target.at(at - 1)))
        --at;
    return at <= 1 ? target.left(at) : target.left(at - 1);
}

// The reason the folder refused a new file, as the system gave it.
QString folderFailure(const QString& path, const QString& folder, DWORD error)
{
    const QString shown = quoted(folder);
    switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return writeFailure(WriteFailure::FolderMissing, shown);
    case ERROR_DIRECTORY:
        return writeFailure(WriteFailure::NotAFolder, shown);
    case ERROR_ACCESS_DENIED:
        return writeFailure(WriteFailure::NoFolderPermission, shown);
    case ERROR_WRITE_PROTECT:
        return writeFailure(WriteFailure::ReadOnlyFileSystem, shown);
    default:
        return cannotWrite(path, error);
    }
}

// Every byte from where the file stands, or false with GetLastError set.
bool writeAll(HANDLE file, const QByteArray& content)
{
    qsizetype done = 0;
    while (done < content.size()) {
        DWORD wrote = 0;
        const DWORD want = DWORD(std::min<qsizetype>(content.size() - done, qsizetype(1) << 30));
        if (!::WriteFile(file, content.constData() + done, want, &wrote, nullptr))
            return false;
        if (wrote == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += wrote;
    }
    return true;
}

// The file at the end of the name's links, as the system resolves them when
// it opens the name; the name itself when there is nothing there.
QString finalName(const QString& target)
{
    const Handle file(::CreateFileW(wide(target).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return target;
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(file.get(), name.data(), DWORD(name.size()), 0);
        if (length == 0)
            return target;
        if (length < name.size()) {
            // The name a person knows: without the prefix of the long form.
            QString found = QString::fromWCharArray(name.data(), int(length));
            if (found.startsWith(QStringLiteral("\\\\?\\UNC\\")))
                return QStringLiteral("\\\\") + found.mid(8);
            if (found.startsWith(QStringLiteral("\\\\?\\")))
                return found.mid(4);
            return found;
        }
        name.resize(length);
    }
}

// A new name in `folder`, short, so that no name limit is passed.
QString temporaryName(const QString& folder)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString name = folder + QStringLiteral("\\.pondera-");
    for (int i = 0; i < 8; ++i)
        name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
    return name;
}

// The security identifier of the user the program runs as.
std::optional<std::wstring> currentUser()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return std::nullopt;
    const Handle owned(token);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 || !::GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        return std::nullopt;
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return std::nullopt;
    std::wstring sid(text);
    ::LocalFree(text);
    return sid;
}

struct LocalFreer {
    void operator()(void* memory) const { ::LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalFreer>;

// A security descriptor whose access control list grants the user the
// program runs as everything and no one else anything, and is protected: no
// entry of the folder's is inherited. Empty, with GetLastError set, when the
// user cannot be told.
LocalMemory forTheSaverAlone()
{
    const std::optional<std::wstring> user = currentUser();
    if (!user)
        return {};
    const std::wstring text = L"D:P(A;;FA;;;" + *user + L")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    return LocalMemory(descriptor);
}

// The new file, opened for this writer alone while it is written. One that
// replaces a file is made for the saver alone: it can be opened by its name
// while the list is written, and the folder's inherited permissions may let
// others read it, where the old file did not; it only gets the old file's
// access control list once written. A file of a new name takes the folder's
// inherited permissions, as any new file there does.
HANDLE openTemporary(const QString& folder, bool replacing, QString& name)
{
    LocalMemory descriptor;
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, FALSE};
    if (replacing) {
        descriptor = forTheSaverAlone();
        if (!descriptor)
            return INVALID_HANDLE_VALUE;
        security.lpSecurityDescriptor = descriptor.get();
    }
    // The old file's list is given to it through this handle.
    const DWORD access = replacing ? GENERIC_WRITE | READ_CONTROL | WRITE_DAC : GENERIC_WRITE;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(folder);
        const HANDLE file = ::CreateFileW(wide(name).c_str(), access, 0, replacing ? &security : nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Gives the written file the access control list of the file it replaces.
// ReplaceFileW does so as well, but not every implementation of it (wine's
// keeps the new file's). Where the old list cannot be read, the new file
// stays its saver's alone, which gives no one a permission.
void copyAccessList(const QString& target, HANDLE to)
{
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(wide(target).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                &list, nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    const LocalMemory owned(descriptor);
    ::SetKernelObjectSecurity(to, DACL_SECURITY_INFORMATION, descriptor);
}

// Writes a new file beside `target` and puts it in the target's place only
// once everything is on the disk. ReplaceFileW gives it the old file's access
// control list, attributes, owner and streams; the old file stays, under a
// second temporary name, until the new one stands in its place, and is put
// back where the system could not finish.
std::optional<QString> replaceFile(const QString& path, const QString& target, bool exists, const QByteArray& content)
{
    const QString folder = folderOf(target);
    QString name;
    Handle file(openTemporary(folder, exists, name));
    if (!file.valid())
        return folderFailure(path, folder, ::GetLastError());
    const auto failed = [&](DWORD error) {
        file.reset();
        ::DeleteFileW(wide(name).c_str());
        return cannotWrite(path, error);
    };
    // Flushed here: a disk that fills up only when the data is laid out
    // must count as a failure.
    if (!writeAll(file.get(), content) || !::FlushFileBuffers(file.get()))
        return failed(::GetLastError());
    if (exists)
        copyAccessList(target, file.get());
    file.reset();
    if (!exists) {
        if (!::MoveFileExW(wide(name).c_str(), wide(target).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return failed(::GetLastError());
        return std::nullopt;
    }
    // The old file's attributes (hidden, say) by hand as well: ReplaceFileW
    // merges them, but not every implementation of it does (wine's).
    const DWORD kept = ::GetFileAttributesW(wide(target).c_str());
    if (kept != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesW(wide(name).c_str(), kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                         FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    const QString backup = temporaryName(folder);
    if (::ReplaceFileW(wide(target).c_str(), wide(name).c_str(), wide(backup).c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                       nullptr, nullptr)) {
        ::DeleteFileW(wide(backup).c_str());
        return std::nullopt;
    }
    const DWORD error = ::GetLastError();
    // The old file was moved aside and the new one could not follow: the
    // old one goes back.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        ::MoveFileExW(wide(backup).c_str(), wide(target).c_str(), MOVEFILE_WRITE_THROUGH);
    return failed(error);
}

constexpr std::chrono::seconds kLockWait{30};

// Writes over the file itself, for a file with several names (hard links),
// which a new file would split. The file is opened for this writer alone, so
// that a second one (another Pondera) waits for it rather than mixes its list
// into this one; the old bytes are kept and put back on a failure.
std::optional<QString> writeInPlace(const QString& path, const QString& target, const QByteArray& content)
{
    const auto until = std::chrono::steady_clock::now() + kLockWait;
    Handle file;
    for (;;) {
        file.reset(::CreateFileW(wide(target).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.valid())
            break;
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION)
            return cannotWrite(path, error);
        if (std::chrono::steady_clock::now() >= until)
            return writeFailure(WriteFailure::BeingWritten, quoted(path));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return cannotWrite(path, ::GetLastError());
    if (size.QuadPart > quizfile::kMaxFileBytes)
        return writeFailure(WriteFailure::TooLarge, quoted(path));
    std::optional<QByteArray> read =
        windowsfile::readToEnd(file.get(), qsizetype(size.QuadPart), qsizetype(quizfile::kMaxFileBytes) + 4096);
    if (!read)
        return cannotWrite(path, ::GetLastError());
    const QByteArray old = *std::move(read);

    const auto writeFromStart = [&](const QByteArray& bytes) {
        LARGE_INTEGER start{};
        return ::SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) && writeAll(file.get(), bytes) &&
               ::SetEndOfFile(file.get()) && ::FlushFileBuffers(file.get());
    };
    // The room first, so that a full disk fails before anything is overwritten.
    if (content.size() > old.size()) {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = content.size();
        if (!::SetFileInformationByHandle(file.get(), FileEndOfFileInfo, &end, sizeof end))
            return cannotWrite(path, ::GetLastError());
    }
    if (writeFromStart(content))
        return std::nullopt;
    const DWORD error = ::GetLastError();
    if (writeFromStart(old))
        return cannotWrite(path, error);
    return writeFailure(WriteFailure::OldContentLost, quoted(path), errorText(error));
}

} // namespace

bool fileExists(const QString& path)
{
    if (path.isEmpty() || filenames::isSeparator(path.back()))
        return false;
    // A link counts even when what it names is missing: saving through it
    // puts a file where the link points, which is the user's to allow.
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

QString otherOwner(const QString& path)
{
    if (path.isEmpty())
        return {};
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(wide(path).c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                                nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return {};
    QString whose;
    wchar_t* text = nullptr;
    const std::optional<std::wstring> self = currentUser();
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameSize = 256;
    DWORD domainSize = 256;
    SID_NAME_USE use{};
    const bool named = ::LookupAccountSidW(nullptr, owner, name, &nameSize, domain, &domainSize, &use);
    // A group as the owner (Administrators, for a file an elevated program
    // made) names no other person.
    const bool person = !named || use == SidTypeUser;
    if (self && person && ::ConvertSidToStringSidW(owner, &text)) {
        if (*self != text)
            whose = named ? QStringLiteral("the user %1").arg(QString::fromWCharArray(name))
                          : QStringLiteral("the user %1").arg(QString::fromWCharArray(text));
        ::LocalFree(text);
    }
    ::LocalFree(descriptor);
    return whose;
}

std::optional<QString> writeFile(const QString& path, const QByteArray& content)
{
    if (path.isEmpty())
        return writeFailure(WriteFailure::NoName);
    // A device (NUL, COM1) answers to its name in any folder.
    {
        const Handle device(::CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (device.valid() && ::GetFileType(device.get()) != FILE_TYPE_DISK)
            return writeFailure(WriteFailure::NotOrdinary, quoted(path));
    }
    const QString target = finalName(filenames::absolute(path));
    const DWORD attributes = ::GetFileAttributesW(wide(target).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    bool severalNames = false;
    if (exists) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return writeFailure(WriteFailure::Folder, quoted(path));
        // Closed again before the write, which opens the file for itself alone.
        const Handle file(
            ::CreateFileW(wide(target).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
        BY_HANDLE_FILE_INFORMATION information{};
        if (!file.valid() || !::GetFileInformationByHandle(file.get(), &information))
            return cannotWrite(path, ::GetLastError());
        if (::GetFileType(file.get()) != FILE_TYPE_DISK)
            return writeFailure(WriteFailure::NotOrdinary, quoted(path));
        // The attribute, or an access control list that denies the saver
        // writing: a file its owner meant to keep.
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return writeFailure(WriteFailure::ReadOnly, quoted(path));
        const Handle writable(
            ::CreateFileW(wide(target).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!writable.valid()) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_WRITE_PROTECT)
                return writeFailure(WriteFailure::ReadOnlyFileSystem, quoted(folderOf(target)));
            if (error == ERROR_ACCESS_DENIED)
                return writeFailure(WriteFailure::ReadOnly, quoted(path));
        }
        severalNames = information.nNumberOfLinks > 1;
    }
    // A new file in its place would split a hard link.
    if (severalNames)
        return writeInPlace(path, target, content);
    return replaceFile(path, target, exists, content);
}

} // namespace resultfiles
