#include "dock/startup.h"

#include <cstdint>
#include <memory>
#include <string>

#include "config/configuration.h"
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

void startDock(Dock& dock) {
    DockState& state = dock.state;
    DockSettings& settings = dock.settings;
    DockWindowPort& window = dock.platform.window;
    state.busy = true;

    const RectI placed = window.WindowRect();
    PointI position = loadConfiguration(dock, {placed.left, placed.top});

    loadPicture(dock, state.backgroundImage, dock.programDirectory + "\\res\\0.png",
                embedded::BackgroundPicture);
    loadPicture(dock, state.trayImage, settings.trayImagePath, embedded::SelectedTrayPicture);

    LayoutMetrics& metrics = state.metrics;
    metrics.titleSize = 18;
    metrics.cellPadding = 5;
    metrics.cellWidth = 2 * metrics.cellPadding + 26;
    metrics.cellHeight = 2 * metrics.cellPadding + 26;
    metrics.backgroundWidth = static_cast<std::int32_t>(state.backgroundImage->Width());
    metrics.backgroundHeight = static_cast<std::int32_t>(state.backgroundImage->Height());
    metrics.leftMargin = 4 * metrics.cellWidth;
    metrics.floatDistance = usableFloatDistance(metrics, settings.floatDistance);
    metrics.rowTop = rowTop(metrics);

    const std::int32_t width = windowWidth(metrics, state.items.Count());
    const std::int32_t height = windowHeight(metrics);
    // A position saved on a monitor that is gone would put the dock where
    // nobody can see it or right-click it to close it; a dock that still
    // touches a screen stays exactly where it was saved.
    const std::int64_t right = std::int64_t{position.x} + width;
    const std::int64_t bottom = std::int64_t{position.y} + height;
    const bool representable = right <= INT32_MAX && bottom <= INT32_MAX;
    if (!representable ||
        !window.TouchesAnyMonitor({position.x, position.y, static_cast<std::int32_t>(right),
                                   static_cast<std::int32_t>(bottom)}))
        position = {placed.left, placed.top};
    window.PlaceWindow(settings.alwaysOnTop != 0, position.x, position.y, width, height);

    const int count = readItemCount(dock);
    DockItem record;
    for (int n = 1; n <= count; ++n) {
        readItemRecord(dock, n, record);
        addItem(dock, record, n, true);
    }

    recreateCanvas(dock);
    window.AcceptDrops();
    // A negative count adds nothing either; drawing the full row for no items
    // would leave a window without a single visible (or clickable) pixel.
    if (count <= 0)
        drawEmptyDock(dock, static_cast<float>(metrics.rowTop - 8));
    else
        renderFrame(dock, true);
    window.ArmTimer(10);
    state.busy = false;
}

void stopDock(Dock& dock) {
    const DockItemList& items = dock.state.items;
    for (int n = 1; n <= items.Count(); ++n)
        if (items[n].item.hotkey != 0) dock.platform.hotkeys.UnregisterHotkey(n);
    dock.platform.window.StopTimer();
    saveConfiguration(dock);
}

}  // namespace dock
