#pragma once
// What every fuzzer shares: a broken invariant aborts, so libFuzzer keeps the
// input that broke it; the outside text is made from the input in one way,
// and a dock over the fakes gets its items from it.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/fake_platform.h"
#include "render/layout.h"

namespace dock::fuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

// An arbitrary set of lead bytes, one bit per byte value from `lowest` on:
// the text rules hold under every code page, not only GBK. Every double-byte
// ANSI code page of the system (932, 936, 949, 950) starts its lead bytes at
// 0x81, which the path rules rely on.
inline LeadBytes consumeLeadBytes(FuzzedDataProvider& input, std::size_t lowest = 0) {
    std::array<bool, 256> leads{};
    for (std::size_t word = 0; word < leads.size() / 64; ++word) {
        const auto bits = input.ConsumeIntegral<std::uint64_t>();
        for (std::size_t bit = 0; bit < 64; ++bit)
            leads[word * 64 + bit] = word * 64 + bit >= lowest && ((bits >> bit) & 1);
    }
    return LeadBytes(leads);
}

// Text as paths and titles are made: the bytes that cut a path, letters of
// both cases, two-byte GBK characters (often one whose second byte is a
// backslash or a letter) and any byte at all.
inline std::string consumeText(FuzzedDataProvider& input, std::size_t pieces) {
    static constexpr char kPunctuation[] = "\\/.: aZ";
    std::string text;
    for (std::size_t i = 0; i < pieces && input.remaining_bytes() > 0; ++i) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
            case 0:
                text += kPunctuation[input.ConsumeIntegralInRange<std::size_t>(
                    0, sizeof kPunctuation - 2)];
                break;
            case 1:
                text += static_cast<char>(input.ConsumeIntegralInRange(0x81, 0xFE));
                text += static_cast<char>(
                    input.ConsumeBool() ? 0x5C : input.ConsumeIntegralInRange(0x40, 0xFE));
                break;
            case 2:
                text += static_cast<char>(input.ConsumeIntegralInRange('a', 'z') -
                                          (input.ConsumeBool() ? 0x20 : 0));
                break;
            default:
                text += static_cast<char>(input.ConsumeIntegral<std::uint8_t>());
        }
    }
    return text;
}

inline std::string consumeText(FuzzedDataProvider& input, std::size_t minPieces,
                               std::size_t maxPieces) {
    return consumeText(input, input.ConsumeIntegralInRange(minPieces, maxPieces));
}

// Up to `most` items with fuzzed titles, hotkeys and targets, laid out at rest.
inline void addItems(testing::FakePlatform& platform, FuzzedDataProvider& input, int most) {
    DockState& state = platform.dock.state;
    const int count = input.ConsumeIntegralInRange(0, most);
    for (int i = 1; i <= count; ++i) {
        const std::string title = consumeText(input, 0, 6);
        const auto hotkey = input.ConsumeIntegral<std::uint16_t>();
        state.items.Insert(i, DockItem{title, hotkey, consumeText(input, 0, 12), ""}, 0);
    }
    if (count > 0) layoutRow(state, 1);
}

// One input's dock over the fakes, with up to `mostItems` items made from it.
struct FuzzedDock {
    FuzzedDock(const std::uint8_t* data, std::size_t size, int mostItems) : input(data, size) {
        addItems(platform, input, mostItems);
    }
    FuzzedDataProvider input;
    testing::FakePlatform platform;
    Dock& dock = platform.dock;
    DockItemList& items = dock.state.items;
};

}  // namespace dock::fuzz
