#include "support/TestFiles.h"

#include "toolkit/FileNames.h"

#include <QFile>

#include <cstdio>

namespace testfiles {

// Through the program's own names, so that a name that is no UTF-8 keeps its bytes.
bool write(const QString& path, const QByteArray& bytes)
{
    std::FILE* file = std::fopen(filenames::encode(path).constData(), "wb");
    if (!file)
        return false;
    const bool wrote = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file) == size_t(bytes.size());
    return std::fclose(file) == 0 && wrote;
}

QByteArray read(const QString& path)
{
    std::FILE* file = std::fopen(filenames::encode(path).constData(), "rb");
    if (!file)
        return QByteArray("<unreadable>");
    QFile reader;
    const bool opened = reader.open(file, QIODevice::ReadOnly);
    const QByteArray bytes = opened ? reader.readAll() : QByteArray("<unreadable>");
    reader.close();
    std::fclose(file);
    return bytes;
}

} // namespace testfiles
