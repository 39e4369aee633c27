#include "app/startup.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/configuration.h"
#include "config/timer_periods.h"
#include "app/placement.h"
#include "items/add_item.h"
#include "render/builtin_pictures.h"
#include "render/frame.h"
#include "render/layout.h"

namespace dock {
namespace {

// A replacement file wins when it exists; a file that exists but does not
// decode leaves the picture empty rather than falling back.
void loadPicture(Dock& dock, std::unique_ptr<Picture>& picture, const std::string& path,
                 std::span<const std::uint8_t> builtin) {
    if (!picture) picture = dock.platform.pictures.NewPicture();
    if (dock.platform.files.FileExists(path))
        picture->LoadFromFile(path);
    else
        picture->LoadFromMemory(builtin);
}

}  // namespace

void startDock(Dock& dock, FeatureStates& features) {
    DockState& state = dock.state;
    DockSettings& settings = dock.settings;
    DockWindowPort& window = dock.platform.window;
    state.commands.busy = true;

    const RectI placed = window.WindowRect();
    const std::vector<MonitorScale> monitors = window.MonitorScales();
    // Without a saved place the dock stays where the dialog manager centred
    // it, saved in config.ini's units.
    const PointI centre{placed.left + placed.Width() / 2, placed.top + placed.Height() / 2};
    state.place.chosen =
        loadConfiguration(dock, toStoredPlace({placed.left, placed.top}, centre, monitors));

    loadPicture(dock, state.pictures.backgroundImage, dock.programDirectory + "\\res\\0.png",
                embedded::BackgroundPicture);
    loadPicture(dock, state.pictures.trayImage, settings.trayImagePath,
                embedded::SelectedTrayPicture);
    loadPicture(dock, state.pictures.runningIndicatorImage, dock.programDirectory + "\\res\\3.png",
                embedded::RunningIndicatorPicture);

    LayoutMetrics& metrics = state.metrics;
    metrics = metricsAtDpi(window.Dpi());
    metrics.backgroundWidth = static_cast<std::int32_t>(state.pictures.backgroundImage->Width());
    metrics.backgroundHeight = static_cast<std::int32_t>(state.pictures.backgroundImage->Height());
    metrics.floatDistance = usableFloatDistance(metrics, settings.floatDistance);
    metrics.rowTop = rowTop(metrics);

    const std::int32_t width = windowWidth(metrics, state.items.Count());
    const std::int32_t height = windowHeight(metrics);
    PointI position = chosenWindowPlace(dock);
    // A window whose far edges lie beyond the coordinate range cannot even be
    // placed there.
    if (std::int64_t{position.x} + width > INT32_MAX ||
        std::int64_t{position.y} + height > INT32_MAX)
        position = {placed.left, placed.top};
    window.PlaceWindow(settings.alwaysOnTop != 0, position.x, position.y, width, height);

    const int count = readItemCount(dock);
    DockItem record;
    for (int n = 1; n <= count; ++n) {
        readItemRecord(dock, n, record);
        addItem(dock, record, n, true);
    }

    // A position saved on a monitor that is gone would leave the dock where
    // nobody can see it or right-click it to close it. Only the strip around
    // the loaded row counts: a dock that still shows part of it stays exactly
    // where it was saved. The saved place stays the chosen one, for when the
    // monitor comes back.
    const auto emptyStripTop = static_cast<float>(restingStripTop(metrics));
    state.metrics.emptyStripTop = emptyStripTop;
    if (!window.TouchesAnyMonitor(stripOnScreen(state, position)))
        window.MoveTo(placed.left, placed.top);

    recreateCanvas(dock);
    window.AcceptDrops();
    // A negative count adds nothing either; drawing the full row for no items
    // would leave a window without a single visible (or clickable) pixel.
    if (count <= 0)
        drawEmptyDock(dock, emptyStripTop);
    else
        renderFrame(dock, true);
    window.ArmTimer(kFastPeriodMs);
    startFeatures(dock, features);
    state.commands.busy = false;
}

void stopDock(Dock& dock, FeatureStates& features) {
    const DockItemList& items = dock.state.items;
    for (int n = 1; n <= items.Count(); ++n)
        if (items[n].item.hotkey != 0) dock.platform.hotkeys.UnregisterHotkey(n);
    // A drag under way ends with a frame, which may arm the timer: before it stops.
    stopFeatures(dock, features);
    dock.platform.window.StopTimer();
    saveConfiguration(dock);
}

}  // namespace dock
