#include "quizfile/ResultList.h"

#include <algorithm>

ResultList::ResultList() : m_paragraphs{QString()} {}

void ResultList::append(const QString& text)
{
    const QStringList pieces = text.split(QStringLiteral("\r\n"));
    m_paragraphs.last() += pieces.first();
    m_paragraphs.append(pieces.mid(1));
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
