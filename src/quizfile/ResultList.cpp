#include "quizfile/ResultList.h"

#include <algorithm>

ResultList::ResultList() : m_paragraphs{QString()} {}

void ResultList::append(const QString& text)
{
    // A line per answer: no list of pieces for the one CR LF it ends with.
    qsizetype start = 0;
    for (qsizetype end = text.indexOf(QStringLiteral("\r\n")); end >= 0;
         start = end + 2, end = text.indexOf(QStringLiteral("\r\n"), start)) {
        m_paragraphs.last() += QStringView(text).mid(start, end - start);
        m_paragraphs.append(QString());
    }
    m_paragraphs.last() += QStringView(text).mid(start);
    emit appended(text);
}

bool ResultList::replaceParagraphs(qsizetype first, qsizetype removed, const QStringList& paragraphs)
{
    // The text always has a paragraph, if only an empty one.
    if (first < 0 || removed < 0 || first + removed > m_paragraphs.size() ||
        m_paragraphs.size() - removed + paragraphs.size() < 1)
        return false;
    // One move of the paragraphs after the edit, however many it adds: a
    // paste of many lines into a long list.
    if (removed > paragraphs.size())
        m_paragraphs.remove(first + paragraphs.size(), removed - paragraphs.size());
    else if (removed < paragraphs.size())
        m_paragraphs.insert(first + removed, paragraphs.size() - removed, QString());
    std::copy(paragraphs.begin(), paragraphs.end(), m_paragraphs.begin() + first);
    return true;
}
