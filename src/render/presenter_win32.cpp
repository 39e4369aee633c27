#include "render/presenter_win32.h"

#include <cmath>
#include <utility>

#include "render/dirty_area.h"

namespace dock {

namespace {

double nowMs() {
    LARGE_INTEGER frequency, count;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&count);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// The refresh rate of the monitor the window is on; 0 where it is not known.
int refreshRateOf(HWND window) {
    MONITORINFOEXA monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return 0;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!::EnumDisplaySettingsA(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    return static_cast<int>(mode.dmDisplayFrequency);
}

}  // namespace

void Presenter::Attach(HWND window, HDC source, std::int32_t width, std::int32_t height,
                       Compose compose) {
    Detach();
    window_ = window;
    source_ = source;
    compose_ = std::move(compose);
    size_ = {width, height};
    whole_ = true;
    pacing_ = {};
    pacing_.SetInterval(refreshInterval(refreshRateOf(window)));
    // Looked up at run time: a system without it presents the whole surface.
    updateIndirect_ = reinterpret_cast<UpdateIndirect>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "UpdateLayeredWindowIndirect")));
}

void Presenter::Detach() {
    // The timer's id is this presenter: it must not fire after it is gone.
    if (timerArmed_) ::KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    timerArmed_ = false;
    window_ = nullptr;
    source_ = nullptr;
    compose_ = nullptr;
    lastPresented_ = {};
}

void Presenter::Present(bool changed) {
    lastPresented_ = {};
    if (source_ == nullptr) return;
    if (!whole_ && !changed) return;  // the window already shows this frame
    if (pacing_.FrameReady(nowMs())) {
        showPending();
        return;
    }
    if (timerArmed_) return;
    const double wait = std::ceil(pacing_.DueAt() - nowMs());
    timerArmed_ =
        ::SetTimer(window_, reinterpret_cast<UINT_PTR>(this),
                   wait > USER_TIMER_MINIMUM ? static_cast<UINT>(wait) : USER_TIMER_MINIMUM,
                   &Presenter::onTimer) != 0;
    if (!timerArmed_) showPending();  // no timer to wait for: shown now rather than never
}

void CALLBACK Presenter::onTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    auto* presenter = reinterpret_cast<Presenter*>(id);
    presenter->timerArmed_ = false;
    if (!presenter->pacing_.Pending()) return;
    presenter->pacing_.Shown(nowMs());
    presenter->showPending();
}

void Presenter::presentWhole() {
    ::UpdateLayeredWindow(window_, nullptr, nullptr, &size_, source_, &origin_, 0, &blend_,
                          ULW_ALPHA);
    lastPresented_ = {0, 0, size_.cx, size_.cy};
}

void Presenter::showPending() {
    const RectI area = compose_ ? compose_() : RectI{};
    if (!whole_ && isEmpty(area)) return;  // the frame was let go
    ::GdiFlush();                          // UpdateLayeredWindow reads the DIB
    ++presentations_;
    if (whole_ || updateIndirect_ == nullptr) {
        whole_ = false;
        presentWhole();
        return;
    }
    const RECT dirty{area.left, area.top, area.right, area.bottom};
    UPDATELAYEREDWINDOWINFO info{};
    info.cbSize = sizeof info;
    info.psize = nullptr;  // the size stands, so nothing is moved or resized
    info.hdcSrc = source_;
    info.pptSrc = &origin_;
    info.pblend = &blend_;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = &dirty;
    if (updateIndirect_(window_, &info))
        lastPresented_ = area;
    else
        presentWhole();
}

}  // namespace dock
