#pragma once
// The dock's own rectangle and point types. Conversions to and from RECT and
// POINT live in geometry_win32.h only.
#include <cstdint>

namespace dock {

struct RectF {
    float left = 0, top = 0, right = 0, bottom = 0;
    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
    friend bool operator==(const RectF&, const RectF&) = default;
};

struct RectI {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    // Left and top inclusive, right and bottom exclusive, as PtInRect.
    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    // Whether the two share a pixel; a shared edge is no overlap, as
    // MonitorFromRect counts it.
    bool Overlaps(const RectI& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    friend bool operator==(const RectI&, const RectI&) = default;
};

struct PointI {
    std::int32_t x = 0, y = 0;
    friend bool operator==(const PointI&, const PointI&) = default;
};

}  // namespace dock
