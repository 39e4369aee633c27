#pragma once
// The dock's surface: a 32-bit premultiplied DIB section in a memory DC.
// A frame erases the rows it changes by zero-filling them, and blends its
// cached pieces onto them with GDI AlphaBlend at whole-pixel positions.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "render/picture_cache_win32.h"
#include "support/handles_win32.h"

namespace dock {

class Composer {
  public:
    // The surface at width x height, compatible with `compatible`.
    void Create(HDC compatible, std::int32_t width, std::int32_t height);
    void Destroy();
    HDC Dc() const { return dc_.get(); }
    bool Ready() const { return bits_ != nullptr; }
    RectI Whole() const { return {0, 0, width_, height_}; }
    // Transparent black inside `area`.
    void Erase(const RectI& area);
    // The piece with its top left corner at (x, y) plus the piece's offset,
    // only inside `clip`, at `alpha` (255: as it is).
    void Blend(const Piece& piece, std::int32_t x, std::int32_t y, std::uint8_t alpha,
               const RectI& clip);

  private:
    std::int32_t width_ = 0, height_ = 0;
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    std::optional<SelectionGuard> selection_;  // bitmap_ in dc_
    void* bits_ = nullptr;
    UniqueDc sourceDc_;  // each piece is selected into it to be blended
};

}  // namespace dock
