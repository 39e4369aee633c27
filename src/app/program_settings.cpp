#include "app/program_settings.h"

#include <algorithm>

#include "config/configuration.h"
#include "render/frame.h"
#include "render/layout.h"
#include "support/text.h"

namespace dock {

ProgramSettingsForm programSettingsForm(const DockSettings& settings) {
    ProgramSettingsForm form;
    form.highQuality = settings.highQuality != 0;
    form.reflection = settings.reflection != 0;
    form.autoSnap = settings.autoSnap != 0;
    form.floatBothWays = settings.floatBothWays != 0;
    form.floatDistance = IntToText(settings.floatDistance);
    form.launchCooldown = IntToText(settings.launchCooldownMs);
    return form;
}

void storeProgramSettings(DockSettings& settings, const ProgramSettingsForm& form) {
    settings.highQuality = form.highQuality ? 1 : 0;
    settings.reflection = form.reflection ? 1 : 0;
    settings.autoSnap = form.autoSnap ? 1 : 0;
    settings.floatBothWays = form.floatBothWays ? 1 : 0;
    settings.floatDistance = TextToInt(form.floatDistance);
    settings.launchCooldownMs = std::max(TextToInt(form.launchCooldown), kMinimumCooldownMs);
}

void applyProgramSettings(Dock& dock) {
    LayoutMetrics& metrics = dock.state.metrics;
    metrics.floatDistance = usableFloatDistance(metrics, dock.settings.floatDistance);
    metrics.rowTop = rowTop(metrics);
    recreateCanvas(frameOf(dock));
    dock.platform.window.AcceptDrops();
    // A frame of an empty row draws nothing, which would leave the window at
    // its old size with the old picture: draw the empty dock as start-up does.
    if (dock.state.items.Count() == 0) {
        drawEmptyDock(frameOf(dock), static_cast<float>(restingStripTop(metrics)));
    } else {
        renderFrame(frameOf(dock), true);
    }
    markSaveDue(dock);
}

}  // namespace dock
