#pragma once
// The hover hit test: which item's zone holds the pointer.
#include "config/dock.h"

namespace dock {

// The item whose hit zone holds the pointer (window coordinates), lowest index
// first; 0 when none. The zone shape depends on the previous hoverIndex.
int hitTest(const DockState& state, const DockSettings& settings, std::int32_t pointerX,
            std::int32_t pointerY);

}  // namespace dock
