#pragma once
// The shell on the real API. It is made before the dialog exists, so it holds
// a reference to the session's window handle, the owner of the shell's errors.
#include <windows.h>

#include "support/handles_win32.h"
#include "ports/shell_port.h"

namespace dock {

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
