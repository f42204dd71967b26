// Receiver export over a 10 m grid with 1 and 2 computing threads. On a 2-core machine the
// 2-thread run should take at most 0.6 of the 1-thread wall time (compare real_time).
//
//   build/bench/bench_grid_export [PROJECT.tlv]
//
// The project defaults to the largest example project, else the barrier-embankment
// acceptance project. The counter process_cpu_s is the CPU time of all threads together:
// when other work loads the machine, equal values for 1 and 2 threads show that the
// split costs nothing and the wall time would halve on two free cores.
#include <benchmark/benchmark.h>

#include <ctime>

#include <filesystem>
#include <iostream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "io/project_file.h"
#include "io/receiver_export.h"
#include "model/document.h"

namespace {

namespace fs = std::filesystem;

// Discards every byte: the benchmark measures the computation, not the disk.
class CNullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::string g_project;

std::string DefaultProject()
{
    std::string best;
    std::uintmax_t bestSize = 0;
    if (fs::is_directory(TALVO_EXAMPLES)) {
        for (const auto& entry : fs::directory_iterator(TALVO_EXAMPLES)) {
            if (entry.path().extension() == ".tlv" && entry.file_size() > bestSize) {
                best = entry.path().string();
                bestSize = entry.file_size();
            }
        }
    }
    if (best.empty())
        best = std::string(TALVO_EXAMPLES) + "/../tests/data/acceptance/barrier-embankment.tlv";
    return best;
}

struct CLoadedProject {
    CMyTalvoDoc doc;
    std::unique_ptr<CCalcScene> scene;
    CReceiverGrid grid;
    std::string error;
};

const CLoadedProject& Project()
{
    static CLoadedProject loaded = [] {
        CLoadedProject p;
        const CFileResult opened = OpenProject(p.doc, g_project);
        if (!opened.ok) {
            p.error = g_project + ": " + opened.message;
            return p;
        }
        Calculate(p.doc);
        p.doc.m_settings.m_dReceiverSpacing = 10.0;
        p.grid = CReceiverGrid::FromSettings(p.doc.m_settings);
        p.error = CheckReceiverExport(p.doc, p.grid);
        p.scene = std::make_unique<CCalcScene>(p.doc);
        return p;
    }();
    return loaded;
}

void BM_GridExport(benchmark::State& state)
{
    const CLoadedProject& p = Project();
    if (!p.error.empty()) {
        state.SkipWithError(p.error.c_str());
        return;
    }
    const PointLevelProvider levels = [&p](double x, double y, double z) { return p.scene->PointLevels(x, y, z); };
    CNullBuffer sink;
    std::ostream out(&sink);
    std::int64_t points = 0;
    const std::clock_t cpuStart = std::clock();  // all threads of the process
    for (auto _ : state) {
        CRunProgress progress;
        const CExportOutcome outcome =
            RunReceiverExport(p.grid, levels, out, progress, static_cast<int>(state.range(0)));
        points = outcome.lines;
    }
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["process_cpu_s"] = cpuSeconds / static_cast<double>(state.iterations());
    state.counters["points"] = static_cast<double>(points);
    state.SetItemsProcessed(state.iterations() * points);
}

BENCHMARK(BM_GridExport)->ArgName("threads")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    g_project = argc > 1 ? argv[1] : DefaultProject();
    std::cerr << "project: " << g_project << '\n';
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
