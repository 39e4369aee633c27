#pragma once
// 启动反馈: a started item bounces, so a program slow to appear is seen
// coming and not clicked again.
#include <string>

#include "config/dock.h"

namespace dock {

// The bounce under way: its item and height are what it adds to the frames
// (FrameOverlay::raisedItem and rise); the item is known by its target too,
// so that an insertion or a delete ends the bounce instead of moving it to
// another item.
struct LaunchBounce {
    std::string target;
    int tick = 0;
};

// Two rises and falls, about 600 ms on the 10 ms animation tick.
inline constexpr int kBounceTicks = 60;

// How far the item stands above its place `tick` ticks into its bounce: up
// to half a resting cell and back down, twice; 0 before and from kBounceTicks on.
float bounceHeight(int tick, double cellHeight);
// With 启动反馈 on, item `index` starts bouncing (a running bounce ends) and
// the timer runs fast.
void startBounce(Dock& dock, LaunchBounce& bounce, int index);
// One tick of the bounce: it ends after kBounceTicks, when its item has gone
// or moved, or, with 运行指示 on, when its program is seen running. True when
// a frame is to be drawn for it, the one that sets it down included.
bool stepBounce(Dock& dock, LaunchBounce& bounce);

}  // namespace dock
