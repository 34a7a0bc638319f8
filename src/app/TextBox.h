#pragma once

#include <QPlainTextEdit>

// A multi-line text box whose text reads back exactly as it was put in: line
// breaks are CR LF, and a lone LF inside a line stays a lone LF.
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
};
