// Linked into a second run of the result file tests: this file's open()
// refuses unnamed temporary files as FUSE and network file systems do, so
// that every save there goes through a named temporary file, and its fsync()
// notes the mode each such file has once its whole list is written.

#include "report/ResultFiles.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

std::atomic<int> g_namedSynced{0};
std::atomic<mode_t> g_lastNamedMode{0};

bool unnamed(int flags)
{
    return (flags & O_TMPFILE) == O_TMPFILE;
}

mode_t modeArgument(int flags, va_list arguments)
{
    return (flags & O_CREAT) || unnamed(flags) ? mode_t(va_arg(arguments, int)) : 0;
}

template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

using Open = int (*)(const char*, int, ...);
using OpenAt = int (*)(int, const char*, int, ...);

int refuseOr(int flags, auto open)
{
    if (unnamed(flags)) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return open();
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    static const Open real = next<Open>("open");
    return refuseOr(flags, [&] { return real(path, flags, mode); });
}

int open64(const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    static const Open real = next<Open>("open64");
    return refuseOr(flags, [&] { return real(path, flags, mode); });
}

int openat(int folder, const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    static const OpenAt real = next<OpenAt>("openat");
    return refuseOr(flags, [&] { return real(folder, path, flags, mode); });
}

int fsync(int fd)
{
    char link[64];
    char target[4096] = {};
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    struct stat status {};
    if (::readlink(link, target, sizeof target - 1) > 0 && std::strstr(target, "/.pondera-") &&
        ::fstat(fd, &status) == 0) {
        g_lastNamedMode = status.st_mode & 07777;
        ++g_namedSynced;
    }
    static const auto real = next<int (*)(int)>("fsync");
    return real(fd);
}

} // extern "C"

namespace {

// A list is readable by no one the finished file does not let read it, not
// even while it is being written: the named file is made for its owner
// alone, and widened only once written. Every path out removes it.
TEST(NamedTemporaryFile, IsNoWiderThanTheFinishedFileAndStaysNowhere)
{
    const mode_t umaskBefore = ::umask(022);
    const struct {
        const char* name;
        int oldMode; // -1: no file yet
        mode_t whileWritten;
        mode_t finished;
    } rows[] = {
        {"private", 0600, 0600, 0600},
        {"shared with the group", 0640, 0600, 0640},
        {"new", -1, 0644, 0644},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("w-ReadAgain.csv"));
        if (row.oldMode >= 0) {
            ASSERT_TRUE(testfiles::write(path, "Japan,Tokyo\r\n"));
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(row.oldMode)), 0);
        }
        const int before = g_namedSynced;
        EXPECT_EQ(resultfiles::writeFile(path, "France,Paris\r\n\r\n"), std::nullopt);
        EXPECT_EQ(g_namedSynced, before + 1) << "written through a named file";
        EXPECT_EQ(g_lastNamedMode, row.whileWritten);
        struct stat status {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, row.finished);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("w-ReadAgain.csv")});
    }
    ::umask(umaskBefore);
}

} // namespace
