#include "app/foreground_win32.h"

#include <shellapi.h>

#include <cstring>

#include "support/geometry_win32.h"
#include "support/system_functions_win32.h"

namespace dock {
namespace {

// A win event callback carries no pointer of ours: the window that the one
// hook of this process reports to is noted here while the hook is set.
HWND watchingWindow = nullptr;

void CALLBACK onForegroundEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (watchingWindow != nullptr) ::PostMessageA(watchingWindow, kForegroundChangedMessage, 0, 0);
}

bool hasClass(HWND window, const char* name) {
    char found[32] = {};
    return ::GetClassNameA(window, found, sizeof found) != 0 && std::strcmp(found, name) == 0;
}

}  // namespace

ForegroundWindow Win32Foreground::Foreground() {
    using Kind = ForegroundWindow::Kind;
    HWND foreground = ::GetForegroundWindow();
    if (foreground == nullptr) return {};
    if (foreground == window_) return {Kind::dock, {}};
    // The desktop's own window, or the shell's, or the worker that hosts the
    // icons behind a changing wallpaper.
    if (foreground == ::GetDesktopWindow() || foreground == ::GetShellWindow() ||
        hasClass(foreground, "Progman") || hasClass(foreground, "WorkerW"))
        return {Kind::desktop, {}};
    if (hasClass(foreground, "Shell_TrayWnd") || hasClass(foreground, "Shell_SecondaryTrayWnd"))
        return {Kind::taskbar, {}};
    RECT rect{};
    if (!::GetWindowRect(foreground, &rect)) return {};
    const auto style = static_cast<DWORD>(::GetWindowLongA(foreground, GWL_STYLE));
    return {Kind::program, fromRect(rect), (style & WS_CAPTION) == WS_CAPTION,
            (style & WS_THICKFRAME) != 0};
}

ShellUserState Win32Foreground::UserState() {
    // Windows Vista and later; the program starts on systems without it.
    using Query = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);
    const auto query = systemFunction<Query>("shell32.dll", "SHQueryUserNotificationState");
    QUERY_USER_NOTIFICATION_STATE state{};
    if (query == nullptr || FAILED(query(&state))) return ShellUserState::other;
    switch (state) {
        case QUNS_BUSY:
            return ShellUserState::busy;
        case QUNS_RUNNING_D3D_FULL_SCREEN:
            return ShellUserState::d3dFullScreen;
        case QUNS_PRESENTATION_MODE:
            return ShellUserState::presentation;
        default:
            return ShellUserState::other;
    }
}

RectI Win32Foreground::DockMonitor() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &info);
    return fromRect(info.rcMonitor);
}

void Win32Foreground::SetDockTopmost(bool topmost) {
    constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (topmost) {
        ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, keep);
        return;
    }
    // Out of the topmost band the dock would still stand above every other
    // window; below the foreground one, the full-screen program covers it.
    ::SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    HWND foreground = ::GetForegroundWindow();
    if (foreground != nullptr && foreground != window_ &&
        (::GetWindowLongA(foreground, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
        ::SetWindowPos(window_, foreground, 0, 0, 0, 0, keep);
}

void Win32Foreground::WatchForeground(bool watch) {
    if (!watch) {
        if (hook_) watchingWindow = nullptr;
        hook_.reset();
        return;
    }
    if (hook_) return;
    hook_.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                  &onForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    if (hook_) watchingWindow = window_;
}

std::uintptr_t Win32Foreground::ForegroundHandle() {
    HWND foreground = ::GetForegroundWindow();
    return foreground == window_ ? 0 : reinterpret_cast<std::uintptr_t>(foreground);
}

void Win32Foreground::GiveForeground(std::uintptr_t window) {
    HWND target = reinterpret_cast<HWND>(window);
    if (target != nullptr && ::IsWindow(target) && ::GetForegroundWindow() == window_)
        ::SetForegroundWindow(target);
}

}  // namespace dock
