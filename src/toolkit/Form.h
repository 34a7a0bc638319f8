#pragma once

#include "toolkit/ChildWindow.h"
#include "toolkit/DragMove.h"

#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
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
    // What a screen reader calls the child window; a window without a title
    // bar has no caption to go by.
    void setWindowName(const QString& name);

    // Outer geometry in twips, measured in the frame's client area. The values
    // last set are read back as set, until the window is moved by other means.
    double leftTwips() const;
    double topTwips() const;
    double widthTwips() const;
    double heightTwips() const;
    void moveTwips(double left, double top, double width, double height);
    void moveTwips(double left, double top);
    // The inner size in twips: the outer size less the border.
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Shows the window, not modal, and brings it to the front. Unless a
    // control in it has the focus, the first in tab order that can take it
    // gets it.
    void showForm();
    void hideForm();
    bool Visible() const;
    void setBorderStyle(BorderStyle style);
    bool Minimized() const;

protected:
    // Runs whenever the window's outer size changes, also for a size the
    // program sets, hidden or not, and nested when set from inside it; and
    // once when the window is first shown.
    virtual void outerResized();

    // Lets the user move the window by dragging with the left button, as if by
    // a title bar, from a press already made at `pressed` with the pointer now
    // at `now`; `finished` runs when the button is let go.
    void startInteractiveMove(const QPointF& pressed, const QPointF& now, std::function<void()> finished);

    // Enter clicks this button when it is visible and enabled, unless another
    // push button has the focus: Enter clicks that one.
    void setDefaultButton(QAbstractButton* button);
    // Esc clicks this button when it is visible and enabled.
    void setCancelButton(QAbstractButton* button);

    bool event(QEvent* event) override;

private:
    void focusFirstControl();
    void restoreFocus();
    void onEnter();
    void onEscape();
    // The child window when there is one, else the form itself.
    QWidget& outerWidget();
    QRect outerPixels() const;
    void notifyResize(bool firstShow = false);

    struct TwipsRect {
        double left, top, width, height;
        QRect pixels;
    };
    // The last moveTwips, while the window still stands where it put it.
    const TwipsRect* standingMove() const;

    QPointer<ChildWindow> m_window;
    QString m_windowName;
    QPointer<QAbstractButton> m_defaultButton;
    QPointer<QAbstractButton> m_cancelButton;
    std::optional<TwipsRect> m_lastMove;
    unsigned m_moves = 0; // counts moveTwips calls, to tell a nested one
    QSize m_notifiedSize;
    bool m_shownOnce = false;
    std::optional<DragMove> m_drag;
};
