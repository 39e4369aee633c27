#include "items/add_item.h"

#include <cstddef>

#include "config/configuration.h"
#include "config/dock_place.h"
#include "config/on_top.h"
#include "items/hotkeys.h"
#include "items/item_pictures.h"
#include "items/item_settings.h"
#include "render/frame.h"
#include "render/layout.h"
#include "support/text.h"

namespace dock {
namespace {

// The lowest pool slot that no item owns and that holds no picture; a new
// picture when there is none. A slot whose picture failed to decode still
// belongs to its item: handing it to a second item would make the two share
// whatever either of them loads later.
int freeImageSlot(DockState& state, PictureFactory& pictures) {
    auto& pool = state.pictures.imagePool;
    const int count = state.items.Count();
    // Items own distinct slots, so a pool no larger than the list is full:
    // loading thousands of items at start-up never scans it.
    if (pool.size() > static_cast<std::size_t>(count)) {
        std::vector<bool> owned(pool.size() + 1, false);
        for (int i = 1; i <= count; ++i) {
            const int slot = state.items[i].imageSlot;
            if (slot >= 1 && static_cast<std::size_t>(slot) <= pool.size()) owned[slot] = true;
        }
        for (std::size_t s = 1; s <= pool.size(); ++s) {
            if (!owned[s] && (pool[s - 1] == nullptr || !pool[s - 1]->IsLoaded())) {
                if (pool[s - 1] == nullptr) pool[s - 1] = pictures.NewPicture();
                return static_cast<int>(s);
            }
        }
    }
    pool.push_back(pictures.NewPicture());
    return static_cast<int>(pool.size());
}

// For an item appended at start-up only its own id is new: ids 1..n-1 keep
// their items, so renewing them would register exactly what they hold.
void registerAppendedHotkey(Dock& dock, int index) {
    dock.platform.hotkeys.UnregisterHotkey(index);
    const std::uint16_t hotkey = dock.state.items[index].item.hotkey;
    if (hotkey != 0) registerItemHotkey(dock, index, hotkey);
}

// The window grows by one cell, half to each side, so the row stays centred.
void growWindowByOneCell(Dock& dock) {
    DockWindowPort& window = dock.platform.window;
    const RectI rect = window.WindowRect();
    const double half = dock.state.metrics.cellWidth / 2.0;
    const std::int32_t left = truncateToInt(rect.left - half);
    const std::int32_t right = truncateToInt(rect.right + half);
    window.PlaceWindow(dockOnTop(dock), left, rect.top, right - left, rect.bottom - rect.top);
    moveChosenPlaceAlong(dock, left - rect.left);
}

// Loads the item's picture, or the default one, into a free slot of the pool
// and returns the slot.
int loadItemPicture(Dock& dock, const DockItem& record, const std::string& extension) {
    const Bytes bytes = itemPictureBytes(dock, record, extension);
    const int slot = freeImageSlot(dock.state, dock.platform.pictures);
    Picture& picture = *dock.state.pictures.imagePool[static_cast<std::size_t>(slot - 1)];
    if (!bytes.empty()) picture.LoadFromMemory(bytes);
    if (!picture.IsLoaded()) loadDefaultItemPicture(dock, picture);
    return slot;
}

// Inserts the item, renews the hotkeys its insertion renumbered and lays out
// the row.
void insertItem(Dock& dock, const DockItem& record, int position, int slot, bool fromConfig) {
    DockState& state = dock.state;
    // Configured items are appended one by one at start-up, before any frame.
    const bool loadingAppend = fromConfig && position == state.items.Count() + 1;
    state.items.Insert(position, record, slot, !loadingAppend);
    if (loadingAppend) {
        registerAppendedHotkey(dock, position);
    } else {
        reregisterHotkeys(dock);
    }
    layoutRow(state, position);
}

// An item the user added: the window grows by its cell, the canvas is made
// for the new size, the row is drawn and config.ini saved later.
void showAddedItem(Dock& dock) {
    growWindowByOneCell(dock);
    recreateCanvas(frameOf(dock));
    dock.platform.window.AcceptDrops();
    renderFrame(frameOf(dock), true);
    markSaveDue(dock);
}

}  // namespace

std::string fileExtension(const std::string& path, const LeadBytes& leadBytes) {
    // A dot is never the second byte of a character: the byte-wise search is safe.
    const std::size_t dot = path.rfind('.');
    return LowerAscii(dot == std::string::npos ? path : path.substr(dot + 1), leadBytes);
}

std::string deriveTitle(const std::string& path, const std::string& extension,
                        const LeadBytes& leadBytes) {
    // The last separator character, not the last 0x5C byte: in a double-byte
    // code page a second byte can be 0x5C and is no separator.
    const std::size_t separator = FindLastCharacter(path, '\\', leadBytes);
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t nameLength = path.size() - nameStart;
    if (nameLength < extension.size() + 1) return {};
    return path.substr(nameStart, nameLength - extension.size() - 1);
}

int dropPosition(const DockState& state) {
    const int count = state.items.Count();
    const int hovered = state.frame.hoverIndex;
    if (!state.items.Contains(hovered)) {
        const std::int32_t width = windowWidth(state.metrics, count);
        const std::int32_t d = truncateToInt(state.frame.pointerX - width / 2.0);
        return d < 0 ? 1 : count + 1;
    }
    const double centre = double(state.items[hovered].zoomRect.left) + state.metrics.cellWidth;
    const std::int32_t d = truncateToInt(state.frame.pointerX - centre);
    return d > 0 ? hovered + 1 : hovered;
}

void addItem(Dock& dock, DockItem& record, int position, bool fromConfig) {
    const std::string extension = fileExtension(record.targetPath, dock.leadBytes);
    if (!fromConfig) record.title = deriveTitle(record.targetPath, extension, dock.leadBytes);
    if (position == 0) position = dock.state.items.Count() + 1;
    const int slot = loadItemPicture(dock, record, extension);
    insertItem(dock, record, position, slot, fromConfig);
    // Configured items are shown all at once when start-up has loaded them.
    if (!fromConfig) showAddedItem(dock);
}

void addDroppedFiles(Dock& dock, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        // hoverIndex and pointerX stay as sampled; the count grows per file.
        const int position = dropPosition(dock.state);
        DockItem record;
        record.targetPath = path;
        addItem(dock, record, position, false);
    }
}

}  // namespace dock
