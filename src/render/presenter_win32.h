#pragma once
// Hands the composed surface to the layered dock window: the band that
// changed through UpdateLayeredWindowIndirect (the whole surface through
// UpdateLayeredWindow where the system has no such call, and the first time),
// at most once per refresh interval of the monitor the window is on. A frame
// that comes too soon is shown when its interval is over, by a one-shot
// timer, unless a later frame has been shown in its place. A frame is
// composed only when it is shown: the presenter asks for it then.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "render/present_pacing.h"
#include "support/geometry.h"

namespace dock {

class Presenter {
  public:
    Presenter() = default;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;
    ~Presenter() { Detach(); }

    // Composes the latest frame on the source and returns the area that
    // changed since the last presentation.
    using Compose = std::function<RectI()>;
    // Presents `source` (width x height) to `window`; the next frame goes whole.
    void Attach(HWND window, HDC source, std::int32_t width, std::int32_t height, Compose compose);
    void Detach();
    // A frame has ended; `changed`: it differs from what the window shows.
    void Present(bool changed);
    // The whole surface goes with the next frame (it was drawn at once).
    void PresentWholeNext() { whole_ = true; }
    // 0: every frame at once (tests that look at each frame presented).
    void SetInterval(double milliseconds) { pacing_.SetInterval(milliseconds); }
    // The area the last presentation gave the window; empty when the last
    // frame was not presented (yet).
    const RectI& LastPresented() const { return lastPresented_; }
    int Presentations() const { return presentations_; }

  private:
    static void CALLBACK onTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void showPending();
    void presentWhole();

    using UpdateIndirect = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);
    UpdateIndirect updateIndirect_ = nullptr;  // null where the system has none
    HWND window_ = nullptr;
    HDC source_ = nullptr;
    SIZE size_{0, 0};
    POINT origin_{0, 0};
    BLENDFUNCTION blend_{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    PresentPacing pacing_;
    Compose compose_;
    bool whole_ = true;
    bool timerArmed_ = false;
    RectI lastPresented_;
    int presentations_ = 0;
};

}  // namespace dock
