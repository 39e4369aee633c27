#include "features/arranging/delete_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "render/layout.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePicture;
using testing::FakePlatform;
using testing::pngHeader;

// Items A..D (or as many as titles), each with its own loaded picture, laid
// out and with the hotkeys registered as the dock would have them.
struct DockWithItems : FakePlatform {
    explicit DockWithItems(std::vector<DockItem> items) {
        DockState& state = dock.state;
        files.Put("C:\\Dock\\res\\0.png", pngHeader(107, 104));
        state.pictures.backgroundImage = pictures.NewPicture();
        state.pictures.backgroundImage->LoadFromFile("C:\\Dock\\res\\0.png");
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string path = "C:\\icons\\" + std::to_string(i + 1) + ".png";
            files.Put(path, pngHeader(48, 48));
            state.pictures.imagePool.push_back(pictures.NewPicture());
            state.pictures.imagePool.back()->LoadFromFile(path);
            state.items.Insert(static_cast<int>(i) + 1, items[i], static_cast<int>(i) + 1);
            const std::uint16_t h = items[i].hotkey;
            if (h != 0) hotkeys.registered[static_cast<int>(i) + 1] = {hotkeyMods(h), h & 0xFFu};
        }
        layoutRow(state, 1);
        const std::int32_t width = windowWidth(state.metrics, state.items.Count());
        window.rect = {400, 300, 400 + width, 300 + 340};
        state.frame.hoverIndex = 2;
        state.commands.menuTargetIndex = 2;
    }
    static std::uint32_t hotkeyMods(std::uint16_t h) {
        switch (h >> 8) {
            case 2:
                return 2;
            case 3:
                return 6;
            case 6:
                return 3;
            default:
                return 0;
        }
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (int i = 1; i <= dock.state.items.Count(); ++i)
            out.push_back(dock.state.items[i].item.title);
        return out;
    }
    const FakePicture& picture(int slot) const {
        return static_cast<const FakePicture&>(*dock.state.pictures.imagePool[slot - 1]);
    }
};

DockItem item(const std::string& title, std::uint16_t hotkey = 0) {
    return DockItem{title, hotkey, "C:\\apps\\" + title + ".exe", ""};
}

constexpr std::uint16_t kCtrlAltX = 0x0658;
constexpr std::uint16_t kCtrlShiftF = 0x0346;

TEST(DeleteItem, AsksWithTheTitleTheDeleteCaptionAndYesNoExclamation) {
    DockWithItems fake({item("A"), item("B"), item("C")});
    fake.messages.answers = {kAnswerYes};
    deleteItem(fake.dock, 2);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "B");
    EXPECT_EQ(fake.messages.shown[0].caption, std::string(texts::kDeleteCaption));
    EXPECT_EQ(fake.messages.shown[0].style, 0x34u);
}

TEST(DeleteItem, AsksWithTheTargetPathWhenTheTitleIsEmpty) {
    DockWithItems fake({item("A"), DockItem{"", 0, "C:\\tools\\\xB9\xA4\xBE\xDF.exe", ""}});
    fake.messages.answers = {7};
    deleteItem(fake.dock, 2);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "C:\\tools\\\xB9\xA4\xBE\xDF.exe");
}

TEST(DeleteItem, OfItemTwoOfFourRenumbersTheHotkeysOfTheItemsBehindIt) {
    DockWithItems fake({item("A"), item("B"), item("C", kCtrlAltX), item("D", kCtrlShiftF)});
    fake.messages.answers = {kAnswerYes};
    deleteItem(fake.dock, 2);

    EXPECT_EQ(fake.titles(), (std::vector<std::string>{"A", "C", "D"}));
    // Every id of the old numbering is released first, 4 included.
    ASSERT_GE(fake.hotkeys.log.size(), 4u);
    EXPECT_EQ(
        std::vector<std::string>(fake.hotkeys.log.begin(), fake.hotkeys.log.begin() + 4),
        (std::vector<std::string>{"unregister 1", "unregister 2", "unregister 3", "unregister 4"}));
    // The former 3 answers as 2 and the former 4 as 3, both modifiers kept.
    using Combo = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(fake.hotkeys.registered,
              (std::map<int, Combo>{{2, Combo{3, 0x58}}, {3, Combo{6, 0x46}}}));
    for (const std::string& entry : fake.hotkeys.log) EXPECT_NE(entry.rfind("register 4", 0), 0u);
    EXPECT_EQ(fake.dock.state.items[2].item.hotkey, kCtrlAltX);
    EXPECT_EQ(fake.dock.state.items[3].item.hotkey, kCtrlShiftF);
}

TEST(DeleteItem, DisposesThePictureAndLeavesItsSlotFreeInThePool) {
    DockWithItems fake({item("A"), item("B"), item("C"), item("D")});
    fake.messages.answers = {kAnswerYes};
    deleteItem(fake.dock, 2);
    ASSERT_EQ(fake.dock.state.pictures.imagePool.size(), 4u);
    EXPECT_FALSE(fake.picture(2).IsLoaded());
    EXPECT_TRUE(fake.picture(1).IsLoaded());
    EXPECT_TRUE(fake.picture(3).IsLoaded());
    std::vector<int> slots;
    for (int i = 1; i <= 3; ++i) slots.push_back(fake.dock.state.items[i].imageSlot);
    EXPECT_EQ(slots, (std::vector<int>{1, 3, 4}));
}

TEST(DeleteItem, ClosesTheRowUpFromTheLeftMargin) {
    DockWithItems fake({item("A"), item("B"), item("C"), item("D")});
    fake.messages.answers = {kAnswerYes};
    deleteItem(fake.dock, 2);
    std::vector<float> lefts;
    for (int i = 1; i <= 3; ++i) lefts.push_back(fake.dock.state.items[i].baseRect.left);
    EXPECT_EQ(lefts, (std::vector<float>{144, 180, 216}));
    EXPECT_EQ(fake.dock.state.frame.hoverIndex, 0);
}

TEST(DeleteItem, MovesTheWindowHalfACellRightAndMakesTheSurfaceOneCellNarrower) {
    DockWithItems fake({item("A"), item("B"), item("C"), item("D")});  // 432 wide at x 400
    fake.messages.answers = {kAnswerYes};
    deleteItem(fake.dock, 2);

    ASSERT_EQ(fake.window.placements.size(), 1u);
    EXPECT_EQ(fake.window.placements[0],
              (testing::FakeWindow::Placement{true, 418, 300, 414, 340}));
    const auto creates = fake.canvas.Only("Create");
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].args, (std::vector<double>{396, 340, 0xFFFFFF, 0, 255, 0}));
    EXPECT_EQ(creates[0].text, std::string(texts::kCaptionFont));
    // The centre stays: 400 + 432 / 2 = 418 + 396 / 2.
    EXPECT_EQ(400 + 432 / 2, 418 + 396 / 2);
    EXPECT_EQ(fake.window.dropAccepts, 1);
    EXPECT_EQ(fake.canvas.calls.back().op, "Present");
}

TEST(DeleteItem, KeepsTheWindowBehindOthersWhenNotAlwaysOnTop) {
    DockWithItems fake({item("A"), item("B")});
    fake.dock.settings.alwaysOnTop = 0;
    fake.messages.answers = {kAnswerYes};
    deleteItem(fake.dock, 1);
    ASSERT_EQ(fake.window.placements.size(), 1u);
    EXPECT_EQ(fake.window.placements[0],
              (testing::FakeWindow::Placement{false, 418, 300, 342, 340}));
}

TEST(DeleteItem, OfTheLastItemDrawsTheEmptyDockWithItsSlicesAtBackgroundHeightMinus14) {
    DockWithItems fake({item("A")});
    fake.messages.answers = {kAnswerYes};
    deleteItem(fake.dock, 1);

    EXPECT_EQ(fake.dock.state.items.Count(), 0);
    const auto creates = fake.canvas.Only("Create");
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].args[0], 288);
    EXPECT_EQ(fake.canvas.Only("BeginFrame").size(), 1u);
    EXPECT_EQ(fake.canvas.calls.size(), 6u);  // Create, BeginFrame, three slices, Present
    const auto slices = fake.canvas.Only("DrawImageSlice");
    ASSERT_EQ(slices.size(), 3u);
    std::vector<double> xs, ys;
    for (const auto& s : slices) {
        xs.push_back(s.args[0]);
        ys.push_back(s.args[1]);
    }
    EXPECT_EQ(xs, (std::vector<double>{114, 130, 196}));
    EXPECT_EQ(ys, (std::vector<double>{90, 90, 90}));
    EXPECT_EQ(fake.canvas.calls.back().op, "Present");
    EXPECT_EQ(fake.window.placements.back(),
              (testing::FakeWindow::Placement{true, 418, 300, 306, 340}));
}

TEST(DeleteItem, DeclinedChangesNothingAndResumesTheAnimation) {
    DockWithItems fake({item("A"), item("B", kCtrlAltX)});
    fake.messages.answers = {7};
    deleteItem(fake.dock, 2);

    EXPECT_EQ(fake.titles(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(fake.hotkeys.log.empty());
    EXPECT_TRUE(fake.window.placements.empty());
    EXPECT_TRUE(fake.canvas.calls.empty());
    EXPECT_TRUE(fake.picture(2).IsLoaded());
    EXPECT_EQ(fake.dock.state.frame.hoverIndex, 2);
    EXPECT_EQ(fake.window.log, (std::vector<std::string>{"stop", "arm 10"}));
    EXPECT_FALSE(fake.dock.state.commands.busy);
}

TEST(DeleteItem, OfIndexZeroDoesNothingAtAll) {
    DockWithItems fake({item("A")});
    deleteItem(fake.dock, 0);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(fake.window.log.empty());
    EXPECT_EQ(fake.dock.state.items.Count(), 1);
}

TEST(DeleteItem, OfAnIndexPastTheListAsksNothingButStillResumes) {
    DockWithItems fake({item("A")});
    deleteItem(fake.dock, 5);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.window.log, (std::vector<std::string>{"stop", "arm 10"}));
    EXPECT_FALSE(fake.dock.state.commands.busy);
}

// Records whether the dock was blocked while the confirmation was up.
struct BlockedProbe : MessagePort {
    Dock* dock = nullptr;
    testing::FakeWindow* window = nullptr;
    bool busyWhileAsking = false;
    int stopsWhileAsking = 0;
    int ShowMessageBox(const std::string&, const std::string&, std::uint32_t) override {
        busyWhileAsking = dock->state.commands.busy;
        stopsWhileAsking = window->timerStops;
        return kAnswerYes;
    }
};

TEST(DeleteItem, KeepsTheDockBlockedWhileItAsksAndEndsWithTheTimerAt10Ms) {
    DockWithItems fake({item("A"), item("B")});
    BlockedProbe probe;
    Dock dock{Platform{fake.files, fake.profile, probe, fake.pictures, fake.canvas, fake.hotkeys,
                       fake.icons, fake.window, fake.shell, fake.foreground},
              "C:\\Dock", fake.dock.leadBytes, fake.dock.settings, std::move(fake.dock.state)};
    probe.dock = &dock;
    probe.window = &fake.window;
    deleteItem(dock, 1);
    EXPECT_TRUE(probe.busyWhileAsking);
    EXPECT_EQ(probe.stopsWhileAsking, 1);
    EXPECT_EQ(dock.state.items.Count(), 1);
    EXPECT_EQ(fake.window.timerArms.back(), 10u);
    EXPECT_EQ(fake.window.log.back(), "arm 10");
    EXPECT_FALSE(dock.state.commands.busy);
}

}  // namespace
}  // namespace dock
