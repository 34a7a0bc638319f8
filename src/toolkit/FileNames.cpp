#include "toolkit/FileNames.h"

#include <QDir>

namespace filenames {

QString quoted(const QString& path)
{
    return u'"' + QDir::toNativeSeparators(display(path)) + u'"';
}

} // namespace filenames
