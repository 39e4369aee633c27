// Launching through the shell, the windows on the desktop and their
// programs, and switching to one.
#include "app/shell_win32.h"

#include <dwmapi.h>
#include <shellapi.h>

#include <vector>

#include "support/handles_win32.h"
#include "support/system_functions_win32.h"

namespace dock {
namespace {

BOOL CALLBACK collectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Values up to 32 are the shell's errors.
bool shellStarted(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool Win32Shell::Cloaked(HWND window) {
    // dwmapi.dll is not among the program's imports, and DWMWA_CLOAKED is
    // answered from Windows 8 on; elsewhere nothing is cloaked.
    if (!dwmapiLooked_) {
        dwmapi_ = loadSystemLibrary("dwmapi.dll");
        dwmapiLooked_ = true;
    }
    using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    const auto get = moduleFunction<GetAttribute>(dwmapi_.get(), "DwmGetWindowAttribute");
    DWORD cloaked = 0;
    return get != nullptr && SUCCEEDED(get(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

std::vector<TopLevelWindow> Win32Shell::TopLevelWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(&collectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<TopLevelWindow> found;
    found.reserve(windows.size());
    for (HWND window : windows) {
        DWORD processId = 0;
        if (::GetWindowThreadProcessId(window, &processId) == 0) continue;
        const auto style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE));
        found.push_back({reinterpret_cast<std::uintptr_t>(window), processId,
                         ::IsWindowVisible(window) != FALSE, Cloaked(window),
                         ::GetWindow(window, GW_OWNER) != nullptr,
                         (style & WS_CAPTION) == WS_CAPTION, (exStyle & WS_EX_TOOLWINDOW) != 0,
                         (exStyle & WS_EX_APPWINDOW) != 0, (exStyle & WS_EX_NOACTIVATE) != 0});
    }
    return found;
}

// The limited right is granted for processes of other users and elevated
// ones too. A character without an ANSI form becomes '?', which no item's
// path can hold.
std::string Win32Shell::ProcessImage(std::uint32_t processId) {
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    std::vector<wchar_t> buffer(32768);  // the longest path the system accepts
    DWORD length = static_cast<DWORD>(buffer.size());
    if (!::QueryFullProcessImageNameW(process.get(), 0, buffer.data(), &length) || length == 0)
        return {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, buffer.data(), static_cast<int>(length),
                                           nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string path(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, buffer.data(), static_cast<int>(length), path.data(), size,
                          nullptr, nullptr);
    return path;
}

void Win32Shell::BringToFront(std::uintptr_t handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    // Asynchronous: a program that hangs must not hang the dock with it.
    if (::IsIconic(window)) ::ShowWindowAsync(window, SW_RESTORE);
    // A dialog the program has open is what it wants in front, as when
    // switching tasks.
    HWND popup = ::GetLastActivePopup(window);
    if (popup == nullptr || !::IsWindowVisible(popup)) popup = window;
    // Called while handling the double-click or the hotkey, the input the
    // system gave the dock, so the system lets the dock hand the foreground on.
    ::SetForegroundWindow(popup);
}

bool Win32Shell::Launch(const std::string& file, const std::string& directory) {
    // Shell extensions that carry out a launch may be COM objects.
    ComScope com;
    // A null operation is the default verb; Wine rejects an empty text for
    // shortcuts. A null directory lets the shell choose.
    return shellStarted(::ShellExecuteA(window_, nullptr, file.c_str(), "",
                                        directory.empty() ? nullptr : directory.c_str(),
                                        SW_SHOWNORMAL));
}

bool Win32Shell::OpenWith(const std::string& program, const std::string& parameters,
                          const std::string& directory) {
    ComScope com;
    return shellStarted(::ShellExecuteA(window_, "open", program.c_str(), parameters.c_str(),
                                        directory.empty() ? nullptr : directory.c_str(),
                                        SW_SHOWNORMAL));
}

}  // namespace dock
