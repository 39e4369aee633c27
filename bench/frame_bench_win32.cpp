// Cost of one zoom frame, and of one frame of an item being dragged, under
// Wine, beside its floor. The dock's frame is renderFrame composing on the
// real DockCanvas, which draws and presents only where the frame differs from
// the last one. The floor is the full redraw: the same GDI+ calls with the
// same arguments, recorded from the dock once and replayed by this program
// straight on a surface of its own, cleared whole and presented whole with
// UpdateLayeredWindow, with no dock code in between. Dock and floor frames
// alternate, so both see the same machine load. Also counts the frames a
// still pointer presents. Prints a table and writes frame_bench.json beside
// the executable.
//
//   frame_bench [frames] [counts]     e.g. frame_bench 500 10,30,60,200
//   frame_bench show                  a zoomed dock of seven items on screen
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "features/arranging/item_drag.h"
#include "render/builtin_pictures.h"
#include "render/canvas_win32.h"
#include "render/dock_image_win32.h"
#include "render/frame.h"
#include "render/hover.h"
#include "app/tick.h"
#include "render/layout.h"
#include "render/to_wide_win32.h"
#include "support/texts.h"

namespace {

using Clock = std::chrono::steady_clock;
using dock::DrawingSurface;
namespace gdip = dock::gdip;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One drawing call of a frame, as the dock made it.
struct Call {
    enum Kind { clear, image, imagePart, imageSlice, text, present } kind = clear;
    Gdiplus::GpImage* picture = nullptr;
    float a[10] = {};
    std::wstring wide;
    std::int32_t em = 0;
    static Call of(Kind kind, Gdiplus::GpImage* picture = nullptr,
                   std::initializer_list<float> args = {}) {
        Call c;
        c.kind = kind;
        c.picture = picture;
        std::copy(args.begin(), args.end(), c.a);
        return c;
    }
    bool operator==(const Call& o) const {
        return kind == o.kind && picture == o.picture && std::equal(a, a + 10, o.a) &&
               wide == o.wide && em == o.em;
    }
};
using Frame = std::vector<Call>;

Gdiplus::GpImage* nativeOf(const dock::Picture& p) {
    const auto* image = dynamic_cast<const dock::DockImage*>(&p);
    return image != nullptr ? image->NativeImage() : nullptr;
}

// Records the calls of a frame; draws nothing. Only used to learn what the
// dock draws, never while the dock is timed.
class Recorder : public DrawingSurface {
  public:
    Frame frame;
    int presents = 0;
    void Create(std::int32_t, std::int32_t, const std::string&, std::uint32_t, std::uint32_t, int,
                bool) override {}
    void BeginFrame() override { frame.push_back(Call::of(Call::clear)); }
    void Clear(const dock::RectI&) override { std::abort(); }  // a frame never erases part of it
    int DrawImage(const dock::Picture& p, float x, float y, float w, float h) override {
        frame.push_back(Call::of(Call::image, nativeOf(p), {x, y, w, h}));
        return 0;
    }
    int DrawImagePart(const dock::Picture& p, float x, float y, float w, float h, float sx,
                      float sy, float sw, float sh, float opacity) override {
        frame.push_back(
            Call::of(Call::imagePart, nativeOf(p), {x, y, w, h, sx, sy, sw, sh, opacity}));
        return 0;
    }
    int DrawImageSlice(const dock::Picture& p, const dock::RectF& to, float sx, float sy, float sw,
                       float sh) override {
        frame.push_back(Call::of(Call::imageSlice, nativeOf(p),
                                 {to.left, to.top, to.Width(), to.Height(), sx, sy, sw, sh}));
        return 0;
    }
    void DrawOutlinedText(const std::string& t, float x, float y, std::int32_t em) override {
        Call c = Call::of(Call::text, nullptr, {x, y});
        c.wide = dock::ToWide(t);
        c.em = em;
        frame.push_back(std::move(c));
    }
    void Present() override {
        ++presents;
        frame.push_back(Call::of(Call::present));
    }
};

// Forwards to the canvas and counts the frames presented.
class CountingSurface : public DrawingSurface {
  public:
    explicit CountingSurface(dock::DockCanvas& canvas) : canvas_(canvas) {}
    int presents = 0;
    void Create(std::int32_t w, std::int32_t h, const std::string& font, std::uint32_t text,
                std::uint32_t outline, int alpha, bool hq) override {
        canvas_.Create(w, h, font, text, outline, alpha, hq);
    }
    void BeginFrame() override { canvas_.BeginFrame(); }
    void Clear(const dock::RectI& r) override { canvas_.Clear(r); }
    int DrawImage(const dock::Picture& p, float x, float y, float w, float h) override {
        return canvas_.DrawImage(p, x, y, w, h);
    }
    int DrawImagePart(const dock::Picture& p, float x, float y, float w, float h, float sx,
                      float sy, float sw, float sh, float opacity) override {
        return canvas_.DrawImagePart(p, x, y, w, h, sx, sy, sw, sh, opacity);
    }
    int DrawImageSlice(const dock::Picture& p, const dock::RectF& to, float sx, float sy, float sw,
                       float sh) override {
        return canvas_.DrawImageSlice(p, to, sx, sy, sw, sh);
    }
    void DrawOutlinedText(const std::string& t, float x, float y, std::int32_t em) override {
        canvas_.DrawOutlinedText(t, x, y, em);
    }
    void Present() override {
        ++presents;
        canvas_.Present();
    }

  private:
    dock::DockCanvas& canvas_;
};

// The floor's own surface: a 32-bit DIB in a memory DC with a GDI+ graphics
// over it, set up as the dock's canvas sets up its own, and the replay of a
// recorded frame as bare GDI+ and UpdateLayeredWindow calls.
class FloorSurface {
  public:
    FloorSurface(HWND window, int width, int height, bool highQuality) : window_(window) {
        size_ = {width, height};
        blend_ = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        HDC screen = ::GetDC(window);
        dc_ = ::CreateCompatibleDC(screen);
        ::ReleaseDC(window, screen);
        bitmap_ = dock::newDibSection(dc_, width, height, &bits_).release();
        bytes_ = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
        ::SelectObject(dc_, bitmap_);
        gdip::GdipCreateFromHDC(dc_, &graphics_);
        if (highQuality)
            gdip::GdipSetInterpolationMode(graphics_, Gdiplus::InterpolationModeHighQualityBicubic);
        gdip::GdipSetSmoothingMode(graphics_, Gdiplus::SmoothingModeAntiAlias);
        const std::wstring font = dock::ToWide(std::string(dock::texts::kCaptionFont));
        gdip::GdipCreateFontFamilyFromName(font.c_str(), nullptr, &family_);
        gdip::GdipCreatePen1(0xFF000000u, 0.0f, Gdiplus::UnitDocument, &pen_);
        gdip::GdipSetPenLineJoin(pen_, Gdiplus::LineJoinRound);
        gdip::GdipCreateSolidFill(0xFFFFFFFFu, &brush_);
        gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, &format_);
        gdip::GdipCreatePath(Gdiplus::FillModeAlternate, &path_);
        gdip::GdipCreateImageAttributes(&attributes_);
    }
    FloorSurface(const FloorSurface&) = delete;
    FloorSurface& operator=(const FloorSurface&) = delete;
    ~FloorSurface() {
        gdip::GdipDisposeImageAttributes(attributes_);
        gdip::GdipDeletePath(path_);
        gdip::GdipDeleteStringFormat(format_);
        gdip::GdipDeleteBrush(brush_);
        if (pen_ != nullptr) gdip::GdipDeletePen(pen_);
        if (family_ != nullptr) gdip::GdipDeleteFontFamily(family_);
        gdip::GdipDeleteGraphics(graphics_);
        ::DeleteDC(dc_);
        ::DeleteObject(bitmap_);
    }

    // The reflections all use one opacity; set once, as any program drawing
    // them would.
    void SetOpacity(float opacity) {
        Gdiplus::ColorMatrix m{};
        for (int i = 0; i < 5; ++i) m.m[i][i] = 1.0f;
        m.m[3][3] = opacity;
        gdip::GdipSetImageAttributesColorMatrix(attributes_, Gdiplus::ColorAdjustTypeBitmap, TRUE,
                                                &m, nullptr, Gdiplus::ColorMatrixFlagsDefault);
    }

    void Replay(const Frame& frame) {
        for (const Call& c : frame) {
            const float* a = c.a;
            switch (c.kind) {
                case Call::clear:
                    // The fastest erase to transparent black there is: zeros
                    // written into the DIB once GDI+ and GDI have finished.
                    gdip::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
                    ::GdiFlush();
                    std::memset(bits_, 0, bytes_);
                    break;
                case Call::image:
                    gdip::GdipDrawImageRect(graphics_, c.picture, a[0], a[1], a[2], a[3]);
                    break;
                case Call::imagePart:
                    gdip::GdipDrawImageRectRect(
                        graphics_, c.picture, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                        Gdiplus::UnitPixel, a[8] == 0 ? nullptr : attributes_, nullptr, nullptr);
                    break;
                case Call::imageSlice: {
                    // A texture of the slice, mirrored at its edges, filling
                    // the destination on whole pixels.
                    Gdiplus::GpTexture* texture = nullptr;
                    gdip::GdipCreateTexture2(c.picture, Gdiplus::WrapModeTileFlipXY, a[4], a[5],
                                             a[6], a[7], &texture);
                    gdip::GdipScaleTextureTransform(texture, a[2] / a[6], a[3] / a[7],
                                                    Gdiplus::MatrixOrderAppend);
                    gdip::GdipTranslateTextureTransform(texture, a[0], a[1],
                                                        Gdiplus::MatrixOrderAppend);
                    gdip::GdipSetSmoothingMode(graphics_, Gdiplus::SmoothingModeNone);
                    gdip::GdipFillRectangle(graphics_, texture, a[0], a[1], a[2], a[3]);
                    gdip::GdipSetSmoothingMode(graphics_, Gdiplus::SmoothingModeAntiAlias);
                    gdip::GdipDeleteBrush(texture);
                    break;
                }
                case Call::text: {
                    const Gdiplus::RectF layout(a[0], a[1], 0.0f, 0.0f);
                    gdip::GdipResetPath(path_);
                    gdip::GdipAddPathString(path_, c.wide.c_str(), static_cast<INT>(c.wide.size()),
                                            family_, Gdiplus::FontStyleBold,
                                            static_cast<Gdiplus::REAL>(c.em), &layout, format_);
                    gdip::GdipDrawPath(graphics_, pen_, path_);
                    gdip::GdipFillPath(graphics_, brush_, path_);
                    break;
                }
                case Call::present:
                    gdip::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
                    ::UpdateLayeredWindow(window_, nullptr, nullptr, &size_, dc_, &origin_, 0,
                                          &blend_, ULW_ALPHA);
                    break;
            }
        }
    }

  private:
    HWND window_;
    SIZE size_{};
    POINT origin_{0, 0};
    BLENDFUNCTION blend_{};
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
    std::size_t bytes_ = 0;
    Gdiplus::GpGraphics* graphics_ = nullptr;
    Gdiplus::GpFontFamily* family_ = nullptr;
    Gdiplus::GpPen* pen_ = nullptr;
    Gdiplus::GpSolidFill* brush_ = nullptr;
    Gdiplus::GpStringFormat* format_ = nullptr;
    Gdiplus::GpPath* path_ = nullptr;
    Gdiplus::GpImageAttributes* attributes_ = nullptr;
};

// A dock of `count` items with the built-in pictures, drawing on `surface`;
// only the ports that a frame does not draw with are fakes.
struct BenchDock {
    dock::testing::FakePlatform fakes;
    dock::DockImageFactory pictures;
    dock::Dock d;

    BenchDock(DrawingSurface& surface, int count, bool highQuality, bool reflection,
              bool dragging = false)
        : d{dock::Platform{fakes.files, fakes.profile, fakes.messages, pictures, surface,
                           fakes.hotkeys, fakes.icons, fakes.window, fakes.shell, fakes.foreground},
            "C:\\Dock",
            fakes.dock.leadBytes,
            fakes.dock.settings,
            {}} {
        d.settings.reflection = reflection ? 1 : 0;
        d.settings.highQuality = highQuality ? 1 : 0;
        d.state.metrics = fakes.dock.state.metrics;
        d.state.pictures.backgroundImage = pictures.NewPicture();
        d.state.pictures.backgroundImage->LoadFromMemory(dock::embedded::BackgroundPicture);
        d.state.pictures.trayImage = pictures.NewPicture();
        d.state.pictures.trayImage->LoadFromMemory(dock::embedded::SelectedTrayPicture);
        for (int i = 1; i <= count; ++i) {
            d.state.pictures.imagePool.push_back(pictures.NewPicture());
            d.state.pictures.imagePool.back()->LoadFromMemory(dock::embedded::DefaultItemPicture);
            dock::DockItem item;
            item.title = "Item " + std::to_string(i);
            d.state.items.Insert(i, item, i);
        }
        dock::layoutRow(d.state, 1);
        dock::recreateCanvas(frameOf(d));
        // The window is the size of the surface, as the dock makes it.
        const int hovered = (count + 1) / 2;
        centre = static_cast<int>(d.state.items[hovered].zoomRect.left) + 36;
        d.state.frame.hoverIndex = hovered;
        d.state.frame.pointerY = d.state.metrics.rowTop;
        if (dragging) {
            // The middle item pressed and pulled past the drag distance to
            // the middle of the row's right half.
            centre = dock::windowWidth(d.state.metrics, count) * 3 / 4;
            dock::pressItem(d, fakes.features.drag, {centre, d.state.metrics.rowTop + 18});
            dock::movePressedPointer(d, fakes.features.drag, {centre, d.state.metrics.rowTop + 8},
                                     {4, 4});
        }
    }
    int centre = 0;

    // The pointer swings by a pixel over the middle item, so every step is a
    // full zoom frame; after the build-up the frames alternate between two.
    // While dragging it swings the dragged item, once the gap has opened.
    void Step(int i) {
        if (fakes.features.drag.Dragging()) {
            dock::followDragPointer(d, fakes.features.drag,
                                    {centre + (i & 1), d.state.metrics.rowTop + 8});
            return;
        }
        d.state.frame.pointerX = centre + (i & 1);
        dock::renderFrame(frameOf(d), false);
    }
};

constexpr int kWarmUp = 20;  // more than the ten frames of the build-up

struct Result {
    int items = 0;
    int width = 0;
    double frameMs = 0, floorMs = 0;
    int callsPerFrame = 0;
};

Result measure(HWND window, int count, bool highQuality, bool reflection, int frames,
               bool dragging = false) {
    Result result;
    result.items = count;
    result.width = dock::windowWidth(dock::testing::FakePlatform().dock.state.metrics, count);
    const int height = 340;
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, result.width, height,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);

    // What the dock draws, learnt on a recorder: the two alternating frames,
    // checked to repeat exactly.
    Recorder recorder;
    BenchDock learner(recorder, count, highQuality, reflection, dragging);
    Frame cycle[2];
    for (int i = 0; i < kWarmUp + 4; ++i) {
        recorder.frame.clear();
        learner.Step(i);
        if (i >= kWarmUp && i < kWarmUp + 2) cycle[i & 1] = recorder.frame;
        if (i >= kWarmUp + 2 && !(recorder.frame == cycle[i & 1])) {
            std::fprintf(stderr, "the frames do not repeat at %d items\n", count);
            std::exit(2);
        }
    }
    result.callsPerFrame = static_cast<int>(cycle[0].size());

    dock::DockCanvas canvas;
    canvas.AttachWindow(window);
    canvas.PaceFrames(0);  // every frame presented: its whole cost is measured
    BenchDock timed(canvas, count, highQuality, reflection, dragging);
    // The pictures of the timed dock are its own: point the replay at them.
    std::vector<Gdiplus::GpImage*> from, to;
    auto mapPictures = [&](const dock::Dock& a, const dock::Dock& b) {
        from.push_back(nativeOf(*a.state.pictures.backgroundImage));
        to.push_back(nativeOf(*b.state.pictures.backgroundImage));
        from.push_back(nativeOf(*a.state.pictures.trayImage));
        to.push_back(nativeOf(*b.state.pictures.trayImage));
        for (std::size_t k = 0; k < a.state.pictures.imagePool.size(); ++k) {
            from.push_back(nativeOf(*a.state.pictures.imagePool[k]));
            to.push_back(nativeOf(*b.state.pictures.imagePool[k]));
        }
    };
    mapPictures(learner.d, timed.d);
    for (Frame& f : cycle)
        for (Call& c : f)
            if (c.picture != nullptr)
                c.picture =
                    to[std::size_t(std::find(from.begin(), from.end(), c.picture) - from.begin())];

    FloorSurface floor(window, result.width, height, highQuality);
    floor.SetOpacity(0.3f);
    std::vector<double> dockMs, floorMs;
    // Which of the two goes first alternates every other frame, so neither
    // always follows the other's present.
    auto timeDock = [&](int i) {
        const auto start = Clock::now();
        timed.Step(i);
        return msSince(start);
    };
    auto timeFloor = [&](int i) {
        const auto start = Clock::now();
        floor.Replay(cycle[i & 1]);
        return msSince(start);
    };
    for (int i = 0; i < kWarmUp + frames; ++i) {
        double d = 0, f = 0;
        if ((i >> 1) & 1) {
            f = timeFloor(i);
            d = timeDock(i);
        } else {
            d = timeDock(i);
            f = timeFloor(i);
        }
        if (i >= kWarmUp) {
            dockMs.push_back(d);
            floorMs.push_back(f);
        }
    }
    result.frameMs = median(dockMs);
    result.floorMs = median(floorMs);
    return result;
}

// Presents while the pointer rests on a magnified item: the real animation
// tick with the pointer held still, 100 ticks (a second at 10 ms) after the
// build-up.
int stillPointerPresents(HWND window, int count) {
    dock::DockCanvas canvas;
    canvas.AttachWindow(window);
    CountingSurface counting(canvas);
    BenchDock bench(counting, count, false, true);
    dock::Dock& d = bench.d;
    const int hovered = (count + 1) / 2;
    const dock::RectI area = bench.fakes.window.rect;
    bench.fakes.window.rect = {
        area.left, area.top, area.left + dock::windowWidth(d.state.metrics, count), area.top + 340};
    bench.fakes.window.cursor = {
        bench.fakes.window.rect.left + static_cast<int>(d.state.items[hovered].zoomRect.left) + 40,
        bench.fakes.window.rect.top + d.state.metrics.rowTop + 10};
    for (int i = 0; i < kWarmUp; ++i) dock::animationTick(d, bench.fakes.features);
    if (d.state.frame.hoverIndex != hovered || d.state.frame.zoomPercent != 100) {
        std::fprintf(stderr, "the still pointer is not over item %d\n", hovered);
        std::exit(2);
    }
    counting.presents = 0;
    for (int i = 0; i < 100; ++i) dock::animationTick(d, bench.fakes.features);
    return counting.presents;
}

// The picture cache once the pointer has crossed the row of `count` items
// and come back, 2 px a frame, so that every item has taken every size.
struct CacheUse {
    std::size_t bytes = 0, most = 0, pieces = 0;
    std::size_t redrawn = 0;  // pieces drawn again in the second sweep
    int frames = 0;           // its frames
};
CacheUse cacheAfterSweep(HWND window, int count) {
    dock::DockCanvas canvas;
    canvas.AttachWindow(window);
    canvas.PaceFrames(0);
    BenchDock bench(canvas, count, false, true);
    dock::Dock& d = bench.d;
    const int width = dock::windowWidth(d.state.metrics, count);
    const int y = d.state.metrics.rowTop + 10;
    CacheUse use;
    for (int step = 0; step < width; ++step) {
        const int x = step < width / 2 ? 2 * step : 2 * (width - step);
        d.state.frame.pointerX = x;
        d.state.frame.pointerY = y;
        d.state.frame.hoverIndex = dock::hitTest(d.state, d.settings, x, y);
        dock::renderFrame(frameOf(d), false);
        use.most = std::max(use.most, canvas.Cache().Bytes());
    }
    use.bytes = canvas.Cache().Bytes();
    use.pieces = canvas.Cache().Count();
    // Once more, 1 px a frame: what the cache could not keep is drawn again.
    const std::size_t before = canvas.Cache().Drawn();
    for (int step = 0; step < 2 * width; ++step) {
        const int x = step < width ? step : 2 * width - step;
        d.state.frame.pointerX = x;
        d.state.frame.hoverIndex = dock::hitTest(d.state, d.settings, x, y);
        dock::renderFrame(frameOf(d), false);
    }
    use.redrawn = canvas.Cache().Drawn() - before;
    use.frames = 2 * width;
    return use;
}

void show(HWND window) {
    dock::DockCanvas canvas;
    canvas.AttachWindow(window);
    BenchDock bench(canvas, 7, true, true);
    dock::Dock& d = bench.d;
    ::SetWindowPos(window, HWND_TOPMOST, 200, 150, dock::windowWidth(d.state.metrics, 7), 340,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    d.state.items[4].item.title = "\xBC\xC7\xCA\xC2\xB1\xBE";  // 记事本
    d.state.frame.hoverIndex = 4;
    d.state.frame.pointerX = static_cast<int>(d.state.items[4].zoomRect.left) + 36 + 6;
    d.state.frame.pointerY = d.state.metrics.rowTop - 14;
    for (int i = 0; i < 10; ++i) dock::renderFrame(frameOf(d), false);
    ::Sleep(8000);
}

}  // namespace

int main(int argc, char** argv) {
    const bool showOnly = argc > 1 && std::string(argv[1]) == "show";
    const int frames = argc > 1 && !showOnly ? std::max(1, std::atoi(argv[1])) : 500;
    dock::GdiplusSession session;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DockFrameBench";
    ::RegisterClassW(&wc);
    HWND window =
        ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"",
                          WS_POPUP, 0, 0, 288, 340, nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    if (showOnly) {
        show(window);
        ::DestroyWindow(window);
        return 0;
    }

    std::vector<int> counts;
    if (argc > 2)
        for (const char* p = argv[2]; *p != '\0';) {
            char* end = nullptr;
            const long v = std::strtol(p, &end, 10);
            if (end == p) break;
            if (v > 0 && v <= 1000) counts.push_back(static_cast<int>(v));
            p = *end == ',' ? end + 1 : end;
        }
    if (counts.empty()) counts = {10, 30, 60, 200};

    // Reflections on: the frame with the most calls the settings allow.
    std::vector<Result> results;
    for (int count : counts) results.push_back(measure(window, count, false, true, frames));
    const Result drag = measure(window, 30, false, true, frames, true);
    const int still = stillPointerPresents(window, 30);
    const CacheUse cache10 = cacheAfterSweep(window, 10);
    const CacheUse cache = cacheAfterSweep(window, 60);
    ::DestroyWindow(window);

    std::printf("zoom frame with reflections, median of %d frames (ms)\n", frames);
    std::printf("%6s  %6s  %6s  %8s  %8s  %7s\n", "items", "width", "calls", "dock", "full",
                "ratio");
    for (const Result& r : results)
        std::printf("%6d  %6d  %6d  %8.3f  %8.3f  %7.4f\n", r.items, r.width, r.callsPerFrame,
                    r.frameMs, r.floorMs, r.frameMs / r.floorMs);
    std::printf("drag frame at 30 items: %d calls, dock %.3f ms, full %.3f ms, ratio %.4f\n",
                drag.callsPerFrame, drag.frameMs, drag.floorMs, drag.frameMs / drag.floorMs);
    std::printf("still pointer at 30 items: %d presents in 100 ticks\n", still);
    std::printf(
        "picture cache after a sweep over 60 items: %.2f MiB in %zu pieces (most %.2f MiB)\n",
        double(cache.bytes) / (1 << 20), cache.pieces, double(cache.most) / (1 << 20));
    std::printf(
        "pieces drawn again in a second sweep, 1 px a frame: %zu in %d frames at 10 "
        "items, %zu in %d at 60\n",
        cache10.redrawn, cache10.frames, cache.redrawn, cache.frames);

    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string json = std::string(path, n);
    json = json.substr(0, json.find_last_of("\\/") + 1) + "frame_bench.json";
    if (FILE* f = std::fopen(json.c_str(), "w")) {
        std::fprintf(
            f,
            "{\"frames\": %d, \"still_presents_per_100_ticks\": %d, \"cache_60\": "
            "{\"bytes\": %zu, \"most_bytes\": %zu, \"pieces\": %zu, \"redrawn\": %zu, "
            "\"frames\": %d}, \"redrawn_10\": %zu, \"frames_10\": %d, \"drag\": {\"items\": "
            "%d, \"calls\": %d, \"frame_ms\": %.4f, \"floor_ms\": %.4f}, \"results\": [",
            frames, still, cache.bytes, cache.most, cache.pieces, cache.redrawn, cache.frames,
            cache10.redrawn, cache10.frames, drag.items, drag.callsPerFrame, drag.frameMs,
            drag.floorMs);
        for (std::size_t i = 0; i < results.size(); ++i) {
            const Result& r = results[i];
            std::fprintf(f,
                         "%s\n  {\"items\": %d, \"width\": %d, \"calls\": %d, \"frame_ms\": %.4f, "
                         "\"floor_ms\": %.4f}",
                         i == 0 ? "" : ",", r.items, r.width, r.callsPerFrame, r.frameMs,
                         r.floorMs);
        }
        std::fprintf(f, "\n]}\n");
        std::fclose(f);
    }
    return 0;
}
