#include "render/canvas_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "../wait_until.h"
#include "picture_bytes_win32.h"
#include "render/dock_image_win32.h"
#include "support/texts.h"
#include "surface_win32.h"

namespace dock {
namespace {

using testing::pixelsOf;
using testing::pngOf;
using testing::solid;
using testing::TestWindow;

const std::string kFont(texts::kCaptionFont);

std::uint8_t alphaOf(std::uint32_t argb) {
    return static_cast<std::uint8_t>(argb >> 24);
}

static_assert(ToArgb(0xFFFFFF, 255) == 0xFFFFFFFFu);
static_assert(ToArgb(0x0000FF, 128) == 0x80FF0000u);
static_assert(ToArgb(0, 255) == 0xFF000000u);

TEST(ToArgb, SwapsTheColourBytesAndPutsAlphaOnTop) {
    EXPECT_EQ(ToArgb(0xFFFFFF, 255), 0xFFFFFFFFu);
    EXPECT_EQ(ToArgb(0x0000FF, 128), 0x80FF0000u);
    EXPECT_EQ(ToArgb(0, 255), 0xFF000000u);
    EXPECT_EQ(ToArgb(0x00332211, 0x44), 0x44112233u);
    EXPECT_EQ(ToArgb(0x00FF0000, 0), 0x000000FFu);
}

// A canvas over its own window, with an opaque 8 x 8 red picture whose lower
// half is blue.
struct CanvasTest : ::testing::Test {
    TestWindow window;
    DockCanvas canvas;
    DockImage redOverBlue;

    void SetUp() override {
        ASSERT_NE(window.get(), nullptr);
        canvas.AttachWindow(window.get());
        canvas.Create(64, 48, kFont, 0xFFFFFF, 0, 255, false);
        ASSERT_TRUE(redOverBlue.LoadFromMemory(
            pngOf(8, 8, [](int, int y) { return y < 4 ? 0xFFFF0000u : 0xFF0000FFu; })));
    }
};

TEST_F(CanvasTest, ANewSurfaceAndAClearedOneAreTransparentBlackEverywhere) {
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 0);

    canvas.DrawImage(redOverBlue, 0, 0, 64, 48);
    ASSERT_GT(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 3000);
    canvas.Clear({});
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 0);
}

TEST_F(CanvasTest, CachedPiecesGoWithANewSurfaceAndWithAnyPictureLoaded) {
    canvas.PaceFrames(0);  // every frame is shown, and so composed, at once
    auto frame = [&](float size) {
        canvas.BeginFrame();
        if (size > 0) canvas.DrawImage(redOverBlue, 0, 0, size, size);
        canvas.Present();
        return canvas.Cache().Count();
    };
    EXPECT_EQ(frame(20), 1u);
    EXPECT_EQ(frame(30), 2u);
    DockImage other;
    ASSERT_TRUE(other.LoadFromMemory(pngOf(2, 2, solid(0xFFFFFFFF))));
    EXPECT_EQ(frame(0), 0u);
    EXPECT_EQ(frame(20), 1u);
    canvas.Create(64, 48, kFont, 0xFFFFFF, 0, 255, true);
    EXPECT_EQ(canvas.Cache().Count(), 0u);
}

// A frame that comes before the display's interval is over waits, and the
// latest is composed and shown once it is: only its own change.
TEST_F(CanvasTest, AFrameTooSoonForTheDisplayIsComposedAndShownWhenItsIntervalEnds) {
    canvas.PaceFrames(2000);  // the three frames come well within it
    auto frame = [&](float x) {
        canvas.BeginFrame();
        canvas.DrawImage(redOverBlue, x, 0, 8, 8);
        canvas.Present();
    };
    frame(0);
    frame(20);
    frame(40);  // takes the place of the one before
    EXPECT_EQ(canvas.Presentations(), 1);
    EXPECT_EQ(canvas.Cache().Count(), 1u);  // nothing composed yet
    ASSERT_TRUE(wine::pumpUntil([&] { return canvas.Presentations() == 2; }));
    EXPECT_EQ(canvas.LastPresented(), (RectI{0, 0, 64, 8}));
    const testing::Pixels p = pixelsOf(canvas);
    EXPECT_EQ(p.at(2, 2), 0u);
    EXPECT_EQ(p.at(22, 2), 0u);
    EXPECT_EQ(p.at(42, 2), 0xFFFF0000u);
}

// The strip's middle, one colour along each row, is kept as one column
// whatever width it takes; a slice whose colour changes along its rows is
// kept once for each width.
TEST_F(CanvasTest, ASliceOfOneColourPerRowIsKeptOnceForEveryWidth) {
    canvas.PaceFrames(0);
    DockImage bands;
    ASSERT_TRUE(bands.LoadFromMemory(pngOf(9, 4, [](int x, int y) {
        return x < 3 ? 0xFFFF0000u : x < 6 ? (y < 2 ? 0xFF00FF00u : 0xFF0000FFu) : 0xFF000000u;
    })));
    auto frame = [&](float right, float sourceX) {
        canvas.BeginFrame();
        canvas.DrawImageSlice(bands, {2, 10, right, 18}, sourceX, 0, 3, 4);
        canvas.Present();
    };
    for (float right : {30.0f, 41.5f, 60.0f}) frame(right, 3);
    EXPECT_EQ(canvas.Cache().Drawn(), 1u);
    for (float right : {30.0f, 41.5f, 60.0f}) frame(right, 1);  // red into green
    EXPECT_EQ(canvas.Cache().Drawn(), 4u);
}

TEST_F(CanvasTest, ClearingARectangleErasesOnlyThatRectangle) {
    canvas.DrawImagePart(redOverBlue, 0, 0, 64, 48, 0, 0, 8, 4, 0);  // all red
    canvas.Clear({10, 5, 20, 15});
    testing::Pixels p = pixelsOf(canvas);
    EXPECT_EQ(p.at(10, 5), 0u);
    EXPECT_EQ(p.at(19, 14), 0u);
    EXPECT_EQ(p.at(9, 5), 0xFFFF0000u);
    EXPECT_EQ(p.at(20, 14), 0xFFFF0000u);
    EXPECT_EQ(p.at(10, 15), 0xFFFF0000u);
    EXPECT_EQ(p.countWhere([](std::uint32_t v) { return v == 0; }), 100);
}

TEST_F(CanvasTest, DrawImageScalesTheWholePictureIntoTheRectangle) {
    canvas.DrawImage(redOverBlue, 8, 8, 16, 16);
    testing::Pixels p = pixelsOf(canvas);
    EXPECT_EQ(p.at(12, 10), 0xFFFF0000u);
    EXPECT_EQ(p.at(20, 22), 0xFF0000FFu);
    EXPECT_EQ(p.at(4, 4), 0u);
    EXPECT_EQ(p.at(30, 30), 0u);
}

TEST_F(CanvasTest, OpacityZeroOrWithinOneTenMillionthOfItDrawsAtFullAlpha) {
    for (float factor : {0.0f, 1e-8f, -1e-8f}) {
        canvas.Clear({});
        canvas.DrawImagePart(redOverBlue, 4, 4, 8, 8, 0, 0, 8, 8, factor);
        testing::Pixels p = pixelsOf(canvas);
        EXPECT_EQ(p.at(6, 5), 0xFFFF0000u) << factor;
        EXPECT_EQ(p.at(6, 10), 0xFF0000FFu) << factor;
    }
}

TEST_F(CanvasTest, OpacityScalesEveryPixelsAlpha) {
    canvas.DrawImagePart(redOverBlue, 4, 4, 8, 8, 0, 0, 8, 8, 0.3f);
    testing::Pixels p = pixelsOf(canvas);
    // 30 % of 255 is 76.5; the surface holds premultiplied colour.
    const std::uint32_t red = p.at(6, 5);
    const std::uint32_t blue = p.at(6, 10);
    EXPECT_EQ(alphaOf(red), 76);
    EXPECT_EQ(red & 0xFFFFFF, 0x4C0000u);
    EXPECT_EQ(alphaOf(blue), 76);
    EXPECT_EQ(blue & 0xFFFFFF, 0x00004Cu);

    // The factor stays in the matrix only for calls with a factor.
    canvas.DrawImagePart(redOverBlue, 20, 4, 8, 8, 0, 0, 8, 8, 0);
    EXPECT_EQ(pixelsOf(canvas).at(22, 5), 0xFFFF0000u);
}

TEST_F(CanvasTest, EachCallDrawsWithItsOwnOpacityAlsoAfterTheSurfaceIsRebuilt) {
    canvas.DrawImagePart(redOverBlue, 0, 0, 8, 8, 0, 0, 8, 8, 0.3f);
    canvas.DrawImagePart(redOverBlue, 10, 0, 8, 8, 0, 0, 8, 8, 0.6f);
    canvas.DrawImagePart(redOverBlue, 20, 0, 8, 8, 0, 0, 8, 8, 0.3f);
    testing::Pixels p = pixelsOf(canvas);
    EXPECT_EQ(alphaOf(p.at(2, 1)), 76);
    EXPECT_EQ(alphaOf(p.at(12, 1)), 153);
    EXPECT_EQ(alphaOf(p.at(22, 1)), 76);

    // A new surface has new image attributes: the factor must reach them too.
    canvas.Create(64, 48, kFont, 0xFFFFFF, 0, 255, false);
    canvas.DrawImagePart(redOverBlue, 0, 0, 8, 8, 0, 0, 8, 8, 0.3f);
    EXPECT_EQ(alphaOf(pixelsOf(canvas).at(2, 1)), 76);
}

TEST_F(CanvasTest, ClearingAfterARebuildToAnotherSizeErasesTheWholeNewSurface) {
    canvas.Create(300, 90, kFont, 0xFFFFFF, 0, 255, false);
    canvas.DrawImage(redOverBlue, 0, 0, 300, 90);
    ASSERT_GT(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 26000);
    canvas.Clear({});
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 0);

    canvas.Create(20, 10, kFont, 0xFFFFFF, 0, 255, false);
    canvas.DrawImage(redOverBlue, 0, 0, 20, 10);
    canvas.Clear({});
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 0);
    // The erase leaves the surface ready for drawing on.
    canvas.DrawImage(redOverBlue, 0, 0, 20, 10);
    EXPECT_EQ(pixelsOf(canvas).at(3, 1), 0xFFFF0000u);
}

TEST_F(CanvasTest, ANegativeHeightDrawsThePartUpsideDownAboveTheDestinationY) {
    canvas.DrawImagePart(redOverBlue, 10, 30, 8, -8, 0, 0, 8, 8, 0);
    testing::Pixels p = pixelsOf(canvas);
    // Rows 22..29: blue on top now, red below, nothing from y = 30 on.
    EXPECT_EQ(p.at(14, 23), 0xFF0000FFu);
    EXPECT_EQ(p.at(14, 28), 0xFFFF0000u);
    EXPECT_EQ(p.at(14, 31), 0u);
    EXPECT_EQ(p.at(14, 20), 0u);
}

TEST_F(CanvasTest, ASourceRectangleSelectsPixelsOfThePicture) {
    canvas.DrawImagePart(redOverBlue, 0, 0, 16, 16, 0, 4, 8, 4, 0);  // the blue half
    testing::Pixels p = pixelsOf(canvas);
    EXPECT_EQ(p.at(2, 2), 0xFF0000FFu);
    EXPECT_EQ(p.at(8, 8), 0xFF0000FFu);
    EXPECT_EQ(p.at(13, 2), 0xFF0000FFu);
}

// Red, green and blue slices of one picture side by side, stretched and
// squeezed, meeting on a whole and on a fractional pixel.
TEST_F(CanvasTest, SlicesSampleOnlyTheirOwnColumnsAndMeetWithoutAGap) {
    DockImage bands;
    ASSERT_TRUE(bands.LoadFromMemory(pngOf(9, 4, [](int x, int) {
        return x < 3 ? 0xFFFF0000u : x < 6 ? 0xFF00FF00u : 0xFF0000FFu;
    })));
    canvas.DrawImageSlice(bands, {2, 10, 18, 18}, 0, 0, 3, 4);
    canvas.DrawImageSlice(bands, {18, 10, 39.4f, 18}, 3, 0, 3, 4);
    canvas.DrawImageSlice(bands, {39.4f, 10, 41.6f, 18}, 6, 0, 3, 4);
    testing::Pixels p = pixelsOf(canvas);
    // Every pixel of the strip is one of the three colours, opaque, and the
    // colours follow each other in their order: nothing soft, nothing empty.
    const std::uint32_t order[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    int band = 0;
    for (int x = 2; x < 41; ++x) {
        while (band < 2 && p.at(x, 10) != order[band]) ++band;
        for (int y = 10; y < 18; ++y) ASSERT_EQ(p.at(x, y), order[band]) << x << "," << y;
    }
    EXPECT_EQ(p.at(17, 13), 0xFFFF0000u);
    EXPECT_EQ(p.at(18, 13), 0xFF00FF00u);
    EXPECT_EQ(p.at(38, 13), 0xFF00FF00u);
    EXPECT_EQ(p.at(40, 13), 0xFF0000FFu);
    EXPECT_EQ(p.at(1, 13), 0u);
    EXPECT_EQ(p.at(42, 13), 0u);
    EXPECT_EQ(p.at(10, 9), 0u);
    EXPECT_EQ(p.at(10, 18), 0u);
}

TEST_F(CanvasTest, AnEmptyPictureDrawsNothingAndReportsAnError) {
    DockImage empty;
    EXPECT_NE(canvas.DrawImage(empty, 0, 0, 64, 48), 0);
    EXPECT_NE(canvas.DrawImagePart(empty, 0, 0, 64, 48, 0, 0, 8, 8, 0.3f), 0);
    EXPECT_NE(canvas.DrawImageSlice(empty, {0, 0, 64, 48}, 0, 0, 8, 8), 0);
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 0);
}

TEST_F(CanvasTest, AnOutlinedGbkTitleRendersWhereTheTextIs) {
    canvas.Create(200, 60, kFont, 0xFFFFFF, 0, 255, false);
    // 记事本
    canvas.DrawOutlinedText("\xBC\xC7\xCA\xC2\xB1\xBE", 10, 10, 18);
    testing::Pixels p = pixelsOf(canvas);
    int inside = 0, white = 0, outside = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t v = p.at(x, y);
            const bool inBox = x >= 8 && x < 80 && y >= 8 && y < 40;
            if (v == 0) continue;
            if (inBox) {
                ++inside;
                white += v == 0xFFFFFFFFu;
            } else {
                ++outside;
            }
        }
    EXPECT_GT(inside, 150) << "ANSI code page " << ::GetACP();
    EXPECT_GT(white, 40);
    EXPECT_EQ(outside, 0);
}

TEST_F(CanvasTest, WithoutAFontNameTitlesDrawNothing) {
    canvas.Create(200, 60, "", 0xFFFFFF, 0, 255, false);
    canvas.DrawOutlinedText("Title", 10, 10, 18);
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 0);
}

TEST_F(CanvasTest, EmptyTitlesAndRepeatedTitlesAreHarmless) {
    canvas.DrawOutlinedText("", 10, 10, 18);
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), 0);
    canvas.DrawOutlinedText("Ab", 2, 2, 12);
    const int once = pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; });
    canvas.Clear({});
    canvas.DrawOutlinedText("Ab", 2, 2, 12);
    EXPECT_EQ(pixelsOf(canvas).countWhere([](std::uint32_t p) { return p != 0; }), once);
    EXPECT_GT(once, 20);
}

TEST_F(CanvasTest, PresentGivesTheWindowTheSurfaceSizeAndKeepsItsPlace) {
    RECT before{};
    ::GetWindowRect(window.get(), &before);
    canvas.Create(300, 120, kFont, 0xFFFFFF, 0, 255, true);
    canvas.DrawImage(redOverBlue, 0, 0, 300, 120);
    canvas.Present();
    RECT after{};
    ::GetWindowRect(window.get(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, 300);
    EXPECT_EQ(after.bottom - after.top, 120);
}

TEST(CanvasLifecycle, CreateAddsTheLayeredStyleAndDestroyGivesTheOldStyleBack) {
    TestWindow plain(WS_EX_TOOLWINDOW);
    DockCanvas canvas;
    canvas.Create(plain.get(), 40, 30, kFont, 0xFFFFFF, 0, 255, false);
    EXPECT_EQ(plain.exStyle(), WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    canvas.Create(plain.get(), 80, 30, kFont, 0xFFFFFF, 0, 255, false);
    EXPECT_EQ(plain.exStyle(), WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    canvas.Destroy();
    EXPECT_EQ(plain.exStyle(), WS_EX_TOOLWINDOW);

    TestWindow layered(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    canvas.Create(layered.get(), 40, 30, kFont, 0xFFFFFF, 0, 255, false);
    canvas.Destroy();
    EXPECT_EQ(layered.exStyle(), WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
}

// 0 where the count is not available (Wine).
int gdiObjects() {
    return static_cast<int>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
}

TEST(CanvasLifecycle, CreatingAgainReplacesTheSurfaceInsteadOfAddingOne) {
    TestWindow window;
    DockCanvas canvas;
    canvas.AttachWindow(window.get());
    const int before = gdiObjects();
    canvas.Create(40, 30, kFont, 0xFFFFFF, 0, 255, false);
    const HDC firstDc = canvas.MemoryDC();
    const HGDIOBJ firstBitmap = ::GetCurrentObject(firstDc, OBJ_BITMAP);
    ASSERT_EQ(::GetObjectType(firstDc), static_cast<DWORD>(OBJ_MEMDC));
    ASSERT_EQ(::GetObjectType(firstBitmap), static_cast<DWORD>(OBJ_BITMAP));
    const int once = gdiObjects();

    canvas.Create(60, 30, kFont, 0xFFFFFF, 0, 255, true);
    canvas.Create(90, 30, kFont, 0xFFFFFF, 0, 255, false);

    EXPECT_EQ(gdiObjects(), once);
    EXPECT_EQ(canvas.SurfaceWidth(), 90);
    const HDC dc = canvas.MemoryDC();
    const HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    BITMAP info{};
    ASSERT_EQ(::GetObjectW(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 90);
    EXPECT_EQ(info.bmHeight, 30);
    EXPECT_EQ(info.bmBitsPixel, 32);
    // The first surface's objects are gone (a reused handle value would be the new object).
    if (dc != firstDc) {
        EXPECT_EQ(::GetObjectType(firstDc), 0u);
    }
    if (bitmap != firstBitmap) {
        EXPECT_EQ(::GetObjectType(firstBitmap), 0u);
    }
    canvas.Destroy();
    EXPECT_EQ(canvas.MemoryDC(), nullptr);
    EXPECT_EQ(::GetObjectType(dc), 0u);
    EXPECT_EQ(::GetObjectType(bitmap), 0u);
    EXPECT_EQ(gdiObjects(), before);
}

TEST(CanvasLifecycle, DestroyOnANeverCreatedOrDestroyedSurfaceDoesNothing) {
    TestWindow window(WS_EX_TOOLWINDOW);
    DockCanvas canvas;
    canvas.AttachWindow(window.get());
    canvas.Destroy();
    canvas.Destroy();
    EXPECT_EQ(window.exStyle(), WS_EX_TOOLWINDOW);
    canvas.Create(40, 30, kFont, 0xFFFFFF, 0, 255, false);
    canvas.Destroy();
    canvas.Destroy();
    EXPECT_EQ(window.exStyle(), WS_EX_TOOLWINDOW);
    // Drawing on a destroyed surface is ignored.
    DockImage image;
    ASSERT_TRUE(image.LoadFromMemory(pngOf(2, 2, solid(0xFFFFFFFF))));
    canvas.Clear({});
    canvas.Clear({0, 0, 4, 4});
    EXPECT_NE(canvas.DrawImage(image, 0, 0, 2, 2), 0);
    canvas.DrawOutlinedText("x", 0, 0, 10);
    canvas.Present();
}

TEST(CanvasLifecycle, AZeroSizedSurfaceDrawsAndPresentsWithoutEffect) {
    TestWindow window;
    DockCanvas canvas;
    canvas.Create(window.get(), 0, 40, kFont, 0xFFFFFF, 0, 255, false);
    DockImage image;
    ASSERT_TRUE(image.LoadFromMemory(pngOf(2, 2, solid(0xFFFFFFFF))));
    canvas.Clear({});
    canvas.DrawImage(image, 0, 0, 2, 2);
    canvas.DrawOutlinedText("x", 0, 0, 10);
    canvas.Present();
    RECT r{};
    ::GetWindowRect(window.get(), &r);
    EXPECT_EQ(r.right - r.left, 50);  // unchanged
}

}  // namespace
}  // namespace dock
