#include "render/frame_recorder.h"

#include "render/layout.h"

namespace dock {

RectI wholePixelRect(float x, float y, float width, float height) {
    const double top = height < 0 ? double(y) + height : y;
    const double h = height < 0 ? -double(height) : height;
    const std::int32_t left = truncateToInt(x), up = truncateToInt(top);
    return {left, up, left + truncateToInt(width), up + truncateToInt(h)};
}

RectI wholePixelSlice(const RectF& to) {
    return {truncateToInt(to.left), truncateToInt(to.top), truncateToInt(to.right),
            truncateToInt(to.bottom)};
}

void FrameRecorder::Begin() {
    recording_ = true;
    calls_.clear();
}

const DrawnCall* FrameRecorder::SameAsLast(const DrawnCall& call) const {
    const std::size_t at = calls_.size();
    if (!lastComposed_ || at >= last_.size() || !last_[at].SameCall(call)) return nullptr;
    return &last_[at];
}

RectI FrameRecorder::Finish(const RectI& surface) {
    recording_ = false;
    const RectI changed = lastComposed_ ? changedArea(last_, calls_) : surface;
    last_.swap(calls_);
    calls_.clear();
    lastComposed_ = true;
    const RectI rows = intersectionOf(surface, changed);
    if (isEmpty(rows)) return {};
    return {surface.left, rows.top, surface.right, rows.bottom};
}

void FrameRecorder::Forget() {
    lastComposed_ = false;
    last_.clear();
}

}  // namespace dock
