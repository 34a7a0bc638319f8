#pragma once

#include <cstdint>

class WorkArea;

// The size of the desktop's work area, for the frame's start-up.
namespace Module1 {

// The Right edge of the work area: in twips when Unit is 1, in pixels for any
// other value. Unit is read, never changed.
std::int32_t WorkAreaWidth(WorkArea& workArea, const std::int32_t& Unit);

// The Bottom edge of the work area, as WorkAreaWidth.
std::int32_t WorkAreaHeight(WorkArea& workArea, const std::int32_t& Unit);

// Pixels to twips: the nearest whole number, halves to even.
std::int32_t pixelsToTwips(std::int32_t pixels, double twipsPerPixel);

} // namespace Module1
