#pragma once
// Which part of the surface a frame has to draw again: the calls of a frame
// are kept, and only where a call differs from the last frame's call at its
// place can the picture differ.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/geometry.h"

namespace dock {

// The whole pixels a rectangle with fractional edges touches, widened by
// `margin` on every side (for filtering that reaches past the edges).
// A negative width or height is the same rectangle mirrored.
RectI pixelsTouched(double x, double y, double width, double height, std::int32_t margin);

bool isEmpty(const RectI& r);
// The smallest rectangle holding both; an empty one adds nothing.
RectI unionOf(const RectI& a, const RectI& b);
// Empty (all zero) when they do not overlap.
RectI intersectionOf(const RectI& a, const RectI& b);

// One drawing call of a frame, as the surface keeps it until it is drawn.
struct DrawnCall {
    enum class Kind { image, imagePart, imageSlice, text } kind = Kind::image;
    std::uint64_t picture = 0;    // which picture it draws, as the surface tells them apart
    std::array<float, 9> args{};  // the call's numbers, in the order of the call
    std::string text;             // a text call's text
    RectI bounds;                 // every pixel the call may change
    bool SameCall(const DrawnCall& o) const {
        return kind == o.kind && picture == o.picture && args == o.args && text == o.text;
    }
};

// The area where two frames composed on a cleared surface can differ: the
// old and the new bounds of every call that is not the same call at the
// same place in both, and the bounds of the calls only one of them has.
// A pixel outside it is covered by the same calls in the same order in both.
RectI changedArea(const std::vector<DrawnCall>& last, const std::vector<DrawnCall>& now);

// The area grown until it holds the whole bounds of every call that touches
// it: erased and drawn again there, no call needs clipping to it.
RectI wholeCallsArea(RectI area, const std::vector<DrawnCall>& calls);

}  // namespace dock
