#include "app/deferred_close.h"

#include <utility>

namespace dock {

bool DeferredClose::CloseNow() {
    if (running_ == 0) return true;
    requested_ = true;
    return false;
}

bool DeferredClose::RunCommand(DockState& state, const std::function<void()>& command) {
    // A command ended by a close may have changed an item before its last
    // wait (the hotkey-failure box comes after the item settings were taken).
    DockItemList before = state.items;
    ++running_;
    command();
    --running_;
    if (running_ != 0 || !requested_) return false;
    state.items = std::move(before);
    return true;
}

}  // namespace dock
