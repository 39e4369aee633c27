#pragma once
// Composition of each frame on the drawing surface.
#include "config/dock.h"

namespace dock {

// Advances the model one step and draws and presents when it asks for a frame;
// re-arms the timer at 100 ms when it asks to slow down.
void renderFrame(Dock& dock, bool force);
void drawBackground(Dock& dock);
void drawItem(Dock& dock, int index, float x, float y, float width, float height, float lift);
// The background strip of an empty dock, one cell wide, its top at y; then Present.
void drawEmptyDock(Dock& dock, float top);
// Re-creates the surface at the window size for the current items, with the
// caption font 宋体, white text, black outline, alpha 255 and the quality setting.
void recreateCanvas(Dock& dock);
// The background strip's top and bottom line, in window y.
double stripTop(const LayoutMetrics& metrics);
double stripBottom(const LayoutMetrics& metrics);

}  // namespace dock
