#pragma once
// The dock window as the core sees it: placement, pointer, drops and the
// animation timer (id = the window handle's value, callback onAnimationTick).
#include <cstdint>
#include <vector>

#include "support/geometry.h"

namespace dock {

// A monitor in the pixels of the dock's window, and the DPI a program that the
// system scales is scaled for there: 96 on every monitor when the dock itself
// is such a program.
struct MonitorScale {
    RectI monitor;
    std::int32_t dpi = 96;
    friend bool operator==(const MonitorScale&, const MonitorScale&) = default;
};

class DockWindowPort {
  public:
    virtual ~DockWindowPort() = default;
    virtual RectI WindowRect() = 0;  // GetWindowRect
    // SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST and SWP_SHOWWINDOW.
    virtual void PlaceWindow(bool topmost, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height) = 0;
    // SetWindowPos to (x, y) keeping the size and the z-order, without activating.
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void AcceptDrops() = 0;  // DragAcceptFiles(TRUE)
    virtual PointI CursorPos() = 0;  // GetCursorPos, screen coordinates
    // GetAsyncKeyState of the primary button (the right one when swapped):
    // held while another program drags files across the dock.
    virtual bool PrimaryButtonDown() = 0;
    virtual void ArmTimer(std::uint32_t periodMs) = 0;  // SetTimer: arms or re-arms
    virtual void StopTimer() = 0;                       // KillTimer
    // SetCapture: the pointer's messages come to the dock wherever it goes.
    virtual void CapturePointer() = 0;
    // ReleaseCapture, when the dock holds the capture.
    virtual void ReleasePointer() = 0;
    // MonitorFromRect(MONITOR_DEFAULTTONULL) finds a monitor for the rectangle.
    virtual bool TouchesAnyMonitor(const RectI& rect) = 0;
    // Every monitor's work area (EnumDisplayMonitors, GetMonitorInfoA), in the
    // order the system lists the monitors.
    virtual std::vector<RectI> WorkAreas() = 0;
    // The DPI the window is drawn at: its monitor's for a DPI-aware process,
    // 96 for one the system scales.
    virtual std::int32_t Dpi() = 0;
    // Every monitor with its scale, in the order the system lists them.
    virtual std::vector<MonitorScale> MonitorScales() = 0;
};

}  // namespace dock
