#include "items/icon_extraction.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

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

int entryCount(std::span<const std::uint8_t> group) {
    return static_cast<std::int16_t>(wordAt(group, 4));
}

// Entries that start past the end of the block are all zero; only the ones
// that overlap it need reading, so a hostile count costs nothing.
int entriesInside(std::span<const std::uint8_t> group) {
    const std::size_t overlapping =
        group.size() > kHeaderSize ? (group.size() - kHeaderSize + kEntrySize - 1) / kEntrySize : 0;
    return static_cast<int>(std::min<std::size_t>(std::max(entryCount(group), 0), overlapping));
}

IconChoice classicChoice(std::span<const std::uint8_t> group) {
    const int count = entryCount(group);
    IconChoice best;
    unsigned bestWidth = 0, bestHeight = 0, bestBits = 0;
    const int inside = entriesInside(group);
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

// An entry as the fitting choice compares it.
struct Fit {
    bool wideEnough = false;
    unsigned width = 0;  // in pixels: a width byte of 0 is 256
    unsigned bits = 0;
};

// Whether `next`, a later entry, is a better fit than `best`.
bool fitsBetter(const Fit& next, const Fit& best) {
    if (next.wideEnough != best.wideEnough) return next.wideEnough;
    if (next.width != best.width)
        return next.wideEnough ? next.width < best.width : next.width > best.width;
    return next.bits >= best.bits;
}

IconChoice fittingChoice(std::span<const std::uint8_t> group, std::int32_t drawnSize) {
    auto fitOf = [&](unsigned widthByte, unsigned bits) {
        const unsigned width = widthByte == 0 ? 256 : widthByte;
        return Fit{static_cast<std::int64_t>(width) >= drawnSize, width, bits};
    };
    const int count = entryCount(group);
    const int inside = entriesInside(group);
    IconChoice best;
    Fit bestFit;
    for (int k = 1; k <= inside; ++k) {
        const std::size_t at = entryOffset(k);
        const Fit fit = fitOf(byteAt(group, at), wordAt(group, at + 6));
        if (k == 1 || fitsBetter(fit, bestFit)) {
            bestFit = fit;
            best = {k, wordAt(group, at + 12)};
        }
    }
    // The all-zero entries past the end are alike, so the last one stands for them.
    if (count > inside && (inside == 0 || fitsBetter(fitOf(0, 0), bestFit))) best = {count, 0};
    return best;
}

}  // namespace

IconChoice chooseIconEntry(std::span<const std::uint8_t> group, std::int32_t drawnSize) {
    return drawnSize == kClassicIconChoice ? classicChoice(group) : fittingChoice(group, drawnSize);
}

Bytes assembleIcon(const IconResources& resources, std::int32_t drawnSize) {
    if (resources.iconGroups.empty()) return {};
    const Bytes& group = resources.iconGroups.front();
    Bytes out;
    for (std::size_t i = 0; i < 4; ++i) out.push_back(byteAt(group, i));
    out.push_back(1);
    out.push_back(0);

    const IconChoice choice = chooseIconEntry(group, drawnSize);
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

Bytes extractExeIcon(IconSource& source, const std::string& modulePath, std::int32_t drawnSize) {
    const std::optional<IconResources> resources = source.ReadIconResources(modulePath, drawnSize);
    return resources ? assembleIcon(*resources, drawnSize) : Bytes{};
}

std::span<const std::uint8_t> pngImageOf(std::span<const std::uint8_t> ico) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (ico.size() < kImageOffset + sizeof kSignature) return {};
    const auto image = ico.subspan(kImageOffset);
    if (!std::equal(std::begin(kSignature), std::end(kSignature), image.begin())) return {};
    return image;
}

}  // namespace dock
