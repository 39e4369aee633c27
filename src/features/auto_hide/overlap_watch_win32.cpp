#include "features/auto_hide/overlap_watch_win32.h"

#include <dwmapi.h>

#include "support/system_functions_win32.h"

namespace dock {
namespace {

// A win event callback carries no pointer of ours; the one watch of the
// process notes here that something moved.
bool windowsChanged = false;

void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                            DWORD) {
    if (window == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (::GetAncestor(window, GA_ROOT) != window) return;
    // The dock's own moves, the slide among them, are no reason to look.
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) windowsChanged = true;
}

UniqueWinEventHook hook(DWORD first, DWORD last) {
    return UniqueWinEventHook(
        ::SetWinEventHook(first, last, nullptr, &onWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
}

using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

struct Search {
    RECT strip;
    GetAttribute getAttribute;  // null before Windows Vista: nothing is cloaked
    bool found = false;
};

bool cloaked(const Search& search, HWND window) {
    DWORD value = 0;
    return search.getAttribute != nullptr &&
           SUCCEEDED(search.getAttribute(window, DWMWA_CLOAKED, &value, sizeof value)) &&
           value != 0;
}

BOOL CALLBACK judgeWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId() || !::IsWindowVisible(window) || ::IsIconic(window))
        return TRUE;
    if ((::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) return TRUE;
    RECT rect{}, common{};
    if (!::GetWindowRect(window, &rect) || !::IntersectRect(&common, &rect, &search.strip))
        return TRUE;
    if (cloaked(search, window)) return TRUE;
    search.found = true;
    return FALSE;
}

}  // namespace

void OverlapWatch::Watch(bool watch) {
    if (!watch) {
        moves_.reset();
        showHide_.reset();
        minimise_.reset();
        foreground_.reset();
        return;
    }
    if (moves_) return;
    // Not among the program's imports; looked up once the watch is wanted.
    if (!dwmapi_) dwmapi_ = loadSystemLibrary("dwmapi.dll");
    moves_ = hook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE);
    showHide_ = hook(EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE);
    minimise_ = hook(EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND);
    foreground_ = hook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND);
    windowsChanged = true;
}

bool OverlapWatch::TakeChanged() {
    const bool changed = windowsChanged;
    windowsChanged = false;
    return changed;
}

bool OverlapWatch::OtherWindowMeets(const RectI& rect) {
    Search search{{rect.left, rect.top, rect.right, rect.bottom},
                  moduleFunction<GetAttribute>(dwmapi_.get(), "DwmGetWindowAttribute")};
    ::EnumWindows(&judgeWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace dock
