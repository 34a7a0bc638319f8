#include "report/ResultFiles.h"

#include "quizfile/QuizFileReader.h"
#include "toolkit/BackgroundWork.h"
#include "toolkit/FileNames.h"
#include "toolkit/Int16.h"

#include <QStringView>

#include <memory>
#include <new>
#include <utility>

namespace resultfiles {

namespace {

// The line breaks of a list as its box shows them: CR LF, CR, and LF alone.
qsizetype lineBreaks(QStringView text)
{
    qsizetype breaks = text.count(u'\r');
    for (qsizetype i = 0; i < text.size(); ++i)
        breaks += text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r') ? 1 : 0;
    return breaks;
}

} // namespace

QString resultFileName(const QString& quizPath, const QString& suffix)
{
    qsizetype nameStart = quizPath.size();
    while (nameStart > 0 && !filenames::isSeparator(quizPath.at(nameStart - 1)))
        --nameStart;
    const qsizetype dot = quizPath.lastIndexOf(u'.');
    if (dot <= nameStart)
        return quizPath + suffix;
    int16::checked(dot + 1);
    return quizPath.left(dot) + suffix;
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
std::optional<QString> writeList(const QString& path, const QString& listText, bool withMark)
{
    // Its line, counted as the list box shows the lines.
    if (const qsizetype half = quizfile::firstHalfSurrogate(listText); half >= 0)
        return QStringLiteral("line %1 of the list holds half of a character, which cannot be saved")
            .arg(1 + lineBreaks(QStringView(listText).first(half)));
    return writeFile(path, fileContent(listText, withMark));
}

void saveList(BackgroundWork& work, QObject& receiver, const QString& path, const QString& listText, bool withMark,
              std::function<void(const std::optional<QString>& failure)> done)
{
    auto failure = std::make_shared<std::optional<QString>>();
    work.run(
        receiver,
        [failure, path, listText, withMark] {
            try {
                *failure = writeList(path, listText, withMark);
            } catch (const std::bad_alloc&) {
                *failure = QStringLiteral("there is not enough memory to save the list");
            }
        },
        [failure, done = std::move(done)] { done(*failure); });
}

} // namespace resultfiles
