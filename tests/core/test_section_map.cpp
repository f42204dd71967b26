// The section noise map's grid: its own spacing, its height range from the lowest ground of
// the section line, and the nodes in the soil of embankments, cuttings and the flat ground
// left without energy while every node in the air gets the level of the point query.
#include <gtest/gtest.h>

#include <cmath>

#include "calc_test_support.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "engine/noise_map_compute.h"
#include "engine/source_pieces.h"
#include "model/bands.h"
#include "model/environment_rules.h"
#include "model/section_ground.h"

namespace {

constexpr double kHeightTol = 1e-9;  // m
constexpr double kLevelTol = 0.01;   // dB

template <class Body>
Body Slope(double y, double height, double width, int direction)
{
    Body b;
    b.SetGeometry(0, y, 200, y, height, width, 200);
    b.m_nDirection = direction;
    b.ComputeAngle();
    return b;
}

// A road along y = 100 over an area 200 x 200 m, cut by the section X = 100 (positions
// along Y). An embankment 6 m high rises from y = 70 (0 m) to its crest at y = 50, and a
// cutting 4 m deep falls from y = 140 (0 m) to y = 150.
CMyTalvoDoc SlopedProject()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dAreaEndX = 200;
    doc.m_settings.m_dAreaEndY = 200;
    doc.m_settings.m_nSectionAxis = 0;
    doc.m_settings.m_dSectionX = 100;
    doc.m_arrRoad.push_back(calctest::Road(0, 100, 200, 100, 0, 10, 20));
    doc.m_arrEmbankment.push_back(Slope<CSungto>(50, 6, 20, 0));
    doc.m_arrCutting.push_back(Slope<CJulto>(150, -4, 10, 0));
    doc.m_settings.m_dBaseHeight = -4;
    MakeSourcePieces(doc);
    return doc;
}

std::size_t RowOf(const CNoiseMapGrid& grid, double v)
{
    for (std::size_t r = 0; r < grid.Rows(); ++r)
        if (std::fabs(grid.m_arrV[r] - v) < 1e-6)
            return r;
    ADD_FAILURE() << "no row at " << v;
    return 0;
}

}  // namespace

TEST(SectionMap, SpacingDefaultsToTheFinerOfOneMetreAndAFifthOfThePlanSpacing)
{
    CProjectSettings s;
    EXPECT_DOUBLE_EQ(SectionSpacing(s), 1.0);  // 50 m / 5 = 10 m is coarser
    s.m_dReceiverSpacing = 2.5;
    EXPECT_DOUBLE_EQ(SectionSpacing(s), 0.5);
    s.m_dSectionSpacing = 2;
    EXPECT_DOUBLE_EQ(SectionSpacing(s), 2.0);
    // The pane: empty text is the default again, text that is no positive number is refused.
    EXPECT_TRUE(ApplyEnvField(s, EEnvField::SectionSpacing, "-1").m_bRejected);
    EXPECT_TRUE(ApplyEnvField(s, EEnvField::SectionSpacing, "abc").m_bRejected);
    EXPECT_DOUBLE_EQ(s.m_dSectionSpacing, 2.0);
    CProjectSettings before = s;
    EXPECT_FALSE(ApplyEnvField(s, EEnvField::SectionSpacing, " ").m_bRejected);
    EXPECT_EQ(s.m_dSectionSpacing, 0.0);
    EXPECT_FALSE(SameNoiseMapInputs(before, s));  // a map of the other spacing is stale
    // The node guard counts the section's own nodes: 201 x 31 at 1 m, 20001 x 3001 at 1 cm.
    CMyTalvoDoc doc = SlopedProject();
    EXPECT_EQ(CheckSectionMap(doc.m_settings, 1), "");
    for (double bad : {0.0, -2.0, std::nan("")})
        EXPECT_EQ(CheckSectionMap(doc.m_settings, bad), kMapMsgBadSectionSpacing);
    const std::string tooFine = CheckSectionMap(doc.m_settings, 0.01);
    EXPECT_NE(tooFine.find("60023001"), std::string::npos) << tooFine;
}

TEST(SectionMap, RangeStartsAtTheLowestGroundAndSoilNodesHaveNoEnergy)
{
    const CMyTalvoDoc doc = SlopedProject();
    const CSectionGround ground = DocumentSectionGround(doc);
    EXPECT_NEAR(ground.HeightAt(50), 6, kHeightTol);    // the crest
    EXPECT_NEAR(ground.HeightAt(60), 3, kHeightTol);    // half way down the slope
    EXPECT_NEAR(ground.HeightAt(100), 0, kHeightTol);   // flat ground
    EXPECT_NEAR(ground.HeightAt(145), -2, kHeightTol);  // half way down the cut
    EXPECT_NEAR(ground.HeightAt(150), -4, kHeightTol);  // the cut's floor at its axis

    CNoiseMapGrid grid = SectionMapLayout(doc.m_settings, ground, 1, 0);
    EXPECT_DOUBLE_EQ(grid.m_dStartV, -4);
    EXPECT_DOUBLE_EQ(grid.m_dEndV, 26);
    EXPECT_EQ(grid.Rows(), 31u);
    EXPECT_EQ(grid.Columns(), 201u);
    const CCalcScene scene(doc);
    CRunProgress progress;
    ASSERT_TRUE(ComputeNoiseMap(scene, grid, progress, 2));
    EXPECT_EQ(progress.Done(), 201 * 31);  // soil nodes count as done
    // Column u = y: the last node in the soil and the first in the air.
    const struct {
        double u, soil, air;
    } columns[] = {{50, 5, 6}, {60, 2, 3}, {100, -1, 0}, {145, -3, -2}};
    for (const auto& c : columns) {
        const std::size_t col = std::size_t(c.u);
        EXPECT_EQ(grid.Level(col, RowOf(grid, c.soil)), kNoEnergy) << "y = " << c.u;
        const double air = grid.Level(col, RowOf(grid, c.air));
        EXPECT_NEAR(air, EnergySum(scene.PointLevels(100, c.u, c.air)), kLevelTol) << "y = " << c.u;
    }
    EXPECT_TRUE(std::isfinite(grid.Level(150, RowOf(grid, -4))));  // on the cut's floor
}
