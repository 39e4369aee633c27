#include "render/frame_recorder.h"

#include <gtest/gtest.h>

#include "render/piece_budget.h"
#include "render/present_pacing.h"

namespace dock {
namespace {

TEST(WholePixels, RectanglesTruncateTowardZeroAndSlicesTruncateTheirEdges) {
    struct Row {
        float x, y, width, height;
        RectI picture, slice;
    };
    const Row rows[] = {
        {10.9f, 20.5f, 62.4f, 62.4f, {10, 20, 72, 82}, {10, 20, 73, 82}},
        {-1.5f, 0, 3.9f, 1, {-1, 0, 2, 1}, {-1, 0, 2, 1}},
        // Upside down: the rectangle above y, turned the right way up first.
        {4, 130.7f, 48, -48.2f, {4, 82, 52, 130}, {}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(wholePixelRect(r.x, r.y, r.width, r.height), r.picture) << r.x;
        if (r.height > 0) {
            const RectF edges{r.x, r.y, r.x + r.width, r.y + r.height};
            EXPECT_EQ(wholePixelSlice(edges), r.slice) << r.x;
        }
    }
}

DrawnCall callAt(float x, RectI bounds) {
    DrawnCall c;
    c.args[0] = x;
    c.bounds = bounds;
    return c;
}

TEST(FrameRecorder, AFrameComposesTheFullWidthRowsOfWhatChangedAndNothingWhenRepeated) {
    const RectI surface{0, 0, 300, 100};
    FrameRecorder recorder;
    auto frame = [&](float moved) {
        recorder.Begin();
        recorder.Add(callAt(0, {0, 40, 300, 90}));
        recorder.Add(callAt(moved, {20, 50, 60, 70}));
        return recorder.Finish(surface);
    };
    EXPECT_EQ(frame(1), surface);  // nothing composed before
    EXPECT_EQ(frame(1), RectI{});
    recorder.Begin();
    recorder.Add(callAt(0, {0, 40, 300, 90}));
    EXPECT_NE(recorder.SameAsLast(callAt(1, {})), nullptr);
    EXPECT_EQ(recorder.SameAsLast(callAt(2, {})), nullptr);
    recorder.Add(callAt(1, {20, 50, 60, 70}));
    recorder.Add(callAt(2, {20, 52, 60, 72}));  // where the last frame had none
    EXPECT_EQ(recorder.Finish(surface), (RectI{0, 52, 300, 72}));
    recorder.Forget();
    EXPECT_EQ(frame(2), surface);
}

TEST(PieceBudget, DropsTheLeastRecentlyUsedUntilItFitsButNeverWhatThisFrameUses) {
    PieceBudget budget(100);
    budget.Add(1, 40);
    budget.Add(2, 40);
    budget.NewFrame();
    budget.Use(1);
    budget.Add(3, 40);  // 120: over
    EXPECT_EQ(budget.Overflow(), (std::vector<std::uint64_t>{2}));
    EXPECT_EQ(budget.Bytes(), 80u);
    budget.Add(4, 60);  // all used in this frame: kept over the budget for now
    EXPECT_TRUE(budget.Overflow().empty());
    budget.NewFrame();
    budget.Use(4);
    EXPECT_EQ(budget.Overflow(), (std::vector<std::uint64_t>{1}));
    EXPECT_EQ(budget.Bytes(), 100u);
}

TEST(PresentPacing, AtMostOneFramePerIntervalAndTheLastOneShownWhenItsIntervalEnds) {
    EXPECT_DOUBLE_EQ(refreshInterval(0), 1000.0 / 60);
    EXPECT_DOUBLE_EQ(refreshInterval(1), 1000.0 / 60);
    EXPECT_DOUBLE_EQ(refreshInterval(75), 1000.0 / 75);
    // An animation of 100 frames 10 ms apart on a 60 Hz display; the timer
    // shows a pending frame once it is due.
    PresentPacing pacing;
    pacing.SetInterval(refreshInterval(60));
    int shown = 0;
    double lastShown = -1;
    for (int frame = 0; frame < 100; ++frame) {
        const double now = frame * 10.0;
        if (pacing.Pending() && now >= pacing.DueAt()) {
            pacing.Shown(pacing.DueAt());
            ++shown;
        }
        if (pacing.FrameReady(now)) {
            ++shown;
            lastShown = now;
        }
    }
    EXPECT_LE(shown, 60);  // one second of frames
    EXPECT_GE(shown, 50);
    // The last frame (at 990 ms) came too soon; it is shown when due.
    ASSERT_TRUE(pacing.Pending());
    EXPECT_LT(lastShown, 990);
    EXPECT_LE(pacing.DueAt(), 990 + refreshInterval(60));
    pacing.Shown(pacing.DueAt());
    EXPECT_FALSE(pacing.Pending());

    PresentPacing unpaced;
    for (int frame = 0; frame < 5; ++frame) EXPECT_TRUE(unpaced.FrameReady(frame * 1.0));
}

}  // namespace
}  // namespace dock
