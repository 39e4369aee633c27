#pragma once
// The foreground window and the dock's place in the z-order, for keeping out
// of the way of full-screen programs and for giving the keyboard back.
#include <cstdint>

#include "support/geometry.h"

namespace dock {

struct ForegroundWindow {
    // The desktop, the taskbar and the dock itself never count as a
    // full-screen program, whatever their size.
    enum class Kind { none, desktop, taskbar, dock, program };
    Kind kind = Kind::none;
    RectI rect;  // GetWindowRect
    // Its style: a title bar (all of WS_CAPTION) and a sizing border
    // (WS_THICKFRAME). A maximized window keeps both.
    bool caption = false;
    bool thickFrame = false;
};

// What the shell says of the user's state (SHQueryUserNotificationState):
// QUNS_BUSY, QUNS_RUNNING_D3D_FULL_SCREEN, QUNS_PRESENTATION_MODE, or any
// other answer, including none where the call is missing.
enum class ShellUserState { other, busy, d3dFullScreen, presentation };

class ForegroundPort {
  public:
    virtual ~ForegroundPort() = default;
    // GetForegroundWindow, told apart by what it is.
    virtual ForegroundWindow Foreground() = 0;
    // The whole rectangle of the monitor the dock is on (MonitorFromWindow,
    // nearest; rcMonitor).
    virtual RectI DockMonitor() = 0;
    virtual ShellUserState UserState() = 0;
    // SetWindowPos without moving, sizing or activating: HWND_TOPMOST, or
    // HWND_NOTOPMOST and just below the foreground window.
    virtual void SetDockTopmost(bool topmost) = 0;
    // SetWinEventHook(EVENT_SYSTEM_FOREGROUND, out of context) or its
    // removal; each change reaches the dock as checkFullscreen.
    virtual void WatchForeground(bool watch) = 0;
    // GetForegroundWindow's handle; 0 when there is none or it is the dock.
    virtual std::uintptr_t ForegroundHandle() = 0;
    // SetForegroundWindow on `window` when it still exists, only while the
    // dock has the foreground: it gives back, never takes from another program.
    virtual void GiveForeground(std::uintptr_t window) = 0;
    // SetWinEventHook for top-level windows of other processes moving,
    // showing, hiding, minimising or coming to the front, or its removal.
    virtual void WatchWindows(bool watch) = 0;
    // Whether such an event came since the last call.
    virtual bool TakeWindowsChanged() = 0;
    // A visible, not minimised, not cloaked top-level window of another
    // process, not a tool window, meets `rect` (screen coordinates).
    virtual bool OtherWindowMeets(const RectI& rect) = 0;
};

}  // namespace dock
