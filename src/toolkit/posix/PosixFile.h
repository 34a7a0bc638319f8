#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the quiz file's reader and the result files' writer share of the
// system's file calls: a descriptor that closes itself, a read to the end
// that a growing or endless file cannot make unbounded, and the path as a
// message shows it.
namespace posixfile {

// A descriptor closed when it goes out of scope, whatever happens.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }
    int get() const { return m_fd; }
    void reset(int fd = -1);

private:
    int m_fd;
};

// Reads `fd` from where it stands to its end, or to `limit` bytes, whichever
// comes first; `sizeHint` (the size fstat gave) only sizes the first buffer,
// since files of /proc report 0 and a file may grow while it is read. An
// interrupted read goes on; nullopt, with errno set, on a failure.
std::optional<QByteArray> readToEnd(int fd, qsizetype sizeHint, qsizetype limit);

} // namespace posixfile
