#pragma once

#include <QBasicTimer>
#include <QPlainTextEdit>
#include <QStringList>

class QEvent;
class QMimeData;
class QScrollBar;
class QTextCursor;
class QTextDocument;
class QTimerEvent;

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

    // The text, caret and scroll position with every append in place: these
    // hide the base's accessors of the same names.
    QTextDocument* document() const;
    QTextCursor textCursor() const;
    QString toPlainText() const;
    QScrollBar* verticalScrollBar() const;
    QScrollBar* horizontalScrollBar() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void insertExact(QTextCursor& cursor, const QString& text);
    QString exactText(int from, int to) const;
    // Puts the appends held back into the document, as appendText once did.
    void flushAppends() const;
    void appendNow(const QString& text);
    void showHeld();

    // Whether a character that the document cannot hold as itself was ever
    // put in; until then the raw text of the document says it all.
    bool m_marked = false;
    // Appends not yet in the document, in order. A hidden box holds them
    // until anything looks at it; a shown one at most a frame's time, so that
    // the lines of many quick answers are laid out and painted once. Two
    // appends are kept apart only where joining them would make a CR and an
    // LF one line break.
    mutable QStringList m_held;
    QBasicTimer m_showTimer;
};
