#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

// Gives the keyboard focus to the dialog that another program shows for one
// of this program's windows, once it appears: the desktop portal's file
// dialog. Under X11 a window manager that prevents focus stealing (metacity)
// leaves it unfocused from the second one on, since the portal's process has
// seen no key since its first; a keyboard user then cannot reach it. The
// dialog is found as the window the portal makes transient for `owner`, and
// activated as a pager or a task bar would. Elsewhere it does nothing.
class DialogFocus final : public QObject {
public:
    explicit DialogFocus(QWidget* owner);

private:
    void look();

    unsigned int m_owner = 0; // the X11 window, 0 for none
    int m_looks = 0;
    QTimer m_timer;
};
