#pragma once
// Choosing and starting items from the keyboard. The dock's own hotkey starts
// the mode; the keys move a selection that the magnification shows exactly as
// if the pointer rested on the selected item.
#include <cstdint>

#include "config/dock.h"

namespace dock {

// The id of the dock's own hotkey: item ids start at 1.
inline constexpr int kKeyboardHotkeyId = 0;
// Type-ahead joins the characters typed less than this apart.
inline constexpr std::uint32_t kTypeAheadMs = 1000;

enum class SelectionKey { left, right, home, end };

// Registers the dock's hotkey (键盘热键) when 键盘模式 is on and it is not
// held yet; with the mode off it ends the mode and releases the hotkey.
void applyKeyboardHotkey(Dock& dock);
void releaseKeyboardHotkey(Dock& dock);
// 键盘模式 is on but its hotkey is held by another program (or unusable).
bool keyboardModeUnavailable(const Dock& dock);

// The dock's hotkey: selects the item selected last in this run, else item 1,
// and remembers the window in front. False when nothing starts: busy,
// dragging, no items or no hotkey held.
bool enterKeyboardMode(Dock& dock);
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
void leaveKeyboardMode(Dock& dock, ModeEnd how);
void moveSelection(Dock& dock, SelectionKey key);
// One byte of a typed character (a two-byte character comes as two): the
// selection goes to the next item whose title starts with what was typed.
void typeAhead(Dock& dock, char byte);
// Enter: the mode ends and the selection is the item to launch; 0 when the
// mode does not accept keys.
int selectionToLaunch(Dock& dock);

// The pointer the selection stands for, in window coordinates: the centre of
// the top line of the item's resting cell.
PointI virtualPointer(const DockState& state, int index);
// The animation tick's hover while the mode holds: sets pointerX/pointerY to
// the virtual pointer and gives the selected item. A real pointer that has
// moved to somewhere in `area` (both screen coordinates) ends the mode and
// gives 0, as does a dock not in the mode.
int keyboardHover(Dock& dock, PointI pointer, const RectI& area);

}  // namespace dock
