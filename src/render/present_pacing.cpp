#include "render/present_pacing.h"

namespace dock {

double refreshInterval(int hertz) {
    return 1000.0 / (hertz > 1 ? hertz : 60);
}

bool PresentPacing::FrameReady(double now) {
    if (!shownOnce_ || now >= DueAt()) {
        Shown(now);
        return true;
    }
    pending_ = true;
    return false;
}

void PresentPacing::Shown(double now) {
    shownAt_ = now;
    shownOnce_ = true;
    pending_ = false;
}

}  // namespace dock
