#include "render/composer_win32.h"

#include <cstring>

#include "render/dirty_area.h"

namespace dock {

void Composer::Create(HDC compatible, std::int32_t width, std::int32_t height) {
    Destroy();
    width_ = width;
    height_ = height;
    dc_.reset(::CreateCompatibleDC(compatible));
    sourceDc_.reset(::CreateCompatibleDC(compatible));
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
    sourceDc_.reset();
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

void Composer::Blend(const Piece& piece, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                     const RectI& clip) {
    if (bits_ == nullptr || piece.bitmap == nullptr) return;
    const RectI placed{x + piece.offsetX, y + piece.offsetY, x + piece.offsetX + piece.width,
                       y + piece.offsetY + piece.height};
    const RectI to = intersectionOf(intersectionOf(placed, clip), Whole());
    if (isEmpty(to)) return;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    SelectionGuard selected(sourceDc_.get(), piece.bitmap);
    ::GdiAlphaBlend(dc_.get(), to.left, to.top, to.Width(), to.Height(), sourceDc_.get(),
                    to.left - placed.left, to.top - placed.top, to.Width(), to.Height(), blend);
}

}  // namespace dock
