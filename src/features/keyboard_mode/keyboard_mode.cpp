#include "features/keyboard_mode/keyboard_mode.h"

#include <algorithm>
#include <string_view>

#include "config/timer_periods.h"
#include "items/hotkeys.h"
#include "render/layout.h"

namespace dock {
namespace {

bool accepting(const Dock& dock, const KeyboardSelection& keyboard) {
    return keyboard.active && !dock.state.commands.busy;
}

bool isLeadByte(char byte, const LeadBytes& leadBytes) {
    const char pair[] = {byte, 'A'};
    return leadBytes.CharacterSize(std::string_view(pair, 2), 0) == 2;
}

// A lead byte at the end waits for its second byte.
bool endsInsideCharacter(std::string_view text, const LeadBytes& leadBytes) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (at + 1 == text.size()) return isLeadByte(text[at], leadBytes);
        at += leadBytes.CharacterSize(text, at);
    }
    return false;
}

std::string_view shownTitle(const DockItem& item) {
    return item.title.empty() ? std::string_view(item.targetPath) : std::string_view(item.title);
}

}  // namespace

void applyKeyboardHotkey(Dock& dock, KeyboardSelection& keyboard) {
    if (dock.settings.keyboardMode == 0) {
        releaseKeyboardHotkey(dock, keyboard);
        return;
    }
    if (keyboard.hotkeyHeld) return;
    const std::int32_t value = dock.settings.keyboardHotkey;
    if (value <= 0 || value > 0xFFFF || (value & 0xFF) == 0) return;
    const auto hotkey = static_cast<std::uint16_t>(value);
    keyboard.hotkeyHeld = dock.platform.hotkeys.RegisterHotkey(
        kKeyboardHotkeyId, hotkeyModifiers(hotkey), hotkey & 0xFFu);
}

void releaseKeyboardHotkey(Dock& dock, KeyboardSelection& keyboard) {
    leaveKeyboardMode(dock, keyboard, ModeEnd::keepForeground);
    if (!keyboard.hotkeyHeld) return;
    dock.platform.hotkeys.UnregisterHotkey(kKeyboardHotkeyId);
    keyboard.hotkeyHeld = false;
}

bool keyboardModeUnavailable(const Dock& dock, const KeyboardSelection& keyboard) {
    return dock.settings.keyboardMode != 0 && !keyboard.hotkeyHeld;
}

bool enterKeyboardMode(Dock& dock, KeyboardSelection& keyboard, bool itemHeld) {
    DockState& state = dock.state;
    if (state.commands.busy || !keyboard.hotkeyHeld || state.items.Count() == 0 || itemHeld)
        return false;
    // The hotkey again while the mode holds finds the dock in front.
    if (!keyboard.active) keyboard.previousForeground = dock.platform.foreground.ForegroundHandle();
    keyboard.active = true;
    if (!state.items.Contains(keyboard.selected)) keyboard.selected = 1;
    keyboard.pointerSeen = dock.platform.window.CursorPos();
    keyboard.typed.clear();
    dock.platform.window.ArmTimer(kFastPeriodMs);
    return true;
}

void leaveKeyboardMode(Dock& dock, KeyboardSelection& keyboard, ModeEnd how) {
    if (!keyboard.active) return;
    keyboard.active = false;
    keyboard.typed.clear();
    const std::uintptr_t previous = keyboard.previousForeground;
    keyboard.previousForeground = 0;
    if (how == ModeEnd::returnForeground && previous != 0)
        dock.platform.foreground.GiveForeground(previous);
}

void moveSelection(Dock& dock, KeyboardSelection& keyboard, SelectionKey key) {
    if (!accepting(dock, keyboard)) return;
    int& selected = keyboard.selected;
    const int count = dock.state.items.Count();
    switch (key) {
        case SelectionKey::left:
            selected = std::max(1, selected - 1);
            break;
        case SelectionKey::right:
            selected = std::min(count, selected + 1);
            break;
        case SelectionKey::home:
            selected = 1;
            break;
        case SelectionKey::end:
            selected = count;
            break;
    }
}

void typeAhead(Dock& dock, KeyboardSelection& keyboard, char byte) {
    if (!accepting(dock, keyboard)) return;
    const std::uint32_t now = dock.platform.shell.TickCount();
    if (now - keyboard.typedTick >= kTypeAheadMs) keyboard.typed.clear();
    keyboard.typed += byte;
    keyboard.typedTick = now;
    const LeadBytes& leadBytes = dock.leadBytes;
    if (endsInsideCharacter(keyboard.typed, leadBytes)) return;

    // A first character moves on from the selection, so that pressing it
    // again visits each item it starts; more characters refine the choice
    // and may keep the selected item.
    const std::string typed = LowerAscii(keyboard.typed, leadBytes);
    const bool firstCharacter = leadBytes.CharacterSize(typed, 0) == typed.size();
    const DockItemList& items = dock.state.items;
    const int count = items.Count();
    const int start = firstCharacter ? keyboard.selected : keyboard.selected - 1;
    for (int step = 1; step <= count; ++step) {
        const int i = (start + step - 1) % count + 1;
        const std::string title = LowerAscii(shownTitle(items[i].item), leadBytes);
        if (title.compare(0, typed.size(), typed) == 0) {
            keyboard.selected = i;
            return;
        }
    }
}

int selectionToLaunch(Dock& dock, KeyboardSelection& keyboard) {
    if (!accepting(dock, keyboard)) return 0;
    leaveKeyboardMode(dock, keyboard, ModeEnd::keepForeground);
    return keyboard.selected;
}

PointI virtualPointer(const DockState& state, int index) {
    const RectF& cell = state.items[index].baseRect;
    return {truncateToInt((double(cell.left) + double(cell.right)) / 2),
            truncateToInt(double(state.metrics.rowTop) + double(cell.top))};
}

int keyboardHover(Dock& dock, KeyboardSelection& keyboard, PointI pointer, const RectI& area) {
    DockState& state = dock.state;
    if (!keyboard.active) return 0;
    if (!(pointer == keyboard.pointerSeen)) {
        // A hover always takes over; moves elsewhere on the screen do not.
        keyboard.pointerSeen = pointer;
        if (area.Contains(pointer.x, pointer.y))
            leaveKeyboardMode(dock, keyboard, ModeEnd::returnForeground);
    }
    if (!state.items.Contains(keyboard.selected))
        leaveKeyboardMode(dock, keyboard, ModeEnd::returnForeground);
    if (!keyboard.active) return 0;
    const PointI at = virtualPointer(state, keyboard.selected);
    state.frame.pointerX = at.x;
    state.frame.pointerY = at.y;
    return keyboard.selected;
}

}  // namespace dock
