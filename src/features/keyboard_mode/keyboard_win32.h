#pragma once
// The keyboard mode's messages on the dock dialog. A dialog's keys go to the
// dialog manager first; while the mode holds they come to the dock instead.
#include <windows.h>

#include "features/keyboard_mode/keyboard_mode.h"

namespace dock {

// WM_GETDLGCODE: while the mode holds, asks for the key and character
// messages, except Escape, which ends the mode right there and asks for
// nothing, so that the dialog manager turns the key into an IDCANCEL that
// closes nothing and makes no character of it. False when the mode does not
// hold and the classic handling applies.
bool takeDialogKeys(Dock& dock, KeyboardSelection& keyboard, HWND window, LPARAM message);
// WM_GETDLGCODE for Escape, which closes the dock; the repeats of a key held
// down are no new press: the press they repeat may have been the mode's.
bool isEscapePress(WPARAM virtualKey, LPARAM message);
// WM_KEYDOWN and WM_CHAR; false when the mode does not hold. Enter names in
// `launch` the item for the program to start.
bool onSelectionKey(Dock& dock, KeyboardSelection& keyboard, WPARAM virtualKey, int& launch);
bool onTypedCharacter(Dock& dock, KeyboardSelection& keyboard, WPARAM character);
// WM_HOTKEY under the dock's own id: the dock comes to the foreground.
void onKeyboardHotkey(Dock& dock, KeyboardSelection& keyboard, HWND window, bool itemHeld);

}  // namespace dock
