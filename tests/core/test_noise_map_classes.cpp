// Noise map classes, iso-lines and the grid file: class edges, marching squares on small
// grids worked by hand and the CSV text of a tiny grid.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "io/noise_map_export.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_isolines.h"
#include "model/bands.h"
#include "model/grid_walk.h"
#include "model/noise_level_classes.h"

namespace {

constexpr double kGeomTol = 1e-9;

// A plan grid with nodes at the given positions and levels (column by column).
CNoiseMapGrid LevelGrid(std::vector<double> u, std::vector<double> v, std::vector<double> levels)
{
    CNoiseMapGrid g;
    g.m_arrU = std::move(u);
    g.m_arrV = std::move(v);
    g.m_dStartU = g.m_arrU.front();
    g.m_dEndU = g.m_arrU.back();
    g.m_dStartV = g.m_arrV.front();
    g.m_dEndV = g.m_arrV.back();
    g.m_arrLevel = std::move(levels);
    g.m_dHeight = 1.5;
    return g;
}

void ExpectSegment(const CIsoSegment& s, double u0, double v0, double u1, double v1)
{
    // Either direction will do.
    const bool same = std::abs(s.u0 - u0) < kGeomTol && std::abs(s.v0 - v0) < kGeomTol &&
                      std::abs(s.u1 - u1) < kGeomTol && std::abs(s.v1 - v1) < kGeomTol;
    const bool reversed = std::abs(s.u0 - u1) < kGeomTol && std::abs(s.v0 - v1) < kGeomTol &&
                          std::abs(s.u1 - u0) < kGeomTol && std::abs(s.v1 - v0) < kGeomTol;
    EXPECT_TRUE(same || reversed) << s.u0 << "," << s.v0 << " - " << s.u1 << "," << s.v1;
}

}  // namespace

TEST(NoiseMapClasses, EdgesBelongToTheClassAbove)
{
    EXPECT_EQ(LevelClass(34.99), 0);
    EXPECT_EQ(LevelClass(35.00), 1);
    EXPECT_EQ(LevelClass(39.99), 1);
    EXPECT_EQ(LevelClass(40.00), 2);
    EXPECT_EQ(LevelClass(79.99), 9);
    EXPECT_EQ(LevelClass(80.00), 10);
    EXPECT_EQ(LevelClass(140.0), 10);
    EXPECT_EQ(LevelClass(-20.0), 0);
    EXPECT_EQ(LevelClass(kNoEnergy), kNoLevelClass);
    EXPECT_EQ(LevelClass(std::nan("")), kNoLevelClass);
}

TEST(NoiseMapClasses, ColoursLabelsAndUnit)
{
    EXPECT_STREQ(LevelClassColour(0), "#C0FFC0");
    EXPECT_STREQ(LevelClassColour(1), "#00CC00");
    EXPECT_STREQ(LevelClassColour(5), "#FF6600");
    EXPECT_STREQ(LevelClassColour(10), "#000066");
    EXPECT_EQ(LevelClassLabel(0), "< 35");
    EXPECT_EQ(LevelClassLabel(1), "35 - 40");
    EXPECT_EQ(LevelClassLabel(9), "75 - 80");
    EXPECT_EQ(LevelClassLabel(10), ">= 80");
    EXPECT_EQ(LevelClassLabel(kNoLevelClass), "");
    EXPECT_EQ(NoiseMapUnit(0), "dB(A)");
    EXPECT_EQ(NoiseMapUnit(4), "dB(A) 500 Hz");
    EXPECT_EQ(LevelClassEdges().front(), 35.0);
    EXPECT_EQ(LevelClassEdges().back(), 80.0);
}

TEST(NoiseMapGrid, AxisWalkAndCellEdges)
{
    // Area 0..120 with spacing 50: the nodes not beyond the end, as the export walks them.
    EXPECT_EQ(WalkAxis(0, 120, 50), (std::vector<double>{0, 50, 100}));
    EXPECT_TRUE(WalkAxis(10, 0, 5).empty());
    // The outer cells reach the extent, the inner edges lie halfway.
    EXPECT_EQ(CellEdges({0, 50, 100}, 0, 120), (std::vector<double>{0, 25, 75, 120}));
}

TEST(NoiseMapIsoLines, StraightLinesThroughASquare)
{
    // Levels 30 on the left, 42 on the right of a 10 m square: the 35 line at
    // u = 10 * 5 / 12, the 40 line at u = 10 * 10 / 12, both across the square.
    const CNoiseMapGrid g = LevelGrid({0, 10}, {0, 10}, {30, 30, 42, 42});
    const auto at35 = IsoSegments(g, 35);
    ASSERT_EQ(at35.size(), 1u);
    ExpectSegment(at35[0], 50.0 / 12, 0, 50.0 / 12, 10);
    const auto all = ClassEdgeIsoSegments(g);
    ASSERT_EQ(all.size(), 2u);
    ExpectSegment(all[1], 100.0 / 12, 0, 100.0 / 12, 10);
    EXPECT_EQ(all[1].level, 40.0);
}

TEST(NoiseMapIsoLines, SaddleFollowsTheMeanAndGapsStayOpen)
{
    // Corners 40, 30, 40, 30 counter-clockwise from (0, 0): the mean 35 lies on the high
    // side, so the high corners join and the lines cut off the low corners (10, 0), (0, 10).
    const CNoiseMapGrid g = LevelGrid({0, 10}, {0, 10}, {40, 30, 30, 40});
    const auto s = IsoSegments(g, 35);
    ASSERT_EQ(s.size(), 2u);
    ExpectSegment(s[0], 5, 0, 10, 5);
    ExpectSegment(s[1], 5, 10, 0, 5);
    // A square with a node without energy gives no line.
    const CNoiseMapGrid gap = LevelGrid({0, 10}, {0, 10}, {30, kNoEnergy, 42, 42});
    EXPECT_TRUE(IsoSegments(gap, 35).empty());
}

TEST(NoiseMapFiles, CsvOfATinyGrid)
{
    const CNoiseMapGrid g = LevelGrid({0, 10}, {0, 5}, {52.346, kNoEnergy, 61, 34.99});
    std::ostringstream out;
    WriteNoiseMapCsv(g, out);
    EXPECT_EQ(out.str(),
              "x,y,z,level\n"
              "0.00,0.00,1.50,52.35\n"
              "0.00,5.00,1.50,\n"
              "10.00,0.00,1.50,61.00\n"
              "10.00,5.00,1.50,34.99\n");
    // A coordinate of 74 digits is written whole, never cut to a buffer's length.
    const CNoiseMapGrid far = LevelGrid({1e73}, {0}, {50});
    std::ostringstream farOut;
    WriteNoiseMapCsv(far, farOut);
    char whole[128];
    std::snprintf(whole, sizeof whole, "%.2f,0.00,1.50,50.00\n", 1e73);
    EXPECT_EQ(farOut.str(), std::string("x,y,z,level\n") + whole);
}

TEST(NoiseMapFiles, UnwritablePathIsReported)
{
    const CNoiseMapGrid g = LevelGrid({0}, {0}, {50});
    EXPECT_FALSE(SaveNoiseMapCsv(g, "/nonexistent-dir/map.csv").empty());
}
