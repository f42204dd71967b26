// Source-receiver paths per second of CPU on one core: the receiver export of the
// benchmark highway (highway_bench_project.h), without and with the 38 extra barriers,
// on one computing thread. paths_per_cpu_s counts every source piece at every grid point.
//
//   build/bench/bench_engine_paths
//   build/bench/bench_engine_paths --write-projects DIR   (saves both projects as .tlv)
//   valgrind --tool=callgrind build/bench/bench_engine_paths --once N [--38]
//       (N grid points spread over the grid, once, for repeatable instruction counts per path)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "highway_bench_project.h"
#include "io/project_file.h"
#include "io/receiver_export.h"

namespace {

class CNullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct CPrepared {
    CMyTalvoDoc doc;
    std::unique_ptr<CCalcScene> scene;
    CReceiverGrid grid;
};

std::unique_ptr<CPrepared> Prepare(bool extraBarriers)
{
    auto p = std::make_unique<CPrepared>();
    p->doc = benchproject::HighwayBenchProject(extraBarriers);
    Calculate(p->doc);
    p->grid = CReceiverGrid::FromSettings(p->doc.m_settings);
    p->scene = std::make_unique<CCalcScene>(p->doc);
    return p;
}

void RunExport(benchmark::State& state, bool extraBarriers)
{
    const std::unique_ptr<CPrepared> p = Prepare(extraBarriers);
    if (const std::string refusal = CheckReceiverExport(p->doc, p->grid); !refusal.empty()) {
        state.SkipWithError(refusal.c_str());
        return;
    }
    const CCalcScene& scene = *p->scene;
    const PointLevelProvider levels = [&scene](double x, double y, double z) { return scene.PointLevels(x, y, z); };
    CNullBuffer sink;
    std::ostream out(&sink);
    std::int64_t points = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        CRunProgress progress;
        points = RunReceiverExport(p->grid, levels, out, progress, 1).lines;
    }
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double paths = static_cast<double>(points) * scene.PieceCount() * static_cast<double>(state.iterations());
    state.counters["points"] = static_cast<double>(points);
    state.counters["pieces"] = scene.PieceCount();
    state.counters["paths_per_cpu_s"] = paths / cpuSeconds;
    state.counters["cpu_ns_per_path"] = 1e9 * cpuSeconds / paths;
}

void BM_HighwayExport(benchmark::State& state) { RunExport(state, false); }
void BM_HighwayExport38Barriers(benchmark::State& state) { RunExport(state, true); }

BENCHMARK(BM_HighwayExport)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_HighwayExport38Barriers)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int WriteProjects(const std::string& dir)
{
    for (bool extra : {false, true}) {
        const std::string path = dir + (extra ? "/highway-bench-38.tlv" : "/highway-bench.tlv");
        const CFileResult saved = SaveProject(benchproject::HighwayBenchProject(extra), path);
        if (!saved.ok) {
            std::cerr << path << ": " << saved.message << '\n';
            return 1;
        }
    }
    return 0;
}

// n points spread evenly over the grid (every k-th point of the export's walk).
int RunOnce(int n, bool extraBarriers)
{
    const std::unique_ptr<CPrepared> p = Prepare(extraBarriers);
    const std::vector<double> xs = GridColumnXs(p->grid), ys = GridRowYs(p->grid);
    const std::size_t total = xs.size() * ys.size();
    const std::size_t stride = std::max<std::size_t>(1, total / static_cast<std::size_t>(std::max(1, n)));
    double sum = 0;
    int done = 0;
    for (std::size_t i = 0; i < total && done < n; i += stride, ++done)
        sum += p->scene->PointLevels(xs[i / ys.size()], ys[i % ys.size()], p->grid.m_dHeight)[4];
    std::cout << done << " points x " << p->scene->PieceCount() << " pieces; sum " << sum << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-projects") == 0)
        return WriteProjects(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "--once") == 0)
        return RunOnce(std::stoi(argv[2]), argc > 3 && std::strcmp(argv[3], "--38") == 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
