#include "quizfile/QuizFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace quizfile {

namespace {

ReadResult fileError(ReadErrorKind kind, const QString& message)
{
    ReadResult result;
    result.error = ReadError{kind, 0, message};
    return result;
}

// The path as the user knows it, in quotes.
QString quoted(const QString& path)
{
    return u'"' + QDir::toNativeSeparators(path) + u'"';
}

ReadResult tooLarge(const QString& path)
{
    return fileError(ReadErrorKind::FileTooLarge,
                     QStringLiteral("the file %1 is larger than 64 MiB and cannot be a quiz file").arg(quoted(path)));
}

} // namespace

ReadResult loadQuizFile(const QString& path)
{
    if (path.isEmpty())
        return fileError(ReadErrorKind::FileNotFound, QStringLiteral("no file name was given"));

    const QFileInfo info(path);
    if (!info.exists())
        return fileError(ReadErrorKind::FileNotFound, QStringLiteral("the file %1 does not exist").arg(quoted(path)));
    if (info.isDir())
        return fileError(ReadErrorKind::NotAFile, QStringLiteral("%1 is a folder, not a file").arg(quoted(path)));
    if (!info.isFile())
        return fileError(ReadErrorKind::NotAFile, QStringLiteral("%1 is not an ordinary file").arg(quoted(path)));
    if (info.size() > kMaxFileBytes)
        return tooLarge(path);

    QByteArray bytes;
    {
        QFile file(path); // closed when it goes out of scope, whatever happens
        if (!file.open(QIODevice::ReadOnly)) {
            if (!QFileInfo(path).isReadable())
                return fileError(ReadErrorKind::PermissionDenied,
                                 QStringLiteral("you have no permission to read the file %1").arg(quoted(path)));
            return fileError(ReadErrorKind::ReadFailed,
                             QStringLiteral("the file %1 cannot be opened: %2").arg(quoted(path), file.errorString()));
        }
        // It may have grown since it was looked at.
        if (file.size() > kMaxFileBytes)
            return tooLarge(path);
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return fileError(ReadErrorKind::ReadFailed,
                             QStringLiteral("the file %1 cannot be read: %2").arg(quoted(path), file.errorString()));
        file.close();
    }
    if (bytes.size() > kMaxFileBytes)
        return tooLarge(path);
    return readQuizBytes(bytes);
}

} // namespace quizfile
