#pragma once
// The dock blocked while a command waits for the user: busy keeps input and
// hotkeys out and the stopped timer keeps the frames still; both come back
// together, whichever way the command ends.
#include "config/dock.h"
#include "config/timer_periods.h"

namespace dock {

class BlockedDock {
  public:
    explicit BlockedDock(Dock& dock) : dock_(dock) {
        dock_.state.commands.busy = true;
        dock_.platform.window.StopTimer();
    }
    ~BlockedDock() {
        dock_.platform.window.ArmTimer(kFastPeriodMs);
        dock_.state.commands.busy = false;
    }
    BlockedDock(const BlockedDock&) = delete;
    BlockedDock& operator=(const BlockedDock&) = delete;

  private:
    Dock& dock_;
};

}  // namespace dock
