#include "render/frame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "render/hotkey_badges.h"
#include "render/layout.h"
#include "support/texts.h"

namespace dock {
namespace {

using testing::FakePicture;
using testing::FakePlatform;
using testing::pngHeader;
using Call = testing::RecordingSurface::Call;

const std::string kBackground = "file:bg.png";
const std::string kTray = "file:tray.png";
std::string itemPicture(int i) {
    return "file:item" + std::to_string(i) + ".png";
}

// A dock on fakes with the default metrics (rowTop 152, cells 36 from x 144),
// the 107 x 104 background, a 96 x 96 tray and `count` items whose pictures
// are 72 x 72 and named file:itemN.png; item i is titled titles[i - 1].
struct FrameTest : ::testing::Test {
    FakePlatform fake;
    Dock& dock = fake.dock;
    FeatureStates& features = fake.features;

    std::unique_ptr<Picture> picture(const std::string& path, std::uint32_t w, std::uint32_t h) {
        fake.files.Put(path, pngHeader(w, h));
        auto p = fake.pictures.NewPicture();
        EXPECT_TRUE(p->LoadFromFile(path));
        return p;
    }

    void makeRow(const std::vector<std::string>& titles) {
        dock.state.pictures.backgroundImage = picture("bg.png", 107, 104);
        dock.state.pictures.trayImage = picture("tray.png", 96, 96);
        for (std::size_t i = 1; i <= titles.size(); ++i) {
            dock.state.pictures.imagePool.push_back(
                picture("item" + std::to_string(i) + ".png", 72, 72));
            DockItem item;
            item.title = titles[i - 1];
            item.targetPath = "C:\\Programs\\tool" + std::to_string(i) + ".exe";
            dock.state.items.Insert(static_cast<int>(i), item, static_cast<int>(i));
        }
        layoutRow(dock.state, 1);
    }

    // Hovers `item` with the pointer at (x, y) and renders `steps` frames.
    void hover(int item, int x, int y, int steps) {
        dock.state.frame.hoverIndex = item;
        dock.state.frame.pointerX = x;
        dock.state.frame.pointerY = y;
        for (int i = 0; i < steps; ++i) renderFrame(frameOf(dock), false);
    }

    std::vector<Call>& calls() { return fake.canvas.calls; }
};

Call beginFrame() {
    return {"BeginFrame", "", {}, ""};
}
Call present() {
    return {"Present", "", {}, ""};
}
Call image(const std::string& picture, double x, double y, double w, double h) {
    return {"DrawImage", picture, {x, y, w, h}, ""};
}
Call part(const std::string& picture, std::vector<double> args) {
    return {"DrawImagePart", picture, std::move(args), ""};
}
Call slice(std::vector<double> args) {
    return {"DrawImageSlice", kBackground, std::move(args), ""};
}
// The three background slices for a strip from `left` to `right` with its top at y.
std::vector<Call> strip(double left, double right, double y) {
    return {slice({left, y, 16, 50, 0, 0, 30, 104}),
            slice({left + 16, y, right - left - 32, 50, 30, 0, 47, 104}),
            slice({right - 16, y, 16, 50, 77, 0, 30, 104})};
}
Call reflection(int item, double x, double y, double w, double h) {
    return part(itemPicture(item), {x, y, w, -h, 0, 0, 72, 72, 0.30000001192092896});
}
std::vector<Call> concat(std::initializer_list<std::vector<Call>> parts) {
    std::vector<Call> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST_F(FrameTest, AForcedRestFrameDrawsTheStripAndEveryItemInsetByFiveWithoutHighlightOrCaption) {
    makeRow({"One", "Two", "Three"});
    dock.settings.reflection = 1;

    renderFrame(frameOf(dock), true);

    // Cells rest at 144, 180 and 216; the strip reaches 30 px beyond them.
    EXPECT_EQ(calls(),
              concat({{beginFrame()},
                      strip(114, 282, 144),
                      {image(itemPicture(1), 149, 157, 26, 26), reflection(1, 149, 209, 26, 26),
                       image(itemPicture(2), 185, 157, 26, 26), reflection(2, 185, 209, 26, 26),
                       image(itemPicture(3), 221, 157, 26, 26), reflection(3, 221, 209, 26, 26)},
                      {present()}}));
    EXPECT_EQ(fake.window.timerArms, std::vector<std::uint32_t>{100});
}

TEST_F(FrameTest, ARestStepThatChangesNothingOnlySlowsTheTimer) {
    makeRow({"One", "Two"});

    renderFrame(frameOf(dock), false);

    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(fake.window.timerArms, std::vector<std::uint32_t>{100});
}

TEST_F(FrameTest, AnEmptyListDrawsNothingEvenWhenForced) {
    makeRow({});

    renderFrame(frameOf(dock), true);

    EXPECT_TRUE(calls().empty());
}

TEST_F(FrameTest, AFullZoomFrameDrawsStripHighlightItemsReflectionsAndCaptionInOrder) {
    makeRow({"One", "Two", "Three"});
    dock.settings.reflection = 1;

    // The centre of item 2's resting cell (180..216) on the row's top line.
    hover(2, 198, 152, 10);

    // Item 2 is 162..234 and 72 tall; its neighbours are 66 square.
    EXPECT_EQ(calls().size(), 10u * 13u);
    std::vector<Call> last(calls().end() - 13, calls().end());
    EXPECT_EQ(last, concat({{beginFrame()},
                            strip(66, 330, 144),
                            {image(kTray, 157, 111, 82, 82),
                             image(itemPicture(1), 101, 127, 56, 56),
                             reflection(1, 101, 239, 56, 56),
                             image(itemPicture(2), 167, 121, 62, 62),
                             reflection(2, 167, 245, 62, 62),
                             image(itemPicture(3), 239, 127, 56, 56),
                             reflection(3, 239, 239, 56, 56),
                             {"DrawOutlinedText", "", {184.5, 102, 18}, "Two"}},
                            {present()}}));
    EXPECT_EQ(dock.state.frame.titleText, "Two");
    EXPECT_TRUE(fake.window.timerArms.empty());
}

TEST_F(FrameTest, WithoutReflectionsAZoomFrameDrawsEachPictureOnce) {
    makeRow({"One", "Two", "Three"});

    hover(2, 198, 152, 10);

    std::vector<Call> last(calls().end() - 10, calls().end());
    EXPECT_EQ(last, concat({{beginFrame()},
                            strip(66, 330, 144),
                            {image(kTray, 157, 111, 82, 82),
                             image(itemPicture(1), 101, 127, 56, 56),
                             image(itemPicture(2), 167, 121, 62, 62),
                             image(itemPicture(3), 239, 127, 56, 56),
                             {"DrawOutlinedText", "", {184.5, 102, 18}, "Two"}},
                            {present()}}));
}

TEST_F(FrameTest, CaptionGrowsOverTheTenZoomStepsAndIsCentredOnThePointer) {
    makeRow({"One", "Two", "Three"});

    hover(2, 198, 152, 10);

    std::vector<Call> texts = fake.canvas.Only("DrawOutlinedText");
    ASSERT_EQ(texts.size(), 10u);
    const int sizes[10] = {1, 3, 5, 7, 9, 10, 12, 14, 16, 18};
    for (int step = 0; step < 10; ++step) {
        const double size = sizes[step];
        // Item 2's top at progress p is -(36 / 100 x p); the caption stands size - 4 above it.
        const float top = static_cast<float>(-(36 / 100.0 * ((step + 1) * 10)));
        EXPECT_EQ(texts[step].args,
                  (std::vector<double>{198 - size / 2 * 3 / 2,
                                       static_cast<float>(152.0 + top - (size - 4)), size}))
            << "step " << step + 1;
        EXPECT_EQ(texts[step].text, "Two");
    }
}

TEST_F(FrameTest, CaptionFallsBackToTheTargetPathAndIsEmptyWhenBothAre) {
    makeRow({"One", "", "Three"});

    hover(2, 198, 152, 10);

    // "C:\Programs\tool2.exe" is 21 bytes: x = 198 - (9 * 21) / 2.
    EXPECT_EQ(fake.canvas.Only("DrawOutlinedText").back(),
              (Call{"DrawOutlinedText", "", {103.5, 102, 18}, "C:\\Programs\\tool2.exe"}));

    dock.state.items[2].item.targetPath.clear();
    dock.state.frame.pointerX = 199;  // a move, so that the model asks for a frame
    renderFrame(frameOf(dock), false);
    EXPECT_EQ(fake.canvas.Only("DrawOutlinedText").back(),
              (Call{"DrawOutlinedText", "", {199, 102, 18}, ""}));
    EXPECT_EQ(dock.state.frame.titleText, "");
}

TEST_F(FrameTest, CaptionOfGbkTitlesCountsBytes) {
    // 记事本: three characters, six bytes.
    makeRow({"One", "\xBC\xC7\xCA\xC2\xB1\xBE"});

    hover(2, 198, 152, 10);

    EXPECT_EQ(fake.canvas.Only("DrawOutlinedText").back().args,
              (std::vector<double>{198 - 9 * 6 / 2.0, 102, 18}));
}

TEST_F(FrameTest, ACaptionOfMoreThan512BytesIsCutBeforeTheCharacterThatCrossesTheLimit) {
    std::string title = "A";
    for (int i = 0; i < 1000; ++i) title += "\xBC\xC7";  // 记, two bytes each
    makeRow({"One", title});

    hover(2, 198, 152, 10);

    // 1 + 255 x 2 = 511 bytes; the next character would end at byte 513.
    const std::string cut = title.substr(0, 511);
    EXPECT_EQ(fake.canvas.Only("DrawOutlinedText").back(),
              (Call{"DrawOutlinedText", "", {198 - 9 * 511 / 2.0, 102, 18}, cut}));
    EXPECT_EQ(dock.state.frame.titleText, cut);
    EXPECT_EQ(dock.state.items[2].item.title, title) << "the item keeps its whole title";
}

TEST_F(FrameTest, OnASingleByteCodePageACaptionIsCutAtExactly512Bytes) {
    dock.leadBytes = LeadBytes();  // code page 1252: every byte is a character
    std::string title = "A";
    for (int i = 0; i < 1000; ++i) title += "\xBC\xC7";
    makeRow({"One", title});

    hover(2, 198, 152, 10);

    EXPECT_EQ(dock.state.frame.titleText, title.substr(0, 512));
}

TEST_F(FrameTest, ARaisedItemsReflectionSinksByTwiceItsLift) {
    makeRow({"One", "Two", "Three"});
    dock.settings.reflection = 1;

    // 100 px above the top line: the lift is clamped to the float distance, 48.
    hover(2, 198, 52, 10);

    EXPECT_FLOAT_EQ(dock.state.items[2].lift, 48);
    std::vector<Call> parts = fake.canvas.Only("DrawImagePart");
    // Picture at y = 152 - 84 + 5 = 73, 62 tall: its bottom is at 135 and the
    // reflection's top at 293 - 62 = 231, 96 px (twice the lift) lower.
    EXPECT_EQ(parts[parts.size() - 2], reflection(2, 167, 293, 62, 62));
    // The first neighbours rise by 48 * 30 / 36 = 40, their reflections sink by 80.
    EXPECT_EQ(parts[parts.size() - 3], reflection(1, 101, 239 - 40 + 80, 56, 56));
}

TEST_F(FrameTest, ALoweredItemIsMirroredAboutItsOwnBottomEdge) {
    makeRow({"One", "Two", "Three"});
    dock.settings.reflection = 1;
    dock.settings.floatBothWays = 1;

    hover(2, 198, 172, 10);  // 20 px below the top line: the item sinks by 20

    EXPECT_FLOAT_EQ(dock.state.items[2].lift, -20);
    std::vector<Call> draws = fake.canvas.Only("DrawImage");
    EXPECT_EQ(draws[draws.size() - 2], image(itemPicture(2), 167, 141, 62, 62));
    std::vector<Call> parts = fake.canvas.Only("DrawImagePart");
    EXPECT_EQ(parts[parts.size() - 2], reflection(2, 167, 141 + 124, 62, 62));
}

TEST_F(FrameTest, HighlightFramesTheMagnifiedCellWithFivePixelsToSpareAtEverySize) {
    makeRow({"One", "Two", "Three"});
    dock.state.frame.hoverIndex = 2;
    dock.state.frame.pointerX = 198;
    dock.state.frame.pointerY = 152;

    for (int step = 1; step <= 10; ++step) {
        calls().clear();
        renderFrame(frameOf(dock), false);
        const RectF c = dock.state.items[2].currentRect;
        EXPECT_FLOAT_EQ(c.Width(), 36 + 3.6f * step);
        ASSERT_GE(calls().size(), 5u);
        EXPECT_EQ(
            calls()[4],
            image(kTray, static_cast<float>(c.left - 5.0), static_cast<float>(152.0 + c.top - 5.0),
                  static_cast<float>(c.Width() + 10.0), static_cast<float>(c.Height() + 10.0)))
            << "step " << step;
    }
}

TEST_F(FrameTest, TheStripFollowsTheSpreadOfTheRow) {
    makeRow({"A", "B", "C", "D", "E", "F", "G"});

    hover(4, 270, 152, 10);  // centre of item 4 (252..288)

    // Item 4 is 234..306, its neighbours 66, 54 and 42 wide on each side: 72..468.
    std::vector<Call> slices = fake.canvas.Only("DrawImageSlice");
    std::vector<Call> last(slices.end() - 3, slices.end());
    EXPECT_EQ(last, strip(42, 498, 144));
}

TEST_F(FrameTest, ItemsWithoutAPictureDrawNothingInTheirCell) {
    makeRow({"One", "Two", "Three"});
    dock.settings.reflection = 1;
    dock.state.pictures.imagePool[1]->Dispose();  // item 2's picture is empty
    dock.state.items[3].imageSlot = 0;            // item 3 has no slot at all

    renderFrame(frameOf(dock), true);

    EXPECT_EQ(calls(),
              concat({{beginFrame()},
                      strip(114, 282, 144),
                      {image(itemPicture(1), 149, 157, 26, 26), reflection(1, 149, 209, 26, 26)},
                      {present()}}));
}

TEST_F(FrameTest, AZoomFrameWithoutTrayOrBackgroundStillDrawsItemsAndCaption) {
    makeRow({"One"});
    dock.state.pictures.backgroundImage.reset();
    dock.state.pictures.trayImage.reset();

    hover(1, 162, 152, 10);

    std::vector<Call> last(calls().end() - 4, calls().end());
    EXPECT_EQ(last, (std::vector<Call>{beginFrame(),
                                       image(itemPicture(1), 131, 121, 62, 62),
                                       {"DrawOutlinedText", "", {148.5, 102, 18}, "One"},
                                       present()}));
}

TEST_F(FrameTest, FadingOutEndsWithARestingFrameAndSlowsTheTimer) {
    makeRow({"One", "Two"});
    hover(1, 162, 152, 10);
    calls().clear();

    hover(0, 162, 152, 11);

    // Ten fading frames (p = 90 .. 0), then the step that ends the zoom.
    EXPECT_EQ(fake.canvas.Only("Present").size(), 10u);
    std::vector<Call> texts = fake.canvas.Only("DrawOutlinedText");
    EXPECT_EQ(texts.front().args[2], 16);
    EXPECT_EQ(texts.back().args[2], 0);
    EXPECT_EQ(fake.window.timerArms, std::vector<std::uint32_t>{100});
    EXPECT_EQ(dock.state.frame.zoomIndex, 0);
}

TEST_F(FrameTest, TheEmptyDockIsOneCellWideFromTheLeftMargin) {
    makeRow({});

    drawEmptyDock(frameOf(dock), 144);

    EXPECT_EQ(calls(), (std::vector<Call>{beginFrame(), slice({114, 144, 16, 50, 0, 0, 30, 104}),
                                          slice({130, 144, 66, 50, 30, 0, 47, 104}),
                                          slice({196, 144, 16, 50, 77, 0, 30, 104}), present()}));
}

TEST_F(FrameTest, TheEmptyDockWithoutABackgroundOnlyBeginsAndPresentsAFrame) {
    makeRow({});
    dock.state.pictures.backgroundImage.reset();

    drawEmptyDock(frameOf(dock), 90);

    EXPECT_EQ(calls(), (std::vector<Call>{beginFrame(), present()}));
    EXPECT_EQ(dock.state.metrics.emptyStripTop, 90);  // where the strip is, drawn or not
}

TEST_F(FrameTest, RecreatingTheCanvasUsesTheWindowSizeTheCaptionFontAndTheQualitySetting) {
    makeRow({"One", "Two", "Three"});
    dock.settings.highQuality = 1;

    recreateCanvas(frameOf(dock));
    dock.settings.highQuality = 0;
    dock.state.metrics.floatDistance = 0;
    recreateCanvas(frameOf(dock));

    const std::string font(texts::kCaptionFont);
    EXPECT_EQ(calls(), (std::vector<Call>{{"Create", "", {396, 340, 0xFFFFFF, 0, 255, 1}, font},
                                          {"Create", "", {396, 244, 0xFFFFFF, 0, 255, 0}, font}}));
}

TEST(HotkeyBadges, NameEachKindOfKeyAndTheCombinationItRegistersWith) {
    testing::FakeHotkeys hotkeys;
    hotkeys.keyNames = {{0x20, "Space"}, {0xBA, "\xB7\xD6\xBA\xC5"}, {0x2E, "Delete key name"}};
    const std::pair<std::uint32_t, std::string> labels[] = {
        {'K', "K"},    {'7', "7"},      {0x70, "F1"},
        {0x87, "F24"}, {0x20, "Space"},  // the system's name, when it is short printable ASCII
        {0xBA, "#BA"}, {0x2E, "#2E"},   {0x13, "#13"},
    };
    for (const auto& [key, label] : labels) EXPECT_EQ(keyLabel(key, hotkeys), label) << key;

    const std::pair<std::uint16_t, std::string> combinations[] = {
        {0x0641, "Ctrl+Alt+A"},
        {0x0370, "Ctrl+Shift+F1"},
        {0x0520, "Shift+Alt+Space"},
        {0x0441, "Alt+A"},
        {0x0741, "A"},  // all three register with none
        {0x0600, ""},
    };
    for (const auto& [hotkey, text] : combinations)
        EXPECT_EQ(hotkeyCombination(hotkey, hotkeys), text) << hotkey;
}

TEST_F(FrameTest, BadgesLabelTheItemsWithAHotkeyAtRestAndMagnifiedAndTheCaptionNamesIt) {
    makeRow({"One", "Two", "Three"});
    dock.state.items[2].item.hotkey = 0x064B;  // Ctrl+Alt+K
    renderFrame(frameOf(dock), true);
    EXPECT_TRUE(fake.canvas.Only("DrawOutlinedText").empty()) << "off by default";

    dock.settings.hotkeyBadges = 1;
    calls().clear();
    renderFrame(frameOf(dock), true);
    // The resting picture is 26 high: an 11 em, right-aligned at 185 + 26, on its bottom.
    EXPECT_EQ(calls(), concat({{beginFrame()},
                               strip(114, 282, 144),
                               {image(itemPicture(1), 149, 157, 26, 26),
                                image(itemPicture(2), 185, 157, 26, 26),
                                {"DrawOutlinedText", "", {211 - 5.5, 157 + 26 - 11, 11}, "K"},
                                image(itemPicture(3), 221, 157, 26, 26)},
                               {present()}}));

    calls().clear();
    hover(2, 198, 152, 10);
    const std::vector<Call> texts = fake.canvas.Only("DrawOutlinedText");
    ASSERT_EQ(texts.size(), 20u);  // a badge and the caption per frame
    // At full zoom the picture is 62 high: a 27 em.
    EXPECT_EQ(texts[18], (Call{"DrawOutlinedText", "", {229 - 13.5, 121 + 62 - 27, 27}, "K"}));
    EXPECT_EQ(texts[19].text, "Two  Ctrl+Alt+K");
}

}  // namespace
}  // namespace dock
