#pragma once
// The off-screen surface a frame is composed on and presented from.
// DockCanvas implements it; the tests record the calls.
#include <cstdint>
#include <string>

#include "ports/picture.h"
#include "support/geometry.h"

namespace dock {

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;
    // Rebuilds the surface at the given size for the dock window.
    virtual void Create(std::int32_t width, std::int32_t height, const std::string& fontName,
                        std::uint32_t textColor, std::uint32_t outlineColor, int alpha,
                        bool highQuality) = 0;
    // A frame starts: the calls up to Present compose it.
    virtual void BeginFrame() = 0;
    // Erases the rectangle to transparent at once; an all-zero one, the whole surface.
    virtual void Clear(const RectI& rect) = 0;
    virtual int DrawImage(const Picture& picture, float x, float y, float width, float height) = 0;
    // A negative destination height draws the part upside down; an opacity of
    // 0 (within 1e-7) draws it unchanged.
    virtual int DrawImagePart(const Picture& picture, float x, float y, float width, float height,
                              float srcX, float srcY, float srcWidth, float srcHeight,
                              float opacity) = 0;
    // One slice of a picture cut into pieces that are drawn side by side: the
    // source rectangle scaled to fill `to` exactly, sampled only inside the
    // source rectangle. Neighbouring slices share an edge value, so they meet
    // on the same column without a gap or a soft seam. Sizes are positive;
    // drawn unchanged.
    virtual int DrawImageSlice(const Picture& picture, const RectF& to, float srcX, float srcY,
                               float srcWidth, float srcHeight) = 0;
    virtual void DrawOutlinedText(const std::string& gbkText, float x, float y,
                                  std::int32_t emSize) = 0;
    virtual void Present() = 0;
};

}  // namespace dock
