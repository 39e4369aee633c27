#pragma once
// What the settings dialogs share: the record handed to DialogBoxParam is
// kept in the dialog's DWLP_USER, the close box and the cancel button end the
// dialog, and Enter (IDOK) and Escape (IDCANCEL) do nothing.
#include <windows.h>

namespace dock {

template <typename Record>
struct SettingsDialog {
    void (*fill)(HWND dialog, Record* record);  // on WM_INITDIALOG
    // Any command but the cancel button's.
    void (*command)(HWND dialog, Record* record, WORD id);
    WORD cancelId;
};

template <typename Record>
INT_PTR settingsDialogMessage(const SettingsDialog<Record>& handlers, HWND dialog, UINT message,
                              WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            handlers.fill(dialog, reinterpret_cast<Record*>(lParam));
            return FALSE;
        case WM_CLOSE:
            ::EndDialog(dialog, 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == handlers.cancelId) {
                ::EndDialog(dialog, 0);
            } else {
                handlers.command(dialog,
                                 reinterpret_cast<Record*>(::GetWindowLongPtrA(dialog, DWLP_USER)),
                                 LOWORD(wParam));
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace dock
