#include "app/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "features/dpi/dpi_change.h"
#include "app/extended_commands.h"
#include "app/placement.h"
#include "fakes/fake_platform.h"
#include "items/add_item.h"
#include "render/builtin_pictures.h"
#include "support/text.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;
using Call = testing::RecordingSurface::Call;

const std::string kConfig = "C:\\Dock\\config.ini";
const std::string kBuiltinBackground =
    "memory:" + std::to_string(embedded::BackgroundPicture.size());
const std::string kBuiltinTray = "memory:" + std::to_string(embedded::SelectedTrayPicture.size());

class StartingTheDock : public ::testing::Test {
  protected:
    void setting(std::string_view key, const std::string& value) {
        platform.profile.Set(kConfig, std::string(texts::kSectionSettings), std::string(key),
                             value);
    }
    void itemKey(std::string_view prefix, int n, const std::string& value) {
        platform.profile.Set(kConfig, std::string(texts::kSectionItems),
                             std::string(prefix) + std::to_string(n), value);
    }
    void item(int n, const std::string& title, const std::string& hotkey,
              const std::string& target) {
        itemKey(texts::kKeyTitlePrefix, n, title);
        itemKey(texts::kKeyHotkeyPrefix, n, hotkey);
        itemKey(texts::kKeyTargetPrefix, n, target);
    }
    void itemCount(const std::string& value) {
        platform.profile.Set(kConfig, std::string(texts::kSectionItems),
                             std::string(texts::kKeyItemCount), value);
    }
    // A dialog manager that centred the 150 x 100 dialog at (540, 330).
    void SetUp() override { platform.window.rect = {540, 330, 765, 493}; }

    FakePlatform platform;
    Dock& dock = platform.dock;
    FeatureStates& features = platform.features;
};

TEST_F(StartingTheDock, WithoutConfigShowsTheEmptyDockWhereTheDialogManagerPutIt) {
    startDock(dock, features);

    EXPECT_EQ(platform.window.placements,
              (std::vector<FakeWindow::Placement>{{true, 540, 330, 288, 340}}));
    EXPECT_EQ(platform.window.log, (std::vector<std::string>{"place", "accept", "arm 10"}));
    EXPECT_EQ(platform.canvas.calls,
              (std::vector<Call>{
                  {"Create", "", {288, 340, 0xFFFFFF, 0, 255, 0}, std::string(texts::kCaptionFont)},
                  {"BeginFrame", "", {}, ""},
                  {"DrawImageSlice", kBuiltinBackground, {114, 144, 16, 50, 0, 0, 30, 104}, ""},
                  {"DrawImageSlice", kBuiltinBackground, {130, 144, 66, 50, 30, 0, 47, 104}, ""},
                  {"DrawImageSlice", kBuiltinBackground, {196, 144, 16, 50, 77, 0, 30, 104}, ""},
                  {"Present", "", {}, ""},
              }));
    EXPECT_FALSE(dock.state.commands.busy);
    EXPECT_EQ(dock.state.items.Count(), 0);
}

TEST_F(StartingTheDock, SetsTheLayoutMetricsFromTheBackground) {
    startDock(dock, features);
    const LayoutMetrics& m = dock.state.metrics;
    EXPECT_EQ(m.cellPadding, 5);
    EXPECT_EQ(m.cellWidth, 36);
    EXPECT_EQ(m.cellHeight, 36);
    EXPECT_EQ(m.titleSize, 18);
    EXPECT_EQ(m.leftMargin, 144);
    EXPECT_EQ(m.backgroundWidth, 107);
    EXPECT_EQ(m.backgroundHeight, 104);
    EXPECT_EQ(m.rowTop, 152);
}

// A DPI-aware process sees its monitor's DPI: every size is scaled, the
// background is still cut in its own pixels.
TEST_F(StartingTheDock, At144DpiTheEmptyDockIsHalfAgainAsLargeAndTheBackgroundCutAsBefore) {
    platform.window.dpi = 144;
    platform.window.monitorDpis = {144};
    startDock(dock, features);
    EXPECT_EQ(platform.window.placements,
              (std::vector<FakeWindow::Placement>{{true, 540, 330, 432, 510}}));
    // Where the dialog manager put it, in config.ini's units.
    EXPECT_EQ(dock.state.place.chosen, (PointI{360, 220}));
    EXPECT_EQ(platform.canvas.calls,
              (std::vector<Call>{
                  {"Create", "", {432, 510, 0xFFFFFF, 0, 255, 0}, std::string(texts::kCaptionFont)},
                  {"BeginFrame", "", {}, ""},
                  {"DrawImageSlice", kBuiltinBackground, {171, 216, 24, 75, 0, 0, 30, 104}, ""},
                  {"DrawImageSlice", kBuiltinBackground, {195, 216, 99, 75, 30, 0, 47, 104}, ""},
                  {"DrawImageSlice", kBuiltinBackground, {294, 216, 24, 75, 77, 0, 30, 104}, ""},
                  {"Present", "", {}, ""},
              }));
}

// What a dock the system scales sees: each monitor from its top-left corner
// in 96-DPI pixels. A at 150 %, B beside it at 100 %, C left of it at 125 %.
TEST(StoredPlaces, AreThePlaceInPixelsOf96DpiFromTheCornerOfTheRowsMonitor) {
    const std::vector<MonitorScale> monitors = {
        {{0, 0, 2880, 1620}, 144}, {{2880, 0, 4800, 1080}, 96}, {{-1280, 0, 0, 1024}, 120}};
    struct Case {
        PointI window, windowAnchor, stored, storedAnchor;
    };
    const Case cases[] = {
        {{450, 225}, {600, 400}, {300, 150}, {400, 260}},          // A
        {{-1000, 100}, {-900, 200}, {-1056, 80}, {-976, 160}},     // C
        {{2800, 100}, {2950, 200}, {2800, 100}, {2950, 200}},      // the row's: B, as it is
        {{-2000, 300}, {-1900, 400}, {-1856, 240}, {-1776, 320}},  // off every screen: C
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toStoredPlace(c.window, c.windowAnchor, monitors), c.stored) << c.window.x;
        EXPECT_EQ(toWindowPlace(c.stored, c.storedAnchor, monitors), c.window) << c.window.x;
    }
    // To the nearest pixel either way; the 96-DPI pixels of A and B leave a
    // gap between them, where A is nearer.
    EXPECT_EQ(toStoredPlace({451, 225}, {600, 400}, monitors), (PointI{301, 150}));
    EXPECT_EQ(toWindowPlace({301, 150}, {400, 260}, monitors), (PointI{452, 225}));
    EXPECT_EQ(toWindowPlace({2000, 100}, {2100, 200}, monitors), (PointI{3000, 150}));
    EXPECT_EQ(toWindowPlace({7, 8}, {9, 9}, {}), (PointI{7, 8}));
}

// A DPI-aware dock at 144 DPI shows config.ini's place where a dock the
// system scales would be, and saves it back as read.
TEST_F(StartingTheDock, At144DpiTheSavedPlaceIsWhereTheScaledDockWouldBe) {
    platform.window.dpi = 144;
    platform.window.monitorDpis = {144};
    setting(texts::kKeyLeft, "300");
    setting(texts::kKeyTop, "150");
    startDock(dock, features);
    EXPECT_EQ(platform.window.placements.at(0), (FakeWindow::Placement{true, 450, 225, 432, 510}));
    EXPECT_EQ(dock.state.place.chosen, (PointI{300, 150}));
    platform.window.MoveTo(451, 227);
    dockMovedByUser(dock);
    EXPECT_EQ(dock.state.place.chosen, (PointI{301, 151}));
    addDroppedFiles(dock, {"C:\\x.txt"});  // 27 pixels to the left: 18 at 96 DPI
    EXPECT_EQ(dock.state.place.chosen, (PointI{283, 151}));
}

TEST_F(StartingTheDock, ADpiChangeRescalesTheRowTakesTheSuggestedPlaceAndRemakesTheSurface) {
    item(1, "One", "0", "C:\\one.exe");
    itemCount("1");
    startDock(dock, features);
    ASSERT_EQ(dock.state.items[1].baseRect, (RectF{144, 0, 180, 36}));
    dock.state.frame.hoverIndex = 1;
    dock.state.frame.zoomIndex = 1;
    dock.state.frame.zoomPercent = 40;
    platform.canvas.calls.clear();
    platform.window.log.clear();

    changeDpi(dock, 144, {100, 50});
    EXPECT_EQ(dock.state.metrics.cellWidth, 54);
    EXPECT_EQ(dock.state.metrics.rowTop, 228);
    EXPECT_EQ(dock.state.items[1].baseRect, (RectF{216, 0, 270, 54}));
    EXPECT_EQ(dock.state.items[1].currentRect, dock.state.items[1].baseRect);
    EXPECT_EQ(dock.state.frame.zoomIndex, 0);
    EXPECT_EQ(platform.window.log.front(), "move 100 50");
    ASSERT_FALSE(platform.canvas.calls.empty());
    EXPECT_EQ(platform.canvas.calls.front().args[0], 486);  // (288 + 36) x 1.5
    EXPECT_EQ(platform.canvas.calls.front().args[1], 510);
    EXPECT_EQ(platform.canvas.calls.back().op, "Present");

    // With 高清图标 the executables' icons are taken again for the new
    // magnified picture, 2 x 54 - 2 x 7 = 94.
    dock.settings.sharpIcons = 1;
    platform.icons.log.clear();
    changeDpi(dock, 144, {100, 50});
    EXPECT_EQ(platform.icons.log, (std::vector<std::string>{"icons C:\\one.exe at 94"}));

    // Back at 96 every number is the classic one again.
    changeDpi(dock, 96, {100, 50});
    EXPECT_EQ(dock.state.items[1].baseRect, (RectF{144, 0, 180, 36}));
    EXPECT_EQ(dock.state.metrics.rowTop, 152);
}

TEST_F(StartingTheDock, TheDpiSettingIsReadBeforeTheWindowAndItsSwitchWaitsForTheNextStart) {
    const std::string section(texts::kSectionExtended), key(texts::kKeyDpiAware);
    EXPECT_FALSE(dpiAwarenessWanted(platform.profile, "C:\\Dock"));
    platform.profile.Set(kConfig, section, key, "1");
    EXPECT_TRUE(dpiAwarenessWanted(platform.profile, "C:\\Dock"));
    platform.profile.Set(kConfig, section, key, "x");  // no number: the default
    EXPECT_FALSE(dpiAwarenessWanted(platform.profile, "C:\\Dock"));

    startDock(dock, features);
    switchExtendedSetting(dock, features, *extendedSettingOfCommand(IDM_DPI_AWARE));
    EXPECT_EQ(dock.settings.dpiAware, 1);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, texts::kDpiAwareNextStartText);
    EXPECT_EQ(platform.messages.shown[0].caption, texts::kInformationCaption);
    EXPECT_EQ(platform.messages.shown[0].style, 0x40u);
    EXPECT_TRUE(platform.messages.shown[0].busy) << "the dock waits blocked for the note";
    EXPECT_FALSE(dock.state.commands.busy);
    EXPECT_EQ(dock.state.metrics.cellWidth, 36);  // the running dock keeps its sizes
}

TEST_F(StartingTheDock, UsesTheBuiltInPicturesWhenNoReplacementExists) {
    startDock(dock, features);
    auto& background = dynamic_cast<testing::FakePicture&>(*dock.state.pictures.backgroundImage);
    auto& tray = dynamic_cast<testing::FakePicture&>(*dock.state.pictures.trayImage);
    EXPECT_EQ(background.source, kBuiltinBackground);
    EXPECT_EQ(tray.source, kBuiltinTray);
    EXPECT_EQ(dock.settings.trayImagePath, "C:\\Dock\\res\\1.png");
}

TEST_F(StartingTheDock, LoadsTheReplacementPicturesBesideTheProgram) {
    const std::string png(embedded::BackgroundPicture.begin(), embedded::BackgroundPicture.end());
    platform.files.Put("C:\\Dock\\res\\0.png", png);
    platform.files.Put("C:\\Dock\\res\\1.png", png);
    startDock(dock, features);
    EXPECT_EQ(dynamic_cast<testing::FakePicture&>(*dock.state.pictures.backgroundImage).source,
              "file:C:\\Dock\\res\\0.png");
    EXPECT_EQ(dynamic_cast<testing::FakePicture&>(*dock.state.pictures.trayImage).source,
              "file:C:\\Dock\\res\\1.png");
}

TEST_F(StartingTheDock, ABackgroundFileThatDoesNotDecodeLeavesTheBackgroundEmpty) {
    platform.files.Put("C:\\Dock\\res\\0.png", "not a picture");
    startDock(dock, features);
    EXPECT_FALSE(dock.state.pictures.backgroundImage->IsLoaded());
    EXPECT_EQ(dock.state.metrics.backgroundHeight, 0);
    // Only the float room and the caption room are left: (0 + 48 + 18) x 2.
    EXPECT_EQ(platform.window.placements.at(0), (FakeWindow::Placement{true, 540, 330, 288, 132}));
    EXPECT_TRUE(platform.canvas.Only("DrawImageSlice").empty());
    EXPECT_EQ(platform.canvas.Only("Present").size(), 1u);
}

TEST_F(StartingTheDock, TheBareTemplatePutsTheWindowAtTheOrigin) {
    setting(texts::kKeyLeft, "");
    setting(texts::kKeyTop, "");
    itemCount("");
    startDock(dock, features);
    EXPECT_EQ(platform.window.placements,
              (std::vector<FakeWindow::Placement>{{true, 0, 0, 288, 340}}));
    EXPECT_EQ(platform.canvas.Only("DrawImageSlice").size(), 3u);
}

TEST_F(StartingTheDock, PlacesTheWindowAtTheSavedPositionWithTheSavedZOrder) {
    setting(texts::kKeyLeft, "-100");
    setting(texts::kKeyTop, "650");
    setting(texts::kKeyAlwaysOnTop, "0");
    setting(texts::kKeyFloatDistance, "58");
    startDock(dock, features);
    EXPECT_EQ(platform.window.placements,
              (std::vector<FakeWindow::Placement>{{false, -100, 650, 288, 360}}));
    EXPECT_EQ(dock.state.metrics.rowTop, 162);
    // The empty dock's strip lies 8 px above the row.
    EXPECT_EQ(platform.canvas.Only("DrawImageSlice").at(0).args.at(1), 154);
}

TEST_F(StartingTheDock, ASavedPositionWhoseStripMeetsNoMonitorFallsBackToTheDialogManagersPlace) {
    struct Case {
        const char* left;
        const char* top;
        std::int32_t x, y;
    };
    // The empty dock's strip covers x + 114 .. x + 212 and y + 144 .. y + 194.
    const Case cases[] = {
        {"5000", "5000", 540, 330},     // a monitor that was unplugged
        {"-212", "100", 540, 330},      // strip's right edge on the screen's left edge
        {"-211", "100", -211, 100},     // one column of the strip on screen: kept as saved
        {"1165", "100", 1165, 100},     // likewise at the right edge
        {"1166", "100", 540, 330},      // only the transparent margin on screen
        {"100", "655", 100, 655},       // one row of the strip on screen
        {"100", "656", 540, 330},       // strip just below the screen
        {"100", "-194", 540, 330},      // strip just above it
        {"2147483647", "0", 540, 330},  // the right edge would not even be a number
        {"-2147483648", "-2147483648", 540, 330},
    };
    for (const Case& c : cases) {
        FakePlatform fresh;
        fresh.window.rect = {540, 330, 765, 493};
        fresh.profile.Set(kConfig, std::string(texts::kSectionSettings),
                          std::string(texts::kKeyLeft), c.left);
        fresh.profile.Set(kConfig, std::string(texts::kSectionSettings),
                          std::string(texts::kKeyTop), c.top);
        startDock(fresh.dock, fresh.features);
        EXPECT_EQ(fresh.window.rect, (RectI{c.x, c.y, c.x + 288, c.y + 340}))
            << c.left << "," << c.top;
        // The saved place stays the chosen one, for when its monitor is back.
        EXPECT_EQ(fresh.dock.state.place.chosen, (PointI{TextToInt(c.left), TextToInt(c.top)}));
    }
}

TEST_F(StartingTheDock, JudgesTheStripOfTheLoadedRowNotTheEmptyWindow) {
    itemCount("6");
    for (int n = 1; n <= 6; ++n) item(n, "Item", "0", "C:\\a.exe");
    // The first four icons hang off the left edge; the last two and the strip
    // around them are on screen.
    setting(texts::kKeyLeft, "-288");
    startDock(dock, features);
    EXPECT_EQ(platform.window.log,
              (std::vector<std::string>{"place", "accept", "arm 100", "arm 10"}));
    EXPECT_EQ(platform.window.rect.left, -288);

    // Three items at 1166: the window overlaps the screen, the strip (1280 ..
    // 1448) does not. The move comes once the items are loaded, before the
    // first frame.
    FakePlatform fresh;
    fresh.window.rect = {540, 330, 765, 493};
    fresh.profile.Set(kConfig, std::string(texts::kSectionSettings), std::string(texts::kKeyLeft),
                      "1166");
    fresh.profile.Set(kConfig, std::string(texts::kSectionItems), std::string(texts::kKeyItemCount),
                      "3");
    startDock(fresh.dock, fresh.features);
    EXPECT_EQ(fresh.window.placements,
              (std::vector<FakeWindow::Placement>{{true, 1166, 330, 288, 340}}));
    EXPECT_EQ(fresh.window.log,
              (std::vector<std::string>{"place", "move 540 330", "accept", "arm 100", "arm 10"}));
    EXPECT_EQ(fresh.canvas.calls.front().op, "Create");
}

TEST_F(StartingTheDock, ASecondMonitorKeepsADockSavedOnIt) {
    platform.window.monitors.push_back({-1920, 0, 0, 1080});
    setting(texts::kKeyLeft, "-1500");
    setting(texts::kKeyTop, "900");
    startDock(dock, features);
    EXPECT_EQ(platform.window.placements.at(0),
              (FakeWindow::Placement{true, -1500, 900, 288, 340}));
}

TEST_F(StartingTheDock, AddsTheConfiguredItemsAndDrawsTheRow) {
    itemCount("3");
    item(1, "Tool", "1601", "C:\\a.exe");
    item(2, "", "0", "C:\\b.txt");
    item(3, "Third", "834", "C:\\c.exe");  // 0x0342: Shift+Ctrl+B
    startDock(dock, features);

    ASSERT_EQ(dock.state.items.Count(), 3);
    EXPECT_EQ(dock.state.items[1].item.title, "Tool");
    EXPECT_EQ(dock.state.items[1].item.hotkey, 0x0641);
    EXPECT_EQ(dock.state.items[2].item.title, "");
    EXPECT_EQ(dock.state.items[3].item.targetPath, "C:\\c.exe");
    // The window is placed once, before the items, at the empty width; the
    // surface is made for all three.
    EXPECT_EQ(platform.window.placements,
              (std::vector<FakeWindow::Placement>{{true, 540, 330, 288, 340}}));
    ASSERT_FALSE(platform.canvas.calls.empty());
    EXPECT_EQ(
        platform.canvas.calls.front(),
        (Call{"Create", "", {396, 340, 0xFFFFFF, 0, 255, 0}, std::string(texts::kCaptionFont)}));
    EXPECT_EQ(platform.canvas.calls.back().op, "Present");
    EXPECT_EQ(platform.canvas.Only("Create").size(), 1u);
    EXPECT_EQ(platform.window.log.back(), "arm 10");
    EXPECT_EQ(platform.hotkeys.registered.size(), 2u);
    EXPECT_EQ(platform.hotkeys.registered.count(1), 1u);
    EXPECT_EQ(platform.hotkeys.registered.count(3), 1u);
    EXPECT_FALSE(dock.state.commands.busy);
}

TEST_F(StartingTheDock, AHighQualitySettingReachesTheSurface) {
    setting(texts::kKeyHighQuality, "1");
    startDock(dock, features);
    EXPECT_EQ(platform.canvas.calls.at(0).args.at(5), 1);
}

TEST_F(StartingTheDock, ANegativeItemCountShowsTheEmptyDockToo) {
    itemCount("-2");
    startDock(dock, features);
    EXPECT_EQ(dock.state.items.Count(), 0);
    const auto strip = platform.canvas.Only("DrawImageSlice");
    ASSERT_EQ(strip.size(), 3u);
    EXPECT_EQ(strip[1].args, (std::vector<double>{130, 144, 66, 50, 30, 0, 47, 104}));
    EXPECT_EQ(platform.canvas.calls.back().op, "Present");
}

// The display configuration or the work area changed under a running dock.
class KeepingTheDockOnScreen : public StartingTheDock {
  protected:
    // A running dock of three items (strip x + 114 .. x + 282, y + 144 .. y + 194).
    void startAt(std::int32_t left, std::int32_t top) {
        platform.window.monitors.push_back({1280, 0, 3200, 1080});
        platform.window.workAreas.push_back({1280, 0, 3200, 1040});
        setting(texts::kKeyLeft, std::to_string(left));
        setting(texts::kKeyTop, std::to_string(top));
        itemCount("3");
        for (int n = 1; n <= 3; ++n) item(n, "Item", "0", "C:\\a.exe");
        startDock(dock, features);
        ASSERT_EQ(platform.window.rect.left, left);
        platform.window.log.clear();
    }
    void workAreasBecome(std::vector<RectI> areas) {
        platform.window.monitors = areas;
        platform.window.workAreas = std::move(areas);
        keepDockOnScreen(dock);
    }
};

TEST_F(KeepingTheDockOnScreen, ShowsTheNearestPlaceWhileItsMonitorIsGoneAndGoesBackAfter) {
    startAt(2000, 500);
    const std::vector<RectI> both = platform.window.workAreas;
    workAreasBecome({{0, 0, 1280, 760}});
    // The strip's right edge on the work area's, its height unchanged.
    EXPECT_EQ(platform.window.log, (std::vector<std::string>{"move 998 500"}));
    // An item added meanwhile widens the row to both sides, there and at the
    // chosen place alike.
    addDroppedFiles(dock, {"C:\\x.txt"});
    EXPECT_EQ(platform.window.rect.left, 980);
    // The system may move it on its own; where it is seen it stays.
    platform.window.MoveTo(300, 200);
    platform.window.log.clear();
    workAreasBecome({{0, 0, 1280, 760}});
    EXPECT_TRUE(platform.window.log.empty());
    workAreasBecome(both);
    EXPECT_EQ(platform.window.log, (std::vector<std::string>{"move 1982 500"}));
    EXPECT_EQ(dock.state.place.chosen, (PointI{1982, 500}));
}

TEST_F(KeepingTheDockOnScreen, StaysWhileAnyPartOfItsStripMeetsAWorkArea) {
    startAt(-200, 100);  // the strip's first 82 columns on screen
    workAreasBecome({{0, 0, 1280, 760}});
    workAreasBecome({});  // no monitor could be asked for
    EXPECT_TRUE(platform.window.log.empty());
}

TEST_F(KeepingTheDockOnScreen, GoesToTheMonitorItReachesByTheShortestMove) {
    startAt(1200, 700);  // strip 1314 .. 1482 x 844 .. 894
    // 202 px left and 134 up onto the first, or 70 up onto the second.
    workAreasBecome({{0, 0, 1280, 760}, {1280, 200, 2560, 824}});
    EXPECT_EQ(platform.window.log, (std::vector<std::string>{"move 1200 630"}));
}

TEST_F(KeepingTheDockOnScreen, LeavesTheTaskbarFreeAndStartsAStripTooWideAtTheLeftEdge) {
    startAt(100, 620);  // the strip on the monitor, but under a 40-pixel taskbar
    keepDockOnScreen(dock);
    EXPECT_EQ(platform.window.log, (std::vector<std::string>{"move 100 566"}));

    platform.window.log.clear();
    workAreasBecome({{-1000, 0, -900, 760}});  // 100 columns for a 168-column strip
    EXPECT_EQ(platform.window.log, (std::vector<std::string>{"move -1114 566"}));
}

class StoppingTheDock : public StartingTheDock {};

TEST_F(StoppingTheDock, ReleasesOnlyTheHotkeysThatAreSetThenStopsTheTimerAndSaves) {
    itemCount("3");
    item(1, "One", "1601", "C:\\a.exe");
    item(2, "Two", "0", "C:\\b.exe");
    item(3, "Three", "834", "C:\\c.exe");
    startDock(dock, features);
    platform.hotkeys.log.clear();
    platform.window.log.clear();
    platform.profile.writes.clear();

    stopDock(dock, features);
    EXPECT_EQ(platform.hotkeys.log, (std::vector<std::string>{"unregister 1", "unregister 3"}));
    EXPECT_EQ(platform.window.log, (std::vector<std::string>{"stop"}));
    ASSERT_FALSE(platform.profile.writes.empty());
    bool wroteLeft = false;
    for (const auto& [key, value] : platform.profile.writes)
        if (std::get<2>(key) == texts::kKeyLeft) {
            wroteLeft = true;
            EXPECT_EQ(value, "540");
        }
    EXPECT_TRUE(wroteLeft);
}

// The geometry keeps the window between one cell and 16384 pixels tall; the
// setting keeps what the file held and is saved back so.
TEST_F(StoppingTheDock, SavesAnAbsurdFloatDistanceAsReadWhileTheWindowStaysUsable) {
    struct Case {
        const char* stored;
        bool undecodableBackground;
        std::int32_t used, height;
    };
    const Case cases[] = {{"100000", false, 8070, 16384}, {"-10", true, 0, 36}};
    for (const Case& c : cases) {
        FakePlatform fresh;
        fresh.window.rect = {540, 330, 765, 493};
        fresh.profile.Set(kConfig, std::string(texts::kSectionSettings),
                          std::string(texts::kKeyFloatDistance), c.stored);
        if (c.undecodableBackground) fresh.files.Put("C:\\Dock\\res\\0.png", "not a picture");
        startDock(fresh.dock, fresh.features);
        EXPECT_EQ(fresh.dock.settings.floatDistance, TextToInt(c.stored));
        EXPECT_EQ(fresh.dock.state.metrics.floatDistance, c.used);
        EXPECT_EQ(fresh.window.placements.at(0).height, c.height) << c.stored;
        EXPECT_EQ(fresh.canvas.Only("Create").at(0).args.at(1), c.height) << c.stored;

        fresh.profile.writes.clear();
        stopDock(fresh.dock, fresh.features);
        int written = 0;
        for (const auto& [key, value] : fresh.profile.writes)
            if (std::get<2>(key) == texts::kKeyFloatDistance) {
                ++written;
                EXPECT_EQ(value, c.stored);
            }
        EXPECT_EQ(written, 1) << c.stored;
    }
}

}  // namespace
}  // namespace dock
