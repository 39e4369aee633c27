#pragma once
// The dock at the display's DPI (高分屏适配): its sizes follow the monitor
// the window is on, in the pixels the system draws it with.
#include <cstdint>
#include <string_view>

#include "config/dock.h"

namespace dock {

// MB_OK | MB_ICONINFORMATION.
inline constexpr std::uint32_t kDpiAwareNoteStyle = 0x40;

// Whether config.ini asks for it. Read before the dock window exists: the
// system fixes a process's DPI awareness with its first window.
bool dpiAwarenessWanted(ProfileStore& profile, std::string_view programDirectory);

// The window went to a monitor of another DPI, or the scale changed: the
// metrics follow `dpi`, the row is laid out again at rest, the window takes
// the system's suggested place and the surface is made at the new size.
// A drag under way is cancelled by the caller first.
void changeDpi(Dock& dock, std::int32_t dpi, PointI suggested);

// The setting was switched from the menu. The running process keeps the
// awareness it started with, so the change shows from the next start on;
// the user is told so.
void noteDpiAwarenessSwitch(Dock& dock);

}  // namespace dock
