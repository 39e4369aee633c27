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

// config.ini's settings and the chosen place; without a saved place the dock
// stays where the dialog manager centred it, saved in config.ini's units.
void loadSettingsAndPlace(Dock& dock, const RectI& placed) {
    const std::vector<MonitorScale> monitors = dock.platform.window.MonitorScales();
    const PointI centre{placed.left + placed.Width() / 2, placed.top + placed.Height() / 2};
    dock.state.place.chosen =
        loadConfiguration(dock, toStoredPlace({placed.left, placed.top}, centre, monitors));
}

void loadProgramPictures(Dock& dock) {
    DockState& state = dock.state;
    loadPicture(dock, state.pictures.backgroundImage, dock.programDirectory + "\\res\\0.png",
                embedded::BackgroundPicture);
    loadPicture(dock, state.pictures.trayImage, dock.settings.trayImagePath,
                embedded::SelectedTrayPicture);
    loadPicture(dock, state.pictures.runningIndicatorImage, dock.programDirectory + "\\res\\3.png",
                embedded::RunningIndicatorPicture);
}

// The metrics at the window's DPI, with the background's size and what
// follows from the settings.
void measureLayout(Dock& dock) {
    LayoutMetrics& metrics = dock.state.metrics;
    const Picture& background = *dock.state.pictures.backgroundImage;
    metrics = metricsAtDpi(dock.platform.window.Dpi());
    metrics.backgroundWidth = static_cast<std::int32_t>(background.Width());
    metrics.backgroundHeight = static_cast<std::int32_t>(background.Height());
    metrics.floatDistance = usableFloatDistance(metrics, dock.settings.floatDistance);
    metrics.rowTop = rowTop(metrics);
}

// Places the window for the empty row at the chosen place and returns where.
PointI placeEmptyWindow(Dock& dock, const RectI& placed) {
    const LayoutMetrics& metrics = dock.state.metrics;
    const std::int32_t width = windowWidth(metrics, dock.state.items.Count());
    const std::int32_t height = windowHeight(metrics);
    PointI position = chosenWindowPlace(dock);
    // A window whose far edges lie beyond the coordinate range cannot even be
    // placed there.
    if (std::int64_t{position.x} + width > INT32_MAX ||
        std::int64_t{position.y} + height > INT32_MAX)
        position = {placed.left, placed.top};
    dock.platform.window.PlaceWindow(dock.settings.alwaysOnTop != 0, position.x, position.y, width,
                                     height);
    return position;
}

// Adds config.ini's items in their order and returns the count it gives.
int loadItems(Dock& dock) {
    const int count = readItemCount(dock);
    DockItem record;
    for (int n = 1; n <= count; ++n) {
        readItemRecord(dock, n, record);
        addItem(dock, record, n, true);
    }
    return count;
}

// A position saved on a monitor that is gone would leave the dock where
// nobody can see it or right-click it to close it. Only the strip around
// the loaded row counts: a dock that still shows part of it stays exactly
// where it was saved. The saved place stays the chosen one, for when the
// monitor comes back.
void keepLoadedRowOnScreen(Dock& dock, const RectI& placed, PointI position) {
    DockState& state = dock.state;
    state.metrics.emptyStripTop = static_cast<float>(restingStripTop(state.metrics));
    DockWindowPort& window = dock.platform.window;
    if (!window.TouchesAnyMonitor(stripOnScreen(state, position)))
        window.MoveTo(placed.left, placed.top);
}

// A negative count adds nothing either; drawing the full row for no items
// would leave a window without a single visible (or clickable) pixel.
void drawFirstFrame(Dock& dock, int count) {
    if (count <= 0)
        drawEmptyDock(frameOf(dock), dock.state.metrics.emptyStripTop);
    else
        renderFrame(frameOf(dock), true);
}

}  // namespace

void startDock(Dock& dock, FeatureStates& features) {
    DockWindowPort& window = dock.platform.window;
    dock.state.commands.busy = true;
    const RectI placed = window.WindowRect();
    loadSettingsAndPlace(dock, placed);
    loadProgramPictures(dock);
    measureLayout(dock);
    const PointI position = placeEmptyWindow(dock, placed);
    const int count = loadItems(dock);
    keepLoadedRowOnScreen(dock, placed, position);
    recreateCanvas(frameOf(dock));
    window.AcceptDrops();
    drawFirstFrame(dock, count);
    window.ArmTimer(kFastPeriodMs);
    startFeatures(dock, features);
    dock.state.commands.busy = false;
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
