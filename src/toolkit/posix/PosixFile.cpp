#include "toolkit/posix/PosixFile.h"

#include "toolkit/FileNames.h"

#include <QDir>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace posixfile {

void Descriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

std::optional<QByteArray> readToEnd(int fd, qsizetype sizeHint, qsizetype limit)
{
    // A page beyond the hint, so that a file that has not grown is read in
    // one go and its end seen in the second read.
    constexpr qsizetype kPage = 4096;
    QByteArray bytes;
    bytes.resize(std::clamp<qsizetype>(sizeHint + kPage, std::min(kPage, limit), limit));
    qsizetype used = 0;
    while (used < limit) {
        if (used == bytes.size())
            bytes.resize(std::min(2 * bytes.size(), limit));
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        used += got;
    }
    bytes.truncate(used);
    return bytes;
}

QString quoted(const QString& path)
{
    return u'"' + QDir::toNativeSeparators(filenames::display(path)) + u'"';
}

} // namespace posixfile
