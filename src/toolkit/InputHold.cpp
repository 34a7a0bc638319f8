#include "toolkit/InputHold.h"

#include <QApplication>
#include <QEvent>
#include <QShortcut>

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
    if (!isInput(event->type()))
        return false;
    // A shortcut (Esc for Close) is the key's last stop, on the window that
    // owns it, whichever control has the focus.
    QObject* owner = watched;
    if (auto* shortcut = qobject_cast<QShortcut*>(watched))
        owner = shortcut->parent();
    if (!owner || !owner->isWidgetType())
        return false;
    const QWidget* window = static_cast<QWidget*>(owner)->window();
    // A native dialog's own widget stands in for it unseen, and would take
    // the keys meant for the dialog (Esc, which closes it under the dialog).
    const bool unseen = window->testAttribute(Qt::WA_DontShowOnScreen);
    if (!unseen && std::find(m_held.begin(), m_held.end(), window) == m_held.end())
        return false;
    // An override taken keeps the key from the window's shortcuts too.
    event->accept();
    return true;
}
