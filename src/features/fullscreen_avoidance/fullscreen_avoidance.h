#pragma once
// 全屏避让: while a full-screen program is in front on the monitor the dock
// is on (a window without title bar and sizing border covering it, or what
// the shell reports as full screen or presenting), the dock gives up
// always-on-top so that the program covers it; when that ends, 总在最前 holds
// again. The saved setting never changes.
#include <cstdint>

#include "config/on_top.h"

namespace dock {

// The watch; whether the dock gives way is DockPlace::yieldsToFullscreen,
// which every placement of the window reads.
// Posted to the dock window when the foreground changes (WM_APP + 1); the
// dock answers with checkFullscreen.
inline constexpr std::uint32_t kForegroundChangedMessage = 0x8000 + 1;

struct FullscreenAvoidance {
    bool watching = false;  // the foreground hook is set
    std::uint32_t lastCheckTick = 0;
};

// Watches the foreground or stops, as 全屏避让 now says, and applies the
// result at once. At start-up and after the setting changes.
void followFullscreenSetting(Dock& dock, FullscreenAvoidance& fullscreen);
// The foreground may have changed: gives way or takes 总在最前 back.
void checkFullscreen(Dock& dock);
// Once a second at most, for what the event does not report: a window that
// grows to full screen, or a monitor that changes.
void checkFullscreenOnTick(Dock& dock, FullscreenAvoidance& fullscreen);
// Shutdown: stops watching.
void stopFullscreenAvoidance(Dock& dock, FullscreenAvoidance& fullscreen);

}  // namespace dock
