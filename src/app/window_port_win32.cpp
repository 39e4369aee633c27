#include "app/window_port_win32.h"

#include <shellapi.h>

#include "features/dpi/dpi_awareness_win32.h"
#include "support/geometry_win32.h"

namespace dock {

RectI Win32DockWindow::WindowRect() {
    RECT rect;
    if (::GetWindowRect(window_, &rect)) lastRect_ = rect;
    return fromRect(lastRect_);
}

void Win32DockWindow::PlaceWindow(bool topmost, std::int32_t x, std::int32_t y, std::int32_t width,
                                  std::int32_t height) {
    ::SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, width, height,
                   SWP_SHOWWINDOW);
}

void Win32DockWindow::MoveTo(std::int32_t x, std::int32_t y) {
    ::SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32DockWindow::AcceptDrops() {
    ::DragAcceptFiles(window_, TRUE);
}

PointI Win32DockWindow::CursorPos() {
    POINT point;
    if (::GetCursorPos(&point)) lastCursor_ = point;
    return fromPoint(lastCursor_);
}

bool Win32DockWindow::PrimaryButtonDown() {
    const int button = ::GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(button) & 0x8000) != 0;
}

void Win32DockWindow::ArmTimer(std::uint32_t periodMs) {
    ::SetTimer(window_, timerId(), periodMs, tick_);
}

void Win32DockWindow::StopTimer() {
    ::KillTimer(window_, timerId());
}

void Win32DockWindow::CapturePointer() {
    ::SetCapture(window_);
}

void Win32DockWindow::ReleasePointer() {
    if (::GetCapture() == window_) ::ReleaseCapture();
}

bool Win32DockWindow::TouchesAnyMonitor(const RectI& rect) {
    const RECT r = toRect(rect);
    return ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

std::vector<RectI> Win32DockWindow::WorkAreas() {
    std::vector<RectI> areas;
    auto collect = [](HMONITOR monitor, HDC, LPRECT, LPARAM context) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoA(monitor, &info))
            reinterpret_cast<std::vector<RectI>*>(context)->push_back(fromRect(info.rcWork));
        return TRUE;
    };
    ::EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

std::int32_t Win32DockWindow::Dpi() {
    return windowDpi(window_);
}

std::vector<MonitorScale> Win32DockWindow::MonitorScales() {
    std::vector<MonitorScale> scales;
    // Without a device context the rectangle given is the monitor's own.
    auto collect = [](HMONITOR monitor, HDC, LPRECT area, LPARAM context) -> BOOL {
        reinterpret_cast<std::vector<MonitorScale>*>(context)->push_back(
            {fromRect(*area), monitorScaleDpi(monitor)});
        return TRUE;
    };
    ::EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&scales));
    return scales;
}

}  // namespace dock
