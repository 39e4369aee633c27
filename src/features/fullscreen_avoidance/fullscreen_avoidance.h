#pragma once
// 全屏避让: while a full-screen program is in front on the monitor the dock
// is on (a window without title bar and sizing border covering it, or what
// the shell reports as full screen or presenting), the dock gives up
// always-on-top so that the program covers it; when that ends, 总在最前 holds
// again. The saved setting never changes.
#include "config/on_top.h"

namespace dock {

// Watches the foreground or stops, as 全屏避让 now says, and applies the
// result at once. At start-up and after the setting changes.
void followFullscreenSetting(Dock& dock);
// The foreground may have changed: gives way or takes 总在最前 back.
void checkFullscreen(Dock& dock);
// Once a second at most, for what the event does not report: a window that
// grows to full screen, or a monitor that changes.
void checkFullscreenOnTick(Dock& dock);
// Shutdown: stops watching.
void stopFullscreenAvoidance(Dock& dock);

}  // namespace dock
