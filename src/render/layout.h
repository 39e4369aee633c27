#pragma once
// Geometry of the icon row and of the dock window, and the magnification
// model advanced one step per animation frame.
#include <cstdint>

#include "config/dock_model.h"

namespace dock {

// Every conversion of the geometry to an integer: toward zero, saturating at
// the 32-bit range (NaN gives 0) so that absurd settings cannot overflow.
constexpr std::int32_t truncateToInt(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<std::int32_t>(value);
}

// A length of the classic geometry, given in pixels at 96 DPI, at the DPI of
// the metrics: truncated like every other conversion, so that 96 DPI keeps
// the classic numbers exactly.
constexpr std::int32_t scaledPixels(const LayoutMetrics& metrics, double pixels) {
    return truncateToInt(pixels * metrics.dpi / 96);
}

// The classic metrics at `dpi`, each size scaled from its value at 96 DPI;
// the background and the float distance are left to the caller.
LayoutMetrics metricsAtDpi(std::int32_t dpi);

// A hand-edited float distance is kept, for the geometry only, within what
// leaves a usable window: at least one cell tall, so there is an icon to
// right-click, and no taller than kTallestWindow, so the surface stays a few
// megabytes. Needs the metrics of the loaded background. The setting is in
// pixels at 96 DPI, the result in the metrics' pixels.
inline constexpr std::int32_t kTallestWindow = 16384;
std::int32_t usableFloatDistance(const LayoutMetrics& metrics, std::int32_t floatDistance);

// The window size rule: the window and the surface are always this size.
std::int32_t windowWidth(const LayoutMetrics& metrics, int itemCount);
std::int32_t windowHeight(const LayoutMetrics& metrics);
// Window y of the resting row's top line (the row is centred vertically).
std::int32_t rowTop(const LayoutMetrics& metrics);

// The background strip around the row, in window coordinates: where the dock
// draws and can be clicked. It reaches 30 px past the first and the last cell
// as they stand now and is 50 px tall from 8 px above the row; an empty dock's
// is one cell wide from leftMargin, at emptyStripTop. (Sizes at 96 DPI.)
RectF stripRect(const DockState& state);
// The strip's top line while the row rests: 8 px above the row. The empty
// dock draws its strip there too, at start-up and after the settings dialog.
double restingStripTop(const LayoutMetrics& metrics);
// The strip around a row from rowLeft to rowRight (window x).
RectF stripAcross(const LayoutMetrics& metrics, double rowLeft, double rowRight);

// Recomputes baseRect, zoomRect and currentRect for the items from `first` on.
void layoutRow(DockState& state, int first);

// The largest size an item's picture is drawn at: the fully magnified cell,
// twice the resting one, less its padding on both sides.
std::int32_t magnifiedPictureSize(const LayoutMetrics& metrics);

enum class FrameKind { none, rest, zoom };

struct FrameResult {
    bool slowTimer = false;  // re-arm the animation timer at its slow period
    FrameKind frame = FrameKind::none;
    int item = 0;      // the magnified item, for a zoom frame
    int progress = 0;  // zoomPercent, for a zoom frame
    friend bool operator==(const FrameResult&, const FrameResult&) = default;
};

// One step of the magnification model; `force` recomputes even if nothing moved.
FrameResult advanceFrame(DockState& state, const DockSettings& settings, bool force);

// An item the pointer carries (features/arranging), as the frames see it: the
// pointer in window coordinates, and the place the others open a gap at (0:
// closed up).
struct CarriedItem {
    int item = 0;
    PointI pointer;
    int landing = 0;
};

// One step of a drag: the other items slide toward their resting cells
// around the gap at `carried.landing`, the carried item stands centred on the
// pointer. True when a frame is to be drawn.
bool advanceDragFrame(DockState& state, const CarriedItem& carried, bool force);

}  // namespace dock
