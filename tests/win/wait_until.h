#pragma once
// Waiting for a condition rather than for the clock: a loaded machine makes a
// test slower, never wrong.
#include <windows.h>

namespace dock::wine {

// Reached only when the condition never comes.
constexpr DWORD kPatienceMs = 30000;

// Dispatches this thread's messages (and so its timer callbacks) until `done`
// holds; false if it still does not after `patienceMs`.
template <typename Done>
bool pumpUntil(Done done, DWORD patienceMs = kPatienceMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done()) return true;
        if (::GetTickCount() - start >= patienceMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Whether the dialog holding `edit` is still open once everything posted to
// `edit` before this call has been handled (a caret move posted after it has
// arrived). Called from another thread than the dialog's.
inline bool openAfterPostedMessages(HWND edit) {
    HWND dialog = ::GetParent(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::PostMessageW(edit, EM_SETSEL, 1, 1);
    auto open = [&] { return ::IsWindow(dialog) && ::IsWindowVisible(dialog); };
    pumpUntil(
        [&] { return !open() || ::SendMessageW(edit, EM_GETSEL, 0, 0) == MAKELRESULT(1, 1); });
    return open();
}

}  // namespace dock::wine
