// Isobands of a noise map: they tile the grid's rectangle, hold the levels interpolated
// inside them, and meet along the iso-lines, saddles included.
#include <gtest/gtest.h>

#include <random>

#include "isoband_test_support.h"
#include "maps/noise_map_isobands.h"
#include "maps/noise_map_isolines.h"
#include "maps/noise_map_shapes.h"
#include "model/noise_level_classes.h"
#include "test_tolerances.h"

using namespace bandtest;

namespace {

// How far from a class edge a bilinear level must lie for its band to be certain: the
// bands follow straight chords between the crossings on the square sides.
constexpr double kLevelMargin = 0.5;

double BandArea(const CIsoband& band)
{
    double area = 0;
    for (const CMapPolygon& p : band.polygons) {
        area += RingArea(p.exterior);
        for (const CMapRing& hole : p.holes)
            area += RingArea(hole);  // negative: clockwise
    }
    return area;
}

double TotalArea(const std::vector<CIsoband>& bands)
{
    double area = 0;
    for (const CIsoband& b : bands)
        area += BandArea(b);
    return area;
}

}  // namespace

TEST(NoiseMapIsobands, BandsTileTheGridAndHoldTheLevelsInsideThem)
{
    const CNoiseMapGrid g = FieldGrid(41, 31, 1000, 2000, 2.5, RippledField);
    const std::vector<CIsoband> bands = ClassIsobands(g);
    const double width = g.m_arrU.back() - g.m_arrU.front(), height = g.m_arrV.back() - g.m_arrV.front();
    EXPECT_NEAR(TotalArea(bands), width * height, kAreaTol);
    ASSERT_GE(bands.size(), 6u);

    for (const CIsoband& b : bands) {
        EXPECT_EQ(b.colour, LevelClassColour(LevelClass(std::isfinite(b.lower) ? b.lower : b.upper - 1)));
        for (const CMapPolygon& p : b.polygons) {
            EXPECT_GT(RingArea(p.exterior), 0);
            EXPECT_EQ(p.exterior.front().u, p.exterior.back().u);
            for (const CMapRing& hole : p.holes)
                EXPECT_LT(RingArea(hole), 0);
        }
    }

    std::mt19937 random(19);
    std::uniform_real_distribution<double> ru(g.m_arrU.front(), g.m_arrU.back()), rv(g.m_arrV.front(), g.m_arrV.back());
    int checked = 0;
    for (int n = 0; n < 3000; ++n) {
        const double u = ru(random), v = rv(random);
        const std::vector<std::size_t> holding = BandsHolding(bands, u, v);
        ASSERT_EQ(holding.size(), 1u) << "overlap or gap at " << u << "," << v;
        const double level = BilinearLevel(g, u, v);
        const CIsoband& band = bands[holding[0]];
        if (level < band.lower - kLevelMargin || level >= band.upper + kLevelMargin)
            ADD_FAILURE() << level << " dB at " << u << "," << v << " in " << band.lower << ".." << band.upper;
        ++checked;
    }
    EXPECT_EQ(checked, 3000);
}

TEST(NoiseMapIsobands, BandsMeetAlongTheIsoLinesThroughSaddles)
{
    // A checkerboard: every inner square a saddle at 50 dB, the middle at 50 exactly too.
    const CNoiseMapGrid g = FieldGrid(9, 9, 0, 0, 10, [](double u, double v) {
        return 50 + ((int(u / 10 + 0.5) + int(v / 10 + 0.5)) % 2 ? 4.0 : -4.0) + 0.01 * u;
    });
    const std::vector<CIsoband> bands = Isobands(g, {50});
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_NEAR(TotalArea(bands), (g.m_arrU.back() - g.m_arrU.front()) * (g.m_arrV.back() - g.m_arrV.front()),
                kAreaTol);
    const double nudge = 1e-4;
    for (const CIsoSegment& s : IsoSegments(g, 50)) {
        const double mu = 0.5 * (s.u0 + s.u1), mv = 0.5 * (s.v0 + s.v1);
        const double len = std::hypot(s.u1 - s.u0, s.v1 - s.v0), nu = -(s.v1 - s.v0) / len, nv = (s.u1 - s.u0) / len;
        const auto left = BandsHolding(bands, mu + nudge * nu, mv + nudge * nv);
        const auto right = BandsHolding(bands, mu - nudge * nu, mv - nudge * nv);
        ASSERT_EQ(left.size(), 1u);
        ASSERT_EQ(right.size(), 1u);
        EXPECT_NE(left[0], right[0]) << "no band edge along the iso-line at " << mu << "," << mv;
    }
}

TEST(NoiseMapIsobands, NodesWithoutEnergyLeaveTheirSquaresOutAndFlatLevelsSitOnTheEdge)
{
    CNoiseMapGrid g = FieldGrid(5, 4, 0, 0, 10, [](double u, double) { return 40 + u / 10; });
    g.m_arrLevel[g.Index(2, 1)] = kNoEnergy;  // an inner node: its four squares are gone
    const std::vector<CIsoband> bands = Isobands(g, {41, 42});
    const double full = (g.m_arrU.back() - g.m_arrU.front()) * (g.m_arrV.back() - g.m_arrV.front());
    EXPECT_NEAR(TotalArea(bands), full - 4 * 100, kAreaTol);
    // A column of nodes exactly at 41 dB belongs to the band above it; the band below
    // reaches up to it.
    for (const CIsoband& b : bands) {
        if (b.lower == 41) {
            EXPECT_EQ(BandsHolding({b}, 10.5, 25).size(), 1u);
        }
    }

    const CNoiseMapGrid flat = FieldGrid(3, 3, 0, 0, 10, [](double, double) { return 55.0; });
    const std::vector<CIsoband> one = Isobands(flat, {50, 55, 60});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].lower, 55);
}

TEST(NoiseMapIsobands, PatchWithAHoleAndASaddleWorkedByHand)
{
    // 3 x 3 nodes of 52 dB with 62 dB in the middle: the 55 dB line crosses the middle
    // sides 7 m from the centre, the 60 dB line 2 m from it.
    const CNoiseMapGrid g =
        FieldGrid(3, 3, 0, 0, 10, [](double u, double v) { return u == 10 && v == 10 ? 62.0 : 52.0; });
    CNoiseMapGrid even = g;
    even.m_arrU = {0, 10, 20};
    even.m_arrV = {0, 10, 20};
    const std::vector<CIsoband> bands = ClassIsobands(even);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].lower, 50);
    ASSERT_EQ(bands[0].polygons.size(), 1u);
    EXPECT_NEAR(RingArea(bands[0].polygons[0].exterior), 400, kAreaTol);
    ASSERT_EQ(bands[0].polygons[0].holes.size(), 1u);
    EXPECT_NEAR(RingArea(bands[0].polygons[0].holes[0]), -2 * 7 * 7, kAreaTol);
    EXPECT_NEAR(BandArea(bands[1]), 2 * 7 * 7 - 2 * 2 * 2, kAreaTol);
    EXPECT_NEAR(BandArea(bands[2]), 2 * 2 * 2, kAreaTol);

    // One saddle square, mean 57 dB: at 55 the loud corners join across the middle, at 60
    // they stay apart, so the quiet and the loud band are each two triangles.
    CNoiseMapGrid saddle;
    saddle.m_arrU = {0, 10};
    saddle.m_arrV = {0, 10};
    saddle.m_arrLevel = {52, 62, 62, 52};
    const std::vector<CIsoband> parts = Isobands(saddle, {55, 60});
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].polygons.size(), 2u);
    EXPECT_EQ(parts[1].polygons.size(), 1u);
    EXPECT_EQ(parts[2].polygons.size(), 2u);
}

// The drawn shapes reach the extent's far edges, where the walk of the nodes stopped short,
// and take their colours from the scale by the band's place in it.
TEST(NoiseMapIsobands, DrawnShapesCoverTheWholeExtentInTheScaleColours)
{
    CNoiseMapGrid g = bandtest::FieldGrid(4, 3, 0, 0, 10, [](double u, double) { return u - 15; });
    g.m_dEndU = g.m_arrU.back() + 7;  // the area reaches 7 m beyond the last column
    g.m_dEndV = g.m_arrV.back() + 4;
    const CMapScale scale{{0.0}, {"#0000ff", "#ff0000"}};
    const CMapShapes shapes = MapShapes(g, scale);
    ASSERT_EQ(shapes.bands.size(), 2u);
    EXPECT_EQ(shapes.bands[0].colour, "#0000ff");
    EXPECT_EQ(shapes.bands[1].colour, "#ff0000");
    double area = 0;
    for (const CIsoband& band : shapes.bands)
        for (const CMapPolygon& p : band.polygons)
            area += RingArea(p.exterior);
    EXPECT_NEAR(area, (g.m_dEndU - g.m_dStartU) * (g.m_dEndV - g.m_dStartV), 1e-6);
    // The corner beyond the last node carries the last column's level, above the edge.
    EXPECT_EQ(bandtest::BandsHolding(shapes.bands, g.m_dEndU - 1, g.m_dEndV - 1), std::vector<std::size_t>{1});
    ASSERT_FALSE(shapes.lines.empty());
    for (const CIsoSegment& s : shapes.lines)
        EXPECT_NEAR(s.u0, 15, 1e-9);
}
