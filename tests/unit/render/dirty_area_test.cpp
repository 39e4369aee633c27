#include "render/dirty_area.h"

#include <gtest/gtest.h>

namespace dock {
namespace {

TEST(DirtyArea, RectanglesCoverEveryPixelTheyTouchAndCombine) {
    EXPECT_EQ(pixelsTouched(10.5, 20, 4.25, 3, 0), (RectI{10, 20, 15, 23}));
    EXPECT_EQ(pixelsTouched(10.5, 20, 4.25, -3.5, 2), (RectI{8, 14, 17, 22}));
    EXPECT_EQ(pixelsTouched(-1.5, 0, 1, 1, 0), (RectI{-2, 0, 0, 1}));

    EXPECT_EQ(unionOf({}, {1, 2, 3, 4}), (RectI{1, 2, 3, 4}));
    EXPECT_EQ(unionOf({1, 2, 3, 4}, {5, 5, 5, 9}), (RectI{1, 2, 3, 4}));
    EXPECT_EQ(unionOf({1, 2, 3, 4}, {0, 3, 2, 8}), (RectI{0, 2, 3, 8}));
    EXPECT_EQ(intersectionOf({0, 0, 10, 10}, {5, -5, 20, 5}), (RectI{5, 0, 10, 5}));
    EXPECT_EQ(intersectionOf({0, 0, 10, 10}, {10, 0, 20, 5}), RectI{});
}

DrawnCall call(float x, RectI bounds, std::string text = {}) {
    DrawnCall c;
    c.args[0] = x;
    c.bounds = bounds;
    c.text = std::move(text);
    return c;
}

TEST(DirtyArea, OnlyCallsThatDifferAtTheirPlaceMarkTheirOldAndNewBounds) {
    const std::vector<DrawnCall> last{call(0, {0, 0, 100, 50}), call(1, {10, 10, 20, 20}),
                                      call(2, {30, 10, 40, 20}, "a")};
    EXPECT_EQ(changedArea(last, last), RectI{});

    std::vector<DrawnCall> now = last;
    now[1] = call(1.5f, {11, 10, 21, 20});
    EXPECT_EQ(changedArea(last, now), (RectI{10, 10, 21, 20}));
    now = last;
    now[2].text = "b";
    EXPECT_EQ(changedArea(last, now), (RectI{30, 10, 40, 20}));

    // A call one frame has and the other has not.
    now = last;
    now.push_back(call(3, {60, 5, 70, 8}));
    EXPECT_EQ(changedArea(last, now), (RectI{60, 5, 70, 8}));
    EXPECT_EQ(changedArea(now, last), (RectI{60, 5, 70, 8}));
}

TEST(DirtyArea, WideningTakesInEveryCallItTouchesUntilNoneIsCut) {
    // The second call reaches the third only once the area holds all of it.
    const std::vector<DrawnCall> calls{call(0, {0, 0, 10, 10}), call(1, {20, 0, 40, 10}),
                                       call(2, {35, 5, 60, 30}), call(3, {100, 0, 110, 10})};
    EXPECT_EQ(wholeCallsArea({25, 2, 26, 3}, calls), (RectI{20, 0, 60, 30}));
    EXPECT_EQ(wholeCallsArea({11, 0, 19, 10}, calls), (RectI{11, 0, 19, 10}));
    EXPECT_EQ(wholeCallsArea({}, calls), RectI{});
}

}  // namespace
}  // namespace dock
