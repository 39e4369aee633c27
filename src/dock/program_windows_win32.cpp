// The programs behind the windows on the desktop, and switching to one.
#include <windows.h>

#include <map>
#include <vector>

#include "dock/window_port_win32.h"
#include "support/handles_win32.h"

namespace dock {
namespace {

BOOL CALLBACK collectProgramWindow(HWND window, LPARAM windows) {
    if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == nullptr)
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The process's full image path in the ANSI code page; empty when it cannot
// be read. The limited right is granted for processes of other users and
// elevated ones too. A character without an ANSI form becomes '?', which no
// item's path can hold.
std::string imagePathOf(DWORD processId, std::vector<wchar_t>& buffer) {
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
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

}  // namespace

std::vector<ProgramWindow> Win32Shell::ProgramWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(&collectProgramWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<wchar_t> buffer(32768);   // the longest path the system accepts
    std::map<DWORD, std::string> images;  // each process is asked once
    std::vector<ProgramWindow> found;
    for (HWND window : windows) {
        DWORD processId = 0;
        if (::GetWindowThreadProcessId(window, &processId) == 0) continue;
        auto image = images.find(processId);
        if (image == images.end())
            image = images.emplace(processId, imagePathOf(processId, buffer)).first;
        if (!image->second.empty())
            found.push_back({image->second, reinterpret_cast<std::uintptr_t>(window)});
    }
    return found;
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

}  // namespace dock
