#include "features/arranging/delete_item.h"

#include <string>

#include "config/configuration.h"
#include "config/dock_place.h"
#include "config/on_top.h"
#include "config/blocked_dock.h"
#include "items/hotkeys.h"
#include "render/frame.h"
#include "render/layout.h"
#include "support/fatal.h"
#include "support/texts.h"

namespace dock {
namespace {

bool confirmDelete(Dock& dock, int index) {
    const DockItem& item = dock.state.items[index].item;
    const std::string& text = item.title.empty() ? item.targetPath : item.title;
    return dock.platform.messages.ShowMessageBox(text, std::string(texts::kDeleteCaption),
                                                 kDeleteConfirmStyle) == kAnswerYes;
}

void removeItem(Dock& dock, int index) {
    DockState& state = dock.state;
    Platform& platform = dock.platform;
    const int countBefore = state.items.Count();
    const DockEntry removed = state.items.Remove(index);

    // Every id of the old numbering goes first, so that the id nobody uses any
    // more is released and no combination is held twice while renumbering.
    for (int id = 1; id <= countBefore; ++id) platform.hotkeys.UnregisterHotkey(id);
    reregisterHotkeys(dock);

    // The slot stays in the pool, empty, for the next addItem to reuse.
    const int slot = removed.imageSlot;
    if (slot < 1 || slot > static_cast<int>(state.pictures.imagePool.size()) ||
        !state.pictures.imagePool[slot - 1]) {
        ReportInternalError(kImageSlotOutOfRange, static_cast<std::uint32_t>(slot));
    }
    state.pictures.imagePool[slot - 1]->Dispose();

    state.frame.hoverIndex = 0;
    layoutRow(state, 1);
    recreateCanvas(frameOf(dock));
    platform.window.AcceptDrops();

    // Half a cell off the left keeps the row centred once Present gives the
    // window the narrower canvas.
    const RectI rect = platform.window.WindowRect();
    const std::int32_t left = rect.left + state.metrics.cellWidth / 2;
    platform.window.PlaceWindow(dockOnTop(dock), left, rect.top, rect.right - left,
                                rect.bottom - rect.top);
    moveChosenPlaceAlong(dock, left - rect.left);

    if (state.items.Count() == 0) {
        drawEmptyDock(frameOf(dock), static_cast<float>(scaledPixels(
                                         state.metrics, state.metrics.backgroundHeight - 14)));
    } else {
        renderFrame(frameOf(dock), true);
    }
    markSaveDue(dock);
}

}  // namespace

void deleteItem(Dock& dock, int index) {
    if (index == 0) return;
    const BlockedDock blocked(dock);
    if (dock.state.items.Contains(index) && confirmDelete(dock, index)) removeItem(dock, index);
}

}  // namespace dock
