#pragma once
// Choosing and starting items from the keyboard. The dock's own hotkey starts
// the mode; the keys move a selection that the magnification shows exactly as
// if the pointer rested on the selected item.
#include <cstdint>
#include <string>

#include "config/dock.h"

namespace dock {

// Choosing an item from the keyboard: the selection stands in for the pointer.
struct KeyboardSelection {
    bool active = false;
    bool hotkeyHeld = false;  // the dock's own hotkey is registered
    int selected = 0;         // kept after the mode ends, for the next time
    PointI pointerSeen;       // the real pointer, screen coordinates; a move takes over
    std::string typed;        // type-ahead bytes, and the tick of the latest one
    std::uint32_t typedTick = 0;
    // The window in front when the mode started, which Escape or the pointer
    // gives the keyboard back to; 0 for none.
    std::uintptr_t previousForeground = 0;
};

// The id of the dock's own hotkey: item ids start at 1.
inline constexpr int kKeyboardHotkeyId = 0;
// Type-ahead joins the characters typed less than this apart.
inline constexpr std::uint32_t kTypeAheadMs = 1000;

enum class SelectionKey { left, right, home, end };

// Registers the dock's hotkey (键盘热键) when 键盘模式 is on and it is not
// held yet; with the mode off it ends the mode and releases the hotkey.
void applyKeyboardHotkey(Dock& dock, KeyboardSelection& keyboard);
void releaseKeyboardHotkey(Dock& dock, KeyboardSelection& keyboard);
// 键盘模式 is on but its hotkey is held by another program (or unusable).
bool keyboardModeUnavailable(const Dock& dock, const KeyboardSelection& keyboard);

// The dock's hotkey: selects the item selected last in this run, else item 1,
// and remembers the window in front. False when nothing starts: busy, an
// item pressed or dragged (`itemHeld`), no items or no hotkey held.
bool enterKeyboardMode(Dock& dock, KeyboardSelection& keyboard, bool itemHeld);
// Who has the keyboard once the mode ends.
enum class ModeEnd {
    // Escape, or the pointer taking over: the window that was in front when
    // the mode started gets the foreground back.
    returnForeground,
    // A click (it activates the dock as any click does), a start by Enter
    // (the started program takes the foreground), another window activated,
    // the mode switched off: the foreground stays where it is.
    keepForeground,
};
// The magnification then fades as when the pointer leaves.
void leaveKeyboardMode(Dock& dock, KeyboardSelection& keyboard, ModeEnd how);
void moveSelection(Dock& dock, KeyboardSelection& keyboard, SelectionKey key);
// One byte of a typed character (a two-byte character comes as two): the
// selection goes to the next item whose title starts with what was typed.
void typeAhead(Dock& dock, KeyboardSelection& keyboard, char byte);
// Enter: the mode ends and the selection is the item to launch; 0 when the
// mode does not accept keys.
int selectionToLaunch(Dock& dock, KeyboardSelection& keyboard);

// The pointer the selection stands for, in window coordinates: the centre of
// the top line of the item's resting cell.
PointI virtualPointer(const DockState& state, int index);
// The animation tick's hover while the mode holds: sets pointerX/pointerY to
// the virtual pointer and gives the selected item. A real pointer that has
// moved to somewhere in `area` (both screen coordinates) ends the mode and
// gives 0, as does a dock not in the mode.
int keyboardHover(Dock& dock, KeyboardSelection& keyboard, PointI pointer, const RectI& area);

}  // namespace dock
