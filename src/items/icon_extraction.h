#pragma once
// An executable's first icon group as a one-image .ico file in memory.
#include <cstdint>
#include <span>
#include <string>

#include "support/icon_source.h"
#include "support/bytes.h"

namespace dock {

// The entry an icon group offers: the last one that is at least as large in
// bit count, width and height as the one chosen before it.
struct IconChoice {
    int entry = 0;  // 1-based entry number; 0 when the group has no entries
    int id = 0;     // its nID, the RT_ICON resource that holds the image
    friend bool operator==(const IconChoice&, const IconChoice&) = default;
};
IconChoice chooseIconEntry(std::span<const std::uint8_t> group);

// Chooses the entry of the first group and assembles the .ico; empty when
// there is no group. A chosen id without image gives the 6-byte header.
Bytes assembleIcon(const IconResources& resources);
Bytes extractExeIcon(IconSource& source, const std::string& modulePath);

}  // namespace dock
