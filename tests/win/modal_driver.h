#pragma once
// A driver thread that works the modal windows (dialogs, message boxes, the
// menu) of the test thread with real messages while the test thread sits in
// their loops.
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "wait_until.h"

namespace dock::wine {

inline std::wstring wideText(HWND window) {
    wchar_t buffer[512] = {};
    const int length = ::GetWindowTextW(window, buffer, 512);
    return std::wstring(buffer, length > 0 ? length : 0);
}

inline std::wstring className(HWND window) {
    wchar_t buffer[64] = {};
    ::GetClassNameW(window, buffer, 64);
    return buffer;
}

// The first visible top-level window of `thread` whose class is `wantedClass`
// and whose caption starts with `captionPrefix`; null after the timeout.
inline HWND waitForWindow(DWORD thread, const std::wstring& wantedClass,
                          const std::wstring& captionPrefix, DWORD timeoutMs = kPatienceMs) {
    struct Search {
        const std::wstring* cls;
        const std::wstring* caption;
        HWND found;
    } search{&wantedClass, &captionPrefix, nullptr};
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        ::EnumThreadWindows(
            thread,
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                if (::IsWindowVisible(window) && className(window) == *s->cls &&
                    wideText(window).rfind(*s->caption, 0) == 0) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        ::Sleep(20);
    }
    return nullptr;
}

inline bool waitUntilGone(HWND window, DWORD timeoutMs = kPatienceMs) {
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::Sleep(20);
    }
    return true;
}

// A failed step must not leave the test thread in a modal loop for ever:
// answers any message box left on `thread` and closes `dialog` until it is gone.
inline void closeWhateverIsLeft(DWORD thread, HWND dialog) {
    for (int round = 0; round < 50 && ::IsWindow(dialog) && ::IsWindowVisible(dialog); ++round) {
        ::EnumThreadWindows(
            thread,
            [](HWND window, LPARAM keep) -> BOOL {
                if (window != reinterpret_cast<HWND>(keep) && ::IsWindowVisible(window) &&
                    className(window) == L"#32770")
                    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(dialog));
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        ::Sleep(100);
    }
}

// Waits for the box and its layout a moment longer so that a screenshot taken
// meanwhile shows it drawn (DIALOGS_PAUSE_MS, for looking at the dialogs).
inline void pauseForScreenshot() {
    char value[16] = {};
    if (::GetEnvironmentVariableA("DIALOGS_PAUSE_MS", value, sizeof value) > 0)
        ::Sleep(static_cast<DWORD>(atoi(value)));
}

// Runs `drive` on its own thread; joined when the driver goes out of scope.
class Driver {
  public:
    explicit Driver(std::function<void()> drive) : thread_(std::move(drive)) {}
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;
    ~Driver() { thread_.join(); }

  private:
    std::thread thread_;
};

// The static text of a message box (control 0xFFFF) and its caption.
struct MessageBoxSeen {
    std::wstring caption, text;
    LONG_PTR style = 0;
};

// Waits for a message box of `thread` with the given caption, records it and
// presses `button`.
inline MessageBoxSeen answerMessageBox(DWORD thread, const std::wstring& caption, int button) {
    MessageBoxSeen seen;
    HWND box = waitForWindow(thread, L"#32770", caption);
    if (box == nullptr) return seen;
    pauseForScreenshot();
    seen.caption = wideText(box);
    seen.text = wideText(::GetDlgItem(box, 0xFFFF));
    seen.style = ::GetWindowLongPtrW(box, GWL_STYLE);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
    waitUntilGone(box);
    return seen;
}

}  // namespace dock::wine
