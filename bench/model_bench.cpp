// The magnification model and the hit test run up to a hundred times a second;
// these measure one step of each at 10, 30, 50 and 200 items, and the dock's
// whole frame step (pointer, hit test, model and composition) on a surface
// that records nothing, so that only the dock's own work is timed. Besides
// the table the results go to model_bench.json (or wherever --benchmark_out
// says).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "render/frame.h"
#include "app/tick.h"
#include "render/hover.h"
#include "render/layout.h"

namespace {

using namespace dock;

// A row of `count` items with the middle one at full magnification under a
// pointer on its centre, the way the dock is while the user points at it.
struct MagnifiedRow {
    DockState state;
    DockSettings settings;
    int middle = 0;
    std::int32_t centreX = 0;

    explicit MagnifiedRow(int count) {
        state.metrics.backgroundHeight = 104;
        state.metrics.floatDistance = 48;
        state.metrics.rowTop = 152;
        settings.floatBothWays = 1;
        for (int i = 1; i <= count; ++i) state.items.Insert(i, DockItem{}, i);
        layoutRow(state, 1);
        middle = (count + 1) / 2;
        centreX = state.metrics.leftMargin + state.metrics.cellWidth * (middle - 1) +
                  state.metrics.cellWidth / 2;
        state.frame.hoverIndex = middle;
        state.frame.pointerX = centreX;
        state.frame.pointerY = state.metrics.rowTop - 10;
        for (int step = 0; step < 10; ++step) advanceFrame(state, settings, false);
    }
};

// The pointer moves by a pixel every step, so the magnified cell changes and
// every neighbour is recomputed.
void zoomStepThatRecomputes(benchmark::State& bench) {
    MagnifiedRow row(static_cast<int>(bench.range(0)));
    std::int32_t offset = 0;
    for (auto _ : bench) {
        offset ^= 1;
        row.state.frame.pointerX = row.centreX + offset;
        FrameResult result = advanceFrame(row.state, row.settings, false);
        benchmark::DoNotOptimize(result);
        if (result.frame != FrameKind::zoom) {
            bench.SkipWithError("the step did not recompute");
            break;
        }
    }
    bench.counters["items"] = static_cast<double>(bench.range(0));
}

// A still pointer at full magnification: the step finds nothing to redraw.
void stillStep(benchmark::State& bench) {
    MagnifiedRow row(static_cast<int>(bench.range(0)));
    for (auto _ : bench) {
        FrameResult result = advanceFrame(row.state, row.settings, false);
        benchmark::DoNotOptimize(result);
        if (result.frame != FrameKind::none) {
            bench.SkipWithError("a still pointer asked for a frame");
            break;
        }
    }
    bench.counters["items"] = static_cast<double>(bench.range(0));
}

// The worst case: the pointer is over the last item, so every zone is built.
void hitTestOfTheLastItem(benchmark::State& bench) {
    const int count = static_cast<int>(bench.range(0));
    MagnifiedRow row(count);
    const RectF& last = row.state.items[count].currentRect;
    const std::int32_t x = static_cast<std::int32_t>(last.right) - 1;
    const std::int32_t y = row.state.metrics.rowTop + 10;
    for (auto _ : bench) {
        int found = hitTest(row.state, row.settings, x, y);
        benchmark::DoNotOptimize(found);
        if (found != count) {
            bench.SkipWithError("the hit test missed the last item");
            break;
        }
    }
    bench.counters["items"] = static_cast<double>(count);
}

// Takes every call and does nothing with it.
class NullSurface : public DrawingSurface {
  public:
    long calls = 0;
    void Create(std::int32_t, std::int32_t, const std::string&, std::uint32_t, std::uint32_t, int,
                bool) override {}
    void BeginFrame() override { ++calls; }
    void Clear(const RectI&) override { ++calls; }
    int DrawImage(const Picture&, float, float, float, float) override { return ++calls, 0; }
    int DrawImagePart(const Picture&, float, float, float, float, float, float, float, float,
                      float) override {
        return ++calls, 0;
    }
    int DrawImageSlice(const Picture&, const RectF&, float, float, float, float) override {
        return ++calls, 0;
    }
    void DrawOutlinedText(const std::string&, float, float, std::int32_t) override { ++calls; }
    void Present() override { ++calls; }
};

// One animation tick of the dock with the pointer swinging by a pixel over
// the middle item, reflections on: the pointer is read, hit-tested, the model
// steps and the whole zoom frame is composed on the null surface.
void frameStep(benchmark::State& bench) {
    const int count = static_cast<int>(bench.range(0));
    testing::FakePlatform fakes;
    NullSurface surface;
    Dock dock{Platform{fakes.files, fakes.profile, fakes.messages, fakes.pictures, surface,
                       fakes.hotkeys, fakes.icons, fakes.window, fakes.shell, fakes.foreground},
              "C:\\Dock",
              fakes.dock.leadBytes,
              fakes.dock.settings,
              {}};
    dock.state.metrics = fakes.dock.state.metrics;
    dock.settings.reflection = 1;
    // Pictures of the built-in sizes, loaded as the fake decodes them.
    const std::uint8_t png[24] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
                                  'I',  'H', 'D', 'R', 0,    0,    0,    72,   0, 0, 0, 72};
    dock.state.pictures.backgroundImage = fakes.pictures.NewPicture();
    dock.state.pictures.backgroundImage->LoadFromMemory(png);
    dock.state.pictures.trayImage = fakes.pictures.NewPicture();
    dock.state.pictures.trayImage->LoadFromMemory(png);
    for (int i = 1; i <= count; ++i) {
        dock.state.pictures.imagePool.push_back(fakes.pictures.NewPicture());
        dock.state.pictures.imagePool.back()->LoadFromMemory(png);
        DockItem item;
        item.title = "Item " + std::to_string(i);
        dock.state.items.Insert(i, item, i);
    }
    layoutRow(dock.state, 1);
    const int middle = (count + 1) / 2;
    RectI& rect = fakes.window.rect;
    rect = {400, 300, 400 + windowWidth(dock.state.metrics, count), 640};
    const std::int32_t x =
        rect.left + static_cast<int>(dock.state.items[middle].zoomRect.left) + 40;
    fakes.window.cursor = {x, rect.top + dock.state.metrics.rowTop + 10};
    for (int i = 0; i < 20; ++i) animationTick(dock, fakes.features);
    if (dock.state.frame.hoverIndex != middle || dock.state.frame.zoomPercent != 100) {
        bench.SkipWithError("the pointer is not over the middle item");
        return;
    }
    // Calls of one zoom frame: clear, three strip pieces, the highlight, two
    // per item, the caption, present.
    const long perFrame = 1 + 3 + 1 + 2L * count + 1 + 1;
    std::int32_t offset = 0;
    for (auto _ : bench) {
        offset ^= 1;
        fakes.window.cursor.x = x + offset;
        const long before = surface.calls;
        animationTick(dock, fakes.features);
        if (surface.calls - before != perFrame) {
            bench.SkipWithError("the tick did not compose a whole zoom frame");
            break;
        }
    }
    bench.counters["items"] = static_cast<double>(count);
}

BENCHMARK(zoomStepThatRecomputes)->Arg(10)->Arg(30)->Arg(50)->Arg(200);
BENCHMARK(stillStep)->Arg(10)->Arg(30)->Arg(50)->Arg(200);
BENCHMARK(hitTestOfTheLastItem)->Arg(10)->Arg(30)->Arg(50)->Arg(200);
BENCHMARK(frameStep)->Arg(30)->Arg(200);

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    bool outputChosen = false;
    for (int i = 1; i < argc; ++i)
        outputChosen = outputChosen || std::string(argv[i]).rfind("--benchmark_out=", 0) == 0;
    std::string out = "--benchmark_out=model_bench.json";
    std::string format = "--benchmark_out_format=json";
    if (!outputChosen) {
        args.push_back(out.data());
        args.push_back(format.data());
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
