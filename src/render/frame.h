#pragma once
// Composition of each frame on the drawing surface.
#include "config/dock.h"
#include "render/layout.h"

namespace dock {

// Advances the model one step and draws and presents when it asks for a frame;
// re-arms the timer at 100 ms when it asks to slow down.
void renderFrame(const FrameContext& frame, bool force);
// The frame of a drag instead: the strip and the other items at rest (with
// the gap where the item would land), the carried item on top of them.
void renderDragFrame(const FrameContext& frame, const CarriedItem& carried, bool force);
void drawBackground(const FrameContext& frame);
void drawItem(const FrameContext& frame, int index, float x, float y, float width, float height,
              float lift);
// The background strip of an empty dock, one cell wide, its top at `top`
// (remembered as emptyStripTop); then Present.
void drawEmptyDock(const FrameContext& frame, float top);
// Re-creates the surface at the window size for the current items, with the
// caption font 宋体, white text, black outline, alpha 255 and the quality setting.
void recreateCanvas(const FrameContext& frame);

}  // namespace dock
