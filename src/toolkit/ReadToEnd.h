#pragma once

#include <QByteArray>

#include <functional>
#include <optional>

namespace filereading {

// Reads at most `room` bytes into `into`: how many, 0 at the end of the file,
// or -1 on a failure, with the system's error left for the caller.
using ReadSome = std::function<qsizetype(char* into, qsizetype room)>;

// Reads a file from where it stands to its end, or to `limit` bytes,
// whichever comes first, through each system's `readSome`; `sizeHint` (the
// size the system gave) only sizes the first buffer, since a file may grow
// while it is read and some report a size of 0. nullopt on a failure.
std::optional<QByteArray> readToEnd(qsizetype sizeHint, qsizetype limit, const ReadSome& readSome);

} // namespace filereading
