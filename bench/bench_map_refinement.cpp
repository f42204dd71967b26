// The refined noise map against a uniform grid at its finest size, on both examples at their
// default spacings (plan 50 m, section 1 m; finest size a sixteenth of that), on one and two
// threads (wall-clock time). A map here is what is drawn: the grid's levels, the refinement
// and the bands and iso-lines cut from them.
//
// Counters: `evaluations`, the exact levels a map computes (the grid's nodes and the
// refinement's points above ground); `grid_ms`, `refine_ms` and `shapes_ms`, the wall time of
// each stage, to see which one keeps a second thread waiting; for the section,
// `uniform_nodes` of the uniform grid at the finest size and `uniform_s_estimate`, its time at
// the rate the section's own grid was computed (timing it outright would take minutes).
//
// Instruction counts, which repeat on a loaded machine where seconds do not:
//   valgrind --tool=callgrind --toggle-collect='*DrawMap*' build/bench/bench_map_refinement
//       --once plan|section EXAMPLE refined|uniform THREADS
// (EXAMPLE 0 highway-village, 1 valley-crossing) counts the map alone, without loading the
// project; --separate-threads=yes shows how the instructions spread over the threads.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "engine/source_pieces.h"
#include "io/project_file.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_refine.h"
#include "maps/noise_map_refinement.h"
#include "maps/noise_map_shapes.h"
#include "model/document.h"
#include "model/section_ground.h"

namespace {

constexpr double kHeight = 1.5;  // m
const char* const kExamples[] = {"highway-village.tlv", "valley-crossing.tlv"};

CMyTalvoDoc LoadExample(int index)
{
    CMyTalvoDoc doc;
    OpenProject(doc, std::string(TALVO_EXAMPLES) + "/" + kExamples[index]);
    MakeSourcePieces(doc);
    return doc;
}

CRefineRequest ClassRefinement() { return {true, 0.0, ClassMapScale().edges}; }

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The nodes a section grid computes: those above the ground.
std::size_t NodesInTheAir(const CNoiseMapGrid& grid)
{
    std::size_t nodes = 0;
    for (std::size_t c = 0; c < grid.Columns(); ++c)
        for (std::size_t r = 0; r < grid.Rows(); ++r)
            nodes += grid.UnderGround(c, r) ? 0 : 1;
    return nodes;
}

struct CMapRun {
    std::size_t evaluations = 0;
    double gridSeconds = 0, refineSeconds = 0, shapesSeconds = 0;
    double finest = 0;  // of the refinement, m
};

// One map as a view draws it: the grid, its refinement unless `refined` is false, its shapes.
// Not inlined, so that callgrind can count it alone.
[[gnu::noinline]] CMapRun DrawMap(const CCalcScene& scene, CNoiseMapGrid& grid, const CSectionGround* ground,
                                  bool refined, int threads)
{
    CMapRun run;
    CRunProgress progress;
    auto start = std::chrono::steady_clock::now();
    ComputeNoiseMap(scene, grid, progress, threads);
    run.gridSeconds = Seconds(start);
    start = std::chrono::steady_clock::now();
    if (refined)
        RefineNoiseMap(grid, SceneLevelAt(scene, grid, ground), ClassRefinement(), progress, threads, kMaxMapNodes);
    run.refineSeconds = Seconds(start);
    start = std::chrono::steady_clock::now();
    const CMapShapes shapes =
        ground ? SectionMapShapes(grid, ClassMapScale(), threads) : MapShapes(grid, ClassMapScale(), threads);
    benchmark::DoNotOptimize(shapes.bands.data());
    run.shapesSeconds = Seconds(start);
    const CMapRefinement* refinement = grid.m_pRefinement.get();
    run.evaluations =
        (ground ? NodesInTheAir(grid) : grid.m_arrLevel.size()) + (refinement ? refinement->Evaluations() : 0);
    run.finest = FinestSize(grid, refinement ? refinement->Divisions() : 1);
    return run;
}

// The plan map at the project's spacing, refined, or uniform at the refinement's finest size.
CMapRun PlanMap(const CMyTalvoDoc& doc, const CCalcScene& scene, bool refined, int threads)
{
    const double spacing = doc.m_settings.m_dReceiverSpacing;
    const CNoiseMapGrid probe = PlanMapLayout(doc.m_settings, spacing, kHeight, 0);
    const double finest = FinestSize(probe, RefineDivisions(probe, 0));
    CNoiseMapGrid grid = PlanMapLayout(doc.m_settings, refined ? spacing : finest, kHeight, 0);
    return DrawMap(scene, grid, nullptr, refined, threads);
}

// The section map along the project's line at its default spacing, refined.
CMapRun SectionMap(const CMyTalvoDoc& doc, const CCalcScene& scene, const CSectionGround& ground, int threads)
{
    CNoiseMapGrid grid = SectionMapLayout(doc.m_settings, ground, SectionSpacing(doc.m_settings), 0);
    return DrawMap(scene, grid, &ground, true, threads);
}

void SetStageCounters(benchmark::State& state, const CMapRun& run)
{
    state.counters["evaluations"] = double(run.evaluations);
    state.counters["grid_ms"] = 1e3 * run.gridSeconds;
    state.counters["refine_ms"] = 1e3 * run.refineSeconds;
    state.counters["shapes_ms"] = 1e3 * run.shapesSeconds;
}

void BM_PlanMap(benchmark::State& state)
{
    const CMyTalvoDoc doc = LoadExample(int(state.range(0)));
    const bool refined = state.range(1) == 1;
    const CCalcScene scene(doc);
    state.SetLabel(std::string(kExamples[state.range(0)]) + (refined ? " refined" : " uniform at the finest size"));
    CMapRun run;
    for (auto _ : state)
        run = PlanMap(doc, scene, refined, int(state.range(2)));
    SetStageCounters(state, run);
}

void BM_SectionMap(benchmark::State& state)
{
    const CMyTalvoDoc doc = LoadExample(int(state.range(0)));
    const CCalcScene scene(doc);
    const CSectionGround ground = DocumentSectionGround(doc);
    state.SetLabel(std::string(kExamples[state.range(0)]) + " refined");
    CMapRun run;
    for (auto _ : state)
        run = SectionMap(doc, scene, ground, int(state.range(1)));
    SetStageCounters(state, run);
    const std::size_t uniformNodes = NodesInTheAir(SectionMapLayout(doc.m_settings, ground, run.finest, 0));
    const CNoiseMapGrid own = SectionMapLayout(doc.m_settings, ground, SectionSpacing(doc.m_settings), 0);
    state.counters["uniform_nodes"] = double(uniformNodes);
    state.counters["uniform_s_estimate"] = double(uniformNodes) * run.gridSeconds / double(NodesInTheAir(own));
}

// One map, once, for callgrind: --once plan|section EXAMPLE refined|uniform THREADS.
int RunOnce(int argc, char** argv)
{
    if (argc != 6)
        return std::fprintf(stderr, "usage: --once plan|section EXAMPLE refined|uniform THREADS\n"), 2;
    const CMyTalvoDoc doc = LoadExample(std::stoi(argv[3]) == 1 ? 1 : 0);
    const CCalcScene scene(doc);
    const bool refined = std::strcmp(argv[4], "uniform") != 0;
    const int threads = std::stoi(argv[5]);
    CMapRun run;
    if (std::strcmp(argv[2], "section") == 0) {
        const CSectionGround ground = DocumentSectionGround(doc);
        run = SectionMap(doc, scene, ground, threads);
    } else {
        run = PlanMap(doc, scene, refined, threads);
    }
    std::printf("%zu evaluations, finest %g m, %.3f s (grid %.3f, refine %.3f, shapes %.3f)\n", run.evaluations,
                run.finest, run.gridSeconds + run.refineSeconds + run.shapesSeconds, run.gridSeconds, run.refineSeconds,
                run.shapesSeconds);
    return 0;
}

}  // namespace

BENCHMARK(BM_PlanMap)
    ->ArgsProduct({{0, 1}, {1, 0}, {1, 2}})
    ->ArgNames({"example", "refined", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(1);
BENCHMARK(BM_SectionMap)
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->ArgNames({"example", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(1);

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--once") == 0)
        return RunOnce(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
