#include "quizfile/ResultList.h"

#include <utility>

namespace {

const QString kBreak = QStringLiteral("\r\n");

} // namespace

void ResultList::append(const QString& text)
{
    const qsizetype base = m_text.size();
    m_text += text;
    for (qsizetype at = text.indexOf(kBreak); at >= 0; at = text.indexOf(kBreak, at + 2))
        m_starts.append(base + at + 2);
    emit appended(text);
}

bool ResultList::replaceParagraphs(qsizetype first, qsizetype removed, const QStringList& paragraphs)
{
    const qsizetype count = m_starts.size();
    // The text always has a paragraph, if only an empty one.
    if (first < 0 || removed < 0 || first + removed > count || count - removed + paragraphs.size() < 1)
        return false;
    if (removed == 0 && paragraphs.isEmpty())
        return true;
    const qsizetype after = first + removed; // the first paragraph kept after the edit
    // The characters the edit takes, and what it puts there. Before kept
    // paragraphs, the break after the edited ones stays, unless they go
    // without a replacement; at the end of the text, the break before them
    // belongs to them.
    qsizetype from = first < count ? m_starts[first] : m_text.size();
    qsizetype to = after < count ? m_starts[after] : m_text.size();
    QString put = paragraphs.join(kBreak);
    bool leadingBreak = false;
    if (after < count) {
        if (removed > 0 && !paragraphs.isEmpty())
            to -= kBreak.size();
        else if (removed == 0)
            put += kBreak;
    } else if (first > 0) {
        if (removed > 0)
            from -= kBreak.size();
        if (!paragraphs.isEmpty()) {
            put.prepend(kBreak);
            leadingBreak = true;
        }
    }
    m_text.replace(from, to - from, put);

    // Where the new paragraphs start, then the later ones moved along.
    QList<qsizetype> starts;
    starts.reserve(count - removed + paragraphs.size());
    starts.append(m_starts.first(first));
    qsizetype start = from + (leadingBreak ? kBreak.size() : 0);
    for (const QString& paragraph : paragraphs) {
        starts.append(start);
        start += paragraph.size() + kBreak.size();
    }
    const qsizetype shift = put.size() - (to - from);
    for (qsizetype i = after; i < count; ++i)
        starts.append(m_starts[i] + shift);
    m_starts = std::move(starts);
    return true;
}
