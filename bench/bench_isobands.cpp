// The isobands of a plan map: a grid of the size a 2 km x 600 m area gives at 2 m and at
// 1 m spacing, with a rippled level field that crosses every class edge many times.
#include <benchmark/benchmark.h>

#include <cmath>

#include "maps/noise_map_isobands.h"

namespace {

CNoiseMapGrid RippledGrid(std::size_t columns, std::size_t rows, double spacing)
{
    CNoiseMapGrid g;
    for (std::size_t i = 0; i < columns; ++i)
        g.m_arrU.push_back(spacing * double(i));
    for (std::size_t j = 0; j < rows; ++j)
        g.m_arrV.push_back(spacing * double(j));
    for (double u : g.m_arrU)
        for (double v : g.m_arrV)
            g.m_arrLevel.push_back(58 + 20 * std::sin(u / 70) * std::cos(v / 90) + 0.01 * u);
    return g;
}

void BM_ClassIsobands(benchmark::State& state)
{
    const double spacing = double(state.range(0)) / 10;
    const CNoiseMapGrid grid = RippledGrid(std::size_t(2000 / spacing) + 1, std::size_t(600 / spacing) + 1, spacing);
    for (auto _ : state)
        benchmark::DoNotOptimize(ClassIsobands(grid));
}

}  // namespace

BENCHMARK(BM_ClassIsobands)->Arg(20)->Arg(10)->ArgName("spacing_dm")->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
