#pragma once
// The one place where the dock's geometry meets RECT and POINT.
#include <windows.h>

#include "support/geometry.h"

namespace dock {

inline RectI fromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline RECT toRect(const RectI& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline PointI fromPoint(const POINT& p) {
    return {p.x, p.y};
}

}  // namespace dock
