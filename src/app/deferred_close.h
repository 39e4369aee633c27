#pragma once
// A close (the close box, Escape, "end task", another program) can arrive
// inside the nested message loop of a command that waits for the user: the
// context menu, a settings dialog, the delete confirmation, or a box or file
// dialog one of them shows. Shutting down there would save and then let the
// command carry on in a dock that has ended. So the close is remembered, the
// command is ended as if cancelled, and the dock shuts down once it unwinds.
#include <functional>

#include "config/dock.h"

namespace dock {

class DeferredClose {
  public:
    // A close: true when the dock may shut down at once; false while a
    // command runs, which the caller must then end as if cancelled.
    bool CloseNow();
    // Runs a command that may wait for the user. True when a close came
    // meanwhile: the items are back as they were before the command, and the
    // shutdown that is due may save them.
    bool RunCommand(DockState& state, const std::function<void()>& command);

  private:
    int running_ = 0;  // commands on the stack
    bool requested_ = false;
};

}  // namespace dock
