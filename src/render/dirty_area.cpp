#include "render/dirty_area.h"

#include <algorithm>
#include <cmath>

#include "render/layout.h"

namespace dock {

RectI pixelsTouched(double x, double y, double width, double height, std::int32_t margin) {
    const double left = std::min(x, x + width), right = std::max(x, x + width);
    const double top = std::min(y, y + height), bottom = std::max(y, y + height);
    return {truncateToInt(std::floor(left) - margin), truncateToInt(std::floor(top) - margin),
            truncateToInt(std::ceil(right) + margin), truncateToInt(std::ceil(bottom) + margin)};
}

bool isEmpty(const RectI& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RectI unionOf(const RectI& a, const RectI& b) {
    if (isEmpty(a)) return isEmpty(b) ? RectI{} : b;
    if (isEmpty(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

RectI intersectionOf(const RectI& a, const RectI& b) {
    const RectI r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
    return isEmpty(r) ? RectI{} : r;
}

RectI changedArea(const std::vector<DrawnCall>& last, const std::vector<DrawnCall>& now) {
    RectI area;
    const std::size_t common = std::min(last.size(), now.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (now[i].SameCall(last[i])) continue;
        area = unionOf(unionOf(area, last[i].bounds), now[i].bounds);
    }
    for (std::size_t i = common; i < last.size(); ++i) area = unionOf(area, last[i].bounds);
    for (std::size_t i = common; i < now.size(); ++i) area = unionOf(area, now[i].bounds);
    return area;
}

RectI wholeCallsArea(RectI area, const std::vector<DrawnCall>& calls) {
    for (bool grown = !isEmpty(area); grown;) {
        grown = false;
        for (const DrawnCall& c : calls) {
            if (isEmpty(intersectionOf(c.bounds, area))) continue;
            const RectI wider = unionOf(area, c.bounds);
            grown = grown || !(wider == area);
            area = wider;
        }
    }
    return area;
}

}  // namespace dock
