#include "render/layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace dock {
namespace {

// A row of `count` items laid out with the default metrics: rowTop 152,
// cells 36, item i resting at x = 144 + 36 * (i - 1).
DockState rowOf(int count) {
    DockState state;
    state.metrics.backgroundWidth = 107;
    state.metrics.backgroundHeight = 104;
    state.metrics.floatDistance = 48;
    state.metrics.rowTop = 152;
    for (int i = 1; i <= count; ++i) state.items.Insert(i, DockItem{}, i);
    layoutRow(state, 1);
    return state;
}

DockSettings settingsFloating(std::int32_t bothWays) {
    DockSettings settings;
    settings.floatBothWays = bothWays;
    return settings;
}

// Hovers `item` with the pointer at (x, y) until the magnification is full.
void zoomFully(DockState& state, const DockSettings& settings, int item, int x, int y) {
    state.frame.hoverIndex = item;
    state.frame.pointerX = x;
    state.frame.pointerY = y;
    for (int step = 0; step < 10; ++step) advanceFrame(state, settings, false);
    ASSERT_EQ(state.frame.zoomPercent, 100);
}

FrameResult zoomFrame(int item, int progress) {
    return {false, FrameKind::zoom, item, progress};
}
const FrameResult kNothing{false, FrameKind::none, 0, 0};
const FrameResult kSlowNothing{true, FrameKind::none, 0, 0};
const FrameResult kSlowRest{true, FrameKind::rest, 0, 0};

// Item 5 of nine rests at 288..324, its centre at x = 306; the row's top line is y = 152.
constexpr int kCentreX = 306;
constexpr int kTopLine = 152;

LayoutMetrics metricsFloating(std::int32_t backgroundHeight, std::int32_t floatDistance) {
    LayoutMetrics metrics;
    metrics.backgroundHeight = backgroundHeight;
    metrics.floatDistance = floatDistance;
    return metrics;
}

TEST(WindowSizeRule, DefaultMetricsGiveA340PixelHighWindowAndRowTop152) {
    const LayoutMetrics metrics = metricsFloating(104, 48);
    EXPECT_EQ(windowWidth(metrics, 0), 288);
    EXPECT_EQ(windowWidth(metrics, 3), 396);
    EXPECT_EQ(windowWidth(metrics, 200), 7488);
    EXPECT_EQ(windowHeight(metrics), 340);
    EXPECT_EQ(rowTop(metrics), 152);
    EXPECT_EQ(windowHeight(metricsFloating(104, 0)), 244);
    EXPECT_EQ(rowTop(metricsFloating(104, 0)), 104);
}

TEST(WindowSizeRule, RowTopTruncatesTowardZeroOnBothSidesOfZero) {
    LayoutMetrics metrics = metricsFloating(0, 82);
    metrics.cellHeight = 35;
    EXPECT_EQ(rowTop(metrics), 82);  // (200 - 35) / 2 = 82.5
    metrics.floatDistance = -8;
    EXPECT_EQ(rowTop(metrics), -7);  // (20 - 35) / 2 = -7.5, not -8
    EXPECT_EQ(windowHeight(metrics), 20);
}

TEST(WindowSizeRule, AbsurdFloatDistancesSaturateInsteadOfOverflowing) {
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();
    const std::int32_t least = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(windowHeight(metricsFloating(104, most)), most);
    EXPECT_EQ(rowTop(metricsFloating(104, most)), most);
    EXPECT_EQ(windowHeight(metricsFloating(104, least)), least);
    EXPECT_EQ(truncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(truncateToInt(-0.99), 0);
    EXPECT_EQ(truncateToInt(-1.5), -1);
}

struct FloatCase {
    std::int32_t backgroundHeight, wanted, used;
};

TEST(UsableFloatDistance, KeepsAWindowOfAtLeastOneCellAndAtMost16384Pixels) {
    const FloatCase cases[] = {
        {104, 48, 48},       {104, -10, -10},        {104, -104, -104}, {104, -105, -104},
        {104, -10000, -104}, {104, INT32_MIN, -104}, {104, 8070, 8070}, {104, 8071, 8070},
        {104, 100000, 8070}, {104, INT32_MAX, 8070}, {0, -1, 0},        {0, 0, 0},
        {0, 100000, 8174},   {8000, 48, 48},         {8000, 1000, 174},
    };
    for (const FloatCase& c : cases) {
        const LayoutMetrics metrics = metricsFloating(c.backgroundHeight, 0);
        EXPECT_EQ(usableFloatDistance(metrics, c.wanted), c.used)
            << c.backgroundHeight << " " << c.wanted;
    }
}

// `count` items at `dpi` with the built-in background and the default float distance.
DockState rowAtDpi(std::int32_t dpi, int count) {
    DockState state;
    state.metrics = metricsAtDpi(dpi);
    state.metrics.backgroundWidth = 107;
    state.metrics.backgroundHeight = 104;
    state.metrics.floatDistance = usableFloatDistance(state.metrics, 48);
    state.metrics.rowTop = rowTop(state.metrics);
    for (int i = 1; i <= count; ++i) state.items.Insert(i, DockItem{}, i);
    layoutRow(state, 1);
    return state;
}

TEST(HighDpiGeometry, EverySizeIsTheClassicOneTimesDpiOver96Truncated) {
    const std::int32_t sizes[][2] = {{96, 36}, {120, 45}, {144, 54}, {192, 72}};
    for (const auto& [dpi, cell] : sizes) {
        const DockState state = rowAtDpi(dpi, 9);
        const LayoutMetrics& m = state.metrics;
        const double s = dpi / 96.0;
        EXPECT_EQ(m.cellWidth, cell) << dpi;
        EXPECT_EQ(m.cellHeight, cell) << dpi;
        EXPECT_EQ(m.cellPadding, truncateToInt(5 * s)) << dpi;
        EXPECT_EQ(m.titleSize, truncateToInt(18 * s)) << dpi;
        EXPECT_EQ(m.leftMargin, 4 * cell) << dpi;
        EXPECT_EQ(m.floatDistance, truncateToInt(48 * s)) << dpi;
        EXPECT_EQ(windowWidth(m, 9), 17 * cell) << dpi;
    }
    // 120 DPI truncates: 6.25, 22.5 and a 425-pixel window come out 6, 22 and 424.
    const LayoutMetrics m120 = rowAtDpi(120, 0).metrics;
    EXPECT_EQ(m120.cellPadding, 6);
    EXPECT_EQ(m120.titleSize, 22);
    EXPECT_EQ(windowHeight(m120), 424);
    EXPECT_EQ(rowTop(m120), 189);
}

TEST(HighDpiGeometry, At144DpiTheRowStripAndMagnificationAreHalfAgainTheClassicOnes) {
    const DockState rest = rowAtDpi(144, 9);
    const LayoutMetrics& m = rest.metrics;
    EXPECT_EQ(windowWidth(m, 9), 918);  // 612
    EXPECT_EQ(windowHeight(m), 510);    // 340
    EXPECT_EQ(m.rowTop, 228);           // 152
    EXPECT_EQ(rest.items[5].baseRect, (RectF{432, 0, 486, 54}));
    EXPECT_EQ(stripRect(rest), (RectF{171, 216, 747, 291}));
    DockState empty = rowAtDpi(144, 0);
    empty.metrics.emptyStripTop = 216;
    EXPECT_EQ(stripRect(empty), (RectF{171, 216, 318, 291}));  // 114, 144, 212, 194

    // Item 5 magnified; its centre is x = 459, the row's top line y = 228.
    struct Zoom {
        int x, y;
        RectF magnified, right, left;
        float lift, neighbourLift;
    };
    const Zoom cases[] = {
        // Centred: 108, then 99 on each side (72, 66).
        {459, 228, {405, -54, 513, 54}, {513, -45, 612, 54}, {306, -45, 405, 54}, 0, 0},
        // Past the follow limit of 27 (18): the right neighbour gains the whole bonus of 18 (12).
        {499, 228, {378, -54, 486, 54}, {486, -54, 594, 54}, {288, -36, 378, 54}, 0, 0},
        // 150 above: lifted by the float distance 72 (48), the neighbours by 60 (40).
        {459, 78, {405, -126, 513, -18}, {513, -105, 612, -6}, {306, -105, 405, -6}, 72, 60},
    };
    for (const Zoom& c : cases) {
        DockState state = rowAtDpi(144, 9);
        zoomFully(state, settingsFloating(0), 5, c.x, c.y);
        EXPECT_EQ(state.items[5].currentRect, c.magnified) << c.x << " " << c.y;
        EXPECT_EQ(state.items[6].currentRect, c.right) << c.x << " " << c.y;
        EXPECT_EQ(state.items[4].currentRect, c.left) << c.x << " " << c.y;
        EXPECT_EQ(state.items[5].lift, c.lift);
        EXPECT_EQ(state.items[6].lift, c.neighbourLift);
    }
    // The staircase steps by 18 (12) down to the resting 54 (36).
    DockState centred = rowAtDpi(144, 9);
    zoomFully(centred, settingsFloating(0), 5, 459, 228);
    EXPECT_EQ(centred.items[7].currentRect, (RectF{612, -27, 693, 54}));
    EXPECT_EQ(centred.items[8].currentRect, (RectF{693, -9, 756, 54}));
    EXPECT_EQ(centred.items[9].currentRect, (RectF{756, 0, 810, 54}));
}

TEST(LayoutRow, PacksCellsEdgeToEdgeFromTheLeftMargin) {
    DockState state = rowOf(3);
    EXPECT_EQ(state.items[1].baseRect, (RectF{144, 0, 180, 36}));
    EXPECT_EQ(state.items[2].baseRect, (RectF{180, 0, 216, 36}));
    EXPECT_EQ(state.items[3].baseRect, (RectF{216, 0, 252, 36}));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(state.items[i].currentRect, state.items[i].baseRect);
}

TEST(LayoutRow, ZoomRectIsTwiceTheCellCentredAndStandingOnItsBottomLine) {
    DockState state = rowOf(2);
    EXPECT_EQ(state.items[1].zoomRect, (RectF{126, -36, 198, 36}));
    EXPECT_EQ(state.items[2].zoomRect, (RectF{162, -36, 234, 36}));
}

TEST(LayoutRow, StartsFromTheTruncatedRightEdgeOfThePreviousCell) {
    DockState state = rowOf(4);
    state.items[1].currentRect = {100, -36, 172, 36};  // magnified: must stay as it is
    state.items[2].baseRect.right = 250.75f;
    layoutRow(state, 3);
    EXPECT_EQ(state.items[1].currentRect, (RectF{100, -36, 172, 36}));
    EXPECT_EQ(state.items[2].baseRect, (RectF{180, 0, 250.75f, 36}));
    EXPECT_EQ(state.items[3].baseRect, (RectF{250, 0, 286, 36}));
    EXPECT_EQ(state.items[3].zoomRect, (RectF{232, -36, 304, 36}));
    EXPECT_EQ(state.items[4].baseRect, (RectF{286, 0, 322, 36}));
}

TEST(LayoutRow, UsesCellWidthForBothZoomSizesAndHalvesItExactly) {
    DockState state;
    state.metrics.cellWidth = 35;
    state.metrics.cellHeight = 35;
    state.metrics.leftMargin = 140;
    state.items.Insert(1, DockItem{}, 1);
    state.items.Insert(2, DockItem{}, 2);
    layoutRow(state, 1);
    EXPECT_EQ(state.items[2].baseRect, (RectF{175, 0, 210, 35}));
    EXPECT_EQ(state.items[2].zoomRect, (RectF{157.5f, -35, 227.5f, 35}));
}

TEST(LayoutRow, IgnoresStartsOutsideTheList) {
    DockState state = rowOf(2);
    state.items[2].currentRect = {1, 2, 3, 4};
    layoutRow(state, 3);  // nothing from 3 on
    EXPECT_EQ(state.items[2].currentRect, (RectF{1, 2, 3, 4}));
    layoutRow(state, 0);  // the same as from 1
    EXPECT_EQ(state.items[2].currentRect, (RectF{180, 0, 216, 36}));
}

TEST(StripRect, ReachesThirtyPixelsPastTheRowFromEightAboveIt) {
    EXPECT_EQ(stripRect(rowOf(1)), (RectF{114, 144, 210, 194}));
    EXPECT_EQ(stripRect(rowOf(4)), (RectF{114, 144, 318, 194}));
    EXPECT_EQ(stripRect(rowOf(200)), (RectF{114, 144, 7374, 194}));
    // It follows the cells as drawn, spread by a magnification.
    DockState spread = rowOf(3);
    spread.items[1].currentRect = {100.5f, -36, 172, 36};
    spread.items[3].currentRect = {230, -20, 266.25f, 36};
    EXPECT_EQ(stripRect(spread), (RectF{70.5f, 144, 296.25f, 194}));
}

TEST(StripRect, OfAnEmptyDockIsOneCellWideWhereItWasLastDrawn) {
    DockState empty = rowOf(0);
    empty.metrics.emptyStripTop = 90;
    EXPECT_EQ(stripRect(empty), (RectF{114, 90, 212, 140}));
}

TEST(AdvanceFrame, FullZoomOnTheCentreBuildsTheStaircase72_66_54_42_36) {
    DockState state = rowOf(9);
    zoomFully(state, settingsFloating(0), 5, kCentreX, kTopLine);
    const RectF expected[] = {
        {72, 0, 108, 36},    {108, -6, 150, 36},  {150, -18, 204, 36},
        {204, -30, 270, 36}, {270, -36, 342, 36}, {342, -30, 408, 36},
        {408, -18, 462, 36}, {462, -6, 504, 36},  {504, 0, 540, 36},
    };
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(state.items[i].currentRect, expected[i - 1]) << "item " << i;
        EXPECT_EQ(state.items[i].lift, 0.0f) << "item " << i;
    }
    for (int i = 1; i < 9; ++i)
        EXPECT_EQ(state.items[i].currentRect.right, state.items[i + 1].currentRect.left);
}

TEST(AdvanceFrame, BeyondTheStaircaseALongRowIsPackedRestingCellsThatDoNotRise) {
    DockState state = rowOf(20);
    zoomFully(state, settingsFloating(0), 10, 486, kTopLine - 30);  // item 10's centre
    EXPECT_EQ(state.items[10].currentRect, (RectF{450, -66, 522, 6}));
    EXPECT_EQ(state.items[11].currentRect, (RectF{522, -55, 588, 11}));
    EXPECT_EQ(state.items[11].lift, 25.0f);
    EXPECT_EQ(state.items[12].currentRect, (RectF{588, -33, 642, 21}));
    EXPECT_EQ(state.items[13].currentRect, (RectF{642, -11, 684, 31}));
    EXPECT_EQ(state.items[7].currentRect, (RectF{288, -11, 330, 31}));
    for (int i = 14; i <= 20; ++i) {
        const float left = 684 + 36.0f * (i - 14);
        EXPECT_EQ(state.items[i].currentRect, (RectF{left, 0, left + 36, 36})) << "item " << i;
        EXPECT_EQ(state.items[i].lift, 0.0f) << "item " << i;
    }
    for (int i = 1; i <= 6; ++i) {
        const float left = 72 + 36.0f * (i - 1);
        EXPECT_EQ(state.items[i].currentRect, (RectF{left, 0, left + 36, 36})) << "item " << i;
        EXPECT_EQ(state.items[i].lift, 0.0f) << "item " << i;
    }
}

TEST(AdvanceFrame, PointerRightOfCentreShiftsTheItemLeftAndFavoursTheRightNeighbour) {
    for (int x : {kCentreX + 18, kCentreX + 30}) {  // 30 px is clamped to 18
        DockState state = rowOf(9);
        zoomFully(state, settingsFloating(0), 5, x, kTopLine);
        EXPECT_EQ(state.items[5].currentRect, (RectF{252, -36, 324, 36})) << x;
        EXPECT_EQ(state.items[6].currentRect, (RectF{324, -36, 396, 36})) << x;
        EXPECT_EQ(state.items[4].currentRect, (RectF{192, -24, 252, 36})) << x;
        EXPECT_EQ(state.items[7].currentRect, (RectF{396, -24, 456, 36})) << x;
        EXPECT_EQ(state.items[3].currentRect, (RectF{144, -12, 192, 36})) << x;
    }
}

TEST(AdvanceFrame, PointerLeftOfCentreMirrorsTheShift) {
    for (int x : {kCentreX - 18, kCentreX - 30}) {
        DockState state = rowOf(9);
        zoomFully(state, settingsFloating(0), 5, x, kTopLine);
        EXPECT_EQ(state.items[5].currentRect, (RectF{288, -36, 360, 36})) << x;
        EXPECT_EQ(state.items[4].currentRect, (RectF{216, -36, 288, 36})) << x;
        EXPECT_EQ(state.items[6].currentRect, (RectF{360, -24, 420, 36})) << x;
        EXPECT_EQ(state.items[3].currentRect, (RectF{156, -24, 216, 36})) << x;
        EXPECT_EQ(state.items[7].currentRect, (RectF{420, -12, 468, 36})) << x;
    }
}

TEST(AdvanceFrame, PointerHighAboveIsClampedToTheFloatDistanceAndNeighboursRiseInProportion) {
    DockState state = rowOf(9);
    zoomFully(state, settingsFloating(0), 5, kCentreX, kTopLine - 100);
    EXPECT_EQ(state.items[5].currentRect, (RectF{270, -84, 342, -12}));
    EXPECT_EQ(state.items[5].lift, 48.0f);
    EXPECT_EQ(state.items[6].currentRect, (RectF{342, -70, 408, -4}));  // 66 high, 48 * 30 / 36
    EXPECT_EQ(state.items[6].lift, 40.0f);
    EXPECT_EQ(state.items[4].lift, 40.0f);
    EXPECT_EQ(state.items[7].currentRect, (RectF{408, -42, 462, 12}));
    EXPECT_EQ(state.items[7].lift, 24.0f);
    EXPECT_EQ(state.items[8].lift, 8.0f);
    EXPECT_EQ(state.items[9].currentRect, (RectF{504, 0, 540, 36}));
    EXPECT_EQ(state.items[9].lift, 0.0f);
}

TEST(AdvanceFrame, PointerBelowTheTopLineSinksTheIconOnlyWhenFloatingBothWays) {
    DockState upOnly = rowOf(9);
    zoomFully(upOnly, settingsFloating(0), 5, kCentreX, kTopLine + 20);
    EXPECT_EQ(upOnly.items[5].currentRect, (RectF{270, -36, 342, 36}));
    EXPECT_EQ(upOnly.items[5].lift, 0.0f);

    DockState bothWays = rowOf(9);
    zoomFully(bothWays, settingsFloating(1), 5, kCentreX, kTopLine + 20);
    EXPECT_EQ(bothWays.items[5].currentRect, (RectF{270, -16, 342, 56}));
    EXPECT_EQ(bothWays.items[5].lift, -20.0f);
    EXPECT_EQ(bothWays.items[6].lift, -20.0f * 30 / 36);
}

TEST(AdvanceFrame, SinkingStopsAtFloatDistancePlusCellHeightBelow) {
    for (std::int32_t bothWays : {1, 7}) {  // any nonzero value floats both ways
        DockState state = rowOf(9);
        zoomFully(state, settingsFloating(bothWays), 5, kCentreX, kTopLine + 200);
        EXPECT_EQ(state.items[5].lift, -84.0f);
        EXPECT_EQ(state.items[5].currentRect, (RectF{270, 48, 342, 120}));
    }
}

TEST(AdvanceFrame, MagnificationBuildsUpInTenStepsAndThenAsksForNoMoreFrames) {
    DockState state = rowOf(9);
    const DockSettings settings = settingsFloating(1);
    state.frame.hoverIndex = 5;
    state.frame.pointerX = kCentreX;
    state.frame.pointerY = kTopLine;
    for (int p = 10; p <= 100; p += 10) {
        EXPECT_EQ(advanceFrame(state, settings, false), zoomFrame(5, p));
        EXPECT_EQ(state.frame.zoomIndex, 5);
        EXPECT_EQ(state.frame.zoomPercent, p);
        if (p == 50) {
            EXPECT_EQ(state.items[5].currentRect, (RectF{279, -18, 333, 36}));
            EXPECT_EQ(state.items[6].currentRect, (RectF{333, -12, 381, 36}));
            EXPECT_EQ(state.items[7].currentRect, (RectF{381, 0, 417, 36}));
        }
    }
    const RectF full = state.items[5].currentRect;
    EXPECT_EQ(advanceFrame(state, settings, false), kNothing);
    EXPECT_EQ(advanceFrame(state, settings, false), kNothing);
    EXPECT_EQ(state.frame.zoomPercent, 100);
    EXPECT_EQ(state.items[5].currentRect, full);
}

TEST(AdvanceFrame, TwoEqualStepsAskForOneFrameUnlessForced) {
    DockState state = rowOf(9);
    const DockSettings settings = settingsFloating(1);
    zoomFully(state, settings, 5, kCentreX, kTopLine);
    state.frame.pointerX = kCentreX + 5;
    EXPECT_EQ(advanceFrame(state, settings, false), zoomFrame(5, 100));
    EXPECT_EQ(advanceFrame(state, settings, false), kNothing);
    EXPECT_EQ(advanceFrame(state, settings, true), zoomFrame(5, 100));
}

TEST(AdvanceFrame, UnchangedMagnifiedCellLeavesTheNeighboursAlone) {
    DockState state = rowOf(9);
    const DockSettings settings = settingsFloating(1);
    zoomFully(state, settings, 5, kCentreX, kTopLine);
    state.items[7].currentRect = {1, 2, 3, 4};
    EXPECT_EQ(advanceFrame(state, settings, false), kNothing);
    EXPECT_EQ(state.items[7].currentRect, (RectF{1, 2, 3, 4}));
    EXPECT_EQ(advanceFrame(state, settings, true), zoomFrame(5, 100));
    EXPECT_EQ(state.items[7].currentRect, (RectF{408, -18, 462, 36}));
}

TEST(AdvanceFrame, RestStepAsksForARestFrameOnlyWhenForcedOrSomethingMoved) {
    DockState state = rowOf(3);
    const DockSettings settings = settingsFloating(1);
    EXPECT_EQ(advanceFrame(state, settings, false), kSlowNothing);
    EXPECT_EQ(advanceFrame(state, settings, true), kSlowRest);

    state.items[2].currentRect = {170, -10, 230, 36};
    state.items[2].lift = 3;
    EXPECT_EQ(advanceFrame(state, settings, false), kSlowRest);
    EXPECT_EQ(state.items[2].currentRect, (RectF{180, 0, 216, 36}));
    EXPECT_EQ(state.items[2].lift, 3.0f);  // a rest frame draws lift 0 without storing it
    EXPECT_EQ(advanceFrame(state, settings, false), kSlowNothing);
}

TEST(AdvanceFrame, ForcedRestStepWithoutItemsAsksForNoFrame) {
    DockState state = rowOf(0);
    EXPECT_EQ(advanceFrame(state, settingsFloating(1), true), kSlowNothing);
}

TEST(AdvanceFrame, HoverIndexNamingNoItemCountsAsNoHover) {
    DockState state = rowOf(3);
    state.frame.hoverIndex = 4;
    EXPECT_EQ(advanceFrame(state, settingsFloating(1), false), kSlowNothing);
    EXPECT_EQ(state.frame.zoomIndex, 0);
    EXPECT_EQ(state.frame.zoomPercent, 0);
}

// Item 5, then item 6 with the progress kept, then the fade-out on item 6, frame by frame.
TEST(AdvanceFrame, BuildUpMoveToTheNextItemAndFadeOutFrameByFrame) {
    DockState state = rowOf(9);
    const DockSettings settings = settingsFloating(1);
    struct Step {
        int hover, pointerX;
        FrameResult result;
        RectF magnified;  // currentRect of result.item, when there is one
    };
    const Step steps[] = {
        {5, 306, zoomFrame(5, 10), {286.2f, -3.6f, 325.8f, 36}},
        {5, 306, zoomFrame(5, 20), {284.4f, -7.2f, 327.6f, 36}},
        {5, 306, zoomFrame(5, 30), {282.6f, -10.8f, 329.4f, 36}},
        {5, 306, zoomFrame(5, 40), {280.8f, -14.4f, 331.2f, 36}},
        {5, 306, zoomFrame(5, 50), {279, -18, 333, 36}},
        {5, 306, zoomFrame(5, 60), {277.2f, -21.6f, 334.8f, 36}},
        {6, 342, zoomFrame(6, 70), {311.4f, -25.2f, 372.6f, 36}},
        {6, 342, zoomFrame(6, 80), {309.6f, -28.8f, 374.4f, 36}},
        {6, 342, zoomFrame(6, 90), {307.8f, -32.4f, 376.2f, 36}},
        {6, 342, zoomFrame(6, 100), {306, -36, 378, 36}},
        {6, 342, kNothing, {306, -36, 378, 36}},
        {0, 342, zoomFrame(6, 90), {307.8f, -32.4f, 376.2f, 36}},
        {0, 342, zoomFrame(6, 80), {309.6f, -28.8f, 374.4f, 36}},
        {0, 342, zoomFrame(6, 70), {311.4f, -25.2f, 372.6f, 36}},
        {0, 342, zoomFrame(6, 60), {313.2f, -21.6f, 370.8f, 36}},
        {0, 342, zoomFrame(6, 50), {315, -18, 369, 36}},
        {0, 342, zoomFrame(6, 40), {316.8f, -14.4f, 367.2f, 36}},
        {0, 342, zoomFrame(6, 30), {318.6f, -10.8f, 365.4f, 36}},
        {0, 342, zoomFrame(6, 20), {320.4f, -7.2f, 363.6f, 36}},
        {0, 342, zoomFrame(6, 10), {322.2f, -3.6f, 361.8f, 36}},
        {0, 342, zoomFrame(6, 0), {324, 0, 360, 36}},
        {0, 342, kSlowNothing, {324, 0, 360, 36}},
        {0, 342, kSlowNothing, {324, 0, 360, 36}},
    };
    const int zoomIndexAfter[] = {5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6,
                                  6, 6, 6, 6, 6, 6, 6, 6, 6, 0, 0};
    int n = 0;
    for (const Step& step : steps) {
        state.frame.hoverIndex = step.hover;
        state.frame.pointerX = step.pointerX;
        state.frame.pointerY = kTopLine;
        EXPECT_EQ(advanceFrame(state, settings, false), step.result) << "step " << n;
        EXPECT_EQ(state.frame.zoomIndex, zoomIndexAfter[n]) << "step " << n;
        EXPECT_EQ(state.items[n < 6 ? 5 : 6].currentRect, step.magnified) << "step " << n;
        ++n;
    }
    EXPECT_EQ(state.frame.zoomPercent, 0);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(state.items[i].currentRect, state.items[i].baseRect) << "item " << i;
        EXPECT_EQ(state.items[i].lift, 0.0f) << "item " << i;
    }
}

// The caller has just re-created the surface (a drop, a delete, a dialog
// save): the step that ends a fade must still give it a frame.
TEST(AdvanceFrame, ForcedStepThatEndsAFadeAsksForARestFrame) {
    DockState state = rowOf(9);
    const DockSettings settings = settingsFloating(1);
    zoomFully(state, settings, 5, kCentreX, kTopLine);
    state.frame.hoverIndex = 0;
    for (int step = 0; step < 10; ++step) advanceFrame(state, settings, false);
    ASSERT_EQ(state.frame.zoomPercent, 0);
    ASSERT_EQ(state.frame.zoomIndex, 5);
    state.items[5].currentRect = {1, 2, 3, 4};

    EXPECT_EQ(advanceFrame(state, settings, true), kSlowRest);
    EXPECT_EQ(state.frame.zoomIndex, 0);
    EXPECT_EQ(state.frame.zoomPercent, 0);
    EXPECT_EQ(state.items[5].currentRect, state.items[5].baseRect);
}

TEST(AdvanceFrame, HoveringAgainDuringAFadeContinuesFromTheProgressReached) {
    DockState state = rowOf(9);
    const DockSettings settings = settingsFloating(1);
    zoomFully(state, settings, 5, kCentreX, kTopLine);
    state.frame.hoverIndex = 0;
    for (int step = 0; step < 4; ++step) advanceFrame(state, settings, false);
    ASSERT_EQ(state.frame.zoomPercent, 60);
    state.frame.hoverIndex = 3;
    EXPECT_EQ(advanceFrame(state, settings, false), zoomFrame(3, 70));
}

TEST(AdvanceFrame, FadeContinuesOnTheLastItemWhenItemsWereDeleted) {
    DockState state = rowOf(9);
    const DockSettings settings = settingsFloating(1);
    zoomFully(state, settings, 9, 450, kTopLine);  // centre of item 9
    state.frame.hoverIndex = 0;
    for (int step = 0; step < 5; ++step) advanceFrame(state, settings, false);
    ASSERT_EQ(state.frame.zoomPercent, 50);
    state.items.Remove(9);
    state.items.Remove(8);
    layoutRow(state, 1);

    EXPECT_EQ(advanceFrame(state, settings, false), zoomFrame(7, 40));
    EXPECT_EQ(state.frame.zoomIndex, 9);  // kept: only the frame is limited to the count
    // The pointer is 72 px right of item 7's centre: the shift is clamped to 18, scaled to 7.2.
    EXPECT_EQ(state.items[7].currentRect, (RectF{345.6f, -14.4f, 396, 36}));
}

TEST(AdvanceFrame, EmptyingTheListDuringAFadeEndsItAtOnce) {
    DockState state = rowOf(3);
    const DockSettings settings = settingsFloating(1);
    zoomFully(state, settings, 2, 198, kTopLine);
    state.frame.hoverIndex = 0;
    advanceFrame(state, settings, false);
    ASSERT_EQ(state.frame.zoomPercent, 90);
    for (int i = 3; i >= 1; --i) state.items.Remove(i);

    EXPECT_EQ(advanceFrame(state, settings, false), kSlowNothing);
    EXPECT_EQ(state.frame.zoomIndex, 0);
    EXPECT_EQ(state.frame.zoomPercent, 0);
    EXPECT_EQ(advanceFrame(state, settings, true), kSlowNothing);
}

}  // namespace
}  // namespace dock
