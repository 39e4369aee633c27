#pragma once
// The animation timer's two periods: fast while something moves (the
// magnification, a drag, a bounce, a slide), slow once the row is at rest, so
// an idle dock still notices the pointer coming back.
#include <cstdint>

namespace dock {

constexpr std::uint32_t kFastPeriodMs = 10;
constexpr std::uint32_t kSlowPeriodMs = 100;

}  // namespace dock
