#include "items/add_item.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "fakes/fake_platform.h"
#include "app/extended_commands.h"
#include "features/arranging/chosen_files.h"
#include "items/hotkeys.h"
#include "items/item_pictures.h"
#include "render/builtin_pictures.h"
#include "render/layout.h"
#include "resource_ids.h"
#include "support/texts.h"

namespace dock {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The two code pages the program is tested at: 936 and the single-byte 1252.
const LeadBytes kGbk = testing::gbkLeadBytes();
const LeadBytes kCp1252;

TEST(FileExtension, IsTheLowerCasedTextAfterTheLastDot) {
    EXPECT_EQ(fileExtension("C:\\Tools\\Editor.EXE", kGbk), "exe");
    EXPECT_EQ(fileExtension("C:\\Tools\\Editor.Lnk", kGbk), "lnk");
    EXPECT_EQ(fileExtension("archive.tar.gz", kGbk), "gz");
    EXPECT_EQ(fileExtension("C:\\Tools\\Editor.exe ", kGbk), "exe ");
    EXPECT_EQ(fileExtension("C:\\Tools\\Editor.", kGbk), "");
}

TEST(FileExtension, IsTheWholePathWhenThereIsNoDot) {
    EXPECT_EQ(fileExtension("C:\\Tools\\README", kGbk), "c:\\tools\\readme");
    EXPECT_EQ(fileExtension("", kGbk), "");
}

TEST(FileExtension, LeavesTheSecondBytesOfTwoByteCharactersAlone) {
    // 0xB1 0x41 and 0x81 0x5A are GBK characters whose trail bytes read as "A" and "Z".
    EXPECT_EQ(fileExtension("C:\\a.\xB1\x41X\x81\x5A", kGbk), "\xB1\x41x\x81\x5A");
    EXPECT_EQ(fileExtension("C:\\a.\xC4\xDA", kGbk), "\xC4\xDA");
    // In code page 1252 every byte is a character: the letters are letters.
    EXPECT_EQ(fileExtension("C:\\a.\xB1\x41X\x81\x5A", kCp1252), "\xB1\x61x\x81\x7A");
}

TEST(DeriveTitle, IsTheFileNameWithoutItsExtension) {
    EXPECT_EQ(deriveTitle("C:\\Tools\\Editor.exe", "exe", kGbk), "Editor");
    EXPECT_EQ(deriveTitle("C:\\Tools\\archive.tar.gz", "gz", kGbk), "archive.tar");
    EXPECT_EQ(deriveTitle("Editor.EXE", "exe", kGbk), "Editor");
    EXPECT_EQ(deriveTitle("C:\\Tools\\.exe", "exe", kGbk), "");
}

TEST(DeriveTitle, IsEmptyForFoldersFilesWithoutExtensionAndTrailingSeparators) {
    for (const std::string path : {"C:\\Tools\\Folder", "C:\\Tools\\", "C:\\Tools\\README", ""}) {
        EXPECT_EQ(deriveTitle(path, fileExtension(path, kGbk), kGbk), "") << path;
    }
}

TEST(DeriveTitle, KeepsGbkCharactersWhoseTrailByteIsABackslash) {
    // 0x95 0x5C is one character: its second byte is no separator.
    const std::string path = "C:\\\xB3\xCC\xD0\xF2\\\x95\x5C\xC6\xF7.exe";
    EXPECT_EQ(deriveTitle(path, fileExtension(path, kGbk), kGbk), "\x95\x5C\xC6\xF7");
    const std::string upper = "D:\\\xB1\x41\xB1\x5A.Exe";
    EXPECT_EQ(deriveTitle(upper, fileExtension(upper, kGbk), kGbk), "\xB1\x41\xB1\x5A");
}

TEST(DeriveTitle, CutsAtEveryBackslashOnASingleByteCodePage) {
    // C:\Café\App.exe in code page 1252; in GBK, E9 5C would be one character.
    const std::string cafe = "C:\\Caf\xE9\\App.exe";
    EXPECT_EQ(deriveTitle(cafe, fileExtension(cafe, kCp1252), kCp1252), "App");
    EXPECT_EQ(deriveTitle(cafe, fileExtension(cafe, kGbk), kGbk), "Caf\xE9\\App");
}

struct AddItemTest : ::testing::Test {
    testing::FakePlatform fake;
    Dock& dock = fake.dock;
    FeatureStates& features = fake.features;
    DockState& state = fake.dock.state;

    AddItemTest() {
        state.pictures.backgroundImage = std::make_unique<testing::FakePicture>(fake.files);
        state.pictures.trayImage = std::make_unique<testing::FakePicture>(fake.files);
    }
    void configured(const std::string& title, std::uint16_t hotkey, const std::string& target,
                    int position = 0) {
        DockItem item{title, hotkey, target, ""};
        addItem(dock, item, position, true);
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (int i = 1; i <= state.items.Count(); ++i) out.push_back(state.items[i].item.title);
        return out;
    }
    std::vector<int> slots() const {
        std::vector<int> out;
        for (int i = 1; i <= state.items.Count(); ++i) out.push_back(state.items[i].imageSlot);
        return out;
    }
    std::vector<float> lefts() const {
        std::vector<float> out;
        for (int i = 1; i <= state.items.Count(); ++i) out.push_back(state.items[i].baseRect.left);
        return out;
    }
    std::string pictureOf(int index) const {
        const Picture& p = *state.pictures.imagePool[std::size_t(state.items[index].imageSlot - 1)];
        return static_cast<const testing::FakePicture&>(p).source;
    }
    static std::string builtIn() {
        return "memory:" + std::to_string(embedded::DefaultItemPicture.size());
    }
    // A module whose one group names one 32 x 32 image of ten bytes.
    IconResources exeIcons() {
        IconResources r;
        r.iconGroups.push_back({0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 5, 0});
        r.iconImages.push_back(Bytes(10, 0x7A));
        r.iconIds.push_back(5);
        return r;
    }
};

TEST_F(AddItemTest, DropPositionWithoutHoverSplitsTheDockInHalves) {
    configured("a", 0, "a.txt");
    configured("b", 0, "b.txt");
    // Two items: the window is 144 * 2 + 36 * 2 = 360 wide, its middle at 180.
    state.frame.pointerX = 179;
    EXPECT_EQ(dropPosition(state), 1);
    state.frame.pointerX = 180;
    EXPECT_EQ(dropPosition(state), 3);
    state.frame.pointerX = -5;
    EXPECT_EQ(dropPosition(state), 1);
    state.frame.hoverIndex = 3;  // stale: names no item
    state.frame.pointerX = 300;
    EXPECT_EQ(dropPosition(state), 3);
}

TEST_F(AddItemTest, DropPositionOnAHoveredItemSplitsItsZoomedCell) {
    configured("a", 0, "a.txt");
    configured("b", 0, "b.txt");
    // Item 2 rests at 180..216; its zoomed cell starts at 162, its centre at 198.
    state.frame.hoverIndex = 2;
    state.frame.pointerX = 199;
    EXPECT_EQ(dropPosition(state), 3);
    state.frame.pointerX = 198;
    EXPECT_EQ(dropPosition(state), 2);
    state.frame.pointerX = 163;
    EXPECT_EQ(dropPosition(state), 2);
    state.frame.hoverIndex = 1;
    state.frame.pointerX = 163;
    EXPECT_EQ(dropPosition(state), 2);
    state.frame.pointerX = 150;
    EXPECT_EQ(dropPosition(state), 1);
}

TEST_F(AddItemTest, ThreeFilesDroppedRightOfTheMiddleAreAppendedInOrder) {
    configured("x", 0, "x.txt");
    configured("y", 0, "y.txt");
    state.frame.pointerX = 230;
    addDroppedFiles(dock, {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"});
    EXPECT_THAT(titles(), ElementsAre("x", "y", "a", "b", "c"));
}

TEST_F(AddItemTest, ThreeFilesDroppedOnTheLeftHalfArriveAtTheFrontReversed) {
    configured("x", 0, "x.txt");
    configured("y", 0, "y.txt");
    state.frame.pointerX = 100;
    addDroppedFiles(dock, {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"});
    EXPECT_THAT(titles(), ElementsAre("c", "b", "a", "x", "y"));
}

TEST_F(AddItemTest, LaterFilesOfADropJustRightOfTheMiddleGoToTheFront) {
    configured("x", 0, "x.txt");
    configured("y", 0, "y.txt");
    state.frame.pointerX = 185;  // right of 180, left of 198 and 216 once the dock has grown
    addDroppedFiles(dock, {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"});
    EXPECT_THAT(titles(), ElementsAre("c", "b", "x", "y", "a"));
}

TEST_F(AddItemTest, FilesDroppedOnAHoveredItemAreInsertedAfterItReversed) {
    configured("x", 0, "x.txt");
    configured("y", 0, "y.txt");
    state.frame.hoverIndex = 1;
    state.frame.pointerX = 170;
    addDroppedFiles(dock, {"C:\\a.txt", "C:\\b.txt"});
    EXPECT_THAT(titles(), ElementsAre("x", "b", "a", "y"));
}

TEST(ChosenFilePaths, AreTheOnePathOrTheFolderJoinedToEachName) {
    using namespace std::string_view_literals;
    EXPECT_THAT(chosenFilePaths("C:\\Apps\\a.exe\0\0"sv, kGbk), ElementsAre("C:\\Apps\\a.exe"));
    EXPECT_THAT(chosenFilePaths("C:\\Apps\0a.exe\0b.lnk\0\0"sv, kGbk),
                ElementsAre("C:\\Apps\\a.exe", "C:\\Apps\\b.lnk"));
    EXPECT_THAT(chosenFilePaths("C:\\\0a.exe\0b.exe\0\0"sv, kGbk),
                ElementsAre("C:\\a.exe", "C:\\b.exe"));
    EXPECT_TRUE(chosenFilePaths("\0\0"sv, kGbk).empty());
    // C:\誠 (D5 5C) ends in no separator in GBK; in 1252 its last byte is one.
    EXPECT_THAT(chosenFilePaths("C:\\\xD5\\\0a\0\0"sv, kGbk), ElementsAre("C:\\\xD5\\\\a"));
    EXPECT_THAT(chosenFilePaths("C:\\\xD5\\\0a\0\0"sv, kCp1252), ElementsAre("C:\\\xD5\\a"));
}

TEST_F(AddItemTest, ChosenFilesGoWhereADropAtTheMenusPointWouldPutThemAndAreToBeSaved) {
    configured("x", 0, "x.txt");
    configured("y", 0, "y.txt");
    // The menu opened right of item 1's zoomed centre; the pointer has moved on since.
    state.commands.menuTargetIndex = 1;
    state.commands.menuPointerX = 170;
    state.frame.hoverIndex = 0;
    state.frame.pointerX = 10;
    addChosenFiles(dock, {"C:\\a.txt", "C:\\b.txt"});
    EXPECT_THAT(titles(), ElementsAre("x", "b", "a", "y"));
    EXPECT_EQ(fake.window.placements.size(), 2u) << "the window grows per file, as for a drop";
    EXPECT_TRUE(state.saving.saveDue);
}

TEST_F(AddItemTest, ADroppedRecordStartsWithoutHotkeyOrCustomIcon) {
    addDroppedFiles(dock, {"C:\\Apps\\Foo.EXE"});
    const DockItem& item = state.items[1].item;
    EXPECT_EQ(item.title, "Foo");
    EXPECT_EQ(item.hotkey, 0);
    EXPECT_EQ(item.targetPath, "C:\\Apps\\Foo.EXE");
    EXPECT_EQ(item.customIconPath, "");
}

TEST_F(AddItemTest, StoresADeepCopyAndWritesTheDerivedTitleBack) {
    DockItem record{"old", 0x0641, "C:\\Tools\\Editor.exe", "C:\\icon.png"};
    addItem(dock, record, 0, false);
    EXPECT_EQ(record.title, "Editor");
    record.title = "changed";
    record.targetPath.clear();
    const DockItem& stored = state.items[1].item;
    EXPECT_EQ(stored.title, "Editor");
    EXPECT_EQ(stored.hotkey, 0x0641);
    EXPECT_EQ(stored.targetPath, "C:\\Tools\\Editor.exe");
    EXPECT_EQ(stored.customIconPath, "C:\\icon.png");
}

TEST_F(AddItemTest, KeepsTheConfiguredTitleEvenWhenEmpty) {
    DockItem record{"", 0, "C:\\Tools\\Editor.exe", ""};
    addItem(dock, record, 1, true);
    EXPECT_EQ(state.items[1].item.title, "");
}

TEST_F(AddItemTest, TakesTheIconOfAnExecutableInAnyCase) {
    fake.icons.modules["C:\\Apps\\Foo.EXE"] = exeIcons();
    configured("", 0, "C:\\Apps\\Foo.EXE");
    EXPECT_EQ(pictureOf(1), "memory:32");  // 22-byte header and the 10-byte image
    EXPECT_THAT(fake.icons.log, ElementsAre("icons C:\\Apps\\Foo.EXE"));
}

TEST_F(AddItemTest, TakesTheIconOfAShortcutsTargetAndKeepsTheShortcutAsTarget) {
    fake.icons.shortcuts["C:\\Apps\\Foo.LNK"] = "C:\\Program Files\\Foo\\foo.exe";
    fake.icons.modules["C:\\Program Files\\Foo\\foo.exe"] = exeIcons();
    addDroppedFiles(dock, {"C:\\Apps\\Foo.LNK"});
    EXPECT_EQ(state.items[1].item.title, "Foo");
    EXPECT_EQ(state.items[1].item.targetPath, "C:\\Apps\\Foo.LNK");
    EXPECT_EQ(pictureOf(1), "memory:32");
    EXPECT_THAT(fake.icons.log,
                ElementsAre("shortcut C:\\Apps\\Foo.LNK", "icons C:\\Program Files\\Foo\\foo.exe"));
}

// A module whose group holds a 48 x 48 image of ten bytes (id 1) and a
// 256-pixel PNG image, 24 bytes up to its size (id 2).
IconResources twoSizes() {
    IconResources r;
    r.iconGroups.push_back({0,  0,  1, 0, 2, 0,                             // two entries
                            48, 48, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 1, 0,    // 48 x 48, id 1
                            0,  0,  0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 2, 0});  // 256, id 2
    r.iconImages = {Bytes(10, 0x48), {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
                                      'I',  'H', 'D', 'R', 0,    0,    1,    0,    0, 0, 1, 0}};
    r.iconIds = {1, 2};
    return r;
}

TEST_F(AddItemTest, SwitchingSharpIconsTakesTheModuleIconsAgainAtTheMagnifiedSize) {
    fake.icons.modules["C:\\a.exe"] = twoSizes();
    fake.icons.modules["C:\\b.exe"] = twoSizes();
    fake.icons.shortcuts["C:\\b.lnk"] = "C:\\b.exe";
    fake.files.Put("C:\\own.png", "not decodable");
    configured("", 0, "C:\\a.exe");
    configured("", 0, "C:\\b.lnk");
    DockItem custom{"", 0, "C:\\a.exe", "C:\\own.png"};
    addItem(dock, custom, 0, true);
    configured("", 0, "C:\\c.txt");
    EXPECT_EQ(pictureOf(1), "memory:32");  // the 48-pixel image
    fake.icons.log.clear();

    const ExtendedSetting& sharp = *extendedSettingOfCommand(IDM_SHARP_ICONS);
    switchExtendedSetting(dock, features, sharp);
    // Custom icons are used as they are; a document has no module to ask.
    EXPECT_THAT(fake.icons.log, ElementsAre("icons C:\\a.exe at 62", "shortcut C:\\b.lnk",
                                            "icons C:\\b.exe at 62"));
    EXPECT_EQ(pictureOf(1), "memory:24");  // the 256-pixel image, as the PNG file it is
    EXPECT_EQ(pictureOf(2), "memory:24");
    EXPECT_EQ(pictureOf(3), builtIn());
    EXPECT_EQ(pictureOf(4), builtIn());
    EXPECT_EQ(fake.canvas.Only("Present").size(), 1u);

    // The wanted size follows the metrics, as they are scaled.
    state.metrics.cellPadding = 8;
    state.metrics.cellWidth = state.metrics.cellHeight = 54;
    EXPECT_EQ(magnifiedPictureSize(state.metrics), 92);
    fake.icons.log.clear();
    reloadItemPictures(dock);
    EXPECT_EQ(fake.icons.log.front(), "icons C:\\a.exe at 92");

    switchExtendedSetting(dock, features, sharp);
    EXPECT_EQ(fake.icons.log.back(), "icons C:\\b.exe");
    EXPECT_EQ(pictureOf(1), "memory:32");
}

TEST_F(AddItemTest, AnUnreadableShortcutGivesTheDefaultPictureWithoutAModuleLookup) {
    configured("", 0, "C:\\Apps\\Broken.lnk");
    EXPECT_EQ(pictureOf(1), builtIn());
    EXPECT_THAT(fake.icons.log, ElementsAre("shortcut C:\\Apps\\Broken.lnk"));
}

TEST_F(AddItemTest, LooksUpNoIconForOtherExtensions) {
    for (const std::string path : {"C:\\notes.txt", "C:\\Tools", "C:\\a.exe ", "C:\\a.exe.bak"}) {
        configured("", 0, path);
    }
    EXPECT_THAT(fake.icons.log, IsEmpty());
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(pictureOf(i), builtIn());
}

TEST_F(AddItemTest, AnExistingCustomIconWinsOverTheExecutablesIcon) {
    fake.icons.modules["C:\\a.exe"] = exeIcons();
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + std::string(8, '\0') +
                            std::string("\0\0\0\x40\0\0\0\x40", 8);
    fake.files.Put("C:\\icons\\a.png", png);
    DockItem record{"a", 0, "C:\\a.exe", "C:\\icons\\a.png"};
    addItem(dock, record, 0, true);
    EXPECT_EQ(pictureOf(1), "memory:24");
    EXPECT_THAT(fake.icons.log, IsEmpty());
}

TEST_F(AddItemTest, AnExistingCustomIconThatIsNoPictureGivesTheDefaultPicture) {
    fake.icons.modules["C:\\a.exe"] = exeIcons();
    fake.files.Put("C:\\icons\\notes.txt", "not a picture");
    fake.files.directories.insert("C:\\icons");
    DockItem record{"a", 0, "C:\\a.exe", "C:\\icons\\notes.txt"};
    addItem(dock, record, 0, true);
    DockItem folder{"b", 0, "C:\\a.exe", "C:\\icons"};
    addItem(dock, folder, 0, true);
    EXPECT_EQ(pictureOf(1), builtIn());
    EXPECT_EQ(pictureOf(2), builtIn());
    EXPECT_THAT(fake.icons.log, IsEmpty());
}

TEST_F(AddItemTest, AMissingCustomIconFallsBackToTheExecutablesIcon) {
    fake.icons.modules["C:\\a.exe"] = exeIcons();
    DockItem record{"a", 0, "C:\\a.exe", "C:\\icons\\gone.png"};
    addItem(dock, record, 0, true);
    EXPECT_EQ(pictureOf(1), "memory:32");
}

TEST_F(AddItemTest, AnExecutableWithoutUsableIconShowsTheReplacementDefaultPicture) {
    IconResources noImage = exeIcons();
    noImage.iconIds = {6};  // the group names an id the module lacks
    fake.icons.modules["C:\\a.exe"] = noImage;
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + std::string(8, '\0') +
                            std::string("\0\0\0\x48\0\0\0\x48", 8);
    fake.files.Put("C:\\Dock/res/2.png", png);
    configured("a", 0, "C:\\a.exe");
    configured("b", 0, "C:\\b.txt");
    EXPECT_EQ(pictureOf(1), "file:C:\\Dock/res/2.png");
    EXPECT_EQ(pictureOf(2), "file:C:\\Dock/res/2.png");
}

TEST_F(AddItemTest, InsertsAtTheFrontInTheMiddleAndAtTheEndKeepingEveryEntryInStep) {
    configured("b", 0, "b.txt");  // appended: slot 1
    configured("d", 0, "d.txt");  // appended: slot 2
    state.items[1].lift = 3.5f;
    configured("a", 0, "a.txt", 1);
    configured("c", 0, "c.txt", 3);
    configured("e", 0, "e.txt", 5);
    EXPECT_THAT(titles(), ElementsAre("a", "b", "c", "d", "e"));
    EXPECT_THAT(slots(), ElementsAre(3, 1, 4, 2, 5));
    EXPECT_THAT(lefts(), ElementsAre(144, 180, 216, 252, 288));
    for (int i = 1; i <= 5; ++i) {
        const DockEntry& e = state.items[i];
        EXPECT_EQ(e.baseRect, (RectF{144.0f + 36 * (i - 1), 0, 180.0f + 36 * (i - 1), 36}));
        EXPECT_EQ(e.currentRect, e.baseRect);
        EXPECT_EQ(e.zoomRect, (RectF{126.0f + 36 * (i - 1), -36, 198.0f + 36 * (i - 1), 36}));
        EXPECT_EQ(e.lift, 0.0f);
    }
    EXPECT_EQ(state.pictures.imagePool.size(), 5u);
}

TEST_F(AddItemTest, RenumbersEveryHotkeyAfterAnInsertionAtTheFront) {
    configured("a", 0x0641, "a.txt");
    configured("b", 0, "b.txt");
    configured("c", 0x0242, "c.txt");
    fake.hotkeys.log.clear();
    configured("new", 0x0443, "n.txt", 1);
    EXPECT_THAT(fake.hotkeys.log,
                ElementsAre("unregister 1", "register 1 1 67", "unregister 2", "register 2 3 65",
                            "unregister 3", "unregister 4", "register 4 2 66"));
    using Combo = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_THAT(fake.hotkeys.registered, ElementsAre(std::pair<const int, Combo>{1, {1, 67}},
                                                     std::pair<const int, Combo>{2, {3, 65}},
                                                     std::pair<const int, Combo>{4, {2, 66}}));
}

TEST_F(AddItemTest, RenumbersFromTheMiddleAndForADroppedAppend) {
    configured("a", 0x0641, "a.txt");
    configured("b", 0x0242, "b.txt");
    fake.hotkeys.log.clear();
    configured("new", 0, "n.txt", 2);
    EXPECT_THAT(fake.hotkeys.log, ElementsAre("unregister 1", "register 1 3 65", "unregister 2",
                                              "unregister 3", "register 3 2 66"));
    fake.hotkeys.log.clear();
    state.frame.pointerX = 1000;
    addDroppedFiles(dock, {"C:\\z.txt"});
    EXPECT_THAT(fake.hotkeys.log, ElementsAre("unregister 1", "register 1 3 65", "unregister 2",
                                              "unregister 3", "register 3 2 66", "unregister 4"));
}

TEST_F(AddItemTest, AConfiguredAppendRenewsOnlyItsOwnId) {
    configured("a", 0x0641, "a.txt");
    configured("b", 0, "b.txt");
    configured("c", 0x0242, "c.txt");
    EXPECT_THAT(fake.hotkeys.log, ElementsAre("unregister 1", "register 1 3 65", "unregister 2",
                                              "unregister 3", "register 3 2 66"));
}

// Appending at start-up renews only the new id; that must leave exactly the
// registrations a full renumbering after every append would leave, also with
// duplicates and combinations other programs hold.
TEST(AddItemHotkeys, ConfiguredAppendsRegisterWhatFullRenumberingWould) {
    std::mt19937 random(20261209);
    const std::uint16_t pool[] = {0, 0, 0x0641, 0x0641, 0x0242, 0x0170, 0x0F25, 0x0826, 0x0141};
    for (int round = 0; round < 50; ++round) {
        testing::FakePlatform incremental, full;
        for (auto* f : {&incremental, &full}) f->hotkeys.heldElsewhere.insert({2, 0x42});
        for (int n = 1; n <= 40; ++n) {
            DockItem item{"", pool[random() % std::size(pool)], "x.txt", ""};
            addItem(incremental.dock, item, n, true);
            full.dock.state.items.Insert(n, item, 0);
            reregisterHotkeys(full.dock);
            ASSERT_EQ(incremental.hotkeys.registered, full.hotkeys.registered)
                << "round " << round << ", item " << n;
        }
    }
}

TEST_F(AddItemTest, ReusesTheLowestFreeSlotAndGrowsThePoolOnlyWhenFull) {
    for (const char* t : {"a.txt", "b.txt", "c.txt"}) configured("", 0, t);
    // What deleting items 1 and 2 leaves: their pictures disposed, their slots free.
    for (int i : {2, 1}) {
        state.pictures.imagePool[std::size_t(state.items[i].imageSlot - 1)]->Dispose();
        state.items.Remove(i);
    }
    const int made = fake.pictures.made;
    configured("", 0, "d.txt");
    configured("", 0, "e.txt");
    configured("", 0, "f.txt");
    EXPECT_THAT(slots(), ElementsAre(3, 1, 2, 4));
    EXPECT_EQ(fake.pictures.made, made + 1);
    EXPECT_EQ(state.pictures.imagePool.size(), 4u);
}

TEST_F(AddItemTest, NeverSharesTheSlotOfAnItemWhosePictureFailedToDecode) {
    configured("", 0, "a.txt");
    configured("", 0, "b.txt");
    state.pictures.imagePool[0]->Dispose();  // item 1 kept a custom icon that did not decode
    configured("", 0, "c.txt");
    EXPECT_THAT(slots(), ElementsAre(1, 2, 3));
}

TEST_F(AddItemTest, ADropGrowsTheWindowByOneCellAndRedraws) {
    configured("a", 0, "a.txt");
    fake.window.rect = {400, 300, 724, 640};
    addDroppedFiles(dock, {"C:\\b.txt"});
    EXPECT_THAT(fake.window.placements,
                ElementsAre(testing::FakeWindow::Placement{true, 382, 300, 360, 340}));
    // Then the redraw, which may re-arm the timer.
    ASSERT_GE(fake.window.log.size(), 2u);
    EXPECT_EQ(fake.window.log[0], "place");
    EXPECT_EQ(fake.window.log[1], "accept");
    const auto creates = fake.canvas.Only("Create");
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].args, (std::vector<double>{360, 340, 0xFFFFFF, 0, 255, 0}));
    EXPECT_EQ(creates[0].text, texts::kCaptionFont);
    EXPECT_EQ(fake.canvas.Only("Present").size(), 1u);
    EXPECT_EQ(fake.canvas.calls.front().op, "Create");
}

TEST_F(AddItemTest, ADropOnADockThatIsNotOnTopPlacesItBelowTopmostWindows) {
    dock.settings.alwaysOnTop = 0;
    dock.settings.highQuality = 1;
    fake.window.rect = {-50, 10, 238, 350};
    addDroppedFiles(dock, {"C:\\b.txt"});
    EXPECT_THAT(fake.window.placements,
                ElementsAre(testing::FakeWindow::Placement{false, -68, 10, 324, 340}));
    EXPECT_EQ(fake.canvas.Only("Create").at(0).args.back(), 1.0);
}

TEST_F(AddItemTest, AConfiguredItemNeitherMovesNorRedrawsTheWindow) {
    configured("a", 0, "a.txt");
    EXPECT_THAT(fake.window.log, IsEmpty());
    EXPECT_THAT(fake.canvas.calls, IsEmpty());
}

}  // namespace
}  // namespace dock
