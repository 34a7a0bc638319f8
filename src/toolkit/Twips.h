#pragma once

#include <cmath>

// Window geometry reads in twips, 1/1440 inch: 15 twips to Qt's logical pixel
// (96 dpi).
namespace twips {

inline constexpr int perPixel = 15;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / perPixel));
}

inline int fromPixels(int pixels)
{
    return pixels * perPixel;
}

} // namespace twips
