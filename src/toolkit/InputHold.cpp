#include "toolkit/InputHold.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

InputHold::InputHold()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        m_held.emplace_back(window);
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputHold::eventFilter(QObject* watched, QEvent* event)
{
    if (!isInput(event->type()) || !watched->isWidgetType())
        return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    if (std::find(m_held.begin(), m_held.end(), window) == m_held.end())
        return false;
    // An override taken keeps the key from the window's shortcuts too.
    event->accept();
    return true;
}
