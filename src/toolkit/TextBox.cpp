#include "toolkit/TextBox.h"

#include "toolkit/AccessKeys.h"
#include "toolkit/Accessibility.h"
#include "toolkit/CrLf.h"

#include <QByteArray>
#include <QChar>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QString>
#include <QStringView>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QTimerEvent>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

// The document turns LF, CR, U+2029 and its frame markers U+FDD0 and U+FDD1
// into paragraph breaks, and a U+2028 in it is a line break the user typed
// with Shift+Enter. Each of these characters therefore goes in as a
// placeholder whose character format carries the original, and reads back
// as that original; every other character goes in and reads back as itself.
//
// The original rides in the format's object type, offset past
// QTextFormat::UserObject: Qt drops the object type from the format that typed
// text and new paragraphs take over from the character before the caret, so
// the mark never spreads to what the user types next to it.

namespace {

constexpr int kMarkBase = QTextFormat::UserObject;

// How long a shown box holds appended lines: a screen's frame, too short for
// anyone to see the list lag behind the answers.
constexpr int kFrameMs = 16;

bool needsPlaceholder(char16_t ch)
{
    switch (ch) {
    case u'\n':
    case u'\r':
    case QChar::LineSeparator:
    case QChar::ParagraphSeparator:
    case 0xFDD0:
    case 0xFDD1:
        return true;
    default:
        return false;
    }
}

// Line breaks look like line breaks; a frame marker has no look of its own.
QChar placeholderFor(char16_t original)
{
    return original == 0xFDD0 || original == 0xFDD1 ? QChar(QChar::ReplacementCharacter) : QChar(QChar::LineSeparator);
}

std::optional<char16_t> originalOf(const QTextFormat& format)
{
    const int mark = format.objectType() - kMarkBase;
    if (mark < 0 || mark > 0xFFFF || !needsPlaceholder(static_cast<char16_t>(mark)))
        return std::nullopt;
    return static_cast<char16_t>(mark);
}

// A paragraph break, and a line break the user made, read back as CR LF.
void appendUnmarked(QString& out, QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QChar::LineSeparator || text[i] == QChar::ParagraphSeparator) {
            out += text.mid(start, i - start);
            out += kCrLf;
            start = i + 1;
        }
    }
    out += text.mid(start);
}

// Copied text in this form keeps every character when pasted into a TextBox.
const QString kExactMimeType = QStringLiteral("application/x-pondera-textbox");

QByteArray utf16Bytes(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QString fromUtf16Bytes(const QByteArray& bytes)
{
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

} // namespace

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    // Undo would also take back the program's appends, each a step, and the
    // held ones all at once.
    setUndoRedoEnabled(false);
    // The document tells of an edit inside the open block only when it is
    // emptied, as the base's setPlainText does: the held appends are gone,
    // and what the block then holds is no edit anyone could follow.
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        if (m_held)
            m_held->emptied = true;
        else if (!m_programChange)
            tellChange(position, added);
    });
    // Tab moves on as in every other control; a tab the user pastes stays text.
    setTabChangesFocus(true);
    accessKeysNeverType(*this);
}

void TextBox::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    // The style draws the focus on the frame; a box without one shows it inside.
    if (hasFocus() && frameShape() == QFrame::NoFrame) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = viewport()->rect();
        QPainter painter(viewport());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// Ordinary runs, CR LF included (the document makes it a paragraph break),
// go in with the plain format, so that they merge with what the user types.
void TextBox::insertExact(QTextCursor& cursor, const QString& text)
{
    const QTextCharFormat plain;
    // One change for the layout to catch up with, however many pieces.
    cursor.beginEditBlock();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
            continue;
        }
        if (!needsPlaceholder(ch))
            continue;
        if (i > runStart)
            cursor.insertText(text.mid(runStart, i - runStart), plain);
        QTextCharFormat mark;
        mark.setObjectType(kMarkBase + ch);
        cursor.insertText(QString(placeholderFor(ch)), mark);
        m_marked = true;
        runStart = i + 1;
    }
    if (runStart < text.size())
        cursor.insertText(runStart == 0 ? text : text.mid(runStart), plain);
    cursor.endEditBlock();
}

// The text between two document positions, each placeholder read as its
// original. The raw text gives the characters; only the lines holding a
// placeholder character need a look at their formats. `raw` holds the
// document's characters from position `offset` on: the whole document's, or
// one block's, which a change to a long list asks for at every keystroke.
QString TextBox::exactText(int from, int to) const
{
    return exactText(document()->toRawText(), 0, from, to);
}

QString TextBox::exactText(QStringView raw, int offset, int from, int to) const
{
    QString out;
    out.reserve(to - from + (to - from) / 32);
    QHash<int, char16_t> originals; // by format index; 0 for none
    int done = from;
    for (int at = from; at < to;) {
        const QChar ch = raw[at - offset];
        if (ch != QChar::LineSeparator && ch != QChar::ReplacementCharacter) {
            ++at;
            continue;
        }
        const QTextBlock block = document()->findBlock(at);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int format = fragment.charFormatIndex();
            auto known = originals.constFind(format);
            if (known == originals.cend())
                known = originals.insert(format, originalOf(fragment.charFormat()).value_or(0));
            const char16_t original = *known;
            if (original == 0)
                continue;
            const int position = fragment.position();
            const int start = std::max(from, position);
            const int end = std::min(to, position + fragment.length());
            if (start >= end)
                continue;
            appendUnmarked(out, raw.mid(done - offset, start - done));
            // Only the placeholder itself stands for the original.
            const QChar placeholder = placeholderFor(original);
            for (int i = start; i < end; ++i) {
                if (raw[i - offset] == placeholder)
                    out += QChar(original);
                else
                    appendUnmarked(out, raw.mid(i - offset, 1));
            }
            done = end;
        }
        at = block.position() + block.length();
    }
    appendUnmarked(out, raw.mid(done - offset, to - done));
    return out;
}

QString TextBox::text() const
{
    if (!m_marked) {
        QString out;
        appendUnmarked(out, document()->toRawText());
        return out;
    }
    return exactText(0, document()->characterCount() - 1);
}

void TextBox::setText(const QString& text)
{
    // What was appended is replaced along with the rest, and nobody is told
    // of lines that are gone.
    m_showTimer.stop();
    if (m_held) {
        const QSignalBlocker quiet(document());
        m_held->cursor.endEditBlock();
        m_held.reset();
    }
    const QScopedValueRollback programChange(m_programChange, true);
    document()->clear();
    m_marked = false;
    QTextCursor cursor(document());
    insertExact(cursor, text);
    m_paragraphCount = document()->blockCount();
    moveCursor(QTextCursor::Start);
}

// The blocks a change reaches after it, first to last, stand for the ones it
// reached before, which were as many as now plus those it took away.
void TextBox::tellEdit(int first, int last)
{
    const int before = std::exchange(m_paragraphCount, document()->blockCount());
    emit paragraphsEdited(first, last - first + 1 + before - m_paragraphCount, paragraphs(first, last));
}

void TextBox::tellChange(int position, int added)
{
    const QTextDocument* const doc = document();
    const QTextBlock firstBlock = doc->findBlock(position);
    const QTextBlock lastBlock = doc->findBlock(position + added);
    const int first = firstBlock.isValid() ? firstBlock.blockNumber() : doc->blockCount() - 1;
    tellEdit(first, std::max(first, lastBlock.isValid() ? lastBlock.blockNumber() : doc->blockCount() - 1));
}

QStringList TextBox::paragraphs(int first, int last) const
{
    QStringList out;
    out.reserve(last - first + 1);
    for (QTextBlock b = document()->findBlockByNumber(first); b.isValid() && b.blockNumber() <= last; b = b.next())
        out.append(exactText(b.text(), b.position(), b.position(), b.position() + b.length() - 1));
    return out;
}

// A report list gets a line per answer, 32 767 in the largest test, while it
// is mostly hidden: laying each one out as it comes, and telling every
// listener of the document, costs more than all the rest of an answer. The
// lines go into the document at once, so that whatever reads it reads them,
// inside one edit block that stays open until the box is looked at: the
// document then lays them out and tells its listeners once, as for one edit
// of all of them. Every event the box or its view receives closes it first.
void TextBox::appendText(const QString& text)
{
    QTextDocument* const doc = document();
    // Until the lines fill the view, each is laid out as it comes: the scroll
    // bar they then bring narrows the view for the next ones.
    const bool shown = isVisible();
    if (shown && !m_held && verticalScrollBar()->maximum() == 0) {
        appendNow(text);
        moveCursor(QTextCursor::End);
        ensureCursorVisible();
        return;
    }
    if (!m_held) {
        // With the caret at the end the held lines carry it along, so that
        // every reader finds it after the newest line.
        if (!textCursor().atEnd())
            moveCursor(QTextCursor::End);
        m_held.emplace(Held{QTextCursor(doc), doc->blockCount() - 1});
        m_held->cursor.beginEditBlock();
    }
    m_held->shown = m_held->shown || shown;
    appendNow(text);
    if (!shown || m_showTimer.isActive())
        return;
    // Lines that have just filled the view are laid out in this turn, for
    // the scroll bar they bring narrows the view for the next ones.
    m_showTimer.start(verticalScrollBar()->isVisible() ? kFrameMs : 0, this);
}

void TextBox::showHeld()
{
    layOutHeld();
    // The scroll bar shows or hides in a call the lines queued; appended in
    // a handler, they had it done in that same turn.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TextBox::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_showTimer.timerId())
        showHeld();
    else
        QPlainTextEdit::timerEvent(event);
}

void TextBox::appendNow(const QString& text)
{
    QTextDocument* const doc = document();
    const QScopedValueRollback programChange(m_programChange, true);
    QTextCursor cursor(doc);
    // Placed inside an edit, a cursor does not lay out the block it lands
    // in: a held append must not reach the layout.
    const int blocksBefore = doc->blockCount();
    cursor.beginEditBlock();
    cursor.setPosition(doc->characterCount() - 1);
    insertExact(cursor, text);
    cursor.endEditBlock();
    // The copy has taken the same append.
    m_paragraphCount += doc->blockCount() - blocksBefore;
}

void TextBox::layOutHeld()
{
    if (!m_held)
        return;
    m_showTimer.stop();
    Held held = *std::exchange(m_held, std::nullopt);
    // The document tells its layout and its listeners of every held append
    // as of one edit: the text control turns that into the box's signals and
    // the accessibility events.
    if (held.emptied) {
        {
            const QSignalBlocker quiet(document());
            held.cursor.endEditBlock();
        }
        // Whatever emptied it was no append: the whole text is told anew.
        tellEdit(0, document()->blockCount() - 1);
        return;
    }
    {
        const QScopedValueRollback programChange(m_programChange, true);
        held.cursor.endEditBlock();
    }
    QTextDocument* const doc = document();
    // A shown box laid each append out as it came, for the caret that it
    // kept in view: laying the new blocks out counts the same lines. A
    // hidden one laid out none, and leaves them to Qt's layout as it pages
    // through: a report shown after a 32 767-question test would otherwise
    // lay out every line at once.
    if (held.shown)
        for (QTextBlock b = doc->findBlockByNumber(held.firstBlock); b.isValid(); b = b.next())
            doc->documentLayout()->blockBoundingRect(b);
    // Each append left the caret at the end, the newest line in view.
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}

void TextBox::moveCaretToEnd()
{
    layOutHeld();
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    // A screen reader reads the line at the caret as the box gets the focus;
    // after the appends the caret stands on the empty line past the last
    // line break, so a box reached by Tab starts at its first line instead.
    // Moved before the focus is announced, the caret is read with it.
    const bool byKeyboard = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (const QTextCursor caret = textCursor(); byKeyboard && caret.atEnd() && caret.atBlockStart() && !caret.atStart())
        accessibility::quietly([](QWidget& box) { static_cast<TextBox&>(box).moveCursor(QTextCursor::Start); }, *this);
    QPlainTextEdit::focusInEvent(event);
}

bool TextBox::event(QEvent* event)
{
    layOutHeld();
    return QPlainTextEdit::event(event);
}

// A paint shows the document as it stands: laying lines out in the middle
// of one would scroll the view under it. A shown box has them in by its
// next paint anyway, the flush having been posted before the paint's request.
bool TextBox::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        layOutHeld();
    return QPlainTextEdit::viewportEvent(event);
}

// Other programs get the plain text as Qt gives it. The base's own data lists
// a fixed set of formats, so the exact form needs a data object of its own.
QMimeData* TextBox::createMimeDataFromSelection() const
{
    const std::unique_ptr<QMimeData> base(QPlainTextEdit::createMimeDataFromSelection());
    auto* data = new QMimeData;
    data->setText(base->text());
    const QTextCursor cursor = textCursor();
    data->setData(kExactMimeType, utf16Bytes(exactText(cursor.selectionStart(), cursor.selectionEnd())));
    return data;
}

// Pasted plain text goes in with the plain format, so that it is read as the
// user sees it even when it lands next to a placeholder.
namespace {

// `text` with each line (as the box shows lines: ended by CR, LF or a
// paragraph separator) cut to `longest` characters, never inside a surrogate
// pair; the text itself when `longest` is 0 or no line is longer.
QString cutLongLines(const QString& text, qsizetype longest)
{
    if (longest <= 0 || text.size() <= longest)
        return text;
    const auto ends = [](QChar c) { return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator; };
    QString cut;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !ends(text[end]))
            ++end;
        qsizetype kept = std::min(end - start, longest);
        if (kept < end - start && text[start + kept].isLowSurrogate())
            --kept;
        cut += QStringView(text).sliced(start, kept);
        start = end;
        while (start < text.size() && ends(text[start]))
            cut += text[start++];
    }
    return cut;
}

} // namespace

void TextBox::insertFromMimeData(const QMimeData* source)
{
    layOutHeld();
    const bool exact = source->hasFormat(kExactMimeType);
    if (!exact && !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (exact)
        insertExact(cursor, cutLongLines(fromUtf16Bytes(source->data(kExactMimeType)), m_longestPasted));
    else
        cursor.insertText(cutLongLines(source->text(), m_longestPasted), QTextCharFormat());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}
