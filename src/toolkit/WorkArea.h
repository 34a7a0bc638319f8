#pragma once

#include <cstdint>

// The desktop's work area (the screen less task bars and panels) in pixels,
// screen coordinates; Right and Bottom are the far edges, not the last pixel.
struct WorkAreaRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

class WorkArea {
public:
    virtual ~WorkArea() = default;
    virtual WorkAreaRect query() = 0;
    // False where the platform knows neither the work area nor lets a window
    // put itself at a position (Wayland): the window manager places windows.
    virtual bool known() = 0;
};
