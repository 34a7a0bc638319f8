#pragma once

#include <QMdiSubWindow>

class QFrame;

enum class BorderStyle {
    None,            // no border at all
    FixedSingle,     // a thin line, no title bar
    FixedToolWindow, // a thin line, no title bar
    FixedDialog,     // title bar, not resizable
};

// A child window of the frame's client area around one form. A frameless
// sub-window has no border of its own, so the thin kinds get a one-pixel
// frame around the form.
class ChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ChildWindow(BorderStyle style, QWidget* form, QWidget* parent = nullptr);

    QWidget* form() const { return m_form; }
    BorderStyle borderStyle() const { return m_style; }
    void setBorderStyle(BorderStyle style);
    // What the border and title bar take of the outer size, in pixels.
    QSize borderSize() const;

signals:
    // The outer size changed and the form inside has been fitted to it.
    void resized();
    void shown();

protected:
    // A close request is the form's to answer.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyStyle();

    BorderStyle m_style;
    QFrame* m_border;
    QWidget* m_form;
};
