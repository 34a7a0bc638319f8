#pragma once

#include <QPlainTextEdit>

class QMimeData;
class QTextCursor;

// A multi-line text box whose text reads back exactly as it was put in: line
// breaks are CR LF, and every other character of a line, a lone LF or CR and
// the Unicode separators included, stays what it was. What the user types
// reads back as it looks: a line break typed with Enter or Shift+Enter is
// CR LF.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    QString Text() const;
    void setText(const QString& text);

    // Appends at the end of the text and puts the caret there, so that the
    // newest line is in view.
    void appendText(const QString& text);
    void moveCaretToEnd();

protected:
    void paintEvent(QPaintEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void insertExact(QTextCursor& cursor, const QString& text);
    QString exactText(int from, int to) const;

    // Whether a character that the document cannot hold as itself was ever
    // put in; until then the raw text of the document says it all.
    bool m_marked = false;
};
