#include "features/dpi/dpi_change.h"

#include <string>

#include "config/configuration.h"
#include "config/extended_settings.h"
#include "items/item_pictures.h"
#include "render/frame.h"
#include "render/layout.h"
#include "config/show_message.h"
#include "support/texts.h"

namespace dock {

bool dpiAwarenessWanted(ProfileStore& profile, std::string_view programDirectory) {
    for (const ExtendedSetting& setting : kExtendedSettings)
        if (setting.field == &DockSettings::dpiAware)
            return readExtendedSetting(profile, configPath(programDirectory), setting) != 0;
    return false;
}

void changeDpi(Dock& dock, std::int32_t dpi, PointI suggested) {
    DockState& state = dock.state;
    LayoutMetrics& metrics = state.metrics;
    const LayoutMetrics before = metrics;
    metrics = metricsAtDpi(dpi);
    metrics.backgroundWidth = before.backgroundWidth;
    metrics.backgroundHeight = before.backgroundHeight;
    metrics.floatDistance = usableFloatDistance(metrics, dock.settings.floatDistance);
    metrics.rowTop = rowTop(metrics);
    metrics.emptyStripTop = static_cast<float>(restingStripTop(metrics));

    // The old rectangles are in the old pixels: start again from rest.
    state.frame.hoverIndex = 0;
    state.frame.zoomIndex = 0;
    state.frame.zoomPercent = 0;
    layoutRow(state, 1);

    dock.platform.window.MoveTo(suggested.x, suggested.y);
    recreateCanvas(frameOf(dock));
    if (state.items.Count() == 0)
        drawEmptyDock(frameOf(dock), metrics.emptyStripTop);
    else if (dock.settings.sharpIcons != 0)
        reloadItemPictures(dock);  // sharp icons are chosen for the magnified size; it redraws
    else
        renderFrame(frameOf(dock), true);
}

void noteDpiAwarenessSwitch(Dock& dock) {
    ShowMessage(dock.platform.messages, texts::kDpiAwareNextStartText, kDpiAwareNoteStyle);
}

}  // namespace dock
