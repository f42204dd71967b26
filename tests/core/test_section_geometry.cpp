// The section view's geometry without a window: where the section line crosses the
// entities' edges and outlines, and which points lie on it.

#include <gtest/gtest.h>

#include <cmath>

#include "drawing/entity_outline.h"
#include "drawing/section_geometry.h"
#include "model/project_settings.h"
#include "test_tolerances.h"

namespace {

// Area 200 x 100 m, the section lines at X = 50 and Y = 50.
CProjectSettings AreaSettings()
{
    CProjectSettings s;
    s.m_dAreaEndX = 200;
    s.m_dAreaEndY = 100;
    s.m_dSectionY = 50;
    s.m_dSectionX = 50;
    return s;
}

CMVector Pt(double x, double y, double z = 0) { return {x, y, z}; }

}  // namespace

TEST(SectionGeometry, CrossingFollowsTheRangeAndRatioRules)
{
    const CSectionPlane plane(AreaSettings(), 1);  // Y = 50 across X 0..200
    const auto across = plane.Cross(Pt(100, 0), Pt(100, 100));
    EXPECT_TRUE(across.has_value());
    EXPECT_EQ(across->pos, 100.0);
    EXPECT_TRUE(!plane.Cross(Pt(10, 40), Pt(90, 40)));     // parallel, off the line
    EXPECT_TRUE(!plane.Cross(Pt(10, 50), Pt(90, 50)));     // parallel, on the line: t = 0
    EXPECT_TRUE(!plane.Cross(Pt(100, 0), Pt(100, 50)));    // ends on the line: |t| = |p|
    EXPECT_TRUE(plane.Cross(Pt(100, 50), Pt(100, 100)));   // starts on it: p = 0
    EXPECT_TRUE(!plane.Cross(Pt(100, 60), Pt(100, 100)));  // short of the line
    const auto slanted = plane.Cross(Pt(0, 0), Pt(100, 100));
    EXPECT_TRUE(slanted && std::abs(slanted->pos - 50) < kTol);

    const CSectionPlane alongY(AreaSettings(), 0);  // X = 50 across Y 0..100
    const auto c = alongY.Cross(Pt(0, 10), Pt(60, 10));
    EXPECT_TRUE(c && std::abs(c->pos - 10) < kTol);
    EXPECT_EQ(alongY.AxisLength(), 100.0);
    EXPECT_EQ(plane.Mirror(30), 170.0);  // mirrored about the middle of X 0..200

    CProjectSettings empty = AreaSettings();
    empty.m_dAreaEndX = 0;
    EXPECT_TRUE(!CSectionPlane(empty, 1).Cross(Pt(0, 0), Pt(0, 100)));  // no plane, no crossing
}

TEST(SectionGeometry, CrossingInterpolatesHeights)
{
    const CSectionPlane plane(AreaSettings(), 1);
    const auto c = plane.Cross(Pt(40, 0, 2), Pt(40, 100, 12));
    EXPECT_TRUE(c && std::abs(c->height - 7) < kTol);
    const auto sides = CrossSides(plane, Pt(0, 0, 1), Pt(0, 100, 1), Pt(10, 0, 3), Pt(10, 100, 3));
    EXPECT_TRUE(sides && sides->first.pos == 0 && sides->second.pos == 10);
    EXPECT_TRUE(!CrossSides(plane, Pt(0, 0), Pt(0, 100), Pt(10, 60), Pt(10, 100)));  // one side only
}

TEST(SectionGeometry, ReceiversOnThePlaneOnly)
{
    const CSectionPlane plane(AreaSettings(), 1);
    EXPECT_TRUE(plane.Contains(Pt(100, 50, 1.2)));
    EXPECT_TRUE(!plane.Contains(Pt(100, 50.5, 1.2)));
    EXPECT_TRUE(!plane.Contains(Pt(250, 50, 1.2)));  // beyond the area's end
    EXPECT_TRUE(plane.Contains(Pt(0, 50, 0)));
}

TEST(SectionGeometry, SlopeOutlineGivesTwoCrossings)
{
    // An embankment along +X from (0, 50), 10 m wide, 4 m high, cut at X = 50: the
    // footprint lies on the +width side for direction 0, high along the axis.
    CSungto fill;
    fill.SetGeometry(0, 50, 100, 50, 4, 10, 100);
    const CSectionPlane plane(AreaSettings(), 0);
    const auto cut = CrossOutline(plane, SlopeSurface(fill, false));
    EXPECT_TRUE(cut.has_value());
    EXPECT_EQ(cut->first.pos, 50.0);
    EXPECT_EQ(cut->first.height, 4.0);
    EXPECT_TRUE(std::abs(cut->second.pos - 60) < kTol);
    EXPECT_EQ(cut->second.height, 0.0);
    fill.m_nDirection = 1;  // the other side
    EXPECT_TRUE(std::abs(CrossOutline(plane, SlopeSurface(fill, false))->second.pos - 40) < kTol);
    CJulto cutting;
    cutting.SetGeometry(0, 50, 100, 50, -3, 10, 100);
    EXPECT_EQ(SlopeSide(cutting, true), -1);     // a cutting lies opposite an embankment
    fill.SetGeometry(0, 10, 40, 10, 4, 10, 40);  // ends before X = 50
    EXPECT_TRUE(!CrossOutline(plane, SlopeSurface(fill, false)));
}

TEST(SectionGeometry, DeckSidesAndBarrierLines)
{
    // A road 10 m wide along +Y from (50, 0, 2) to (50, 100, 12), cut at Y = 50: its
    // sides lie at x = 45 and 55 (left of +Y is -X), both 7 m high halfway.
    CRoad road;
    road.SetGeometry(50, 0, 50, 100, 2, 12, 10, 100, 10);
    const auto sides = CrossLongSides(CSectionPlane(AreaSettings(), 1), road);
    EXPECT_TRUE(sides.has_value());
    EXPECT_TRUE(std::abs(sides->first.pos - 45) < kTol && std::abs(sides->second.pos - 55) < kTol);
    EXPECT_TRUE(std::abs(sides->first.height - 7) < kTol && std::abs(sides->second.height - 7) < kTol);
    // Only barriers higher than 0 stand; a NaN height stands none.
    road.m_dLeftBarrierHeight = 2;
    road.m_dCentreBarrierHeight = std::nan("");
    road.m_dRightBarrierHeight = 0;
    EXPECT_EQ(DeckBarrierLines(road).size(), std::size_t(1));
    road.m_dRightBarrierHeight = 3;
    const auto lines = DeckBarrierLines(road);
    EXPECT_EQ(lines.size(), std::size_t(2));
    EXPECT_EQ(lines[0].across, 5.0);  // left edge, +width/2
    EXPECT_EQ(lines[1].height, 3.0);
    EXPECT_EQ(lines[1].across, -5.0);
}
