#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// A list of result lines of a test, the text that a result file is saved
// from. The test appends to it and the user edits it in the view that shows
// it; nothing else clears it, so it holds every test of the run. Its text is
// its paragraphs joined by CR LF, the line break of a quiz file: the
// paragraphs of the view that shows it, one for one.
class ResultList : public QObject {
    Q_OBJECT
public:
    ResultList();

    QString text() const { return m_paragraphs.join(QStringLiteral("\r\n")); }
    qsizetype paragraphCount() const { return m_paragraphs.size(); }

    // Appends at the end of the text, each CR LF of it starting a paragraph.
    void append(const QString& text);
    // The view's edit: the `removed` paragraphs from `first` on are replaced
    // by `paragraphs`. An edit that names paragraphs the list does not have is
    // a view out of step with it; it is refused, the text left as it was.
    bool replaceParagraphs(qsizetype first, qsizetype removed, const QStringList& paragraphs);

signals:
    void appended(const QString& text);

private:
    QStringList m_paragraphs;
};
