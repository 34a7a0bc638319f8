#include "toolkit/DesktopWorkArea.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

bool DesktopWorkArea::known()
{
    // A Wayland compositor gives a client neither its panels nor a position:
    // the available geometry is the whole output, and a move is ignored.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

WorkAreaRect DesktopWorkArea::query()
{
    WorkAreaRect rect;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        rect.Left = available.left();
        rect.Top = available.top();
        rect.Right = available.x() + available.width();
        rect.Bottom = available.y() + available.height();
    }
    return rect;
}
