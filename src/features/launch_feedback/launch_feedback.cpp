#include "features/launch_feedback/launch_feedback.h"

#include <algorithm>
#include <cmath>

#include "config/timer_periods.h"

namespace dock {
namespace {

constexpr int kHopTicks = kBounceTicks / 2;
constexpr double kPi = 3.14159265358979323846;

bool bounceOver(const Dock& dock, const LaunchBounce& bounce) {
    const DockItemList& items = dock.state.items;
    const int item = dock.state.frame.overlay.raisedItem;
    if (!items.Contains(item) || items[item].item.targetPath != bounce.target) return true;
    const std::vector<std::string>& running = dock.state.frame.overlay.runningTargets;
    return dock.settings.runningIndicator != 0 &&
           std::binary_search(running.begin(), running.end(), bounce.target);
}

}  // namespace

float bounceHeight(int tick, double cellHeight) {
    if (tick <= 0 || tick >= kBounceTicks) return 0.0f;
    const double hop = double(tick % kHopTicks) / kHopTicks;
    return static_cast<float>(cellHeight / 2 * std::sin(kPi * hop));
}

void startBounce(Dock& dock, LaunchBounce& bounce, int index) {
    if (dock.settings.launchFeedback == 0 || !dock.state.items.Contains(index)) return;
    bounce = {dock.state.items[index].item.targetPath, 0};
    FrameOverlay& overlay = dock.state.frame.overlay;
    overlay.raisedItem = index;
    overlay.rise = 0.0f;
    dock.platform.window.ArmTimer(kFastPeriodMs);
}

bool stepBounce(Dock& dock, LaunchBounce& bounce) {
    FrameOverlay& overlay = dock.state.frame.overlay;
    if (overlay.raisedItem == 0) return false;
    ++bounce.tick;
    if (bounce.tick >= kBounceTicks || bounceOver(dock, bounce)) {
        bounce = {};
        overlay.raisedItem = 0;
        overlay.rise = 0.0f;
        return true;
    }
    overlay.rise = bounceHeight(bounce.tick, dock.state.metrics.cellHeight);
    return true;
}

}  // namespace dock
