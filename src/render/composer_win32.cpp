#include "render/composer_win32.h"

#include <algorithm>
#include <cstring>

#include "render/dirty_area.h"

namespace dock {

void Composer::Create(HDC compatible, std::int32_t width, std::int32_t height) {
    Destroy();
    width_ = width;
    height_ = height;
    dc_.reset(::CreateCompatibleDC(compatible));
    stagingDc_.reset(::CreateCompatibleDC(compatible));
    void* bits = nullptr;
    bitmap_ = newDibSection(dc_.get(), width, height, &bits);
    if (bitmap_) selection_.emplace(dc_.get(), bitmap_.get());
    if (bitmap_ && bits != nullptr && width > 0 && height > 0) bits_ = bits;
}

void Composer::Destroy() {
    bits_ = nullptr;
    // Deselected before it is deleted, and the DC gets its own bitmap back.
    selection_.reset();
    dc_.reset();
    bitmap_.reset();
    stagingSelection_.reset();
    stagingBitmap_.reset();
    stagingDc_.reset();
    stagingBits_ = nullptr;
    stagingWidth_ = stagingHeight_ = 0;
    width_ = height_ = 0;
}

void Composer::Erase(const RectI& area) {
    const RectI r = intersectionOf(area, Whole());
    if (bits_ == nullptr || isEmpty(r)) return;
    // Drawing GDI still holds back must not land after the erase.
    ::GdiFlush();
    // The DIB is bottom-up: the surface's row y is the bitmap's row height - 1 - y,
    // so rows top..bottom are one run of memory when they span the width.
    auto* bits = static_cast<std::uint8_t*>(bits_);
    const std::size_t stride = static_cast<std::size_t>(width_) * 4;
    auto row = [&](std::int32_t y) {
        return bits + static_cast<std::size_t>(height_ - 1 - y) * stride;
    };
    if (r.left == 0 && r.right == width_) {
        std::memset(row(r.bottom - 1), 0, stride * static_cast<std::size_t>(r.Height()));
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(r.Width()) * 4;
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        std::memset(row(y) + static_cast<std::size_t>(r.left) * 4, 0, bytes);
}

std::uint32_t* Composer::staging(std::int32_t width, std::int32_t height) {
    if (width <= stagingWidth_ && height <= stagingHeight_) return stagingBits_;
    stagingSelection_.reset();
    stagingBits_ = nullptr;
    stagingWidth_ = std::max(width, stagingWidth_);
    stagingHeight_ = std::max(height, stagingHeight_);
    void* bits = nullptr;
    // Top-down, as a piece keeps its rows.
    stagingBitmap_ = newDibSection(stagingDc_.get(), stagingWidth_, -stagingHeight_, &bits);
    if (!stagingBitmap_ || bits == nullptr) {
        stagingBitmap_.reset();
        stagingWidth_ = stagingHeight_ = 0;
        return nullptr;
    }
    stagingSelection_.emplace(stagingDc_.get(), stagingBitmap_.get());
    stagingBits_ = static_cast<std::uint32_t*>(bits);
    return stagingBits_;
}

void Composer::Blend(const Piece& piece, const Placement& at, const RectI& clip) {
    if (bits_ == nullptr || piece.pixels == nullptr) return;
    const std::int32_t left = at.x + piece.offsetX, top = at.y + piece.offsetY;
    const std::int32_t width = piece.column ? at.columnWidth : piece.width;
    const RectI placed{left, top, left + width, top + piece.height};
    const RectI to = intersectionOf(intersectionOf(placed, clip), Whole());
    if (isEmpty(to)) return;
    // Only the part that shows is copied.
    const std::int32_t columns = piece.column ? 1 : to.Width();
    ::GdiFlush();  // the last blend from the staging bitmap is done
    std::uint32_t* out = staging(columns, to.Height());
    if (out == nullptr) return;
    const std::int32_t firstColumn = piece.column ? 0 : to.left - placed.left;
    for (std::int32_t y = to.top; y < to.bottom; ++y) {
        const std::uint32_t* from =
            piece.pixels + static_cast<std::size_t>(y - placed.top) * std::size_t(piece.width) +
            static_cast<std::size_t>(firstColumn);
        std::copy_n(from, columns,
                    out + static_cast<std::size_t>(y - to.top) * std::size_t(stagingWidth_));
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, at.alpha, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc_.get(), to.left, to.top, to.Width(), to.Height(), stagingDc_.get(), 0, 0,
                    columns, to.Height(), blend);
}

}  // namespace dock
