#pragma once
// The dock window and the shell on the real API. Both are made before the
// dialog exists, so they hold a reference to the session's window handle.
#include <windows.h>

#include "support/handles_win32.h"
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

class Win32Shell final : public ShellPort {
  public:
    explicit Win32Shell(const HWND& window) : window_(window) {}

    bool Launch(const std::string& file, const std::string& directory) override;
    bool OpenWith(const std::string& program, const std::string& parameters,
                  const std::string& directory) override;
    std::uint32_t TickCount() override { return ::GetTickCount(); }
    std::vector<TopLevelWindow> TopLevelWindows() override;
    std::string ProcessImage(std::uint32_t processId) override;
    void BringToFront(std::uintptr_t window) override;

  private:
    bool Cloaked(HWND window);

    const HWND& window_;
    UniqueModule dwmapi_;  // loaded at the first look
    bool dwmapiLooked_ = false;
};

}  // namespace dock
