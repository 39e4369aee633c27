#pragma once
// What icon extraction and shortcut resolution need from the system.
#include <optional>
#include <string>
#include <vector>

#include "support/bytes.h"

namespace dock {

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
    // when it cannot be loaded.
    virtual std::optional<IconResources> ReadIconResources(const std::string& modulePath) = 0;
    // The target path of a shell shortcut, or empty text.
    virtual std::string ResolveShortcut(const std::string& shortcutPath) = 0;
};

}  // namespace dock
