// Times the plan noise map of the valley-crossing example at 10 m spacing on one and on
// two threads (wall-clock time): every node is independent, so two threads should take
// a little over half the time of one on a 2-core machine.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/calc_scene.h"
#include "engine/source_pieces.h"
#include "io/project_file.h"
#include "maps/noise_map_compute.h"
#include "model/document.h"

namespace {

constexpr double kSpacing = 10.0;  // m
constexpr double kHeight = 1.5;    // m

CMyTalvoDoc LoadValleyCrossing()
{
    CMyTalvoDoc doc;
    OpenProject(doc, std::string(TALVO_EXAMPLES) + "/valley-crossing.tlv");
    MakeSourcePieces(doc);
    return doc;
}

void BM_PlanMapValleyCrossing(benchmark::State& state)
{
    const CMyTalvoDoc doc = LoadValleyCrossing();
    const CCalcScene scene(doc);
    const int threads = static_cast<int>(state.range(0));
    std::int64_t nodes = 0;
    for (auto _ : state) {
        CNoiseMapGrid grid = PlanMapLayout(doc.m_settings, kSpacing, kHeight, 0);
        CRunProgress progress;
        ComputeNoiseMap(scene, grid, progress, threads);
        nodes += progress.Done();
        benchmark::DoNotOptimize(grid.m_arrLevel.data());
    }
    state.counters["nodes/s"] = benchmark::Counter(double(nodes), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_PlanMapValleyCrossing)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
