#include "features/keyboard_mode/keyboard_win32.h"

#include <utility>

namespace dock {

bool takeDialogKeys(Dock& dock, KeyboardSelection& keyboard, HWND window, LPARAM message) {
    const auto* msg = reinterpret_cast<const MSG*>(message);
    if (!keyboard.active || msg == nullptr) return false;
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        leaveKeyboardMode(dock, keyboard, ModeEnd::returnForeground);
        // No code: the dialog manager makes an IDCANCEL of the key, which
        // closes nothing, and no character.
        ::SetWindowLongPtrA(window, DWLP_MSGRESULT, 0);
        return true;
    }
    if (msg->message != WM_KEYDOWN && msg->message != WM_CHAR) return false;
    ::SetWindowLongPtrA(window, DWLP_MSGRESULT, DLGC_WANTMESSAGE);
    return true;
}

bool isEscapePress(WPARAM virtualKey, LPARAM message) {
    if (virtualKey != VK_ESCAPE) return false;
    const auto* msg = reinterpret_cast<const MSG*>(message);
    constexpr LPARAM kWasDown = LPARAM{1} << 30;
    return msg == nullptr || msg->message != WM_KEYDOWN || (msg->lParam & kWasDown) == 0;
}

bool onSelectionKey(Dock& dock, KeyboardSelection& keyboard, WPARAM virtualKey, int& launch) {
    if (!keyboard.active) return false;
    static constexpr std::pair<WPARAM, SelectionKey> kMoves[] = {
        {VK_LEFT, SelectionKey::left},
        {VK_RIGHT, SelectionKey::right},
        {VK_HOME, SelectionKey::home},
        {VK_END, SelectionKey::end},
    };
    if (virtualKey == VK_RETURN) launch = selectionToLaunch(dock, keyboard);
    for (const auto& [key, move] : kMoves)
        if (key == virtualKey) moveSelection(dock, keyboard, move);
    return true;
}

bool onTypedCharacter(Dock& dock, KeyboardSelection& keyboard, WPARAM character) {
    if (!keyboard.active) return false;
    // Enter and Escape have been dealt with as keys; their characters and
    // other control characters name no title.
    if (character >= 0x20 && character != 0x7F && character <= 0xFF)
        typeAhead(dock, keyboard, static_cast<char>(character));
    return true;
}

void onKeyboardHotkey(Dock& dock, KeyboardSelection& keyboard, HWND window, bool itemHeld) {
    // The hotkey's message lets the dock take the foreground.
    if (enterKeyboardMode(dock, keyboard, itemHeld)) ::SetForegroundWindow(window);
}

}  // namespace dock
