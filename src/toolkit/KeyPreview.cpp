#include "toolkit/KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget& window, std::function<void(int keyAscii)> seen)
    : m_window(window), m_seen(std::move(seen))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    // Seen once per key: only as delivered to the focused control of the window.
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == &m_window || m_window.isAncestorOf(widget))) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (text.size() == 1)
                m_seen(text.at(0).unicode());
        }
    }
    return false;
}
