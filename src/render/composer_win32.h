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
    // The piece with its top left corner at (x, y) plus the piece's offset
    // (a column: stretched across `columnWidth`), only inside `clip`, at
    // `alpha` (255: as it is).
    struct Placement {
        std::int32_t x = 0, y = 0;
        std::uint8_t alpha = 255;
        std::int32_t columnWidth = 0;
    };
    void Blend(const Piece& piece, const Placement& at, const RectI& clip);

  private:
    // The staging bitmap at least width x height; its pixels, top row first.
    std::uint32_t* staging(std::int32_t width, std::int32_t height);

    std::int32_t width_ = 0, height_ = 0;
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    std::optional<SelectionGuard> selection_;  // bitmap_ in dc_
    void* bits_ = nullptr;
    // A piece's visible part is copied here to be blended.
    UniqueDc stagingDc_;
    UniqueBitmap stagingBitmap_;
    std::optional<SelectionGuard> stagingSelection_;
    std::uint32_t* stagingBits_ = nullptr;
    std::int32_t stagingWidth_ = 0, stagingHeight_ = 0;
};

}  // namespace dock
