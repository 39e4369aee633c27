#pragma once
// An executable's first icon group as a one-image .ico file in memory.
#include <cstdint>
#include <span>
#include <string>

#include "ports/icon_source.h"
#include "support/bytes.h"

namespace dock {

// The entry an icon group offers: the last one that is at least as large in
// bit count, width and height as the one chosen before it.
struct IconChoice {
    int entry = 0;  // 1-based entry number; 0 when the group has no entries
    int id = 0;     // its nID, the RT_ICON resource that holds the image
    friend bool operator==(const IconChoice&, const IconChoice&) = default;
};
// With a drawnSize (高清图标) the entry is instead the one that best fits a
// picture drawn that wide: the narrowest entry at least that wide, else the
// widest one, and of those the one with the most bits; a width byte of 0
// counts as 256. The later of two equal entries wins either way.
IconChoice chooseIconEntry(std::span<const std::uint8_t> group,
                           std::int32_t drawnSize = kClassicIconChoice);

// Chooses the entry of the first group and assembles the .ico; empty when
// there is no group. A chosen id without image gives the 6-byte header.
Bytes assembleIcon(const IconResources& resources, std::int32_t drawnSize = kClassicIconChoice);
Bytes extractExeIcon(IconSource& source, const std::string& modulePath,
                     std::int32_t drawnSize = kClassicIconChoice);

// The image of an assembled .ico when it is a PNG stream (a PNG-compressed
// entry, as 256-pixel ones usually are); empty for a bitmap image.
std::span<const std::uint8_t> pngImageOf(std::span<const std::uint8_t> ico);

}  // namespace dock
