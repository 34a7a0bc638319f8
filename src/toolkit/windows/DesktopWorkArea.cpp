#include "toolkit/DesktopWorkArea.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

#include <windows.h>

bool DesktopWorkArea::known()
{
    return true;
}

WorkAreaRect DesktopWorkArea::query()
{
    // The primary monitor less the task bar and docked bars. Qt makes the
    // program aware of each monitor's scale, so the system answers in the
    // monitor's own pixels; the windows are placed in Qt's, which the scale
    // divides.
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double scale = screen ? screen->devicePixelRatio() : 1.0;
    const auto toProgram = [scale](LONG pixels) { return std::int32_t(std::lround(pixels / scale)); };
    return {toProgram(area.left), toProgram(area.top), toProgram(area.right), toProgram(area.bottom)};
}
