#include "toolkit/posix/PosixFile.h"

#include "toolkit/ReadToEnd.h"

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
    return filereading::readToEnd(sizeHint, limit, [fd](char* into, qsizetype room) -> qsizetype {
        for (;;) {
            const ssize_t got = ::read(fd, into, size_t(room));
            if (got >= 0 || errno != EINTR)
                return got;
        }
    });
}

} // namespace posixfile
