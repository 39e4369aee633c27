#include "features/dpi/dpi_awareness_win32.h"

#include "support/handles_win32.h"
#include "support/system_functions_win32.h"

namespace dock {
namespace {

constexpr std::int32_t kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

// Whether this process asked for awareness. Wine treats a program that never
// asks as aware too; the setting being off must still mean the classic sizes.
bool declared = false;

// shcore.dll (Windows 8.1 and later) is not among the program's imports;
// loaded once, for the life of the process.
HMODULE shellCore() {
    static const UniqueModule module = loadSystemLibrary("shcore.dll");
    return module.get();
}

template <typename Function>
Function shellCoreFunction(const char* name) {
    return moduleFunction<Function>(shellCore(), name);
}

}  // namespace

void declareDpiAwareness() {
    declared = true;
    using SetContext = BOOL(WINAPI*)(HANDLE);
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, Windows 10 1703 and later.
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    if (auto set = systemFunction<SetContext>("user32.dll", "SetProcessDpiAwarenessContext"))
        if (set(perMonitorV2)) return;
    using SetAwareness = HRESULT(WINAPI*)(int);
    constexpr int kPerMonitorAware = 2;  // PROCESS_PER_MONITOR_DPI_AWARE
    if (auto set = shellCoreFunction<SetAwareness>("SetProcessDpiAwareness"))
        if (SUCCEEDED(set(kPerMonitorAware))) return;
    ::SetProcessDPIAware();
}

bool dpiAwarenessDeclared() {
    return declared && ::IsProcessDPIAware();
}

namespace {

std::int32_t perMonitorDpi(HMONITOR monitor) {
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    if (auto dpiOf = shellCoreFunction<DpiForMonitor>("GetDpiForMonitor")) {
        UINT x = 0, y = 0;  // MDT_EFFECTIVE_DPI = 0
        if (SUCCEEDED(dpiOf(monitor, 0, &x, &y)) && y != 0) return static_cast<std::int32_t>(y);
    }
    return 0;
}

// The one DPI of every monitor where the system has no other.
std::int32_t systemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

std::int32_t windowDpi(HWND window) {
    if (!dpiAwarenessDeclared()) return kDefaultDpi;
    using DpiForWindow = UINT(WINAPI*)(HWND);
    if (auto dpiOf = systemFunction<DpiForWindow>("user32.dll", "GetDpiForWindow")) {
        const UINT dpi = dpiOf(window);
        if (dpi != 0) return static_cast<std::int32_t>(dpi);
    }
    const std::int32_t dpi = perMonitorDpi(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    // A system-aware process: the one DPI of every monitor.
    return dpi != 0 ? dpi : systemDpi();
}

std::int32_t monitorScaleDpi(HMONITOR monitor) {
    if (!dpiAwarenessDeclared()) return kDefaultDpi;
    const std::int32_t dpi = perMonitorDpi(monitor);
    return dpi != 0 ? dpi : systemDpi();
}

}  // namespace dock
