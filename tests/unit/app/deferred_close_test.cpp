#include "app/deferred_close.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/arranging/delete_item.h"
#include "fakes/fake_platform.h"
#include "items/item_settings.h"
#include "render/layout.h"

namespace dock {
namespace {

using testing::FakePlatform;
using testing::pngHeader;

constexpr int kAnswerNo = 7;
constexpr int kAnswerOk = 1;
constexpr std::uint16_t kCtrlAltF = 0x0646;

// A message box in whose loop a close arrives; the adapter then ends the box
// with `endedAs`, as its unchanging button would.
class ClosedWhileShown : public MessagePort {
  public:
    ClosedWhileShown(DeferredClose& closes, int endedAs) : closes_(closes), endedAs_(endedAs) {}
    std::vector<std::string> shown;
    std::vector<bool> closedAtOnce;

    int ShowMessageBox(const std::string& text, const std::string&, std::uint32_t) override {
        shown.push_back(text);
        closedAtOnce.push_back(closes_.CloseNow());
        closedAtOnce.push_back(closes_.CloseNow());  // "end task" may ask twice
        return endedAs_;
    }

  private:
    DeferredClose& closes_;
    int endedAs_;
};

// Items A, B, C (C with Ctrl+Alt+F), each with a picture, on the fakes of
// `fake` but with `messages` for the boxes.
struct ThreeItems {
    explicit ThreeItems(MessagePort& messages)
        : dock{Platform{fake.files, fake.profile, messages, fake.pictures, fake.canvas,
                        fake.hotkeys, fake.icons, fake.window, fake.shell, fake.foreground},
               "C:\\Dock",
               fake.dock.leadBytes,
               fake.dock.settings,
               {}} {
        dock.state.metrics = fake.dock.state.metrics;
        fake.files.Put("C:\\icons\\item.png", pngHeader(48, 48));
        int n = 0;
        for (const char* title : {"A", "B", "C"}) {
            dock.state.pictures.imagePool.push_back(fake.pictures.NewPicture());
            dock.state.pictures.imagePool.back()->LoadFromFile("C:\\icons\\item.png");
            ++n;
            dock.state.items.Insert(n,
                                    DockItem{title, n == 3 ? kCtrlAltF : std::uint16_t{0},
                                             std::string("C:\\") + title + ".exe", ""},
                                    n);
        }
        fake.hotkeys.registered[3] = {3, 0x46};
        layoutRow(dock.state, 1);
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (int n = 1; n <= dock.state.items.Count(); ++n)
            out.push_back(dock.state.items[n].item.title);
        return out;
    }
    FakePlatform fake;
    Dock dock;
};

TEST(DeferredClose, WithNoCommandRunningTheDockShutsDownAtOnce) {
    DeferredClose closes;
    EXPECT_TRUE(closes.CloseNow());
    FakePlatform fake;
    EXPECT_FALSE(closes.RunCommand(fake.dock.state, [] {}));
}

TEST(DeferredClose, DuringTheDeleteConfirmationKeepsEveryItemAndReportsTheCloseOnceUnwound) {
    DeferredClose closes;
    ClosedWhileShown messages(closes, kAnswerNo);
    ThreeItems three(messages);
    three.fake.window.log.clear();
    const bool closed = closes.RunCommand(three.dock.state, [&] { deleteItem(three.dock, 2); });
    EXPECT_TRUE(closed);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"B"});
    EXPECT_EQ(messages.closedAtOnce, (std::vector<bool>{false, false}));
    EXPECT_EQ(three.titles(), (std::vector<std::string>{"A", "B", "C"}));
    // The delete unwound as after No: the timer runs and busy is clear again
    // before the shutdown that is now due stops it for good.
    EXPECT_EQ(three.fake.window.log, (std::vector<std::string>{"stop", "arm 10"}));
    EXPECT_FALSE(three.dock.state.commands.busy);
    EXPECT_TRUE(closes.CloseNow());  // the command is over: a close acts at once again
}

TEST(DeferredClose, DuringTheHotkeyFailureBoxPutsTheEditedItemBackAsItWas) {
    DeferredClose closes;
    ClosedWhileShown messages(closes, kAnswerOk);
    ThreeItems three(messages);
    three.fake.hotkeys.heldElsewhere.insert({6, 0x46});  // Ctrl+Shift+F
    ItemSettingsForm form{"Renamed", "", 0x0346};
    const bool closed =
        closes.RunCommand(three.dock.state, [&] { saveItemSettings(three.dock, 3, form); });
    EXPECT_TRUE(closed);
    ASSERT_EQ(messages.shown.size(), 1u);
    const DockItem& item = three.dock.state.items[3].item;
    EXPECT_EQ(item.title, "C");
    EXPECT_EQ(item.hotkey, kCtrlAltF);
}

TEST(DeferredClose, ACommandNobodyClosedKeepsWhatItChanged) {
    DeferredClose closes;
    testing::FakeMessages messages;
    messages.answers = {kAnswerYes};
    ThreeItems three(messages);
    EXPECT_FALSE(closes.RunCommand(three.dock.state, [&] { deleteItem(three.dock, 2); }));
    EXPECT_EQ(three.titles(), (std::vector<std::string>{"A", "C"}));
}

}  // namespace
}  // namespace dock
