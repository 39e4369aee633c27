#include "items/icon_source_win32.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../render/surface_win32.h"
#include "app/extended_commands.h"
#include "fakes/fake_platform.h"
#include "items/add_item.h"
#include "items/icon_extraction.h"
#include "items_test_support.h"
#include "render/builtin_pictures.h"
#include "render/dock_image_win32.h"
#include "render/frame.h"
#include "render/layout.h"
#include "resource_ids.h"

namespace dock {
namespace {

using ::testing::ElementsAre;
using testing::fileExists;
using testing::ScratchFolder;
using testing::testDirectory;

const char* const kNotepad = "C:\\windows\\notepad.exe";

std::string fixture(const std::string& name) {
    return testDirectory() + "\\icons_" + name + ".exe";
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// What the .ico must be for an entry of the fixtures (planes 1, no colour
// count) and the image stored under its id.
Bytes expectedIcon(std::uint8_t size, std::uint8_t colours, std::uint8_t bits,
                   const std::string& image) {
    Bytes ico = {
        0, 0, 1, 0,  1, 0, size, size, colours, 0, 1, 0, bits, 0, std::uint8_t(image.size()),
        0, 0, 0, 22, 0, 0, 0};
    for (char c : image) ico.push_back(std::uint8_t(c));
    return ico;
}

// Every icon resource copied during the enumeration, as the slow way does it.
IconResources readEveryIconResource(const std::string& path) {
    IconResources all;
    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return all;
    ::EnumResourceNamesA(module, RT_GROUP_ICON, collectIconResource, LONG_PTR(&all));
    ::EnumResourceNamesA(module, RT_ICON, collectIconResource, LONG_PTR(&all));
    ::FreeLibrary(module);
    return all;
}

struct IconSourceWin32 : ::testing::Test {
    Win32IconSource source;
};

TEST_F(IconSourceWin32, ChoosesThe48PixelEntryOfTheFirstGroupInResourceOrder) {
    EXPECT_EQ(extractExeIcon(source, fixture("typical")),
              expectedIcon(48, 0, 32, "image 48x48 32-bit"));
}

TEST_F(IconSourceWin32, ChoosesTheLaterOfTwoEqualEntries) {
    EXPECT_EQ(extractExeIcon(source, fixture("ties")), expectedIcon(32, 0, 32, "second 32x32"));
}

TEST_F(IconSourceWin32, KeepsALargerEntryOverALaterSmallerOneWithMoreBits) {
    EXPECT_EQ(extractExeIcon(source, fixture("size_first")),
              expectedIcon(48, 16, 4, "image 48x48 4-bit"));
}

TEST_F(IconSourceWin32, TakesALonely256PixelEntry) {
    EXPECT_EQ(extractExeIcon(source, fixture("only_256")),
              expectedIcon(0, 0, 32, "image 256x256 png"));
}

TEST_F(IconSourceWin32, GivesTheBareHeaderWhenTheChosenImageIsMissing) {
    EXPECT_THAT(extractExeIcon(source, fixture("missing_id")), ElementsAre(0, 0, 1, 0, 1, 0));
}

// The resource compiler refuses group blocks shorter than their count, so
// those are written into a copy of a fixture with UpdateResource.
std::string withGroup(const ScratchFolder& folder, const std::string& name, const Bytes& group) {
    const std::string path = folder / name;
    if (!::CopyFileA(fixture("ties").c_str(), path.c_str(), FALSE)) return {};
    HANDLE update = ::BeginUpdateResourceA(path.c_str(), FALSE);
    if (update == nullptr) return {};
    const WORD language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    ::UpdateResourceA(update, RT_GROUP_ICON, MAKEINTRESOURCEA(1), language,
                      const_cast<std::uint8_t*>(group.data()), DWORD(group.size()));
    return ::EndUpdateResourceA(update, FALSE) ? path : std::string();
}

TEST_F(IconSourceWin32, ReadsZerosPastTheEndOfAShortGroup) {
    ScratchFolder folder("items_short");
    // Three entries announced; the second is cut after its sizes, so its bit
    // count reads 0 and it does not replace the first; the third lies past the end.
    const std::string shortGroup =
        withGroup(folder, "short.exe",
                  {0, 0, 1, 0, 3, 0, 32, 32, 0, 0, 1, 0, 32, 0, 99, 0, 0, 0, 2, 0, 48, 48});
    ASSERT_FALSE(shortGroup.empty());
    EXPECT_EQ(extractExeIcon(source, shortGroup), expectedIcon(32, 0, 32, "second 32x32"));
    // A hostile count over a header alone: every entry reads as zeros, so the
    // last one is chosen with id 0, which no image has.
    const std::string hostile = withGroup(folder, "hostile.exe", {0, 0, 1, 0, 0xFF, 0x7F});
    ASSERT_FALSE(hostile.empty());
    EXPECT_EQ(extractExeIcon(source, hostile), (Bytes{0, 0, 1, 0, 1, 0}));
    const Bytes readBack = source.ReadIconResources(hostile, kClassicIconChoice)->iconGroups.at(0);
    EXPECT_EQ(readBack.size(), 6u);
}

TEST_F(IconSourceWin32, CopiesOnlyTheChosenImageYetAssemblesWhatCopyingEveryImageGives) {
    for (const std::string& path :
         {std::string(kNotepad), fixture("typical"), fixture("ties"), fixture("size_first"),
          fixture("only_256"), fixture("missing_id")}) {
        const IconResources all = readEveryIconResource(path);
        const std::optional<IconResources> read =
            source.ReadIconResources(path, kClassicIconChoice);
        ASSERT_TRUE(read.has_value()) << path;
        EXPECT_EQ(read->iconGroups, all.iconGroups) << path;
        EXPECT_LE(read->iconImages.size(), 1u) << path;
        EXPECT_EQ(assembleIcon(*read), assembleIcon(all)) << path;
    }
}

TEST_F(IconSourceWin32, ReadsWinesNotepadAndItsIconDecodes) {
    const IconResources all = readEveryIconResource(kNotepad);
    ASSERT_EQ(all.iconGroups.size(), 1u);
    EXPECT_EQ(all.iconGroups[0][4], 10);  // ten entries
    EXPECT_EQ(all.iconImages.size(), 10u);

    const Bytes ico = extractExeIcon(source, kNotepad);
    ASSERT_GT(ico.size(), 22u);
    EXPECT_EQ(ico[6], 48);  // 256 (width byte 0), then 48 and 32 at 32 bits: 48 wins
    EXPECT_EQ(ico[7], 48);
    EXPECT_EQ(ico[12], 32);  // bit count
    const std::uint32_t length = ico[14] | (ico[15] << 8) | (ico[16] << 16) | (ico[17] << 24);
    EXPECT_EQ(length, ico.size() - 22);

    DockImage picture;
    ASSERT_TRUE(picture.LoadFromMemory(ico));
    EXPECT_EQ(picture.Width(), 48u);
    EXPECT_EQ(picture.Height(), 48u);
}

TEST_F(IconSourceWin32, ReadsA32BitModuleThatCannotBeLoadedAsCode) {
    const std::string path = fixture("typical32");
    ::SetLastError(0);
    HMODULE asCode = ::LoadLibraryA(path.c_str());
    EXPECT_EQ(asCode, nullptr);
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_BAD_EXE_FORMAT));
    if (asCode != nullptr) ::FreeLibrary(asCode);
    EXPECT_EQ(extractExeIcon(source, path), expectedIcon(48, 0, 32, "image 48x48 32-bit"));
}

TEST_F(IconSourceWin32, GivesNothingForATextFileAFolderAMissingFileAndAnEmptyPath) {
    ScratchFolder folder("items_icons");
    testing::writeTextFile(folder / "notes.exe", "just text, no module");
    for (const std::string& path :
         {folder / "notes.exe", folder.path(), folder / "missing.exe", std::string()}) {
        EXPECT_FALSE(source.ReadIconResources(path, kClassicIconChoice).has_value()) << path;
        EXPECT_TRUE(extractExeIcon(source, path).empty()) << path;
    }
}

TEST_F(IconSourceWin32, NeverRunsTheStartUpCodeOfTheModuleItReads) {
    ScratchFolder folder("items_marker");
    const std::string tool = folder / "tool.exe";
    ASSERT_TRUE(::CopyFileA((testDirectory() + "\\marker.dll").c_str(), tool.c_str(), FALSE));
    const std::string marker = tool + ".ran";

    EXPECT_EQ(extractExeIcon(source, tool), expectedIcon(48, 0, 32, "image 48x48 32-bit"));
    EXPECT_FALSE(fileExists(marker));

    // The same file loaded as code does run it, so the check above can fail.
    HMODULE loaded = ::LoadLibraryA(tool.c_str());
    ASSERT_NE(loaded, nullptr);
    ::FreeLibrary(loaded);
    EXPECT_TRUE(fileExists(marker));
}

TEST(LoadResourceBytes, CopiesOneResourceAndNothingForAMissingOne) {
    HMODULE module = ::LoadLibraryExA(fixture("ties").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(loadResourceBytes(module, RT_ICON, MAKEINTRESOURCEA(2)), text("second 32x32"));
    EXPECT_TRUE(loadResourceBytes(module, RT_ICON, MAKEINTRESOURCEA(3)).empty());
    EXPECT_TRUE(loadResourceBytes(module, RT_BITMAP, MAKEINTRESOURCEA(1)).empty());
    ::FreeLibrary(module);
}

TEST(CollectIconResource, ListsGroupsAndImagesWithTheirIdsInEnumerationOrder) {
    const IconResources all = readEveryIconResource(fixture("typical"));
    ASSERT_EQ(all.iconGroups.size(), 2u);
    EXPECT_EQ(all.iconGroups[0].size(), 6u + 14 * 4);  // group 1 before group 9
    EXPECT_EQ(all.iconGroups[1].size(), 6u + 14);
    EXPECT_THAT(all.iconIds, ElementsAre(1, 2, 3, 4));
    EXPECT_EQ(all.iconImages[3], text("image 256x256 32-bit"));
}

bool isRed(std::uint32_t argb) {
    return argb == 0xFFFF0000u;
}
bool isBlue(std::uint32_t argb) {
    return argb == 0xFF0000FFu;
}
bool isWhitish(std::uint32_t argb) {
    return (argb >> 24) == 0xFF && ((argb >> 16) & 0xFF) > 200 && ((argb >> 8) & 0xFF) > 200 &&
           (argb & 0xFF) > 200;
}

// 高清图标 on the real surface, for a module whose group holds a red 48 x 48
// bitmap image and a blue 256 x 256 PNG image with a white border 16 wide.
TEST(SharpIcons, TheMagnifiedItemShowsThe48ImageClassicallyAndThe256OneSwitchedOn) {
    testing::TestWindow window;
    testing::FakePlatform fake;
    DockCanvas canvas;
    canvas.AttachWindow(window.get());
    DockImageFactory pictures;
    Win32IconSource icons;
    Dock dock{Platform{fake.files, fake.profile, fake.messages, pictures, canvas, fake.hotkeys,
                       icons, fake.window, fake.shell, fake.foreground},
              "C:\\Dock",
              fake.dock.leadBytes,
              {},
              {}};
    DockState& state = dock.state;
    state.pictures.backgroundImage = pictures.NewPicture();
    ASSERT_TRUE(state.pictures.backgroundImage->LoadFromMemory(embedded::BackgroundPicture));
    state.metrics.backgroundWidth = std::int32_t(state.pictures.backgroundImage->Width());
    state.metrics.backgroundHeight = std::int32_t(state.pictures.backgroundImage->Height());
    state.metrics.floatDistance = 48;
    state.metrics.rowTop = rowTop(state.metrics);
    DockItem item{"", 0, fixture("sharp"), ""};
    addItem(dock, item, 0, true);
    recreateCanvas(frameOf(dock));
    const Picture& picture = *state.pictures.imagePool.at(0);
    EXPECT_EQ(picture.Width(), 48u);

    // The pointer on the item until it is fully magnified.
    const RectF& base = state.items[1].baseRect;
    state.frame.hoverIndex = 1;
    state.frame.pointerX = std::int32_t(base.left + base.Width() / 2);
    state.frame.pointerY = std::int32_t(state.metrics.rowTop + base.top);
    for (int frame = 0; frame < 100 && state.frame.zoomPercent < 100; ++frame)
        renderFrame(frameOf(dock), false);
    ASSERT_EQ(state.frame.zoomPercent, 100);
    // The picture's middle, and a point 1 px inside its left edge.
    const RectF& shown = state.items[1].currentRect;
    const int padding = state.metrics.cellPadding;
    const int size = magnifiedPictureSize(state.metrics);
    ASSERT_EQ(std::int32_t(shown.Width()) - 2 * padding, size);
    const int left = std::int32_t(shown.left) + padding;
    const int middleY = state.metrics.rowTop + std::int32_t(shown.top) + padding + size / 2;
    auto middle = [&] { return testing::pixelsOf(canvas).at(left + size / 2, middleY); };
    auto nearEdge = [&] { return testing::pixelsOf(canvas).at(left + 1, middleY); };
    EXPECT_PRED1(isRed, middle());
    EXPECT_PRED1(isRed, nearEdge());

    switchExtendedSetting(dock, fake.features, *extendedSettingOfCommand(IDM_SHARP_ICONS));
    EXPECT_EQ(picture.Width(), 256u);
    EXPECT_PRED1(isBlue, middle());
    EXPECT_PRED1(isWhitish, nearEdge());

    switchExtendedSetting(dock, fake.features, *extendedSettingOfCommand(IDM_SHARP_ICONS));
    EXPECT_EQ(picture.Width(), 48u);
    EXPECT_PRED1(isRed, middle());
    canvas.Destroy();
}

}  // namespace
}  // namespace dock
