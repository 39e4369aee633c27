// The frames of a hover sweep, composed from cached pieces where they changed,
// against the same frames drawn whole, each piece drawn by GDI+ at once at
// the same whole-pixel rectangle: after every frame no channel of any pixel
// differs by more than 2.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "features/arranging/item_drag.h"
#include "fakes/fake_platform.h"
#include "render/builtin_pictures.h"
#include "render/canvas_win32.h"
#include "render/dock_image_win32.h"
#include "render/frame.h"
#include "render/hover.h"
#include "render/layout.h"
#include "surface_win32.h"

namespace dock {
namespace {

using testing::pixelsOf;
using testing::TestWindow;

// Every call goes to both canvases. The second one's frames begin with an
// erase instead, so it draws each call at once: the whole frame.
class TwoCanvases : public DrawingSurface {
  public:
    TwoCanvases(DockCanvas& kept, DockCanvas& whole) : kept_(kept), whole_(whole) {}
    void Create(std::int32_t w, std::int32_t h, const std::string& font, std::uint32_t text,
                std::uint32_t outline, int alpha, bool hq) override {
        kept_.Create(w, h, font, text, outline, alpha, hq);
        whole_.Create(w, h, font, text, outline, alpha, hq);
    }
    void BeginFrame() override {
        kept_.BeginFrame();
        whole_.Clear({0, 0, whole_.SurfaceWidth(), whole_.SurfaceHeight()});
    }
    void Clear(const RectI& r) override {
        kept_.Clear(r);
        whole_.Clear(r);
    }
    int DrawImage(const Picture& p, float x, float y, float w, float h) override {
        whole_.DrawImage(p, x, y, w, h);
        return kept_.DrawImage(p, x, y, w, h);
    }
    int DrawImagePart(const Picture& p, float x, float y, float w, float h, float sx, float sy,
                      float sw, float sh, float opacity) override {
        whole_.DrawImagePart(p, x, y, w, h, sx, sy, sw, sh, opacity);
        return kept_.DrawImagePart(p, x, y, w, h, sx, sy, sw, sh, opacity);
    }
    int DrawImageSlice(const Picture& p, const RectF& to, float sx, float sy, float sw,
                       float sh) override {
        whole_.DrawImageSlice(p, to, sx, sy, sw, sh);
        return kept_.DrawImageSlice(p, to, sx, sy, sw, sh);
    }
    void DrawOutlinedText(const std::string& t, float x, float y, std::int32_t em) override {
        kept_.DrawOutlinedText(t, x, y, em);
        whole_.DrawOutlinedText(t, x, y, em);
    }
    void Present() override {
        kept_.Present();
        whole_.Present();
    }

  private:
    DockCanvas& kept_;
    DockCanvas& whole_;
};

// A cached reflection is blended at a constant alpha, GDI+ draws one at once
// through a colour matrix: the two round its pixels apart by up to 2.
constexpr int kMostApart = 2;

struct Case {
    int items;
    bool reflection;
    bool marks;  // hotkey badges and running indicators
};

class SweepFrames : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override {
        const Case c = GetParam();
        keptCanvas.AttachWindow(keptWindow.get());
        keptCanvas.PaceFrames(0);  // every frame presented, to count what it presents
        wholeCanvas.AttachWindow(wholeWindow.get());
        DockState& s = d.state;
        s.metrics = fakes.dock.state.metrics;
        d.settings.reflection = c.reflection ? 1 : 0;
        d.settings.hotkeyBadges = c.marks ? 1 : 0;
        d.settings.runningIndicator = c.marks ? 1 : 0;
        s.pictures.backgroundImage = load(embedded::BackgroundPicture);
        s.pictures.trayImage = load(embedded::SelectedTrayPicture);
        s.pictures.runningIndicatorImage = load(embedded::RunningIndicatorPicture);
        for (int i = 1; i <= c.items; ++i) {
            s.pictures.imagePool.push_back(load(embedded::DefaultItemPicture));
            DockItem item;
            item.title = "Item " + std::to_string(i * 37);  // captions of differing lengths
            item.targetPath = "C:\\Programs\\" + std::to_string(i) + ".exe";
            if (i % 3 == 0) item.hotkey = static_cast<std::uint16_t>('A' + i % 26);
            if (i % 4 == 1) s.frame.overlay.runningTargets.push_back(item.targetPath);
            s.items.Insert(i, item, i);
        }
        std::sort(s.frame.overlay.runningTargets.begin(), s.frame.overlay.runningTargets.end());
        layoutRow(s, 1);
        recreateCanvas(frameOf(d));
    }

    std::unique_ptr<Picture> load(std::span<const std::uint8_t> bytes) {
        auto picture = pictures.NewPicture();
        EXPECT_TRUE(picture->LoadFromMemory(bytes));
        return picture;
    }

    // One frame with the pointer at (x, y), hovering what the hit test finds
    // there; then the two surfaces, byte for byte.
    void frameAt(int x, int y, const std::string& step) {
        d.state.frame.pointerX = x;
        d.state.frame.pointerY = y;
        d.state.frame.hoverIndex = hitTest(d.state, d.settings, x, y);
        renderFrame(frameOf(d), false);
        const RectI shown = keptCanvas.LastPresented();
        if (shown.Width() * shown.Height() < keptCanvas.SurfaceWidth() * keptCanvas.SurfaceHeight())
            ++partFrames;
        expectSameSurfaces(step + " at x " + std::to_string(x));
    }

    void expectSameSurfaces(const std::string& step) {
        ++frames;
        const testing::Pixels kept = pixelsOf(keptCanvas);
        const testing::Pixels whole = pixelsOf(wholeCanvas);
        ASSERT_EQ(kept.width, whole.width);
        ASSERT_EQ(kept.height, whole.height);
        auto closeEnough = [](std::uint32_t a, std::uint32_t b) {
            for (int shift = 0; shift < 32; shift += 8) {
                const int d = int((a >> shift) & 0xFFu) - int((b >> shift) & 0xFFu);
                if (d > kMostApart || d < -kMostApart) return false;
            }
            return true;
        };
        const auto differ =
            std::mismatch(kept.argb.begin(), kept.argb.end(), whole.argb.begin(), closeEnough);
        if (differ.first == kept.argb.end()) return;
        const auto at = static_cast<int>(differ.first - kept.argb.begin());
        FAIL() << step << ": first different pixel (" << at % kept.width << ", " << at / kept.width
               << "): " << std::hex << *differ.first << " instead of " << *differ.second;
    }

    TestWindow keptWindow{WS_EX_TOOLWINDOW, 288, 340};
    TestWindow wholeWindow{WS_EX_TOOLWINDOW, 288, 340};
    DockCanvas keptCanvas;
    DockCanvas wholeCanvas;
    TwoCanvases both{keptCanvas, wholeCanvas};
    testing::FakePlatform fakes;
    DockImageFactory pictures;
    Dock d{Platform{fakes.files, fakes.profile, fakes.messages, pictures, both, fakes.hotkeys,
                    fakes.icons, fakes.window, fakes.shell, fakes.foreground},
           "C:\\Dock",
           fakes.dock.leadBytes,
           fakes.dock.settings,
           {}};
    int frames = 0;
    int partFrames = 0;  // presented less than the whole surface
};

// Build-up over the second item, along the row and back at a pace that
// changes the hovered item every few frames, then the fade-out to rest.
TEST_P(SweepFrames, EveryFrameHoldsThePixelsOfTheWholeFrame) {
    const DockState& s = d.state;
    const int y = s.metrics.rowTop + 10;
    const int first = static_cast<int>(s.items[2].baseRect.left) + 20;
    const int last = static_cast<int>(s.items[s.items.Count()].baseRect.right) - 2;
    for (int i = 0; i < 10; ++i) frameAt(first + i % 2, y, "build-up");
    ASSERT_EQ(s.frame.zoomPercent, 100);
    const int pace = GetParam().items > 20 ? 23 : 5;
    for (int x = first; x <= last && !HasFatalFailure(); x += pace) frameAt(x, y, "along");
    for (int x = last; x >= first + 40 && !HasFatalFailure(); x -= 3 * pace)
        frameAt(x, y - 30, "back");
    for (int i = 0; i < 12 && !HasFatalFailure(); ++i) frameAt(2, 2, "fade-out");
    EXPECT_EQ(s.frame.zoomIndex, 0);
    EXPECT_GT(frames, 30);
    EXPECT_GT(partFrames, frames / 2);
}

// The caption's text changes under a still pointer; a drag moves the row;
// the window grows by an item.
TEST_P(SweepFrames, CaptionsDragsAndANewSurfaceKeepThePixelsOfTheWholeFrame) {
    DockState& s = d.state;
    const int y = s.metrics.rowTop + 10;
    const int x = static_cast<int>(s.items[3].baseRect.left) + 18;
    for (int i = 0; i < 10; ++i) frameAt(x, y, "build-up");
    s.items[3].item.title = "A longer caption than before";
    renderFrame(frameOf(d), true);
    expectSameSurfaces("new caption");

    pressItem(d, fakes.features.drag, {x, y});
    movePressedPointer(d, fakes.features.drag, {x + 40, y}, {4, 4});
    for (int step = 0; step < 12 && !HasFatalFailure(); ++step) {
        followDragPointer(d, fakes.features.drag,
                          {x + 40 + 9 * step, y - step});  // draws its frame
        expectSameSurfaces("drag step " + std::to_string(step));
    }
    releaseItem(d, fakes.features.drag, {x + 140, y});

    s.pictures.imagePool.push_back(load(embedded::DefaultItemPicture));
    s.items.Insert(s.items.Count() + 1, DockItem{}, static_cast<int>(s.pictures.imagePool.size()));
    layoutRow(s, 1);
    recreateCanvas(frameOf(d));
    for (int i = 0; i < 12 && !HasFatalFailure(); ++i) frameAt(x + i, y, "new surface");
}

INSTANTIATE_TEST_SUITE_P(Rows, SweepFrames,
                         ::testing::Values(Case{10, true, true}, Case{10, false, false},
                                           Case{60, true, false}, Case{60, false, true}));

}  // namespace
}  // namespace dock
