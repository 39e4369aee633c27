// The hotkey badges (快捷键角标) and the caption's combination, for any hotkey
// value and whatever name the system gives its key: a label is short
// printable ASCII, a combination is the modifiers in their order and then
// that label, and frames with badges and a magnified item draw.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "config/hotkey_modifiers.h"
#include "fuzz_support.h"
#include "render/frame.h"
#include "render/hotkey_badges.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    using fuzz::require;
    fuzz::FuzzedDock fuzzed(data, size, 5);
    auto& [input, platform, dock, items] = fuzzed;
    for (int i = 1; i <= items.Count(); ++i)
        if (input.ConsumeBool())
            platform.hotkeys.keyNames[items[i].item.hotkey & 0xFFu] =
                input.ConsumeRandomLengthString(16);

    for (int i = 1; i <= items.Count(); ++i) {
        const std::uint16_t hotkey = items[i].item.hotkey;
        const std::string label = keyLabel(hotkey & 0xFFu, platform.hotkeys);
        require(!label.empty() && label.size() <= 12);
        for (char c : label) require(c >= 0x20 && c <= 0x7E);
        const std::string combination = hotkeyCombination(hotkey, platform.hotkeys);
        const std::uint32_t modifiers = hotkeyModifiers(hotkey);
        std::string expected = (hotkey & 0xFFu) == 0 ? "" : label;
        if (!expected.empty() && (modifiers & kModAlt)) expected = "Alt+" + expected;
        if (!expected.empty() && (modifiers & kModShift)) expected = "Shift+" + expected;
        if (!expected.empty() && (modifiers & kModControl)) expected = "Ctrl+" + expected;
        require(combination == expected);
    }

    dock.settings.hotkeyBadges = 1;
    FrameState& frame = dock.state.frame;
    frame.hoverIndex = input.ConsumeIntegralInRange(0, items.Count());
    frame.pointerX = input.ConsumeIntegralInRange(-100, 600);
    frame.pointerY = input.ConsumeIntegralInRange(-100, 400);
    for (int step = input.ConsumeIntegralInRange(1, 12); step > 0; --step)
        renderFrame(frameOf(dock), true);
    return 0;
}
