#include "toolkit/DragMove.h"

#include <QMouseEvent>
#include <QWidget>

DragMove::DragMove(QWidget& window, const QPointF& pressed, const QPointF& now, std::function<void()> finished)
    : m_window(window), m_startGlobal(pressed), m_startPosition(window.pos()), m_onFinish(std::move(finished))
{
    follow(now);
}

void DragMove::follow(const QPointF& global)
{
    m_window.move(m_startPosition + (global - m_startGlobal).toPoint());
}

bool DragMove::handle(QEvent* event)
{
    const auto type = event->type();
    const bool leftHeld =
        (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonPress) &&
        (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton);
    if (type == QEvent::MouseMove && leftHeld) {
        follow(static_cast<QMouseEvent*>(event)->globalPosition());
        return true;
    }
    if ((type == QEvent::MouseButtonRelease && !leftHeld) || type == QEvent::MouseButtonPress) {
        m_finished = true;
        if (const std::function<void()> finished = std::move(m_onFinish))
            finished();
        return type == QEvent::MouseButtonRelease;
    }
    return false;
}
