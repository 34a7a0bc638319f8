#include "toolkit/DragMove.h"

#include <QWidget>

#include <windows.h>

DragMove::DragMove(QWidget& window, const QPointF& pressed, const QPointF& now, std::function<void()> finished)
    : m_window(window), m_startGlobal(pressed), m_startPosition(window.pos()), m_onFinish(std::move(finished))
{
    follow(now);
    // The system moves the window as by its title bar: it takes the mouse
    // and returns once the button is let go, with the keyboard's Esc and the
    // snapping of the desktop as any window has them.
    const auto native = reinterpret_cast<HWND>(m_window.winId());
    ::ReleaseCapture();
    ::SendMessageW(native, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    m_finished = true;
    if (const std::function<void()> done = std::move(m_onFinish))
        done();
}

void DragMove::follow(const QPointF& global)
{
    // Up to the press, the window keeps to the pointer as it stands now; the
    // system's move takes it from there.
    m_window.move(m_startPosition + (global - m_startGlobal).toPoint());
}

bool DragMove::handle(QEvent*)
{
    return false;
}
