#include "render/hotkey_badges.h"

#include "config/hotkey_modifiers.h"
#include "render/frame.h"

namespace dock {
namespace {

constexpr std::size_t kLongestSystemName = 12;
// The label's em as a share of the picture's height.
constexpr double kBadgeScale = 0.45;

bool isCleanName(const std::string& name) {
    if (name.empty() || name.size() > kLongestSystemName) return false;
    for (char c : name)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

}  // namespace

std::string keyLabel(std::uint32_t virtualKey, KeyNames& keyNames) {
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, static_cast<char>(virtualKey));
    constexpr std::uint32_t kF1 = 0x70, kF24 = 0x87;
    if (virtualKey >= kF1 && virtualKey <= kF24) {
        // Appended rather than "F" + text: GCC 12 warns falsely (-Wrestrict).
        std::string name = "F";
        name += IntToText(static_cast<std::int32_t>(virtualKey - kF1 + 1));
        return name;
    }
    const std::string name = keyNames.KeyName(virtualKey);
    if (isCleanName(name)) return name;
    constexpr char kHex[] = "0123456789ABCDEF";
    return {'#', kHex[(virtualKey >> 4) & 0xF], kHex[virtualKey & 0xF]};
}

std::string hotkeyCombination(std::uint16_t hotkey, KeyNames& keyNames) {
    const std::uint32_t key = hotkey & 0xFFu;
    if (key == 0) return {};
    const std::uint32_t modifiers = hotkeyModifiers(hotkey);
    std::string text;
    if (modifiers & kModControl) text += "Ctrl+";
    if (modifiers & kModShift) text += "Shift+";
    if (modifiers & kModAlt) text += "Alt+";
    return text + keyLabel(key, keyNames);
}

void drawHotkeyBadge(DrawingSurface& canvas, KeyNames& keyNames, const DockItem& item, float x,
                     float top, float width, float height) {
    const std::uint32_t key = item.hotkey & 0xFFu;
    if (key == 0) return;
    const std::string label = keyLabel(key, keyNames);
    const auto size = static_cast<std::int32_t>(double(height) * kBadgeScale);
    if (size <= 0) return;
    // Right-aligned on the picture's edge, taking each byte as half an em
    // wide, as the caption does; the em box ends on the picture's bottom.
    const double labelWidth = size / 2.0 * static_cast<double>(label.size());
    canvas.DrawOutlinedText(label, static_cast<float>(x + width - labelWidth),
                            static_cast<float>(top + height - size), size);
}

void redrawHotkeyBadges(const FrameContext& frame) {
    // An empty dock has no badge to show and draws its strip another way.
    if (frame.state.items.Count() > 0) renderFrame(frame, true);
}

}  // namespace dock
