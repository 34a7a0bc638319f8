#include "app/TextBox.h"

#include <QChar>
#include <QScrollBar>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The document keeps a CR LF as a paragraph break and a lone LF as a line
// separator, so neither is lost or turned into the other.
QString toDocument(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            result += QChar(QChar::ParagraphSeparator);
            ++i;
        } else if (ch == u'\n') {
            result += QChar(QChar::LineSeparator);
        } else {
            result += ch;
        }
    }
    return result;
}

QString fromDocument(const QString& raw)
{
    QString result;
    result.reserve(raw.size() + raw.size() / 8);
    for (const QChar ch : raw) {
        if (ch == QChar::ParagraphSeparator)
            result += QStringLiteral("\r\n");
        else if (ch == QChar::LineSeparator)
            result += u'\n';
        else
            result += ch;
    }
    return result;
}

} // namespace

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
}

QString TextBox::Text() const
{
    return fromDocument(document()->toRawText());
}

void TextBox::setText(const QString& text)
{
    document()->clear();
    QTextCursor cursor(document());
    cursor.insertText(toDocument(text));
    moveCursor(QTextCursor::Start);
}

void TextBox::appendText(const QString& text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(toDocument(text));
    moveCaretToEnd();
}

void TextBox::moveCaretToEnd()
{
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}
