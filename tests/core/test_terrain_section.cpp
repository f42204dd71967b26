#include <gtest/gtest.h>

#include <cmath>

#include "engine/terrain_section.h"
#include "model/document.h"
#include "test_tolerances.h"

namespace {

constexpr double kHeightTol = 1e-9;
constexpr double kAreaEnd = 700.0;

CProjectSettings Area(double base)
{
    CProjectSettings settings;
    settings.m_dAreaStartX = 0.0;
    settings.m_dAreaEndX = kAreaEnd;
    settings.m_dAreaStartY = -100.0;
    settings.m_dAreaEndY = 300.0;
    settings.m_dBaseHeight = base;
    return settings;
}

template <class Body>
Body MakeBody(double sx, double sy, double ex, double ey, double height, double width, int direction)
{
    Body b;
    b.SetGeometry(sx, sy, ex, ey, height, width, 0.0);
    b.m_dLength = b.PlanLength();
    b.ComputeAngle();
    b.m_nDirection = direction;
    return b;
}

CTerrainSection Section(double x0, const std::vector<CSungto>& fills, const std::vector<CJulto>& cuts, double base)
{
    CTerrainSection s;
    s.Build(x0, fills, cuts, Area(base));
    return s;
}

}  // namespace

TEST(TerrainSection, WithoutBodiesTheGroundIsAbsoluteZeroEverywhere)
{
    const CTerrainSection s = Section(100.0, {}, {}, -2.5);
    EXPECT_NEAR(s.GroundHeight(-5000.0), 2.5, kHeightTol);
    EXPECT_NEAR(s.GroundHeight(0.0), 2.5, kHeightTol);
    EXPECT_TRUE(s.EmbankmentIntervals().empty());
}

TEST(TerrainSection, EmbankmentGroundIsHalfItsHeightAcrossItsFootprint)
{
    // 4 m high, 10 m wide, direction 0: footprint to +width, Y 50..60.
    const auto fill = MakeBody<CSungto>(0, 50, 100, 50, 4.0, 10.0, 0);
    const CTerrainSection s = Section(30.0, {fill}, {}, 0.0);
    ASSERT_EQ(s.EmbankmentIntervals().size(), 1u);
    EXPECT_NEAR(s.EmbankmentIntervals()[0].m_dLowerY, 50.0, kPosTol);
    EXPECT_NEAR(s.EmbankmentIntervals()[0].m_dUpperY, 60.0, kPosTol);
    EXPECT_NEAR(s.EmbankmentIntervals()[0].m_dSectionX, 30.0, kPosTol);
    EXPECT_NEAR(s.GroundHeight(55.0), 2.0, kHeightTol);
    EXPECT_NEAR(s.GroundHeight(45.0), 0.0, kHeightTol);
    EXPECT_NEAR(Section(30.0, {fill}, {}, -3.0).GroundHeight(55.0), 5.0, kHeightTol);
    EXPECT_NEAR(Section(130.0, {fill}, {}, 0.0).GroundHeight(55.0), 0.0, kHeightTol);
}

TEST(TerrainSection, FootprintSideFollowsTheDirectionMirroredForCuttings)
{
    const auto fill1 = MakeBody<CSungto>(0, 50, 100, 50, 4.0, 10.0, 1);
    EXPECT_NEAR(Section(30.0, {fill1}, {}, 0.0).GroundHeight(45.0), 2.0, kHeightTol);
    EXPECT_NEAR(Section(30.0, {fill1}, {}, 0.0).GroundHeight(55.0), 0.0, kHeightTol);

    // A cutting 4 m deep on a site whose base height it sets: interval at -2 + 4 = 2.
    const auto cut0 = MakeBody<CJulto>(0, 50, 100, 50, -4.0, 10.0, 0);
    const auto cut1 = MakeBody<CJulto>(0, 50, 100, 50, -4.0, 10.0, 1);
    EXPECT_NEAR(Section(30.0, {}, {cut0}, -4.0).GroundHeight(45.0), 2.0, kHeightTol);
    EXPECT_NEAR(Section(30.0, {}, {cut0}, -4.0).GroundHeight(55.0), 4.0, kHeightTol);
    EXPECT_NEAR(Section(30.0, {}, {cut1}, -4.0).GroundHeight(55.0), 2.0, kHeightTol);
}

TEST(TerrainSection, SlantedFootprintIsCrossedBetweenItsAxisAndItsOuterSide)
{
    // Axis at 45 degrees from (0, 0); footprint 10 m to its left. At X = 50 the axis
    // is met at Y = 50 and the outer side at Y = 50 + 10 * sqrt(2).
    const auto fill = MakeBody<CSungto>(0, 0, 100, 100, 6.0, 10.0, 0);
    const CTerrainSection s = Section(50.0, {fill}, {}, 0.0);
    ASSERT_EQ(s.EmbankmentIntervals().size(), 1u);
    EXPECT_NEAR(s.EmbankmentIntervals()[0].m_dLowerY, 50.0, 1e-9);
    EXPECT_NEAR(s.EmbankmentIntervals()[0].m_dUpperY, 50.0 + 10.0 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(s.GroundHeight(60.0), 3.0, kHeightTol);
}

TEST(TerrainSection, CommonBoundaryOfEmbankmentAndCuttingTakesTheHigherGround)
{
    const auto fill = MakeBody<CSungto>(0, 50, 100, 50, 6.0, 10.0, 0);  // Y 50..60 at 3 + 2
    const auto cut = MakeBody<CJulto>(0, 50, 100, 50, -2.0, 10.0, 0);   // Y 40..50 at -1 + 2
    const CTerrainSection s = Section(30.0, {fill}, {cut}, -2.0);
    EXPECT_NEAR(s.GroundHeight(50.0), 5.0, kHeightTol);
    EXPECT_NEAR(s.GroundHeight(45.0), 1.0, kHeightTol);
}

TEST(TerrainSection, GroundLyingExactlyAtMinusOneIsStillGround)
{
    const auto sunk = MakeBody<CSungto>(0, 50, 100, 50, -2.0, 10.0, 0);
    EXPECT_NEAR(Section(30.0, {sunk}, {}, 0.0).GroundHeight(55.0), -1.0, kHeightTol);
}

TEST(TerrainSection, PlaneIsKeptInsideTheCalculationArea)
{
    const auto fill = MakeBody<CSungto>(0.0005, 50, 100, 50, 4.0, 10.0, 0);
    const CTerrainSection atZero = Section(0.0, {fill}, {}, 0.0);
    EXPECT_NEAR(atZero.SectionX(), 0.001, kPosTol);
    EXPECT_NEAR(atZero.GroundHeight(55.0), 2.0, kHeightTol);
    EXPECT_NEAR(Section(-40.0, {}, {}, 0.0).SectionX(), 0.001, kPosTol);
    EXPECT_NEAR(Section(kAreaEnd, {}, {}, 0.0).SectionX(), kAreaEnd - 0.001, kPosTol);
    EXPECT_NEAR(Section(250.0, {}, {}, 0.0).SectionX(), 250.0, kPosTol);
}

TEST(TerrainSection, SectionSpansTheCalculationAreaInY)
{
    // Area Y -100..300: a footprint reaching past it keeps its inner part; one beyond it
    // leaves the ground flat.
    const auto across = MakeBody<CSungto>(0, 290, 100, 290, 4.0, 30.0, 0);    // Y 290..320
    const auto beyond = MakeBody<CSungto>(0, -150, 100, -150, 4.0, 30.0, 1);  // Y -180..-150
    const CTerrainSection s = Section(30.0, {across, beyond}, {}, 0.0);
    ASSERT_EQ(s.EmbankmentIntervals().size(), 1u);
    EXPECT_NEAR(s.EmbankmentIntervals()[0].m_dLowerY, 290.0, kPosTol);
    EXPECT_NEAR(s.EmbankmentIntervals()[0].m_dUpperY, 300.0, kPosTol);
    EXPECT_NEAR(s.GroundHeight(-160.0), 0.0, kHeightTol);
}

TEST(TerrainSection, OutlineRecordsOnlyForCrossingsLongerThanOneCentimetre)
{
    const auto wide = MakeBody<CSungto>(0, 50, 100, 50, 4.0, 10.0, 0);
    const auto narrow = MakeBody<CSungto>(0, 80, 100, 80, 4.0, 0.005, 0);
    const CTerrainSection s = Section(30.0, {wide, narrow}, {}, 0.0);
    EXPECT_EQ(s.EmbankmentIntervals().size(), 2u);
    ASSERT_EQ(s.EmbankmentOutline().size(), 1u);
    EXPECT_EQ(s.EmbankmentOutline()[0].m_nIndex, 0);
    EXPECT_NEAR(s.EmbankmentOutline()[0].m_dHeight, 4.0, kHeightTol);
}

TEST(TerrainSection, RisingSideFlagFollowsTheDirectionOfTheCrossing)
{
    // Crossings are taken axis first: along +X the axis is met below the outer side.
    const auto east = MakeBody<CSungto>(0, 50, 100, 50, 4.0, 10.0, 0);   // y1 50 < y2 60
    const auto west = MakeBody<CSungto>(100, 50, 0, 50, 4.0, 10.0, 0);   // y1 50 > y2 40
    const auto west1 = MakeBody<CSungto>(100, 50, 0, 50, 4.0, 10.0, 1);  // y1 50 < y2 60
    const CTerrainSection s = Section(30.0, {east, west, west1}, {}, 0.0);
    ASSERT_EQ(s.EmbankmentOutline().size(), 3u);
    EXPECT_NEAR(s.EmbankmentOutline()[1].m_dY2, 40.0, kPosTol);
    EXPECT_EQ(s.EmbankmentOutline()[0].m_nRisingSide, 0);
    EXPECT_EQ(s.EmbankmentOutline()[1].m_nRisingSide, 1);
    EXPECT_EQ(s.EmbankmentOutline()[2].m_nRisingSide, 0);

    const auto cutEast = MakeBody<CJulto>(0, 50, 100, 50, -4.0, 10.0, 0);   // y1 50 > y2 40
    const auto cutEast1 = MakeBody<CJulto>(0, 50, 100, 50, -4.0, 10.0, 1);  // y1 50 < y2 60
    const CTerrainSection c = Section(30.0, {}, {cutEast, cutEast1}, -4.0);
    ASSERT_EQ(c.CuttingOutline().size(), 2u);
    EXPECT_EQ(c.CuttingOutline()[0].m_nRisingSide, 0);
    EXPECT_EQ(c.CuttingOutline()[1].m_nRisingSide, 1);
}

TEST(TerrainSection, StoringReplacesTheDocumentListsFromAFreshBuild)
{
    CMyTalvoDoc doc;
    doc.m_settings = Area(0.0);
    doc.m_arrEmbankment = {MakeBody<CSungto>(0, 50, 100, 50, 4.0, 10.0, 0)};
    doc.m_arrCuttingSection.assign(3, CSurface_info());
    StoreTerrainSection(doc, 40.0);
    EXPECT_EQ(doc.m_arrEmbankmentSection.size(), 1u);
    EXPECT_EQ(doc.m_arrEmbankmentOutline.size(), 1u);
    EXPECT_TRUE(doc.m_arrCuttingSection.empty());
    EXPECT_TRUE(doc.m_arrCuttingOutline.empty());
}
