// Times what a building layer of many footprints costs before the calculation begins: the
// input check of the buildings (their shapes and overlaps) and the derivation of their
// façade receivers (each point asks whether it stands in a building), for N blocks of
// 8 m x 8 m on a 12 m grid, one floor each (four façade receivers per block at a spacing
// of 10 m).
//   build/bench/bench_building_layer                 every size
//   build/bench/bench_building_layer --once 20000    one check and one derivation of N blocks
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "model/building_check.h"
#include "model/facade_receivers.h"
#include "model/project_settings.h"

namespace {

std::vector<CBuilding> Blocks(int count)
{
    std::vector<CBuilding> blocks(static_cast<std::size_t>(count));
    const int side = static_cast<int>(std::ceil(std::sqrt(count)));
    for (int i = 0; i < count; ++i) {
        const double x = 12.0 * (i % side), y = 12.0 * (i / side);
        blocks[static_cast<std::size_t>(i)].m_arrFootprint = {
            {x, y, 0}, {x + 8, y, 0}, {x + 8, y + 8, 0}, {x, y + 8, 0}};
    }
    return blocks;
}

CProjectSettings FacadeSettings()
{
    CProjectSettings s;
    s.m_dFacadeSpacing = 10.0;
    return s;
}

void BM_CheckBuildings(benchmark::State& state)
{
    const std::vector<CBuilding> blocks = Blocks(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindUnusableBuilding(blocks));
}

void BM_DeriveFacadeReceivers(benchmark::State& state)
{
    const std::vector<CBuilding> blocks = Blocks(static_cast<int>(state.range(0)));
    const CProjectSettings settings = FacadeSettings();
    for (auto _ : state)
        benchmark::DoNotOptimize(DeriveFacadeReceivers(blocks, settings));
}

BENCHMARK(BM_CheckBuildings)->Arg(1000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeriveFacadeReceivers)->Arg(1000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--once") == 0) {
        const std::vector<CBuilding> blocks = Blocks(std::atoi(argv[2]));
        const std::string problem = FindUnusableBuilding(blocks);
        const std::size_t receivers = DeriveFacadeReceivers(blocks, FacadeSettings()).size();
        std::cout << blocks.size() << " buildings, " << receivers << " façade receivers"
                  << (problem.empty() ? "" : ", " + problem) << "\n";
        return problem.empty() ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
