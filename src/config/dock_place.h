#pragma once
// The chosen place (DockPlace) follows the dock's own moves of its window.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "config/dock.h"

namespace dock {

// The window's left edge moved by `dx` of its pixels so that the row stays
// where it was as it grew or shrank: the chosen place goes along, in its own
// units (pixels at 96 DPI where the dock draws at its monitor's DPI).
inline void moveChosenPlaceAlong(Dock& dock, std::int32_t dx) {
    const std::int32_t dpi = dock.state.metrics.dpi > 0 ? dock.state.metrics.dpi : 96;
    std::int32_t& x = dock.state.place.chosen.x;
    x = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(x + std::llround(double(dx) * 96 / dpi), INT32_MIN, INT32_MAX));
}

}  // namespace dock
