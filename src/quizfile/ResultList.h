#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// A list of result lines of a test, the text that a result file is saved
// from. The test appends to it and the user edits it in the view that shows
// it; nothing else clears it, so it holds every test of the run. Its text is
// made of paragraphs, those of the view that shows it, one for one, joined
// by CR LF, the line break of a quiz file.
class ResultList : public QObject {
    Q_OBJECT
public:
    ResultList() = default;

    const QString& text() const { return m_text; }
    qsizetype paragraphCount() const { return m_starts.size(); }

    // Appends at the end of the text; each CR LF within `text` starts a
    // paragraph.
    void append(const QString& text);
    // The view's edit: the `removed` paragraphs from `first` on are replaced
    // by `paragraphs`. An edit that names paragraphs the list does not have is
    // a view out of step with it; it is refused, the text left as it was.
    bool replaceParagraphs(qsizetype first, qsizetype removed, const QStringList& paragraphs);

signals:
    void appended(const QString& text);

private:
    // One text and where each paragraph starts in it: a line per answer
    // costs no allocation of its own, which in a test of 32 767 questions
    // would leave the heap in pieces for everything else.
    QString m_text;
    QList<qsizetype> m_starts{0};
};
