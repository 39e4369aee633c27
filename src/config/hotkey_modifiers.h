#pragma once
// The modifiers of an item's stored hotkey (the hotkey control's value: low
// byte the virtual key, high byte the HOTKEYF_* bits) as RegisterHotKey wants
// them.
#include <cstdint>

namespace dock {

// RegisterHotKey's modifier bits.
inline constexpr std::uint32_t kModAlt = 1, kModControl = 2, kModShift = 4;

// HOTKEYF_* bits (high byte of the value) to MOD_* bits; 0 for none, for all
// three modifiers and for anything with the extended bit.
inline std::uint32_t hotkeyModifiers(std::uint16_t hotkey) {
    // Read as signed like the stored value, so a high byte of 0x80 and above
    // is negative and registers no modifier.
    const int modifiers = static_cast<std::int16_t>(hotkey) >> 8;
    switch (modifiers) {
        case 1:
            return kModShift;
        case 2:
            return kModControl;
        case 4:
            return kModAlt;
        case 6:
            return kModControl | kModAlt;
        case 3:
            return kModControl | kModShift;
        case 5:
            return kModShift | kModAlt;
        default:
            return 0;
    }
}

}  // namespace dock
