#include "items/item_pictures.h"

#include "items/add_item.h"
#include "items/icon_extraction.h"
#include "items/item_settings.h"
#include "render/frame.h"
#include "render/layout.h"

namespace dock {
namespace {

bool hasCustomIcon(Dock& dock, const DockItem& item) {
    return !item.customIconPath.empty() && dock.platform.files.FileExists(item.customIconPath);
}

}  // namespace

std::int32_t wantedIconSize(const Dock& dock) {
    return dock.settings.sharpIcons != 0 ? magnifiedPictureSize(dock.state.metrics)
                                         : kClassicIconChoice;
}

Bytes itemPictureBytes(Dock& dock, const DockItem& item, const std::string& extension) {
    FileSystem& files = dock.platform.files;
    if (hasCustomIcon(dock, item)) return files.ReadWholeFile(item.customIconPath);
    std::string iconSource;
    if (extension == "exe") {
        iconSource = item.targetPath;
    } else if (extension == "lnk") {
        iconSource = dock.platform.icons.ResolveShortcut(item.targetPath);
    }
    if (iconSource.empty()) return {};
    const std::int32_t size = wantedIconSize(dock);
    Bytes icon = extractExeIcon(dock.platform.icons, iconSource, size);
    if (size == kClassicIconChoice) return icon;
    // Not every .ico decoder reads a PNG-compressed image; every PNG decoder
    // reads it as the PNG file it is.
    const std::span<const std::uint8_t> png = pngImageOf(icon);
    return png.empty() ? icon : Bytes(png.begin(), png.end());
}

void reloadItemPictures(Dock& dock) {
    DockState& state = dock.state;
    auto& pool = state.pictures.imagePool;
    for (int i = 1; i <= state.items.Count(); ++i) {
        const DockItem& item = state.items[i].item;
        const std::string extension = fileExtension(item.targetPath, dock.leadBytes);
        const int slot = state.items[i].imageSlot;
        if (hasCustomIcon(dock, item) || (extension != "exe" && extension != "lnk") || slot < 1 ||
            slot > static_cast<int>(pool.size()) || !pool[slot - 1])
            continue;
        Picture& picture = *pool[slot - 1];
        const Bytes bytes = itemPictureBytes(dock, item, extension);
        if (bytes.empty() || !picture.LoadFromMemory(bytes)) loadDefaultItemPicture(dock, picture);
    }
    if (state.items.Count() > 0) renderFrame(frameOf(dock), true);
}

}  // namespace dock
