#pragma once
// What icon extraction and shortcut resolution need from the system.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/bytes.h"

namespace dock {

// The size a module's icon is wanted for: the largest size in pixels its
// picture is drawn at, or this value for the classic choice, which ignores it.
inline constexpr std::int32_t kClassicIconChoice = 0;

// The icon resources of one module, in enumeration order.
struct IconResources {
    std::vector<Bytes> iconGroups;  // RT_GROUP_ICON data
    std::vector<Bytes> iconImages;  // RT_ICON data
    std::vector<int> iconIds;       // the numeric name of each element of iconImages
};

class IconSource {
  public:
    virtual ~IconSource() = default;
    // Loads the module as data only and copies its icon resources; nothing
    // when it cannot be loaded. `drawnSize` says which image of the first
    // group is wanted (kClassicIconChoice or the size it is drawn at), so an
    // adapter may copy only that one.
    virtual std::optional<IconResources> ReadIconResources(const std::string& modulePath,
                                                           std::int32_t drawnSize) = 0;
    // The target path of a shell shortcut, or empty text.
    virtual std::string ResolveShortcut(const std::string& shortcutPath) = 0;
};

}  // namespace dock
