#pragma once

#include "app/ChildWindow.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <optional>

class QAbstractButton;
class QMdiArea;

// What every window of the program needs from the toolkit: a child window in
// the frame's client area whose outer geometry reads in twips, show and hide,
// a default button for Enter and a cancel button for Esc, and key preview.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Puts the form into the frame's client area as a hidden child window.
    void attachTo(QMdiArea& area, BorderStyle style);
    ChildWindow* childWindow() const { return m_window; }

    // Outer geometry in twips, measured in the frame's client area. The values
    // last set are read back as set, until the window is moved by other means.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Move(double left, double top, double width, double height);
    void Move(double left, double top);

    // Shows the window, not modal, and brings it to the front.
    void Show();
    void Hide();
    bool Visible() const;
    void setBorderStyle(BorderStyle style);

protected:
    // Enter clicks this button when it is visible and enabled, unless another
    // push button has the focus: Enter clicks that one.
    void setDefaultButton(QAbstractButton* button);
    // Esc clicks this button when it is visible and enabled.
    void setCancelButton(QAbstractButton* button);
    // With key preview on, keyPreview sees every character typed in the form
    // before the focused control does; the key is never swallowed.
    void setKeyPreview(bool on);
    virtual void keyPreview(int keyAscii);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onEnter();
    void onEscape();
    QRect outerPixels() const;

    struct TwipsRect {
        double left, top, width, height;
        QRect pixels;
    };
    // The last Move, while the window still stands where it put it.
    const TwipsRect* standingMove() const;

    QPointer<ChildWindow> m_window;
    QPointer<QAbstractButton> m_defaultButton;
    QPointer<QAbstractButton> m_cancelButton;
    bool m_keyPreview = false;
    std::optional<TwipsRect> m_lastMove;
};
