#pragma once
// A frame as the calls that compose it, kept beside the last frame composed:
// only where a call differs from the last frame's call at its place can the
// picture differ, and only the rows holding those calls are composed again.
// Every call lands on whole pixels, converted from the model's floats by
// truncation toward zero.
#include <cstdint>
#include <vector>

#include "render/dirty_area.h"

namespace dock {

// A picture's rectangle on whole pixels: the rectangle with a negative height
// (drawn upside down) is first turned the right way up, then each of its
// numbers truncated toward zero.
RectI wholePixelRect(float x, float y, float width, float height);
// A slice's rectangle: each edge truncated, so that slices sharing an edge
// meet on the same column.
RectI wholePixelSlice(const RectF& to);

class FrameRecorder {
  public:
    void Begin();
    bool Recording() const { return recording_; }
    void Add(DrawnCall call) { calls_.push_back(std::move(call)); }
    const std::vector<DrawnCall>& Calls() const { return calls_; }
    // The last frame's call at the place the next call takes, when it is the
    // same call: its bounds need no measuring again.
    const DrawnCall* SameAsLast(const DrawnCall& call) const;
    // Ends the frame: the rows of `surface` it must compose again (all of
    // the surface when nothing was composed before), full width; empty when
    // it is the last frame again. The frame becomes the last frame.
    RectI Finish(const RectI& surface);
    // What the surface holds can no longer be trusted (drawn over, rebuilt).
    void Forget();
    const std::vector<DrawnCall>& Last() const { return last_; }

  private:
    bool recording_ = false;
    bool lastComposed_ = false;
    std::vector<DrawnCall> calls_, last_;
};

}  // namespace dock
