#include "report/ResultFiles.h"

#include "quizfile/QuizFileReader.h"
#include "toolkit/Int16.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringView>

#include <cerrno>

#include <unistd.h>

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
    // A symbolic link counts even when what it names is missing: saving
    // through it puts a file where the link points, which is the user's to allow.
    const QFileInfo info(path);
    return (info.exists() || info.isSymLink()) && !info.isDir();
}

QByteArray fileContent(const QString& listText, bool withMark)
{
    QByteArray bytes;
    if (withMark || listText.startsWith(QChar(0xFEFF)))
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
    // Unbuffered, so that every byte reaches the file before commit(): Qt 6.4's
    // commit() flushes its own buffer, ignores a failure there (a full disk)
    // and renames the short file over the old one all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return openFailure(path, file);
    const auto failed = [&](const QString& reason) {
        file.cancelWriting();
        return QStringLiteral("the file %1 cannot be written: %2").arg(quoted(path), reason);
    };
    if (file.write(content) != content.size() || file.error() != QFileDevice::NoError)
        return failed(file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(errno));
    // commit() syncs too but ignores the answer: a disk that fills up only
    // when the data is laid out must still count as a failure.
    if (::fsync(file.handle()) != 0 && errno != EINVAL)
        return failed(qt_error_string(errno));
    if (!file.commit())
        return QStringLiteral("the file %1 cannot be written: %2").arg(quoted(path), file.errorString());
    return std::nullopt;
}

std::optional<QString> writeList(const QString& path, const QString& listText, bool withMark)
{
    // The saved file always holds a CR, so its lines end as the list's do at CR.
    if (const qsizetype half = quizfile::firstHalfSurrogate(listText); half >= 0)
        return QStringLiteral("line %1 of the list holds half of a character, which cannot be saved")
            .arg(1 + QStringView(listText).first(half).count(u'\r'));
    return writeFile(path, fileContent(listText, withMark));
}

} // namespace resultfiles
