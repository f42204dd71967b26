// A barrier designed for one apartment block of the benchmark highway: what one candidate
// costs when only the paths it changes are computed again, against computing every path of
// the block's façade receivers, and against the prediction of the whole project that
// evaluating a candidate by the calculate command means; and the whole search.
//
// The project: the benchmark highway (highway_bench_project.h) without its two road barriers,
// with the 20 blocks of AddApartmentBlocks; the design is for block 1 (101동, 15 floors, 240
// façade receivers, its near wall 40 m from the road axis) on a line 22 m from the axis, 240 m
// long, at most 8 m high, in steps of 10 m and 0.5 m. Everything on one thread.
//
//   build/bench/bench_design_set
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "engine/facade_levels.h"
#include "highway_bench_project.h"
#include "optimise/barrier_apply.h"
#include "optimise/candidate_evaluator.h"
#include "optimise/set_optimisation.h"

namespace {

const COptDesign kDesign{60.0, 278.0, 300.0, 278.0, 8.0, 10.0, 0.5};

CMyTalvoDoc Project()
{
    CMyTalvoDoc doc = benchproject::HighwayBenchProject(false);
    doc.m_arrBarrier.clear();
    Calculate(doc);  // the source pieces; the blocks change none
    benchproject::AddApartmentBlocks(doc);
    return doc;
}

CDesignTarget Block()
{
    CDesignTarget t;
    t.m_eKind = CDesignTarget::EKind::kBuilding;
    t.m_nBuilding = 0;
    t.m_dTarget = 52.0;
    return t;
}

// Candidates as a search meets them: the full barrier, shorter ones, lower ones.
std::vector<CBarrier_Stage> Candidates()
{
    std::vector<CBarrier_Stage> list;
    for (double inset : {0.0, 30.0, 60.0, 90.0})
        for (double height : {8.0, 6.0, 4.0})
            list.push_back(MakeOptimisedBarrier({60.0 + inset, 278.0, 300.0 - inset, 278.0, height}));
    return list;
}

struct CPrepared {
    CMyTalvoDoc doc = Project();
    CDesignSet set = MakeDesignSet(doc, Block());
    std::vector<int> all;
    std::unique_ptr<CCandidateEvaluator> eval;
    CPrepared()
    {
        for (std::size_t i = 0; i < set.m_arrPoint.size(); ++i)
            all.push_back(static_cast<int>(i));
        eval = std::make_unique<CCandidateEvaluator>(doc, set.m_arrPoint, EPeriod::kDay, FullDesignBarrier(kDesign), 1);
    }
};

CPrepared& Prepared()
{
    static CPrepared p;
    return p;
}

void ReportPerCandidate(benchmark::State& state, std::clock_t cpuStart, double paths)
{
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double candidates = static_cast<double>(state.iterations());
    state.counters["cpu_ms_per_candidate"] = 1e3 * cpu / candidates;
    state.counters["paths_per_candidate"] = paths / candidates;
}

void BM_CandidateChangedPathsOnly(benchmark::State& state)
{
    CPrepared& p = Prepared();
    const std::vector<CBarrier_Stage> candidates = Candidates();
    std::size_t n = 0;
    const long long pathsBefore = p.eval->PathsComputed();
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        p.eval->SetCandidate(candidates[n++ % candidates.size()]);
        benchmark::DoNotOptimize(p.eval->LevelsWith(p.all));
    }
    ReportPerCandidate(state, cpuStart, static_cast<double>(p.eval->PathsComputed() - pathsBefore));
}

void BM_CandidateEveryPathOfTheBlock(benchmark::State& state)
{
    CPrepared& p = Prepared();
    const std::vector<CBarrier_Stage> candidates = Candidates();
    std::size_t n = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        p.eval->SetCandidate(candidates[n++ % candidates.size()]);
        for (std::size_t i = 0; i < p.all.size(); ++i)
            benchmark::DoNotOptimize(p.eval->LevelWithEveryPath(i));
    }
    ReportPerCandidate(state, cpuStart,
                       static_cast<double>(p.all.size() * p.doc.m_arrSegment.size() * state.iterations()));
}

// The candidate as a barrier of the project, predicted at every façade receiver of every
// block as a calculation of the whole project does (on one thread here).
void BM_CandidateWholePrediction(benchmark::State& state)
{
    CMyTalvoDoc doc = Prepared().doc;
    doc.m_arrBarrier.push_back(Candidates()[4]);
    std::vector<CFacadeReceiver> facade = DeriveFacadeReceivers(doc.m_arrBuilding, doc.m_settings);
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        const CCalcScene scene(doc);
        ComputeFacadeLevels(scene.Data(), facade, 1);
        benchmark::DoNotOptimize(facade.data());
    }
    ReportPerCandidate(state, cpuStart,
                       static_cast<double>(facade.size() * doc.m_arrSegment.size() * state.iterations()));
}

void BM_WholeSearchForTheBlock(benchmark::State& state)
{
    const CMyTalvoDoc& doc = Prepared().doc;
    for (auto _ : state) {
        CRunProgress progress;
        const CSetOutcome out = RunSetOptimisation(doc, Block(), kDesign, progress, 1);
        state.counters["candidates"] = out.m_run.m_nEvaluations;
        state.counters["found"] = out.m_run.m_bFound;
        std::fputs(DesignTableText(out.m_table).c_str(), stderr);
    }
}

BENCHMARK(BM_CandidateChangedPathsOnly)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_CandidateEveryPathOfTheBlock)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_CandidateWholePrediction)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(2);
BENCHMARK(BM_WholeSearchForTheBlock)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
