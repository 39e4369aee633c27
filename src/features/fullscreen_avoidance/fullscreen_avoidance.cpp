#include "features/fullscreen_avoidance/fullscreen_avoidance.h"

namespace dock {
namespace {

constexpr std::uint32_t kCheckPeriodMs = 1000;

bool covers(const RectI& window, const RectI& monitor) {
    return window.left <= monitor.left && window.top <= monitor.top &&
           window.right >= monitor.right && window.bottom >= monitor.bottom;
}

bool centreOn(const RectI& window, const RectI& monitor) {
    return monitor.Contains(window.left + window.Width() / 2, window.top + window.Height() / 2);
}

bool fullscreenInFront(ForegroundPort& port) {
    const ForegroundWindow foreground = port.Foreground();
    if (foreground.kind != ForegroundWindow::Kind::program) return false;
    const RectI monitor = port.DockMonitor();
    // A maximized window reaches past its monitor by its frame on every side
    // and covers it where no taskbar takes a part: only a window without a
    // title bar and a sizing border is made to fill it.
    if (!foreground.caption && !foreground.thickFrame && covers(foreground.rect, monitor))
        return true;
    // The shell knows of more: exclusive Direct3D and presentation settings.
    // Its state is the whole session's; a full-screen program counts on the
    // monitor it is on, presenting everywhere.
    switch (port.UserState()) {
        case ShellUserState::presentation:
            return true;
        case ShellUserState::busy:
        case ShellUserState::d3dFullScreen:
            return centreOn(foreground.rect, monitor);
        case ShellUserState::other:
            break;
    }
    return false;
}

}  // namespace

void followFullscreenSetting(Dock& dock, FullscreenAvoidance& fullscreen) {
    const bool watch = dock.settings.fullscreenAvoid != 0;
    if (watch != fullscreen.watching) {
        dock.platform.foreground.WatchForeground(watch);
        fullscreen.watching = watch;
    }
    fullscreen.lastCheckTick = dock.platform.shell.TickCount();
    checkFullscreen(dock);
}

void checkFullscreen(Dock& dock) {
    bool& yields = dock.state.place.yieldsToFullscreen;
    const bool avoid =
        dock.settings.fullscreenAvoid != 0 && fullscreenInFront(dock.platform.foreground);
    if (avoid == yields) return;
    yields = avoid;
    // A dock that is not on top has nothing to give up or take back; a change
    // of 总在最前 meanwhile places it by dockOnTop.
    if (dock.settings.alwaysOnTop != 0 || dock.settings.autoHide != 0)
        dock.platform.foreground.SetDockTopmost(!avoid);
}

void checkFullscreenOnTick(Dock& dock, FullscreenAvoidance& fullscreen) {
    if (!fullscreen.watching) return;
    const std::uint32_t now = dock.platform.shell.TickCount();
    if (now - fullscreen.lastCheckTick < kCheckPeriodMs) return;
    fullscreen.lastCheckTick = now;
    checkFullscreen(dock);
}

void stopFullscreenAvoidance(Dock& dock, FullscreenAvoidance& fullscreen) {
    if (!fullscreen.watching) return;
    dock.platform.foreground.WatchForeground(false);
    fullscreen.watching = false;
}

}  // namespace dock
