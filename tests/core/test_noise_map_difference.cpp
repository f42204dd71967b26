// The difference of two noise maps and its diverging scale: refused for grids that differ,
// no energy where either map has none, and a scale whose colours lighten towards 0 dB from
// both sides, blue below and red above.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "isoband_test_support.h"
#include "maps/noise_map_difference.h"
#include "model/bands.h"

namespace {

double Luminance(const std::string& hex)
{
    const unsigned long rgb = std::stoul(hex.substr(1), nullptr, 16);
    return 0.299 * double((rgb >> 16) & 0xFF) + 0.587 * double((rgb >> 8) & 0xFF) + 0.114 * double(rgb & 0xFF);
}

int Red(const std::string& hex) { return int(std::stoul(hex.substr(1, 2), nullptr, 16)); }
int Blue(const std::string& hex) { return int(std::stoul(hex.substr(5, 2), nullptr, 16)); }

}  // namespace

TEST(NoiseMapDifference, SubtractsNodeByNodeAndRefusesGridsThatDiffer)
{
    const CNoiseMapGrid a = bandtest::FieldGrid(4, 3, 100, 200, 10, [](double u, double v) { return 60 + u - v; });
    CNoiseMapGrid b = bandtest::FieldGrid(4, 3, 100, 200, 10, [](double u, double) { return 50 + 0.5 * u; });
    b.m_arrLevel[0] = kNoEnergy;
    CNoiseMapGrid d;
    ASSERT_EQ(SubtractMapGrids(a, b, d), "");
    EXPECT_FALSE(HasEnergy(d.Level(0, 0)));
    for (std::size_t n = 1; n < d.m_arrLevel.size(); ++n)
        EXPECT_DOUBLE_EQ(d.m_arrLevel[n], a.m_arrLevel[n] - b.m_arrLevel[n]) << n;
    EXPECT_EQ(d.m_arrU, a.m_arrU);

    const auto refused = [&](auto change) {
        CNoiseMapGrid other = a;
        change(other);
        CNoiseMapGrid untouched = d;
        return SubtractMapGrids(a, other, untouched) == kMapMsgOtherGrid && untouched.m_arrLevel == d.m_arrLevel;
    };
    EXPECT_TRUE(refused([](CNoiseMapGrid& g) { g.m_nBand = 3; }));
    EXPECT_TRUE(refused([](CNoiseMapGrid& g) { g.m_arrU.back() += 0.5; }));
    EXPECT_TRUE(refused([](CNoiseMapGrid& g) { g.m_dEndV += 1; }));
    EXPECT_TRUE(refused([](CNoiseMapGrid& g) { g.m_dHeight = 4; }));
    EXPECT_TRUE(refused([](CNoiseMapGrid& g) { g.m_kind = CNoiseMapGrid::EKind::Section; }));
    EXPECT_TRUE(refused([](CNoiseMapGrid& g) { g.m_arrLevel.pop_back(); }));
}

TEST(NoiseMapDifference, DivergingScaleIsCentredOnZeroAndLightensTowardsIt)
{
    for (const double step : {kDifferenceStepFine, kDifferenceStepCoarse}) {
        const CMapScale scale = DifferenceMapScale(step);
        const std::size_t n = scale.edges.size();
        ASSERT_EQ(scale.colours.size(), n + 1);
        ASSERT_EQ(n % 2, 0U);
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_DOUBLE_EQ(scale.edges[i], -scale.edges[n - 1 - i]) << step;
            EXPECT_DOUBLE_EQ(std::fabs(std::remainder(scale.edges[i], step)), 0.0) << step;
            if (i > 0) {
                EXPECT_DOUBLE_EQ(scale.edges[i] - scale.edges[i - 1], i == n / 2 ? 2 * step : step);
            }
        }
        const std::size_t neutral = n / 2;  // the band [-step, +step) holding 0 dB
        EXPECT_EQ(scale.edges[neutral - 1], -step);
        for (std::size_t k = 0; k < neutral; ++k) {
            EXPECT_GT(Blue(scale.colours[k]), Red(scale.colours[k])) << step << " band " << k;
            EXPECT_GT(Red(scale.colours[n - k]), Blue(scale.colours[n - k])) << step << " band " << n - k;
            EXPECT_LT(Luminance(scale.colours[k]), Luminance(scale.colours[k + 1])) << step << " band " << k;
            EXPECT_LT(Luminance(scale.colours[n - k]), Luminance(scale.colours[n - k - 1])) << step;
        }
    }
    EXPECT_EQ(DifferenceMapScale(1).edges.back(), 10);
    EXPECT_EQ(DifferenceMapScale(3).edges.back(), 18);
    const std::vector<std::string> labels = DifferenceScaleLabels(DifferenceMapScale(3));
    ASSERT_EQ(labels.size(), 13U);
    EXPECT_EQ(labels.front(), "< -18");
    EXPECT_EQ(labels[6], "-3 ~ +3");
    EXPECT_EQ(labels.back(), ">= +18");
    EXPECT_FALSE(IsDifferenceStep(2));
}
