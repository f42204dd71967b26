// Times the calculate command on the example projects and reports the source-receiver
// paths evaluated per second (pieces x receivers per run), in wall-clock time: the
// prediction spreads its receivers over the cores.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "io/project_file.h"
#include "model/document.h"

namespace {

CMyTalvoDoc Load(const std::string& name)
{
    CMyTalvoDoc doc;
    OpenProject(doc, std::string(TALVO_EXAMPLES) + "/" + name);
    return doc;
}

// The example with a 20 x 10 grid of receivers over its calculation area added.
CMyTalvoDoc WithReceiverGrid(CMyTalvoDoc doc)
{
    const CProjectSettings& s = doc.m_settings;
    for (int i = 0; i < 20; ++i)
        for (int k = 0; k < 10; ++k) {
            CReceiverPoint r;
            r.SetPosition(s.m_dAreaStartX + (s.m_dAreaEndX - s.m_dAreaStartX) * (i + 0.5) / 20.0,
                          s.m_dAreaStartY + (s.m_dAreaEndY - s.m_dAreaStartY) * (k + 0.5) / 10.0, 1.5);
            r.SetGroundFactors(0.5, 0.5);
            doc.m_arrReceiver.push_back(r);
        }
    return doc;
}

void RunCalculate(benchmark::State& state, const CMyTalvoDoc& original)
{
    CMyTalvoDoc doc = original;
    double paths = 0;
    for (auto _ : state) {
        Calculate(doc);
        paths += static_cast<double>(doc.m_arrAttenuation.size());
        benchmark::DoNotOptimize(doc.m_arrReceiver.data());
    }
    state.counters["paths/s"] = benchmark::Counter(paths, benchmark::Counter::kIsRate);
    state.counters["paths"] = static_cast<double>(doc.m_arrAttenuation.size());
}

void BM_CalculateHighwayVillage(benchmark::State& state) { RunCalculate(state, Load("highway-village.tlv")); }
void BM_CalculateValleyCrossing(benchmark::State& state) { RunCalculate(state, Load("valley-crossing.tlv")); }
void BM_CalculateValleyCrossingGrid(benchmark::State& state)
{
    RunCalculate(state, WithReceiverGrid(Load("valley-crossing.tlv")));
}

// One thread's point-level queries on a prepared scene, as the grid export makes them.
void BM_PointLevelsValleyCrossing(benchmark::State& state)
{
    CMyTalvoDoc doc = Load("valley-crossing.tlv");
    Calculate(doc);
    const CCalcScene scene(doc);
    double paths = 0, x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scene.PointLevels(100.0 + x, 300.0, 4.0));
        x = x > 900.0 ? 0.0 : x + 37.0;
        paths += scene.PieceCount();
    }
    state.counters["paths/s"] = benchmark::Counter(paths, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_CalculateHighwayVillage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CalculateValleyCrossing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CalculateValleyCrossingGrid)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointLevelsValleyCrossing)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
