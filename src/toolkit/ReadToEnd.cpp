#include "toolkit/ReadToEnd.h"

#include <algorithm>

namespace filereading {

std::optional<QByteArray> readToEnd(qsizetype sizeHint, qsizetype limit, const ReadSome& readSome)
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
        const qsizetype got = readSome(bytes.data() + used, bytes.size() - used);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        used += got;
    }
    bytes.truncate(used);
    return bytes;
}

} // namespace filereading
