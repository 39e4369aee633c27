#include "items/item_settings.h"

#include "config/configuration.h"
#include "items/hotkeys.h"
#include "render/hotkey_badges.h"
#include "render/builtin_pictures.h"
#include "render/frame.h"
#include "support/fatal.h"
#include "support/texts.h"

namespace dock {
namespace {

Picture& pictureOf(DockState& state, int index) {
    const int slot = state.items[index].imageSlot;
    if (slot < 1 || slot > static_cast<int>(state.pictures.imagePool.size()) ||
        !state.pictures.imagePool[slot - 1]) {
        ReportInternalError(kImageSlotOutOfRange, static_cast<std::uint32_t>(slot));
    }
    return *state.pictures.imagePool[slot - 1];
}

void saveCustomIcon(Dock& dock, int index, const std::string& path) {
    DockItem& item = dock.state.items[index].item;
    if (path == item.customIconPath || path.empty() || !dock.platform.files.FileExists(path)) {
        return;
    }
    Picture& picture = pictureOf(dock.state, index);
    picture.Dispose();
    // A file that exists but is no picture would otherwise leave the item
    // invisible until the next start.
    if (!picture.LoadFromFile(path)) loadDefaultItemPicture(dock, picture);
    item.customIconPath = path;
    renderFrame(frameOf(dock), true);
}

void saveHotkey(Dock& dock, int index, std::uint16_t hotkey) {
    DockItem& item = dock.state.items[index].item;
    if (hotkey == item.hotkey) return;
    dock.platform.hotkeys.UnregisterHotkey(index);
    item.hotkey = 0;
    if (hotkey == 0) return;
    if (registerItemHotkey(dock, index, hotkey)) {
        item.hotkey = hotkey;
    } else {
        reportHotkeyFailure(dock);
    }
}

}  // namespace

std::string itemSettingsCaption(const DockItem& item) {
    return std::string(texts::kItemSettingsCaptionPrefix) + item.title;
}

std::string iconFileFilter() {
    std::string filter;
    filter += texts::kIcoFilterName;
    filter += '\0';
    filter += "*.ico";
    filter += '\0';
    filter += texts::kPngFilterName;
    filter += '\0';
    filter += "*.png";
    filter += '\0';
    filter += '\0';
    return filter;
}

void loadDefaultItemPicture(Dock& dock, Picture& picture) {
    const std::string path = dock.programDirectory + "/res/2.png";
    if (dock.platform.files.FileExists(path)) {
        picture.LoadFromFile(path);
    } else {
        picture.LoadFromMemory(embedded::DefaultItemPicture);
    }
}

void saveItemSettings(Dock& dock, int index, const ItemSettingsForm& form) {
    if (!dock.state.items.Contains(index)) return;
    DockItem& item = dock.state.items[index].item;
    if (form.title != item.title) item.title = form.title;
    saveCustomIcon(dock, index, form.customIconPath);
    const std::uint16_t hotkeyBefore = item.hotkey;
    saveHotkey(dock, index, form.hotkey);
    if (dock.settings.hotkeyBadges != 0 && item.hotkey != hotkeyBefore)
        redrawHotkeyBadges(frameOf(dock));
    markSaveDue(dock);
}

}  // namespace dock
