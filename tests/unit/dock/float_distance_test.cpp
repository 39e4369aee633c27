#include <gtest/gtest.h>

#include "dock/startup.h"

namespace dock {
namespace {

LayoutMetrics metricsWithBackground(std::int32_t backgroundHeight) {
    LayoutMetrics metrics;
    metrics.titleSize = 18;
    metrics.cellHeight = 36;
    metrics.backgroundHeight = backgroundHeight;
    return metrics;
}

struct FloatCase {
    std::int32_t backgroundHeight, wanted, kept;
};

TEST(LimitFloatDistance, KeepsAWindowOfAtLeastOneCellAndAtMost16384Pixels) {
    const FloatCase cases[] = {
        {104, 48, 48},       {104, -10, -10},        {104, -104, -104}, {104, -105, -104},
        {104, -10000, -104}, {104, INT32_MIN, -104}, {104, 8070, 8070}, {104, 8071, 8070},
        {104, 100000, 8070}, {104, INT32_MAX, 8070}, {0, -1, 0},        {0, 0, 0},
        {0, 100000, 8174},   {8000, 48, 48},         {8000, 1000, 174},
    };
    for (const FloatCase& c : cases) {
        DockSettings settings;
        settings.floatDistance = c.wanted;
        const LayoutMetrics metrics = metricsWithBackground(c.backgroundHeight);
        limitFloatDistance(settings, metrics);
        EXPECT_EQ(settings.floatDistance, c.kept) << c.backgroundHeight << " " << c.wanted;
    }
}

}  // namespace
}  // namespace dock
