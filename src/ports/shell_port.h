#pragma once
// The shell: launching programs, the top-level windows on the desktop and
// their programs, and the clock.
#include <cstdint>
#include <string>
#include <vector>

namespace dock {

// A top-level window as the taskbar judges it. The defaults are a plain
// window with a title bar.
struct TopLevelWindow {
    std::uintptr_t window = 0;    // its handle
    std::uint32_t processId = 0;  // GetWindowThreadProcessId
    bool visible = true;          // IsWindowVisible
    bool cloaked = false;         // DWMWA_CLOAKED: kept out of sight by the system
    bool owned = false;           // GW_OWNER
    bool caption = true;          // all of WS_CAPTION
    bool toolWindow = false;      // WS_EX_TOOLWINDOW
    bool appWindow = false;       // WS_EX_APPWINDOW
    bool noActivate = false;      // WS_EX_NOACTIVATE
    friend bool operator==(const TopLevelWindow&, const TopLevelWindow&) = default;
};

// Launching through the shell or switching to a program already running, and
// the clock that the cool-down and the delayed save of config.ini read.
class ShellPort {
  public:
    virtual ~ShellPort() = default;
    // ShellExecuteA(dockWindow, default verb, file, no parameters, directory
    // or none when empty, SW_SHOWNORMAL); false when the shell reports an error.
    virtual bool Launch(const std::string& file, const std::string& directory) = 0;
    // ShellExecuteA with the "open" verb and the parameter text, as Launch.
    virtual bool OpenWith(const std::string& program, const std::string& parameters,
                          const std::string& directory) = 0;
    virtual std::uint32_t TickCount() = 0;  // GetTickCount
    // Every top-level window, front first (EnumWindows' z-order).
    virtual std::vector<TopLevelWindow> TopLevelWindows() = 0;
    // The process's full image path in the ANSI code page; empty when it
    // cannot be read.
    virtual std::string ProcessImage(std::uint32_t processId) = 0;
    // Restores the window when minimised and brings its last active popup
    // (itself when it has none) to the foreground.
    virtual void BringToFront(std::uintptr_t window) = 0;
};

}  // namespace dock
