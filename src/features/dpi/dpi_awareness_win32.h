#pragma once
// Per-monitor DPI awareness where the system has it. Every call that newer
// systems added is looked up at run time, so the program still starts on
// Windows 7.
#include <windows.h>

#include <cstdint>

namespace dock {

// Declares the process per-monitor aware (v2, else v1), else system aware.
// Only before the first window: the system ignores it afterwards.
void declareDpiAwareness();

// declareDpiAwareness ran and the system took it.
bool dpiAwarenessDeclared();

// The DPI `window` is drawn at: its monitor's when the process declared
// itself aware, else 96 (the system scales the window as a bitmap).
std::int32_t windowDpi(HWND window);

// The DPI the system scales a program that is not DPI-aware for on `monitor`:
// the monitor's own where the system scales per monitor, else the system's.
// 96 when the process did not declare itself aware: the system scales it, and
// what it sees is already in those units.
std::int32_t monitorScaleDpi(HMONITOR monitor);

}  // namespace dock
