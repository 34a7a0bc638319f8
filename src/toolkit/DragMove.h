#pragma once

#include <QPoint>
#include <QPointF>

#include <functional>

class QEvent;
class QWidget;

// Moves a window with the pointer while the left button is held, as its
// title bar would: from a press already made, until the button is let go
// (or a press comes, when the release went elsewhere, to a message box say).
class DragMove {
public:
    // `window` moves; `pressed` is where the button went down, `now` where
    // the pointer is; `finished` runs once the move ends.
    DragMove(QWidget& window, const QPointF& pressed, const QPointF& now, std::function<void()> finished);

    // Takes the mouse events of the window being moved; true for one it used
    // up. Once it returns with finished() true the move is over.
    bool handle(QEvent* event);
    bool finished() const { return m_finished; }

private:
    void follow(const QPointF& global);

    QWidget& m_window;
    QPointF m_startGlobal;
    QPoint m_startPosition;
    std::function<void()> m_onFinish;
    bool m_finished = false;
};
