#pragma once
// The foreground window and the dock's z-order on the real API.
#include <windows.h>

#include "features/auto_hide/overlap_watch_win32.h"
#include "features/fullscreen_avoidance/fullscreen_avoidance.h"
#include "ports/foreground_port.h"
#include "support/handles_win32.h"

namespace dock {

static_assert(kForegroundChangedMessage == WM_APP + 1);

class Win32Foreground final : public ForegroundPort {
  public:
    // Made before the dialog exists: holds a reference to the window handle.
    explicit Win32Foreground(const HWND& window) : window_(window) {}
    Win32Foreground(const Win32Foreground&) = delete;
    Win32Foreground& operator=(const Win32Foreground&) = delete;
    ~Win32Foreground() override { WatchForeground(false); }

    ForegroundWindow Foreground() override;
    RectI DockMonitor() override;
    ShellUserState UserState() override;
    void SetDockTopmost(bool topmost) override;
    void WatchForeground(bool watch) override;
    std::uintptr_t ForegroundHandle() override;
    void GiveForeground(std::uintptr_t window) override;
    void WatchWindows(bool watch) override { overlaps_.Watch(watch); }
    bool TakeWindowsChanged() override { return overlaps_.TakeChanged(); }
    bool OtherWindowMeets(const RectI& rect) override { return overlaps_.OtherWindowMeets(rect); }

  private:
    const HWND& window_;
    UniqueWinEventHook hook_;
    OverlapWatch overlaps_;
};

}  // namespace dock
