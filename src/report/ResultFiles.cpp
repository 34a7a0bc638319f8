#include "report/ResultFiles.h"

#include "app/Int16.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringView>

namespace resultfiles {

namespace {

bool isSeparator(QChar ch)
{
    return ch == u'/' || ch == u'\\';
}

// The path as the user knows it, in quotes.
QString quoted(const QString& path)
{
    return u'"' + QDir::toNativeSeparators(path) + u'"';
}

bool isReadOnly(const QFileInfo& info)
{
    // Root may write anything, so the mode's write bits count too: a file that
    // nobody may write to is one its owner meant to keep.
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

QString openFailure(const QString& path, const QSaveFile& file)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist").arg(quoted(info.absolutePath()));
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(quoted(info.absolutePath()));
    if (!folder.isWritable())
        return QStringLiteral("you have no permission to write in the folder %1").arg(quoted(info.absolutePath()));
    return QStringLiteral("the file %1 cannot be written: %2").arg(quoted(path), file.errorString());
}

} // namespace

QString resultFileName(const QString& quizPath, const QString& suffix)
{
    qsizetype nameStart = quizPath.size();
    while (nameStart > 0 && !isSeparator(quizPath.at(nameStart - 1)))
        --nameStart;
    const qsizetype dot = quizPath.lastIndexOf(u'.');
    if (dot <= nameStart)
        return quizPath + suffix;
    int16::checked(dot + 1);
    return quizPath.left(dot) + suffix;
}

bool fileExists(const QString& path)
{
    if (path.isEmpty() || isSeparator(path.back()))
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QByteArray fileContent(const QString& listText)
{
    QByteArray bytes;
    if (listText.startsWith(QChar(0xFEFF)))
        bytes = QByteArrayLiteral("\xEF\xBB\xBF");
    bytes += listText.toUtf8();
    bytes += "\r\n";
    return bytes;
}

std::optional<QString> writeFile(const QString& path, const QByteArray& content)
{
    if (path.isEmpty())
        return QStringLiteral("no file name was given");
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("%1 is a folder, not a file").arg(quoted(path));
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 is not an ordinary file").arg(quoted(path));
    if (info.exists() && isReadOnly(info))
        return QStringLiteral("the file %1 is read-only").arg(quoted(path));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(path, file);
    if (file.write(content) != content.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("the file %1 cannot be written: %2").arg(quoted(path), reason);
    }
    return std::nullopt;
}

} // namespace resultfiles
