// Times what the night period and the re-summing add to a calculation: the façade levels
// of the apartments example on one thread with and without keeping each source's energy
// transfer (what the night levels and a re-sum read), the sum of the night levels from
// those transfers, and the re-sum of both periods after a traffic-only edit.
//   valgrind --tool=callgrind build/bench/bench_periods --once day|night
//       (the façade levels once, without or with the transfers, for repeatable instruction
//       counts: subtract the count of --once none, which only loads and calculates)
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/calc_scene_data.h"
#include "engine/calculation.h"
#include "engine/facade_levels.h"
#include "engine/level_resum.h"
#include "engine/period_levels.h"
#include "engine/source_pieces.h"
#include "io/project_file.h"
#include "model/document.h"

namespace {

// The example, calculated, with a night traffic ratio so that every source sounds at night.
CMyTalvoDoc Calculated(const std::string& name)
{
    CMyTalvoDoc doc;
    OpenProject(doc, std::string(TALVO_EXAMPLES) + "/" + name);
    doc.m_settings.m_dNightTrafficRatio = 0.25;
    Calculate(doc);
    return doc;
}

CSceneData SceneOf(const CMyTalvoDoc& doc)
{
    const auto bridge = BuildBridgeBarriers(doc.m_arrRoad, doc.m_settings.m_dBaseHeight);
    return BuildSceneData(doc, bridge, HighestRoadEnd(doc, doc.m_dMaxRoadHeight));
}

void FacadeLevels(benchmark::State& state, bool keepTransfers)
{
    const CMyTalvoDoc doc = Calculated("highway-apartments.tlv");
    const CSceneData scene = SceneOf(doc);
    std::vector<CFacadeReceiver> receivers = doc.m_arrFacade;
    std::vector<Bands> transfers;
    for (auto _ : state) {
        ComputeFacadeLevels(scene, receivers, 1, keepTransfers ? &transfers : nullptr);
        benchmark::DoNotOptimize(receivers.data());
    }
    const double paths = static_cast<double>(receivers.size() * scene.m_arrPiece.size());
    state.counters["paths/s"] = benchmark::Counter(paths * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_FacadeLevelsDayOnly(benchmark::State& state) { FacadeLevels(state, false); }
void BM_FacadeLevelsKeepingTransfers(benchmark::State& state) { FacadeLevels(state, true); }

void BM_CalculateApartments(benchmark::State& state)
{
    CMyTalvoDoc doc = Calculated("highway-apartments.tlv");
    for (auto _ : state) {
        Calculate(doc);
        benchmark::DoNotOptimize(doc.m_arrFacade.data());
    }
}

// The night levels of every receiver and façade receiver from the kept transfers.
void BM_StoreNightLevelsApartments(benchmark::State& state)
{
    CMyTalvoDoc doc = Calculated("highway-apartments.tlv");
    for (auto _ : state) {
        StoreNightLevels(doc);
        benchmark::DoNotOptimize(doc.m_arrFacade.data());
    }
}

// A traffic-only edit (the first road's powers) summed again for both periods, with the
// check that the paths still hold.
void Resum(benchmark::State& state, const std::string& name)
{
    CMyTalvoDoc doc = Calculated(name);
    double step = 1.0;
    for (auto _ : state) {
        for (double& p : doc.m_arrRoad.front().m_dUserPowerLevel)
            p += step;
        step = -step;
        doc.CommitModelChange();
        if (!ResumLevels(doc))
            state.SkipWithError("the levels were not summed again");
        benchmark::DoNotOptimize(doc.m_arrReceiver.data());
    }
    state.counters["receivers"] = static_cast<double>(doc.m_arrReceiver.size() + doc.m_arrFacade.size());
}

void BM_ResumApartments(benchmark::State& state) { Resum(state, "highway-apartments.tlv"); }
void BM_ResumValleyCrossing(benchmark::State& state) { Resum(state, "valley-crossing.tlv"); }

}  // namespace

BENCHMARK(BM_FacadeLevelsDayOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FacadeLevelsKeepingTransfers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateApartments)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StoreNightLevelsApartments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResumApartments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResumValleyCrossing)->Unit(benchmark::kMillisecond);

namespace {

int RunOnce(const std::string& mode)
{
    const CMyTalvoDoc doc = Calculated("highway-apartments.tlv");
    const CSceneData scene = SceneOf(doc);
    std::vector<CFacadeReceiver> receivers = doc.m_arrFacade;
    std::vector<Bands> transfers;
    if (mode != "none")
        ComputeFacadeLevels(scene, receivers, 1, mode == "night" ? &transfers : nullptr);
    benchmark::DoNotOptimize(receivers.data());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--once") == 0)
        return RunOnce(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
