#include "report/ResultFiles.h"

#include "quizfile/QuizFile.h"
#include "report/WriteFailure.h"
#include "toolkit/FileNames.h"
#include "toolkit/posix/PosixFile.h"

#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include <acl/libacl.h>
#include <attr/libattr.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The writing of the result files with the calls of POSIX systems.
namespace resultfiles {

namespace {

using posixfile::Descriptor;
using filenames::quoted;

QString cannotWrite(const QString& path, int error)
{
    return writeFailure(WriteFailure::CannotWrite, quoted(path), qt_error_string(error));
}

QByteArray folderOf(const QByteArray& native)
{
    const qsizetype slash = native.lastIndexOf('/');
    return slash <= 0 ? QByteArray(slash == 0 ? "/" : ".") : native.left(slash);
}

// The owner of `folder` when anyone may write to it and it is sticky (the
// system's temporary folder, a class share), where other users' files sit
// beside the saver's; nullopt for any other folder, or one that cannot be
// looked at (the open that follows tells why).
std::optional<uid_t> sharedFolderOwner(const QByteArray& folder)
{
    struct stat status {};
    if (::stat(folder.constData(), &status) != 0 || !(status.st_mode & S_ISVTX) || !(status.st_mode & S_IWOTH))
        return std::nullopt;
    return status.st_uid;
}

// Whether a link may be followed by the rule of the kernel's
// protected_symlinks, which not every system turns on: in a sticky folder
// that anyone may write to (the temporary folder, a class share), only a link
// of the saver's own or of the folder's owner is followed. Another user's link
// there could point the save at any file the saver may write.
bool mayFollow(const QByteArray& link, const struct stat& linkStatus)
{
    const std::optional<uid_t> sharedBy = sharedFolderOwner(folderOf(link));
    return !sharedBy || linkStatus.st_uid == ::geteuid() || linkStatus.st_uid == *sharedBy;
}

enum class Links { Followed, Loop, Refused };

// Where saving to `native` puts the file: at the end of its symbolic links,
// so that a link to a list stays a link.
Links followLinks(QByteArray& native)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat status {};
        if (::lstat(native.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return Links::Followed;
        if (!mayFollow(native, status))
            return Links::Refused;
        QByteArray target(qsizetype(status.st_size > 0 ? status.st_size : 4096) + 1, Qt::Uninitialized);
        const ssize_t length = ::readlink(native.constData(), target.data(), size_t(target.size()));
        if (length < 0 || length >= target.size())
            return Links::Followed; // changed under us: the open that follows tells
        target.truncate(length);
        native = target.startsWith('/') ? target : folderOf(native) + '/' + target;
    }
    return Links::Loop;
}

QString readOnlyFileSystem(const QByteArray& folder)
{
    return writeFailure(WriteFailure::ReadOnlyFileSystem, quoted(filenames::decode(folder)));
}

// The reason the folder refused a new file, as the system gave it.
QString folderFailure(const QString& path, const QByteArray& folder, int error)
{
    const QString shown = quoted(filenames::decode(folder));
    struct stat status {};
    switch (error) {
    case ENOENT:
        return writeFailure(WriteFailure::FolderMissing, shown);
    case ENOTDIR:
        if (::stat(folder.constData(), &status) == 0 && !S_ISDIR(status.st_mode))
            return writeFailure(WriteFailure::NotAFolder, shown);
        return writeFailure(WriteFailure::FolderMissing, shown);
    case EACCES:
    case EPERM:
        return writeFailure(WriteFailure::NoFolderPermission, shown);
    case EROFS:
        return readOnlyFileSystem(folder);
    default:
        return cannotWrite(path, error);
    }
}

// Every byte, or false with errno telling why.
bool writeAll(int fd, const QByteArray& content, off_t at = 0)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t wrote = ::pwrite(fd, content.constData() + done, size_t(content.size() - done), at + done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

bool sync(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL;
}

// A short name of our own: the target's name with anything added could pass
// the longest name the folder allows.
QByteArray temporaryName(const QByteArray& folder)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = folder + "/.pondera-";
    for (int i = 0; i < 8; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return name;
}

// A new file in `folder`. Without a name where the system allows it, so that
// a program ended half way leaves nothing behind; `name` is then empty. One
// that replaces a file is made for its owner alone: it is readable by name
// while the list is written, and only gets the old file's permissions once
// written. A file of a new name is made as any new file there is (the mode
// that the umask and the folder's default permissions give).
int openTemporary(const QByteArray& folder, bool replacing, QByteArray& name)
{
    const mode_t mode = replacing ? 0600 : 0666;
    name.clear();
#ifdef O_TMPFILE
    const int unnamed = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (unnamed >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return unnamed;
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(folder);
        const int fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the unnamed file a name in `folder`; false with errno set.
bool nameTemporary(int fd, const QByteArray& folder, QByteArray& name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(folder);
        // The first needs a privilege, the second /proc.
        if (::linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0 ||
            ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return false;
}

// Gives the new file `to` the old file's access control list (or its mode
// where it has none) and its extended attributes, as libacl and libattr copy
// them for coreutils; false when the new file cannot hold them.
bool copyPermissions(const QByteArray& target, int to, const QByteArray& shownTo)
{
    const Descriptor from(::open(target.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    return from.get() >= 0 && perm_copy_fd(target.constData(), from.get(), shownTo.constData(), to, nullptr) == 0 &&
           attr_copy_fd(target.constData(), from.get(), shownTo.constData(), to, nullptr, nullptr) == 0;
}

// Writes a new file beside `target` and renames it over the target only once
// everything is on the disk. `old` describes the target when there is one: the
// new file gets its owner, group, mode, access control list and extended
// attributes. Where the system refuses one of them, nothing is written and
// `inPlace` is set: the file is to be written over instead, so that no one
// gains or loses a permission.
std::optional<QString> replaceFile(const QString& path, const QByteArray& target, const struct stat* old,
                                   const QByteArray& content, bool& inPlace)
{
    const QByteArray folder = folderOf(target);
    QByteArray name;
    Descriptor file(openTemporary(folder, old != nullptr, name));
    if (file.get() < 0)
        return folderFailure(path, folder, errno);
    // Every way out but the rename takes the named file away.
    const auto discard = [&] {
        if (!name.isEmpty())
            ::unlink(name.constData());
    };
    const auto failed = [&](int error) {
        discard();
        return cannotWrite(path, error);
    };
    struct stat made {};
    if (::fstat(file.get(), &made) != 0)
        return failed(errno);
    // Whoever saves, the file stays its owner's.
    if (old && (made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
        ::fchown(file.get(), old->st_uid, old->st_gid) != 0) {
        if (errno != EPERM && errno != EINVAL)
            return failed(errno);
        discard();
        inPlace = true;
        return std::nullopt;
    }
    // Synced here: a disk that fills up only when the data is laid out must
    // count as a failure.
    if (!writeAll(file.get(), content) || !sync(file.get()))
        return failed(errno);
    // After the owner, whose change clears the set-user-ID and set-group-ID
    // bits; with the owner and group kept, they are sound to keep.
    if (old && ::fchmod(file.get(), old->st_mode & 07777) != 0)
        return failed(errno);
    // The ACL's mask stands in the mode's group bits: only the ACL itself
    // keeps a second user's entry and the group's own permissions.
    if (old && !copyPermissions(target, file.get(), name.isEmpty() ? folder : name)) {
        discard();
        inPlace = true;
        return std::nullopt;
    }
    if (name.isEmpty() && !nameTemporary(file.get(), folder, name))
        return failed(errno);
    if (::rename(name.constData(), target.constData()) != 0)
        return failed(errno);
    // The new name on the disk too; the file is replaced either way.
    const Descriptor folderHandle(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderHandle.get() >= 0)
        ::fsync(folderHandle.get());
    return std::nullopt;
}

constexpr std::chrono::seconds kLockWait{30};

// An exclusive lock on the open file, waited for at most `wait`; false with
// errno set (EWOULDBLOCK when another holds it all that time).
bool lockWithin(int fd, std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// Writes over the file itself, for a file that must stay the one it is: one
// with several names (hard links), which a new file would split, or another
// user's that a new file could not be given back to. The old bytes are kept
// and put back on a failure, and the room the new ones need is taken first,
// so that a full disk fails before anything is overwritten.
std::optional<QString> writeInPlace(const QString& path, const QByteArray& target, const QByteArray& content)
{
    const Descriptor file(::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0)
        return cannotWrite(path, errno);
    if (!S_ISREG(status.st_mode))
        return writeFailure(WriteFailure::NotOrdinary, quoted(path));
    if (status.st_size > quizfile::kMaxFileBytes)
        return writeFailure(WriteFailure::TooLarge, quoted(path));
    // Locked for the whole write, so that a second writer that honours the
    // lock (another Pondera, flock(1)) waits rather than mixes its list into
    // this one; a lock held far longer than a write takes is another program's.
    if (!lockWithin(file.get(), kLockWait))
        return errno == EWOULDBLOCK ? writeFailure(WriteFailure::BeingWritten, quoted(path)) : cannotWrite(path, errno);
    // To the end, though it be longer by now than it was at the check.
    std::optional<QByteArray> read =
        posixfile::readToEnd(file.get(), qsizetype(status.st_size), qsizetype(quizfile::kMaxFileBytes) + 4096);
    if (!read)
        return cannotWrite(path, errno);
    const QByteArray old = *std::move(read);

    if (content.size() > old.size() && ::fallocate(file.get(), 0, 0, off_t(content.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        const int error = errno;
        if (::ftruncate(file.get(), off_t(old.size())) != 0) {
            // A failed reservation may have made the file longer; its own
            // error is still the one to tell.
        }
        return cannotWrite(path, error);
    }
    if (writeAll(file.get(), content) && ::ftruncate(file.get(), off_t(content.size())) == 0 && sync(file.get()))
        return std::nullopt;
    const int error = errno;
    if (writeAll(file.get(), old) && ::ftruncate(file.get(), off_t(old.size())) == 0 && sync(file.get()))
        return cannotWrite(path, error);
    return writeFailure(WriteFailure::OldContentLost, quoted(path), qt_error_string(error));
}
} // namespace

bool fileExists(const QString& path)
{
    if (path.isEmpty() || filenames::isSeparator(path.back()))
        return false;
    // A symbolic link counts even when what it names is missing: saving
    // through it puts a file where the link points, which is the user's to allow.
    const QByteArray native = filenames::encode(path);
    struct stat status {};
    if (::stat(native.constData(), &status) == 0)
        return !S_ISDIR(status.st_mode);
    return ::lstat(native.constData(), &status) == 0;
}

QString otherOwner(const QString& path)
{
    struct stat status {};
    if (path.isEmpty() || ::stat(filenames::encode(path).constData(), &status) != 0 || status.st_uid == ::geteuid())
        return {};
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(status.st_uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QStringLiteral("the user %1").arg(QString::fromLocal8Bit(found->pw_name));
    return QStringLiteral("the user number %1").arg(status.st_uid);
}
std::optional<QString> writeFile(const QString& path, const QByteArray& content)
{
    if (path.isEmpty())
        return writeFailure(WriteFailure::NoName);
    QByteArray target = filenames::encode(filenames::absolute(path));
    switch (followLinks(target)) {
    case Links::Followed:
        break;
    case Links::Loop:
        return cannotWrite(path, ELOOP);
    case Links::Refused:
        return QStringLiteral("%1 is a link that another user made in a shared folder, and it is not followed")
            .arg(quoted(path));
    }
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return writeFailure(WriteFailure::Folder, quoted(path));
        if (!S_ISREG(old.st_mode))
            return writeFailure(WriteFailure::NotOrdinary, quoted(path));
        // Root may write anything, so the mode's write bits count too: a file
        // that nobody may write to is one its owner meant to keep.
        // The file system's refusal first: the file's own mode would not help.
        const bool writable = ::access(target.constData(), W_OK) == 0;
        if (!writable && errno == EROFS)
            return readOnlyFileSystem(folderOf(target));
        if (!writable || !(old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
            return writeFailure(WriteFailure::ReadOnly, quoted(path));
    }
    // Another user's file that anyone may change, in a folder anyone may
    // write to: they could read the list and change it after the save, and a
    // new file could not take its place.
    if (exists && old.st_uid != ::geteuid() && (old.st_mode & S_IWOTH) && sharedFolderOwner(folderOf(target)))
        return QStringLiteral("the file %1 belongs to another user and anyone may change it; a list is not "
                              "saved into it in a shared folder")
            .arg(quoted(path));
    // A new file in its place would split a hard link.
    if (exists && old.st_nlink > 1)
        return writeInPlace(path, target, content);
    bool inPlace = false;
    std::optional<QString> failure = replaceFile(path, target, exists ? &old : nullptr, content, inPlace);
    if (inPlace)
        return writeInPlace(path, target, content);
    return failure;
}
} // namespace resultfiles
