#pragma once
// 智能隐藏's eyes: WinEvent hooks on other programs' top-level windows, and
// the look at every top-level window that judges an overlap.
#include <windows.h>

#include "support/geometry.h"
#include "support/handles_win32.h"

namespace dock {

class OverlapWatch {
  public:
    OverlapWatch() = default;
    OverlapWatch(const OverlapWatch&) = delete;
    OverlapWatch& operator=(const OverlapWatch&) = delete;
    ~OverlapWatch() { Watch(false); }

    // Location changes, show, hide, minimise and the foreground, out of
    // context: each only marks a change, which the next tick takes.
    void Watch(bool watch);
    bool TakeChanged();
    // A visible, not minimised, not cloaked top-level window of another
    // process, not a tool window, meets `rect`.
    bool OtherWindowMeets(const RectI& rect);

  private:
    UniqueWinEventHook moves_;
    UniqueWinEventHook showHide_;
    UniqueWinEventHook minimise_;
    UniqueWinEventHook foreground_;
    UniqueModule dwmapi_;
};

}  // namespace dock
