#pragma once
// The dock window on the real API. It is made before the dialog exists, so it
// holds a reference to the session's window handle.
#include <windows.h>

#include "ports/window_port.h"

namespace dock {

class Win32DockWindow final : public DockWindowPort {
  public:
    Win32DockWindow(const HWND& window, TIMERPROC tick) : window_(window), tick_(tick) {}

    RectI WindowRect() override;
    void PlaceWindow(bool topmost, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void AcceptDrops() override;
    PointI CursorPos() override;
    bool PrimaryButtonDown() override;
    // The timer id is the window handle's value, so arming again replaces the
    // period instead of adding a second timer.
    void ArmTimer(std::uint32_t periodMs) override;
    void StopTimer() override;
    void CapturePointer() override;
    void ReleasePointer() override;
    bool TouchesAnyMonitor(const RectI& rect) override;
    std::vector<RectI> WorkAreas() override;
    std::int32_t Dpi() override;
    std::vector<MonitorScale> MonitorScales() override;

  private:
    UINT_PTR timerId() const { return reinterpret_cast<UINT_PTR>(window_); }

    const HWND& window_;
    TIMERPROC tick_;
    // A failed query keeps the previous answer, as the tick expects.
    RECT lastRect_{};
    POINT lastCursor_{};
};

}  // namespace dock
