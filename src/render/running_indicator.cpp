#include "render/running_indicator.h"

#include <algorithm>

#include "render/layout.h"

namespace dock {
namespace {

// Below the resting picture's bottom line, half-way to the glass plate's
// lower rim. At 96 DPI, as the picture's own size is.
constexpr double kIndicatorDrop = 3;

}  // namespace

bool itemRunning(const DockState& state, int index) {
    const std::vector<std::string>& targets = state.frame.overlay.runningTargets;
    return std::binary_search(targets.begin(), targets.end(), state.items[index].item.targetPath);
}

void drawRunningIndicators(DrawingSurface& canvas, const DockState& state,
                           const DockSettings& settings, int skipped) {
    const Picture* picture = state.pictures.runningIndicatorImage.get();
    if (settings.runningIndicator == 0 || picture == nullptr || !picture->IsLoaded()) return;
    const LayoutMetrics& m = state.metrics;
    const double width = scaledPixels(m, picture->Width());
    const double height = scaledPixels(m, picture->Height());
    const double centreY =
        double(m.rowTop) + m.cellHeight - m.cellPadding + scaledPixels(m, kIndicatorDrop);
    const DockItemList& items = state.items;
    for (int i = 1; i <= items.Count(); ++i) {
        if (i == skipped || !itemRunning(state, i)) continue;
        const RectF& cell = items[i].currentRect;
        const double centreX = (double(cell.left) + double(cell.right)) / 2;
        canvas.DrawImage(*picture, static_cast<float>(centreX - width / 2),
                         static_cast<float>(centreY - height / 2), static_cast<float>(width),
                         static_cast<float>(height));
    }
}

}  // namespace dock
