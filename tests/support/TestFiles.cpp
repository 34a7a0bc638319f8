#include "support/TestFiles.h"

#include "toolkit/FileNames.h"

#include <QFile>

#include <cstdio>

namespace testfiles {

namespace {

std::FILE* open(const QString& path, const char* mode)
{
#ifdef Q_OS_WIN
    // The wide call: the narrow one takes names in the ANSI code page.
    return ::_wfopen(path.toStdWString().c_str(), QString::fromLatin1(mode).toStdWString().c_str());
#else
    return std::fopen(filenames::encode(path).constData(), mode);
#endif
}

} // namespace

// Through the program's own names, so that a name that is no UTF-8 keeps its bytes.
bool write(const QString& path, const QByteArray& bytes)
{
    std::FILE* file = open(path, "wb");
    if (!file)
        return false;
    const bool wrote = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file) == size_t(bytes.size());
    return std::fclose(file) == 0 && wrote;
}

QByteArray read(const QString& path)
{
    std::FILE* file = open(path, "rb");
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
