#include "app/Module1.h"

#include "toolkit/Twips.h"
#include "toolkit/WorkArea.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Module1 {

namespace {
constexpr std::int32_t kTwipsUnit = 1;

std::int32_t edge(std::int32_t pixels, std::int32_t unit)
{
    return unit == kTwipsUnit ? pixelsToTwips(pixels, twips::perPixel) : pixels;
}
} // namespace

std::int32_t pixelsToTwips(std::int32_t pixels, double twipsPerPixel)
{
    // nearbyint rounds halves to even in the default rounding mode.
    const double value = std::nearbyint(static_cast<double>(pixels) * twipsPerPixel);
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, lowest, highest));
}

std::int32_t WorkAreaWidth(WorkArea& workArea, const std::int32_t& Unit)
{
    return edge(workArea.query().Right, Unit);
}

std::int32_t WorkAreaHeight(WorkArea& workArea, const std::int32_t& Unit)
{
    return edge(workArea.query().Bottom, Unit);
}

} // namespace Module1
