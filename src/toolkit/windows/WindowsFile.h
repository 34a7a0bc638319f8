#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

// What the quiz file's reader and the result files' writer share of Windows's
// file calls: a handle that closes itself, a read to the end that a growing
// file cannot make unbounded, names in UTF-16 for the wide calls, the
// system's own text for an error, and the path as a message shows it.
// Handles are void* here, as HANDLE is, so that users need not see
// <windows.h>.
namespace windowsfile {

// A handle closed when it goes out of scope, whatever happens. Both
// INVALID_HANDLE_VALUE and null mean none.
class Handle {
public:
    explicit Handle(void* handle = nullptr) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }
    void* get() const { return m_handle; }
    bool valid() const;
    void reset(void* handle = nullptr);

private:
    void* m_handle;
};

// The name as the wide calls take it, NUL-terminated.
std::wstring wide(const QString& name);

// Reads `handle` from where it stands to its end, or to `limit` bytes,
// whichever comes first; `sizeHint` only sizes the first buffer. nullopt on
// a failure, with GetLastError telling why.
std::optional<QByteArray> readToEnd(void* handle, qsizetype sizeHint, qsizetype limit);

// The system's own sentence for a GetLastError code, in the user's language,
// without its final full stop.
QString errorText(unsigned long error);

} // namespace windowsfile
