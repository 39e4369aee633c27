// Cost of one zoom frame under Wine: renderFrame composing on the real
// DockCanvas and presenting to a layered window, at 10, 30 and 60 items, with
// the default and the high-quality interpolation. Prints a table and writes
// frame_bench.json beside the executable.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "render/builtin_pictures.h"
#include "render/canvas_win32.h"
#include "render/dock_image_win32.h"
#include "render/frame.h"
#include "render/layout.h"
#include "support/texts.h"

namespace {

using Clock = std::chrono::steady_clock;
using dock::DrawingSurface;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Forwards to the canvas and adds up the time spent presenting.
class TimedSurface : public DrawingSurface {
  public:
    explicit TimedSurface(dock::DockCanvas& canvas) : canvas_(canvas) {}
    double presentMs = 0;

    void Create(std::int32_t w, std::int32_t h, const std::string& font, std::uint32_t text,
                std::uint32_t outline, int alpha, bool hq) override {
        canvas_.Create(w, h, font, text, outline, alpha, hq);
    }
    void Clear(const dock::RectI& r) override { canvas_.Clear(r); }
    int DrawImage(const dock::Picture& p, float x, float y, float w, float h) override {
        return canvas_.DrawImage(p, x, y, w, h);
    }
    int DrawImagePart(const dock::Picture& p, float x, float y, float w, float h, float sx,
                      float sy, float sw, float sh, float opacity) override {
        return canvas_.DrawImagePart(p, x, y, w, h, sx, sy, sw, sh, opacity);
    }
    void DrawOutlinedText(const std::string& t, float x, float y, std::int32_t em) override {
        canvas_.DrawOutlinedText(t, x, y, em);
    }
    void Present() override {
        const auto start = Clock::now();
        canvas_.Present();
        presentMs += msSince(start);
    }

  private:
    dock::DockCanvas& canvas_;
};

struct Result {
    int items;
    bool highQuality;
    bool reflection;
    double frameMs, composeMs, presentMs;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A dock of `count` items with the built-in pictures on the real canvas;
// only the ports that a frame does not draw with are fakes.
struct BenchDock {
    dock::testing::FakePlatform fakes;
    dock::DockCanvas canvas;
    TimedSurface surface{canvas};
    dock::DockImageFactory pictures;
    dock::Dock d{dock::Platform{fakes.files, fakes.profile, fakes.messages, pictures, surface,
                                fakes.hotkeys, fakes.icons, fakes.window, fakes.shell},
                 "C:\\Dock",
                 fakes.dock.settings,
                 {}};

    BenchDock(HWND window, int count, bool highQuality, bool reflection = true) {
        canvas.AttachWindow(window);
        d.settings.reflection = reflection ? 1 : 0;
        d.settings.highQuality = highQuality ? 1 : 0;
        d.state.metrics = fakes.dock.state.metrics;
        d.state.backgroundImage = pictures.NewPicture();
        d.state.backgroundImage->LoadFromMemory(dock::embedded::BackgroundPicture);
        d.state.trayImage = pictures.NewPicture();
        d.state.trayImage->LoadFromMemory(dock::embedded::SelectedTrayPicture);
        for (int i = 1; i <= count; ++i) {
            d.state.imagePool.push_back(pictures.NewPicture());
            d.state.imagePool.back()->LoadFromMemory(dock::embedded::DefaultItemPicture);
            dock::DockItem item;
            item.title = "Item " + std::to_string(i);
            d.state.items.Insert(i, item, i);
        }
        dock::layoutRow(d.state, 1);
        dock::recreateCanvas(d);
    }
};

Result measure(HWND window, int count, bool highQuality, bool reflection, int frames) {
    BenchDock bench(window, count, highQuality, reflection);
    dock::Dock& d = bench.d;
    TimedSurface& surface = bench.surface;

    // The pointer swings by a pixel over the middle item, so every step is a
    // full zoom frame.
    const int hovered = (count + 1) / 2;
    const int centre = static_cast<int>(d.state.items[hovered].zoomRect.left) + 36;
    d.state.hoverIndex = hovered;
    d.state.pointerY = d.state.metrics.rowTop;
    std::vector<double> total, present;
    for (int i = -20; i < frames; ++i) {
        d.state.pointerX = centre + (i & 1);
        surface.presentMs = 0;
        const auto start = Clock::now();
        dock::renderFrame(d, false);
        const double ms = msSince(start);
        if (i >= 0) {
            total.push_back(ms);
            present.push_back(surface.presentMs);
        }
    }
    const double frameMs = median(total);
    const double presentMs = median(present);
    return {count, highQuality, reflection, frameMs, frameMs - presentMs, presentMs};
}

}  // namespace

// `frame_bench show`: a zoomed dock of seven items, held on screen for a
// screenshot.
void show(HWND window) {
    BenchDock bench(window, 7, true);
    dock::Dock& d = bench.d;
    ::SetWindowPos(window, HWND_TOPMOST, 200, 150, dock::windowWidth(d.state.metrics, 7), 340,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    d.state.items[4].item.title = "\xBC\xC7\xCA\xC2\xB1\xBE";  // 记事本
    d.state.hoverIndex = 4;
    d.state.pointerX = static_cast<int>(d.state.items[4].zoomRect.left) + 36 + 6;
    d.state.pointerY = d.state.metrics.rowTop - 14;
    for (int i = 0; i < 10; ++i) dock::renderFrame(d, false);
    ::Sleep(8000);
}

int main(int argc, char** argv) {
    const bool showOnly = argc > 1 && std::string(argv[1]) == "show";
    const int frames = argc > 1 && !showOnly ? std::max(1, std::atoi(argv[1])) : 300;
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

    std::vector<Result> results;
    // Optional second argument: the item counts, e.g. "10,30,60".
    std::vector<int> counts;
    if (argc > 2)
        for (const char* p = argv[2]; *p != '\0';) {
            char* end = nullptr;
            const long v = std::strtol(p, &end, 10);
            if (end == p) break;
            if (v > 0 && v <= 1000) counts.push_back(static_cast<int>(v));
            p = *end == ',' ? end + 1 : end;
        }
    if (counts.empty()) counts = {10, 30, 60};
    for (int count : counts)
        for (bool reflection : {true, false})
            for (bool hq : {false, true}) {
                results.push_back(measure(window, count, hq, reflection, frames));
            }
    ::DestroyWindow(window);

    std::printf("zoom frame, median of %d frames (ms)\n", frames);
    std::printf("%6s  %-8s  %-11s  %8s  %8s  %8s\n", "items", "quality", "reflections", "frame",
                "compose", "present");
    for (const Result& r : results)
        std::printf("%6d  %-8s  %-11s  %8.3f  %8.3f  %8.3f\n", r.items,
                    r.highQuality ? "high" : "default", r.reflection ? "on" : "off", r.frameMs,
                    r.composeMs, r.presentMs);

    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string json = std::string(path, n);
    json = json.substr(0, json.find_last_of("\\/") + 1) + "frame_bench.json";
    if (FILE* f = std::fopen(json.c_str(), "w")) {
        std::fprintf(f, "{\"frames\": %d, \"results\": [", frames);
        for (std::size_t i = 0; i < results.size(); ++i) {
            const Result& r = results[i];
            std::fprintf(f,
                         "%s\n  {\"items\": %d, \"quality\": \"%s\", \"reflections\": %s, "
                         "\"frame_ms\": %.4f, \"compose_ms\": %.4f, \"present_ms\": %.4f}",
                         i == 0 ? "" : ",", r.items, r.highQuality ? "high" : "default",
                         r.reflection ? "true" : "false", r.frameMs, r.composeMs, r.presentMs);
        }
        std::fprintf(f, "\n]}\n");
        std::fclose(f);
    }
    return 0;
}
