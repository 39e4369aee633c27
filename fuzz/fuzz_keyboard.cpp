// Type-ahead and the keyboard selection over GBK titles, for any keys typed
// at any pace: while the mode holds the selection is an item, and a typed
// text that moves it moves it to an item whose shown title starts with it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "features/keyboard_mode/keyboard_mode.h"
#include "fuzz_support.h"
#include "support/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    using fuzz::require;
    fuzz::FuzzedDock fuzzed(data, size, 6);
    auto& [input, platform, dock, items] = fuzzed;
    KeyboardSelection keyboard;
    dock.settings.keyboardMode = 1;
    applyKeyboardHotkey(dock, keyboard);
    enterKeyboardMode(dock, keyboard, false);

    auto shownTitle = [&fuzzed](int index) {  // a lambda cannot capture a binding
        const DockItem& item = fuzzed.items[index].item;
        return LowerAscii(item.title.empty() ? item.targetPath : item.title, fuzzed.dock.leadBytes);
    };
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 4)) {
            case 0:
            case 1: {
                // Mostly the bytes of a title, so that what is typed matches.
                std::string keys = fuzz::consumeText(input, 1, 3);
                if (items.Count() > 0 && input.ConsumeBool())
                    keys = shownTitle(input.ConsumeIntegralInRange(1, items.Count()));
                for (char byte : keys.substr(0, input.ConsumeIntegralInRange<std::size_t>(1, 4))) {
                    const int before = keyboard.selected;
                    typeAhead(dock, keyboard, byte);
                    if (keyboard.selected != before)
                        require(shownTitle(keyboard.selected)
                                    .starts_with(LowerAscii(keyboard.typed, dock.leadBytes)));
                }
                break;
            }
            case 2:
                platform.shell.tick += input.ConsumeIntegralInRange<std::uint32_t>(0, 1500);
                break;
            case 3:
                moveSelection(dock, keyboard,
                              static_cast<SelectionKey>(input.ConsumeIntegralInRange(0, 3)));
                break;
            default:
                if (input.ConsumeBool())
                    leaveKeyboardMode(
                        dock, keyboard,
                        input.ConsumeBool() ? ModeEnd::returnForeground : ModeEnd::keepForeground);
                else
                    enterKeyboardMode(dock, keyboard, false);
        }
        if (keyboard.active) require(items.Contains(keyboard.selected));
    }
    return 0;
}
