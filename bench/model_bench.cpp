// The magnification model and the hit test run up to a hundred times a second;
// these measure one step of each at 10, 50 and 200 items. Besides the table
// the results go to model_bench.json (or wherever --benchmark_out says).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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
        state.metrics.rowTop = 152;
        settings.floatDistance = 48;
        settings.floatBothWays = 1;
        for (int i = 1; i <= count; ++i) state.items.Insert(i, DockItem{}, i);
        layoutRow(state, 1);
        middle = (count + 1) / 2;
        centreX = state.metrics.leftMargin + state.metrics.cellWidth * (middle - 1) +
                  state.metrics.cellWidth / 2;
        state.hoverIndex = middle;
        state.pointerX = centreX;
        state.pointerY = state.metrics.rowTop - 10;
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
        row.state.pointerX = row.centreX + offset;
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

BENCHMARK(zoomStepThatRecomputes)->Arg(10)->Arg(50)->Arg(200);
BENCHMARK(stillStep)->Arg(10)->Arg(50)->Arg(200);
BENCHMARK(hitTestOfTheLastItem)->Arg(10)->Arg(50)->Arg(200);

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
