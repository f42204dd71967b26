// The section noise map's grid: its own spacing, its height range from the lowest ground of
// the section line, and the nodes in the soil of embankments, cuttings and the flat ground
// left without energy while every node in the air gets the level of the point query.
#include <gtest/gtest.h>

#include <cmath>

#include "calc_test_support.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "engine/source_pieces.h"
#include "maps/noise_map_compute.h"
#include "model/bands.h"
#include "model/environment_rules.h"
#include "test_tolerances.h"

namespace {

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

}  // namespace

TEST(SectionMap, SpacingDefaultsToTheFinerOfOneMetreAndAFifthOfThePlanSpacing)
{
    CProjectSettings s;
    EXPECT_DOUBLE_EQ(SectionSpacing(s), 1.0);  // 50 m / 5 = 10 m is coarser
    s.m_dReceiverSpacing = 2.5;
    EXPECT_DOUBLE_EQ(SectionSpacing(s), 0.5);
    s.m_dSectionSpacing = 2;
    EXPECT_DOUBLE_EQ(SectionSpacing(s), 2.0);
    // The pane's text that is no number is refused; a map of another spacing is stale.
    EXPECT_TRUE(ApplyEnvField(s, EEnvField::SectionSpacing, "abc").m_bRejected);
    const CProjectSettings before = s;
    ApplyEnvField(s, EEnvField::SectionSpacing, " ");
    EXPECT_FALSE(SameNoiseMapInputs(before, s));
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
    CNoiseMapGrid grid = SectionMapLayout(doc.m_settings, DocumentSectionGround(doc), 1, 0);
    EXPECT_DOUBLE_EQ(grid.m_dStartV, -4);
    EXPECT_DOUBLE_EQ(grid.m_dEndV, 26);
    EXPECT_EQ(grid.Rows(), 31u);
    EXPECT_EQ(grid.Columns(), 201u);
    const CCalcScene scene(doc);
    CRunProgress progress;
    ASSERT_TRUE(ComputeNoiseMap(scene, grid, progress, 2));
    EXPECT_EQ(progress.Done(), 201 * 31);  // soil nodes count as done
    // Column y (index y), row z (index z + 4): the last node in the soil and the first in the
    // air on the crest, half way down the embankment, the flat ground, half way down the cut
    // and on the cut's floor.
    auto level = [&grid](double y, double z) { return grid.Level(std::size_t(y), std::size_t(z + 4)); };
    const struct {
        double y, soil, air;
    } columns[] = {{50, 5, 6}, {60, 2, 3}, {100, -1, 0}, {145, -3, -2}, {150, -5, -4}};
    for (const auto& c : columns) {
        if (c.soil >= grid.m_dStartV) {
            EXPECT_EQ(level(c.y, c.soil), kNoEnergy) << "y = " << c.y;
        }
        EXPECT_NEAR(level(c.y, c.air), EnergySum(scene.PointLevels(100, c.y, c.air)), kLevelTol) << "y = " << c.y;
    }
}
