#pragma once
// The pictures compiled into the program (resources/pictures, embedded
// at build time).
#include <cstdint>
#include <span>

namespace dock::embedded {

extern const std::span<const std::uint8_t> BackgroundPicture;        // 107 x 104
extern const std::span<const std::uint8_t> SelectedTrayPicture;      // 96 x 96
extern const std::span<const std::uint8_t> DefaultItemPicture;       // 72 x 72
extern const std::span<const std::uint8_t> RunningIndicatorPicture;  // 12 x 6

}  // namespace dock::embedded
