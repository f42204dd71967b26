// Source-receiver paths per second of CPU on one core with and without the 20 apartment
// blocks of the benchmark highway (highway_bench_project.h, AddApartmentBlocks): the
// blocks' façade receivers, and the 20 m receiver grid, computed in the project with the
// blocks and at the same points in the project without them; the grid also with blocks
// whose walls absorb everything (screening without reflections). A path is one source
// piece at one receiver, with its reflections; grid nodes inside a block have no paths.
//
//   build/bench/bench_building_paths
//   build/bench/bench_building_paths --write-project FILE   (saves the project with the blocks)
//   valgrind --tool=callgrind build/bench/bench_building_paths --once N facade|grid [--without|--absorbing]
//       (N receivers spread over the façades or the grid, once, for instruction counts per path)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>
#include <string>

#include "engine/building_walls.h"
#include "engine/calc_scene.h"
#include "engine/calc_scene_data.h"
#include "engine/calculation.h"
#include "engine/facade_levels.h"
#include "highway_bench_project.h"
#include "io/project_file.h"
#include "io/receiver_grid.h"

namespace {

enum class EBlocks { None, Reflecting, Absorbing };

CMyTalvoDoc Project(EBlocks blocks)
{
    CMyTalvoDoc doc = benchproject::HighwayBenchProject(false);
    if (blocks != EBlocks::None)
        benchproject::AddApartmentBlocks(doc, blocks == EBlocks::Absorbing);
    return doc;
}

// The façade receivers of the blocks, whichever project they are computed in.
std::vector<CFacadeReceiver> FacadeReceivers()
{
    const CMyTalvoDoc doc = Project(EBlocks::Reflecting);
    return DeriveFacadeReceivers(doc.m_arrBuilding, doc.m_settings);
}

// The grid nodes outside every block.
std::vector<CMVector> GridPoints()
{
    const CMyTalvoDoc doc = Project(EBlocks::Reflecting);
    const CReceiverGrid grid = CReceiverGrid::FromSettings(doc.m_settings);
    const CFootprintSet blocks(doc.m_arrBuilding);
    std::vector<CMVector> points;
    for (double x : GridColumnXs(grid))
        for (double y : GridRowYs(grid))
            if (blocks.BuildingAt({x, y, 0.0}) < 0)
                points.emplace_back(x, y, grid.m_dHeight);
    return points;
}

struct CPrepared {
    CMyTalvoDoc doc;
    std::unique_ptr<CSceneData> scene;
};

std::unique_ptr<CPrepared> Prepare(EBlocks blocks)
{
    auto p = std::make_unique<CPrepared>();
    // The source pieces come from a calculation without the blocks (which would compute
    // their façades on every core); the blocks change no piece.
    p->doc = Project(EBlocks::None);
    Calculate(p->doc);
    if (blocks != EBlocks::None)
        benchproject::AddApartmentBlocks(p->doc, blocks == EBlocks::Absorbing);
    p->scene = std::make_unique<CSceneData>(BuildSceneData(p->doc, {}, HighestRoadEnd(p->doc, 0.0)));
    return p;
}

void Report(benchmark::State& state, double receivers, double pieces, std::clock_t cpuStart)
{
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double paths = receivers * pieces * static_cast<double>(state.iterations());
    state.counters["receivers"] = receivers;
    state.counters["paths_per_cpu_s"] = paths / cpuSeconds;
    state.counters["cpu_ns_per_path"] = 1e9 * cpuSeconds / paths;
}

void RunFacades(benchmark::State& state, EBlocks blocks)
{
    const std::unique_ptr<CPrepared> p = Prepare(blocks);
    std::vector<CFacadeReceiver> receivers = FacadeReceivers();
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state)
        ComputeFacadeLevels(*p->scene, receivers, 1);
    Report(state, static_cast<double>(receivers.size()), static_cast<double>(p->scene->m_arrPiece.size()), cpuStart);
}

void RunGrid(benchmark::State& state, EBlocks blocks)
{
    const std::unique_ptr<CPrepared> p = Prepare(blocks);
    const CCalcScene scene(p->doc);
    const std::vector<CMVector> points = GridPoints();
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state)
        for (const CMVector& q : points)
            benchmark::DoNotOptimize(scene.PointLevels(q.x, q.y, q.z));
    Report(state, static_cast<double>(points.size()), static_cast<double>(scene.PieceCount()), cpuStart);
}

void BM_FacadesWithBlocks(benchmark::State& state) { RunFacades(state, EBlocks::Reflecting); }
void BM_FacadePointsWithoutBlocks(benchmark::State& state) { RunFacades(state, EBlocks::None); }
void BM_GridWithBlocks(benchmark::State& state) { RunGrid(state, EBlocks::Reflecting); }
void BM_GridWithAbsorbingBlocks(benchmark::State& state) { RunGrid(state, EBlocks::Absorbing); }
void BM_GridWithoutBlocks(benchmark::State& state) { RunGrid(state, EBlocks::None); }

BENCHMARK(BM_FacadesWithBlocks)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FacadePointsWithoutBlocks)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_GridWithBlocks)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_GridWithAbsorbingBlocks)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_GridWithoutBlocks)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// n receivers spread evenly over the façades or the grid, once.
int RunOnce(int n, bool facade, EBlocks blocks)
{
    const std::unique_ptr<CPrepared> p = Prepare(blocks);
    std::vector<CFacadeReceiver> receivers = FacadeReceivers();
    if (!facade) {
        const std::vector<CMVector> points = GridPoints();
        receivers.assign(points.size(), CFacadeReceiver{});
        for (std::size_t i = 0; i < points.size(); ++i)
            receivers[i].m_vPos = points[i];
    }
    const std::size_t stride = std::max<std::size_t>(1, receivers.size() / static_cast<std::size_t>(std::max(1, n)));
    std::vector<CFacadeReceiver> chosen;
    for (std::size_t i = 0; i < receivers.size() && static_cast<int>(chosen.size()) < n; i += stride)
        chosen.push_back(receivers[i]);
    ComputeFacadeLevels(*p->scene, chosen, 1);
    double sum = 0;
    for (const CFacadeReceiver& r : chosen)
        sum += r.m_dLevel[4];
    std::cout << chosen.size() << " receivers x " << p->scene->m_arrPiece.size() << " pieces; sum " << sum << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-project") == 0) {
        const CFileResult saved = SaveProject(Project(EBlocks::Reflecting), argv[2]);
        if (!saved.ok)
            std::cerr << argv[2] << ": " << saved.message << '\n';
        return saved.ok ? 0 : 1;
    }
    if (argc >= 4 && std::strcmp(argv[1], "--once") == 0) {
        const std::string variant = argc > 4 ? argv[4] : "";
        const EBlocks blocks = variant == "--without"     ? EBlocks::None
                               : variant == "--absorbing" ? EBlocks::Absorbing
                                                          : EBlocks::Reflecting;
        return RunOnce(std::stoi(argv[2]), std::strcmp(argv[3], "facade") == 0, blocks);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
