#include "items/item_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "render/builtin_pictures.h"
#include "render/layout.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePicture;
using testing::FakePlatform;
using testing::pngHeader;

constexpr std::uint16_t kCtrlAltF = 0x0646;
constexpr std::uint16_t kCtrlShiftF = 0x0346;

// One item "Foo" with Ctrl+Alt+F registered under id 1 and its own picture.
struct DockWithFoo : FakePlatform {
    DockWithFoo() {
        files.Put("C:\\icons\\foo.png", pngHeader(48, 48));
        dock.state.pictures.imagePool.push_back(pictures.NewPicture());
        dock.state.pictures.imagePool.back()->LoadFromFile("C:\\icons\\foo.png");
        dock.state.items.Insert(1, DockItem{"Foo", kCtrlAltF, "C:\\foo.exe", "C:\\icons\\foo.png"},
                                1);
        layoutRow(dock.state, 1);
        hotkeys.registered[1] = {3, 0x46};
        dock.state.commands.editedItemIndex = 1;
    }
    DockItem& foo() { return dock.state.items[1].item; }
    const FakePicture& picture() const {
        return static_cast<const FakePicture&>(*dock.state.pictures.imagePool[0]);
    }
    ItemSettingsForm unchanged() { return {foo().title, foo().customIconPath, foo().hotkey}; }
};

TEST(ItemSettingsCaption, IsTheCaptionPrefixFollowedByTheTitle) {
    EXPECT_EQ(itemSettingsCaption(DockItem{"Foo", 0, "", ""}), "\xC9\xE8\xD6\xC3 - Foo");
    EXPECT_EQ(itemSettingsCaption(DockItem{}), "\xC9\xE8\xD6\xC3 - ");
}

TEST(IconFileFilter, PairsEachNameWithItsPatternAndEndsWithTwoNuls) {
    const std::string expected(
        "ICO \xB8\xF1\xCA\xBD (*.ico)\0*.ico\0PNG \xB8\xF1\xCA\xBD (*.png)\0*.png\0\0", 47);
    EXPECT_EQ(iconFileFilter(), expected);
}

TEST(SaveItemSettings, TakesAChangedTitleAndAnEmptyOne) {
    DockWithFoo fake;
    ItemSettingsForm form = fake.unchanged();
    form.title = "\xB2\xE2\xCA\xD4";  // 测试
    saveItemSettings(fake.dock, 1, form);
    EXPECT_EQ(fake.foo().title, "\xB2\xE2\xCA\xD4");
    form.title.clear();
    saveItemSettings(fake.dock, 1, form);
    EXPECT_EQ(fake.foo().title, "");
}

TEST(SaveItemSettings, WithNothingChangedTouchesNothing) {
    DockWithFoo fake;
    fake.hotkeys.heldElsewhere.insert({3, 0x46});  // registering again would now fail
    saveItemSettings(fake.dock, 1, fake.unchanged());
    EXPECT_TRUE(fake.hotkeys.log.empty());
    EXPECT_TRUE(fake.canvas.calls.empty());
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.picture().loads, 1);
}

TEST(SaveItemSettings, ReplacesThePictureWithAnExistingCustomIconAndRedraws) {
    DockWithFoo fake;
    fake.files.Put("D:\\new.png", pngHeader(64, 32));
    ItemSettingsForm form = fake.unchanged();
    form.customIconPath = "D:\\new.png";
    saveItemSettings(fake.dock, 1, form);
    EXPECT_EQ(fake.foo().customIconPath, "D:\\new.png");
    EXPECT_EQ(fake.picture().source, "file:D:\\new.png");
    EXPECT_EQ(fake.picture().Width(), 64u);
    ASSERT_FALSE(fake.canvas.calls.empty());
    EXPECT_EQ(fake.canvas.calls.back().op, "Present");
    EXPECT_EQ(fake.canvas.Only("DrawImagePart").size() + fake.canvas.Only("DrawImage").size() > 0,
              true);
}

TEST(SaveItemSettings, KeepsThePictureAndPathForAPathThatNamesNothingOrIsEmpty) {
    for (const char* path : {"D:\\missing.png", ""}) {
        DockWithFoo fake;
        ItemSettingsForm form = fake.unchanged();
        form.customIconPath = path;
        saveItemSettings(fake.dock, 1, form);
        EXPECT_EQ(fake.foo().customIconPath, "C:\\icons\\foo.png") << path;
        EXPECT_EQ(fake.picture().source, "file:C:\\icons\\foo.png") << path;
        EXPECT_TRUE(fake.canvas.calls.empty()) << path;
        EXPECT_TRUE(fake.messages.shown.empty()) << path;
    }
}

TEST(SaveItemSettings, GivesAnUndecodableIconResTwoPngWhenItExists) {
    DockWithFoo fake;
    fake.files.Put("D:\\broken.png", "not a picture");
    fake.files.Put("C:\\Dock/res/2.png", pngHeader(40, 40));
    ItemSettingsForm form = fake.unchanged();
    form.customIconPath = "D:\\broken.png";
    saveItemSettings(fake.dock, 1, form);
    EXPECT_EQ(fake.foo().customIconPath, "D:\\broken.png");
    EXPECT_EQ(fake.picture().source, "file:C:\\Dock/res/2.png");
    EXPECT_TRUE(fake.picture().IsLoaded());
}

TEST(SaveItemSettings, GivesAnUndecodableIconOrAFolderTheBuiltInDefaultPicture) {
    for (bool folder : {false, true}) {
        DockWithFoo fake;
        const std::string path = folder ? "D:\\pictures" : "D:\\broken.ico";
        if (folder)
            fake.files.directories.insert(path);
        else
            fake.files.Put(path, "garbage");
        ItemSettingsForm form = fake.unchanged();
        form.customIconPath = path;
        saveItemSettings(fake.dock, 1, form);
        EXPECT_EQ(fake.foo().customIconPath, path);
        EXPECT_EQ(fake.picture().source,
                  "memory:" + std::to_string(embedded::DefaultItemPicture.size()));
        EXPECT_EQ(fake.picture().Width(), 72u);
    }
}

TEST(SaveItemSettings, ChangingCtrlAltFToCtrlShiftFReleasesTheOldAndRegistersTheNew) {
    DockWithFoo fake;
    ItemSettingsForm form = fake.unchanged();
    form.hotkey = kCtrlShiftF;
    saveItemSettings(fake.dock, 1, form);
    EXPECT_EQ(fake.hotkeys.log, (std::vector<std::string>{"unregister 1", "register 1 6 70"}));
    EXPECT_EQ(fake.foo().hotkey, kCtrlShiftF);
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST(SaveItemSettings, ClearingTheHotkeyReleasesItAndStoresZeroSilently) {
    DockWithFoo fake;
    ItemSettingsForm form = fake.unchanged();
    form.hotkey = 0;
    saveItemSettings(fake.dock, 1, form);
    EXPECT_EQ(fake.hotkeys.log, (std::vector<std::string>{"unregister 1"}));
    EXPECT_EQ(fake.foo().hotkey, 0);
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST(SaveItemSettings, AllThreeModifiersRegisterTheBareKey) {
    DockWithFoo fake;
    ItemSettingsForm form = fake.unchanged();
    form.hotkey = 0x0746;
    saveItemSettings(fake.dock, 1, form);
    EXPECT_EQ(fake.hotkeys.log.back(), "register 1 0 70");
    EXPECT_EQ(fake.foo().hotkey, 0x0746);
}

TEST(SaveItemSettings, AHotkeyHeldElsewhereIsReportedAndLeavesTheItemWithoutOne) {
    DockWithFoo fake;
    fake.hotkeys.heldElsewhere.insert({6, 0x46});
    ItemSettingsForm form = fake.unchanged();
    form.hotkey = kCtrlShiftF;
    saveItemSettings(fake.dock, 1, form);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text,
              "\xD7\xA2\xB2\xE1\xBF\xEC\xBD\xDD\xBC\xFC\xCA\xA7\xB0\xDC!");
    EXPECT_EQ(fake.messages.shown[0].caption, "\xB4\xED\xCE\xF3");
    EXPECT_EQ(fake.messages.shown[0].style, 0x30u);
    EXPECT_EQ(fake.foo().hotkey, 0);
    EXPECT_EQ(fake.hotkeys.registered.count(1), 0u);
}

TEST(SaveItemSettings, ForAnIndexOutsideTheListChangesNothing) {
    DockWithFoo fake;
    for (int index : {0, 2, -1}) {
        saveItemSettings(fake.dock, index, {"X", "", 0});
        EXPECT_EQ(fake.foo().title, "Foo");
        EXPECT_TRUE(fake.hotkeys.log.empty());
    }
}

}  // namespace
}  // namespace dock
