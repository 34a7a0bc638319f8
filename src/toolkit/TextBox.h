#pragma once

#include <QBasicTimer>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>

#include <optional>

class QEvent;
class QMimeData;
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

    QString text() const;
    void setText(const QString& text);

    // Appends at the end of the text and puts the caret there, so that the
    // newest line is in view.
    void appendText(const QString& text);
    void moveCaretToEnd();

    // Lays out the appends held back, puts the caret after them and scrolls
    // it into view, as each append once did; the box does it by itself
    // before anything else it receives and within a frame when shown.
    void layOutHeld();

    // Pasted lines longer than this are cut to it (0: none is): Qt lays a
    // line out whole at every change, and a line of a million characters
    // would hold the window for a minute.
    void setLongestPastedLine(qsizetype longest) { m_longestPasted = longest; }

signals:
    // Every change to the text but the program's own (appendText, setText):
    // the `removed` paragraphs from `first` on are now `paragraphs`, each as
    // text() gives it. A copy that takes each such edit stays text() with
    // its paragraphs joined by CR LF.
    void paragraphsEdited(int first, int removed, const QStringList& paragraphs);

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
    QString exactText(QStringView raw, int offset, int from, int to) const;
    void appendNow(const QString& text);
    void showHeld();
    void tellChange(int position, int added);
    void tellEdit(int first, int last);
    QStringList paragraphs(int first, int last) const;

    // Whether a character that the document cannot hold as itself was ever
    // put in; until then the raw text of the document says it all.
    bool m_marked = false;
    qsizetype m_longestPasted = 0;
    // The paragraphs the text had after the last change that was told or
    // was the program's own, and whether the program is changing it now.
    int m_paragraphCount = 1;
    bool m_programChange = false;
    // Appends go into the document at once, inside an edit block that holds
    // their layout and the document's signals: a hidden box holds them until
    // it receives anything, a shown one at most a frame's time, so that the
    // lines of many quick answers are laid out, announced and painted once.
    struct Held {
        QTextCursor cursor;   // the one that opened the block
        int firstBlock = 0;   // the block the first held append went into
        bool shown = false;   // an append was held while the box was shown
        bool emptied = false; // the document was emptied meanwhile
    };
    std::optional<Held> m_held;
    QBasicTimer m_showTimer;
};
