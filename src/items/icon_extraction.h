#pragma once
// An executable's first icon group as a one-image .ico file in memory.
#include <string>

#include "items/icon_source.h"
#include "support/bytes.h"

namespace dock {

// Chooses the entry of the first group and assembles the .ico; empty when
// there is no group.
Bytes assembleIcon(const IconResources& resources);
Bytes extractExeIcon(IconSource& source, const std::string& modulePath);

}  // namespace dock
