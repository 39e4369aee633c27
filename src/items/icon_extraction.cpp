#include "items/icon_extraction.h"

#include <algorithm>
#include <cstddef>

namespace dock {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 14;
constexpr std::uint32_t kImageOffset = 22;

// Group blocks come from arbitrary files: every read past the end is zero.
std::uint8_t byteAt(std::span<const std::uint8_t> block, std::size_t offset) {
    return offset < block.size() ? block[offset] : 0;
}
std::uint16_t wordAt(std::span<const std::uint8_t> block, std::size_t offset) {
    return static_cast<std::uint16_t>(byteAt(block, offset) | (byteAt(block, offset + 1) << 8));
}
void appendDword(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(std::uint8_t(value >> shift));
}
std::size_t entryOffset(int entry) {
    return kHeaderSize + kEntrySize * std::size_t(entry - 1);
}

}  // namespace

IconChoice chooseIconEntry(std::span<const std::uint8_t> group) {
    const int count = static_cast<std::int16_t>(wordAt(group, 4));
    IconChoice best;
    unsigned bestWidth = 0, bestHeight = 0, bestBits = 0;
    // Entries that start past the end of the block are all zero; only the
    // ones that overlap it need reading, so a hostile count costs nothing.
    const std::size_t overlapping =
        group.size() > kHeaderSize ? (group.size() - kHeaderSize + kEntrySize - 1) / kEntrySize : 0;
    const int inside = static_cast<int>(std::min<std::size_t>(std::max(count, 0), overlapping));
    for (int k = 1; k <= inside; ++k) {
        const std::size_t at = entryOffset(k);
        const unsigned width = byteAt(group, at), height = byteAt(group, at + 1);
        const unsigned bits = wordAt(group, at + 6);
        if (bits >= bestBits && width >= bestWidth && height >= bestHeight) {
            bestWidth = width;
            bestHeight = height;
            bestBits = bits;
            best = {k, wordAt(group, at + 12)};
        }
    }
    // An all-zero entry replaces only an all-zero choice, and the last one wins.
    if (count > inside && bestWidth == 0 && bestHeight == 0 && bestBits == 0) best = {count, 0};
    return best;
}

Bytes assembleIcon(const IconResources& resources) {
    if (resources.iconGroups.empty()) return {};
    const Bytes& group = resources.iconGroups.front();
    Bytes out;
    for (std::size_t i = 0; i < 4; ++i) out.push_back(byteAt(group, i));
    out.push_back(1);
    out.push_back(0);

    const IconChoice choice = chooseIconEntry(group);
    const auto& ids = resources.iconIds;
    const std::size_t images = std::min(ids.size(), resources.iconImages.size());
    const auto found = std::find(ids.begin(), ids.begin() + std::ptrdiff_t(images), choice.id);
    if (found == ids.begin() + std::ptrdiff_t(images)) return out;
    const Bytes& image = resources.iconImages[std::size_t(found - ids.begin())];

    out.reserve(kImageOffset + image.size());
    const std::size_t at = choice.entry > 0 ? entryOffset(choice.entry) : group.size();
    for (std::size_t i = 0; i < 8; ++i) out.push_back(byteAt(group, at + i));
    appendDword(out, static_cast<std::uint32_t>(image.size()));
    appendDword(out, kImageOffset);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

Bytes extractExeIcon(IconSource& source, const std::string& modulePath) {
    const std::optional<IconResources> resources = source.ReadIconResources(modulePath);
    return resources ? assembleIcon(*resources) : Bytes{};
}

}  // namespace dock
