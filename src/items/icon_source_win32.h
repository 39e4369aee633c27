#pragma once
// Icon resources and shortcut targets read with the real API. Modules are
// loaded as data only, so no code of a dropped file ever runs in the dock.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "ports/icon_source.h"
#include "support/bytes.h"

namespace dock {

class Win32IconSource : public IconSource {
  public:
    // The first icon group comes back whole with every later group, but of
    // the images only the one the group's choice names: the others would be
    // copied for nothing.
    std::optional<IconResources> ReadIconResources(const std::string& modulePath,
                                                   std::int32_t drawnSize) override;
    std::string ResolveShortcut(const std::string& shortcutPath) override;
};

// A copy of one resource's data; empty when it is missing, empty or not
// within the module's own readable pages.
Bytes loadResourceBytes(HMODULE module, LPCSTR type, LPCSTR name);
// EnumResourceNamesA callback: appends the resource to the IconResources
// passed in `context` (groups for RT_GROUP_ICON, images and their ids for
// RT_ICON). Always continues.
BOOL CALLBACK collectIconResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR context);

// The target path of a shell shortcut (at most 259 bytes), or empty text.
std::string resolveShortcut(const std::string& shortcutPath);

}  // namespace dock
