#include "features/arranging/item_drag.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "features/arranging/delete_item.h"
#include "app/startup.h"
#include "fakes/fake_platform.h"
#include "app/tick.h"
#include "render/layout.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePlatform;
using testing::pngHeader;
using Combo = std::pair<std::uint32_t, std::uint32_t>;

constexpr std::uint16_t kCtrlAltA = 0x0641;  // registers modifiers 3, key 0x41
constexpr std::uint16_t kCtrlAltX = 0x0658;
constexpr PointI kDragDistance{4, 4};
constexpr std::int32_t kRowY = 170;  // inside the resting row (rowTop 152)

// Items A, B, C, D with their own pictures (C:\icons\A.png ...), laid out at
// rest in a window at (400, 300), item A hovered.
struct DraggableDock : FakePlatform {
    DraggableDock(std::uint16_t hotkeyOfA = 0, std::uint16_t hotkeyOfC = 0) {
        DockState& state = dock.state;
        files.Put("C:\\Dock\\res\\0.png", pngHeader(107, 104));
        state.pictures.backgroundImage = pictures.NewPicture();
        state.pictures.backgroundImage->LoadFromFile("C:\\Dock\\res\\0.png");
        const std::uint16_t hotkeys[] = {hotkeyOfA, 0, hotkeyOfC, 0};
        for (int i = 1; i <= 4; ++i) {
            const std::string title(1, static_cast<char>('A' + i - 1));
            const std::string path = "C:\\icons\\" + title + ".png";
            files.Put(path, pngHeader(48, 48));
            state.pictures.imagePool.push_back(pictures.NewPicture());
            state.pictures.imagePool.back()->LoadFromFile(path);
            state.items.Insert(i, DockItem{title, hotkeys[i - 1], "C:\\" + title + ".exe", ""}, i);
        }
        layoutRow(state, 1);
        window.rect = {400, 300, 400 + windowWidth(state.metrics, 4), 640};
        state.frame.hoverIndex = 1;
    }
    std::string titles() const {
        std::string out;
        for (int i = 1; i <= dock.state.items.Count(); ++i) out += dock.state.items[i].item.title;
        return out;
    }
    // Press on the hovered item at `from`, move past the drag distance to `to`.
    void dragTo(PointI from, PointI to) {
        pressItem(dock, features.drag, from);
        movePressedPointer(dock, features.drag, to, kDragDistance);
    }
    // The pointer at window point `p` for the next tick.
    void tickAt(PointI p) {
        window.cursor = {window.rect.left + p.x, window.rect.top + p.y};
        animationTick(dock, features);
    }
    bool saveDue() const { return dock.state.saving.saveDue; }
};

// Window x of the centre of resting cell n.
std::int32_t cellCentre(int n) {
    return 144 + 36 * (n - 1) + 18;
}

TEST(DragLandingIndex, IsTheRestingCellUnderThePointerClampedToTheRowsEnds) {
    DraggableDock fake;
    const std::pair<std::int32_t, int> cases[] = {
        {-5000, 1},         {143, 1}, {144, 1}, {179, 1},  {180, 2},
        {cellCentre(3), 3}, {287, 4}, {288, 4}, {5000, 4},
    };
    for (const auto& [x, index] : cases)
        EXPECT_EQ(dragLandingIndex(fake.dock.state, {x, kRowY}), index) << x;
}

TEST(DragLandingIndex, IsZeroMoreThanOneCellHeightAboveOrBelowTheStrip) {
    DraggableDock fake;
    // The strip runs from rowTop - 8 = 144 to 194; a cell is 36 high.
    const std::pair<std::int32_t, int> cases[] = {
        {108, 2}, {107, 0}, {-400, 0}, {230, 2}, {231, 0}, {900, 0},
    };
    for (const auto& [y, index] : cases)
        EXPECT_EQ(dragLandingIndex(fake.dock.state, {cellCentre(2), y}), index) << y;
}

TEST(IndexAfterMove, FollowsTheMovedItemAndShiftsTheOnesBetween) {
    struct Case {
        int index, from, to, after;
    };
    const Case cases[] = {
        {1, 1, 3, 3}, {2, 1, 3, 1}, {3, 1, 3, 2}, {4, 1, 3, 4},  // to the right
        {4, 4, 2, 2}, {2, 4, 2, 3}, {3, 4, 2, 4}, {1, 4, 2, 1},  // to the left
        {0, 1, 3, 0}, {2, 2, 2, 2},                              // none, in place
    };
    for (const Case& c : cases)
        EXPECT_EQ(indexAfterMove(c.index, c.from, c.to), c.after)
            << c.index << " " << c.from << "->" << c.to;
}

TEST(MoveItem, TakesTheItemWithItsPictureAndHotkeyAndRenumbersTheIdsBetween) {
    DraggableDock fake(kCtrlAltA, kCtrlAltX);
    fake.hotkeys.registered = {{1, Combo{3, 0x41}}, {3, Combo{3, 0x58}}};
    fake.dock.state.commands.lastLaunchIndex = 1;
    moveItem(fake.dock, 1, 3);

    EXPECT_EQ(fake.titles(), "BCAD");
    EXPECT_EQ(fake.dock.state.items[3].imageSlot, 1);
    EXPECT_EQ(fake.dock.state.items[3].item.hotkey, kCtrlAltA);
    // Every id of the range goes before any comes back, so Ctrl+Alt+X is free
    // for id 2 although id 3 held it.
    EXPECT_EQ(fake.hotkeys.log,
              (std::vector<std::string>{"unregister 1", "unregister 2", "unregister 3",
                                        "register 2 3 88", "register 3 3 65"}));
    EXPECT_EQ(fake.hotkeys.registered,
              (std::map<int, Combo>{{2, Combo{3, 0x58}}, {3, Combo{3, 0x41}}}));
    EXPECT_EQ(fake.dock.state.commands.lastLaunchIndex, 3);
    std::vector<float> lefts;
    for (int i = 1; i <= 4; ++i) lefts.push_back(fake.dock.state.items[i].currentRect.left);
    EXPECT_EQ(lefts, (std::vector<float>{144, 180, 216, 252}));
    EXPECT_EQ(fake.canvas.calls.back().op, "Present");
    EXPECT_TRUE(fake.saveDue());
}

TEST(MoveItem, ToTheLeftShiftsTheCoolDownOfAnItemBetween) {
    DraggableDock fake;
    fake.dock.state.commands.lastLaunchIndex = 2;
    moveItem(fake.dock, 4, 1);
    EXPECT_EQ(fake.titles(), "DABC");
    EXPECT_EQ(fake.dock.state.commands.lastLaunchIndex, 3);
    EXPECT_EQ(fake.hotkeys.log, (std::vector<std::string>{"unregister 1", "unregister 2",
                                                          "unregister 3", "unregister 4"}));
}

TEST(ItemDrag, AcrossTheRowMovesTheItemWhereItIsReleasedAndReleasesTheCapture) {
    DraggableDock fake;
    fake.dragTo({cellCentre(1), kRowY}, {cellCentre(1) + 10, kRowY});
    EXPECT_EQ(fake.features.drag.phase, ItemDrag::Phase::dragging);
    fake.tickAt({cellCentre(3), kRowY});
    EXPECT_EQ(fake.features.drag.landing, 3);
    EXPECT_EQ(fake.window.timerArms.back(), 10u);
    releaseItem(fake.dock, fake.features.drag, {cellCentre(3), kRowY});

    EXPECT_EQ(fake.titles(), "BCAD");
    EXPECT_EQ(fake.features.drag.phase, ItemDrag::Phase::none);
    EXPECT_FALSE(fake.window.captured);
    EXPECT_EQ(fake.dock.state.frame.hoverIndex, 0);
    EXPECT_EQ(fake.dock.state.items[3].currentRect, fake.dock.state.items[3].baseRect);
    EXPECT_TRUE(fake.saveDue());
}

TEST(ItemDrag, BackToItsOwnPlaceChangesNothingAndSavesNothing) {
    DraggableDock fake(kCtrlAltA);
    fake.dragTo({cellCentre(1), kRowY}, {cellCentre(2), kRowY});
    releaseItem(fake.dock, fake.features.drag, {cellCentre(1) + 5, kRowY});
    EXPECT_EQ(fake.titles(), "ABCD");
    EXPECT_TRUE(fake.hotkeys.log.empty());
    EXPECT_FALSE(fake.saveDue());
    EXPECT_EQ(fake.dock.state.items[1].currentRect, fake.dock.state.items[1].baseRect);
}

TEST(ItemDrag, StartsOnlyPastTheDragDistanceAndAPlainClickStaysAClick) {
    DraggableDock fake;
    pressItem(fake.dock, fake.features.drag, {160, kRowY});
    EXPECT_EQ(fake.window.log, (std::vector<std::string>{"capture"}));
    movePressedPointer(fake.dock, fake.features.drag, {164, kRowY - 4}, kDragDistance);
    EXPECT_EQ(fake.features.drag.phase, ItemDrag::Phase::pressed);
    EXPECT_TRUE(fake.canvas.calls.empty());
    releaseItem(fake.dock, fake.features.drag, {164, kRowY - 4});
    EXPECT_EQ(fake.window.log, (std::vector<std::string>{"capture", "release"}));
    EXPECT_EQ(fake.dock.state.frame.hoverIndex, 1) << "the click leaves the hover alone";
    EXPECT_TRUE(fake.canvas.calls.empty());
}

TEST(ItemDrag, NeverStartsWhileLockedBusyOrWithDragToReorderOff) {
    for (int which = 0; which < 3; ++which) {
        DraggableDock fake;
        if (which == 0) fake.dock.settings.locked = 1;
        if (which == 1) fake.dock.state.commands.busy = true;
        if (which == 2) fake.dock.settings.dragReorder = 0;
        fake.dragTo({cellCentre(1), kRowY}, {cellCentre(3), kRowY});
        releaseItem(fake.dock, fake.features.drag, {cellCentre(3), kRowY});
        EXPECT_EQ(fake.titles(), "ABCD") << which;
        EXPECT_FALSE(fake.window.captured) << which;
        EXPECT_EQ(fake.features.drag.phase, ItemDrag::Phase::none) << which;
    }
}

TEST(ItemDrag, OpensAGapWhereTheItemWouldLandAndDrawsItOnTopAtThePointer) {
    DraggableDock fake;
    fake.dock.state.frame.zoomIndex = 1;
    fake.dock.state.frame.zoomPercent = 60;
    fake.dragTo({cellCentre(1), kRowY}, {cellCentre(1) + 10, kRowY});
    EXPECT_EQ(fake.dock.state.frame.zoomPercent, 0) << "nothing magnifies while dragging";
    for (int i = 0; i < 10; ++i) fake.tickAt({cellCentre(3), 160});
    const DockState& state = fake.dock.state;
    // B and C close up to cells 1 and 2, D stays in 4: the gap is cell 3.
    EXPECT_EQ(state.items[2].currentRect, state.items[1].baseRect);
    EXPECT_EQ(state.items[3].currentRect, state.items[2].baseRect);
    EXPECT_EQ(state.items[4].currentRect, state.items[4].baseRect);
    EXPECT_EQ(state.items[1].currentRect, (RectF{216, -10, 252, 26}));

    fake.canvas.calls.clear();
    fake.tickAt({cellCentre(3) + 1, 160});
    const auto pictures = fake.canvas.Only("DrawImage");
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_EQ(pictures.back().picture, "file:C:\\icons\\A.png");
    EXPECT_EQ(pictures.back().args, (std::vector<double>{222, 147, 26, 26}));
    // The strip stays the resting row's: 30 px past cells 1 and 4.
    EXPECT_EQ(fake.canvas.Only("DrawImageSlice").front().args[0], 114);

    // A still pointer draws nothing more.
    fake.canvas.calls.clear();
    fake.tickAt({cellCentre(3) + 1, 160});
    EXPECT_TRUE(fake.canvas.calls.empty());
}

TEST(ItemDrag, OffTheStripAsksLikeDeleteAndNoPutsTheItemBack) {
    DraggableDock fake;
    fake.messages.answers = {7};
    fake.dragTo({cellCentre(1), kRowY}, {cellCentre(2), 40});
    releaseItem(fake.dock, fake.features.drag, {cellCentre(2), 40});
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "A");
    EXPECT_EQ(fake.messages.shown[0].caption, std::string(texts::kDeleteCaption));
    EXPECT_EQ(fake.titles(), "ABCD");
    EXPECT_FALSE(fake.saveDue());
    EXPECT_FALSE(fake.window.captured);
    EXPECT_EQ(fake.dock.state.items[1].currentRect, fake.dock.state.items[1].baseRect);
}

TEST(ItemDrag, OffTheStripWithYesRemovesTheItemAndSaves) {
    DraggableDock fake;
    fake.dock.state.frame.hoverIndex = 3;
    fake.messages.answers = {kAnswerYes};
    fake.dragTo({cellCentre(3), kRowY}, {cellCentre(3), 300});
    releaseItem(fake.dock, fake.features.drag, {cellCentre(3), 300});
    EXPECT_EQ(fake.messages.shown.at(0).text, "C");
    EXPECT_EQ(fake.titles(), "ABD");
    EXPECT_TRUE(fake.saveDue());
    EXPECT_FALSE(fake.dock.state.commands.busy);
}

TEST(ItemDrag, CancelPutsEverythingBackAndReleasesTheCaptureOnEveryPath) {
    DraggableDock fake;
    fake.dragTo({cellCentre(1), kRowY}, {cellCentre(4), kRowY});
    fake.tickAt({cellCentre(4), kRowY});
    EXPECT_TRUE(cancelItemDrag(fake.dock, fake.features.drag));
    EXPECT_EQ(fake.titles(), "ABCD");
    EXPECT_FALSE(fake.window.captured);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(fake.dock.state.items[i].currentRect, fake.dock.state.items[i].baseRect);
    // The release that follows a cancel is no drop.
    releaseItem(fake.dock, fake.features.drag, {cellCentre(4), kRowY});
    EXPECT_EQ(fake.titles(), "ABCD");
    EXPECT_FALSE(fake.saveDue());

    // A press that never became a drag: released, but nothing to cancel.
    fake.dock.state.frame.hoverIndex = 1;
    pressItem(fake.dock, fake.features.drag, {cellCentre(1), kRowY});
    EXPECT_FALSE(cancelItemDrag(fake.dock, fake.features.drag));
    EXPECT_FALSE(fake.window.captured);

    // The dock closing mid-drag.
    fake.dock.state.frame.hoverIndex = 1;
    fake.dragTo({cellCentre(1), kRowY}, {cellCentre(4), kRowY});
    stopDock(fake.dock, fake.features);
    EXPECT_FALSE(fake.window.captured);
    EXPECT_EQ(fake.features.drag.phase, ItemDrag::Phase::none);
    EXPECT_EQ(fake.titles(), "ABCD");
}

}  // namespace
}  // namespace dock
