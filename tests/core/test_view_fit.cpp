// The views' fit, wheel zoom and round lengths: plain arithmetic behind "전체 보기", the
// scale bar and the section axes.

#include <gtest/gtest.h>

#include <cmath>

#include "drawing/scale_marks.h"
#include "drawing/view_fit.h"
#include "drawing/view_navigation.h"
#include "model/document.h"
#include "test_tolerances.h"

namespace {

constexpr double kPixelTol = 1e-6;

// The projection of a 800 x 400 pane showing the area 0..1000 x 0..200 at zoom 1.
CViewProjection UnitView(double exaggeration = 1)
{
    CViewProjection proj(800, 400, 1.1);
    proj.SetWorld(CViewProjection::ScaleForExtent(1000), 500, 100, 0, 0);
    proj.SetVerticalExaggeration(exaggeration);
    return proj;
}

CViewProjection Applied(const CViewNavigation& nav, double exaggeration = 1)
{
    CViewProjection proj(800, 400, 1.1);
    proj.SetWorld(CViewProjection::ScaleForExtent(1000) * nav.m_dZoom, 500, 100, nav.m_dPanX, nav.m_dPanY);
    proj.SetVerticalExaggeration(exaggeration);
    return proj;
}

}  // namespace

TEST(ViewFit, BoxFillsThePaneLessTheMarginAndIsCentred)
{
    CWorldBox box;
    box.Add(100, 50);
    box.Add(300, 70);   // 200 x 20 m: wide, so the width is what limits
    box.Add(NAN, 1e9);  // left out
    const CViewNavigation nav = FitBox(UnitView(), box, 0.05);
    const CViewProjection proj = Applied(nav);
    const CViewPoint low = proj.WorldToPixel(100, 50), high = proj.WorldToPixel(300, 70);
    EXPECT_NEAR(low.x, 40, kPixelTol);  // 5 % of 800 pixels
    EXPECT_NEAR(high.x, 760, kPixelTol);
    EXPECT_NEAR(0.5 * (low.y + high.y), 200, kPixelTol);
    // A tall box is limited by the height instead; with heights drawn 10 times larger
    // the same box of 200 x 20 m fills the height.
    const CViewProjection tall = Applied(FitBox(UnitView(10), box, 0.05), 10);
    EXPECT_NEAR(tall.WorldToPixel(0, 50).y, 380, kPixelTol);
    EXPECT_NEAR(tall.WorldToPixel(0, 70).y, 20, kPixelTol);
}

TEST(ViewFit, EmptyOrPointBoxesGiveUsableViews)
{
    const CViewNavigation none = FitBox(UnitView(), CWorldBox{});
    EXPECT_EQ(none.m_dZoom, 1.0);
    CWorldBox point;
    point.Add(10, 10);
    const CViewNavigation nav = FitBox(UnitView(), point);
    EXPECT_TRUE(std::isfinite(nav.m_dZoom) && nav.m_dZoom > 0);
    EXPECT_NEAR(Applied(nav).WorldToPixel(10, 10).x, 400, kPixelTol);
}

TEST(ViewFit, PlanBoxHoldsTheAreaAndEntitiesOutsideIt)
{
    CMyTalvoDoc doc;
    doc.NewProject();
    CReceiverPoint far;
    far.SetPosition(-50, 900, 1.5);
    doc.m_arrReceiver.push_back(far);
    const CWorldBox box = PlanModelBox(doc);
    EXPECT_DOUBLE_EQ(box.x0, -50);
    EXPECT_DOUBLE_EQ(box.y1, 900);
    EXPECT_DOUBLE_EQ(box.x1, doc.m_settings.m_dAreaEndX);
    // The section box runs over the area along the axis and up to the receiver.
    const CWorldBox section = SectionModelBox(doc, 1);
    EXPECT_DOUBLE_EQ(section.x1 - section.x0, doc.m_settings.m_dAreaEndX - doc.m_settings.m_dAreaStartX);
    EXPECT_DOUBLE_EQ(section.y1, 1.5);
    EXPECT_DOUBLE_EQ(section.y0, 0);
}

TEST(ViewNavigation, WheelZoomsAboutThePointerInProportionalSteps)
{
    CViewNavigation nav;
    nav.m_dPanX = 0.3;
    const CViewPoint before = Applied(nav).PixelToWorld(200, 150);
    const CViewPoint v = Applied(nav).PixelToView(200, 150);
    nav.WheelDelta(240, v.x, v.y);  // two notches in
    EXPECT_NEAR(nav.m_dZoom, 1.5625, kTol);
    const CViewPoint after = Applied(nav).PixelToWorld(200, 150);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    for (int i = 0; i < 200; ++i)
        nav.WheelDelta(-120, v.x, v.y);  // never reaches 0
    EXPECT_EQ(nav.m_dZoom, CViewNavigation::kMinFreeZoom);
}

TEST(ScaleMarks, RoundLengthsAndTicks)
{
    EXPECT_DOUBLE_EQ(RoundLengthAtMost(730), 500);
    EXPECT_DOUBLE_EQ(RoundLengthAtMost(0.31), 0.2);
    EXPECT_DOUBLE_EQ(RoundLengthAtMost(100), 100);
    EXPECT_DOUBLE_EQ(RoundLengthAtLeast(13), 20);
    EXPECT_DOUBLE_EQ(RoundLengthAtLeast(60), 100);
    EXPECT_EQ(RoundLengthAtMost(0), 0);
    EXPECT_EQ(RoundLengthAtMost(NAN), 0);
    const std::vector<double> ticks = TickValues(-3, 12, 5);
    EXPECT_EQ(ticks, (std::vector<double>{0, 5, 10}));
    EXPECT_TRUE(TickValues(0, 1e9, 1).empty());  // too many to draw
    EXPECT_EQ(FormatMetres(0.5), "0.5 m");
    EXPECT_EQ(FormatMetres(-1e-12), "0 m");
}
