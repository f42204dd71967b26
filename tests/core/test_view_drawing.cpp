// The views' arithmetic without a window: the projection, the receiver grid the plan
// view draws and picks, and the pan and zoom steps.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/result_label.h"
#include "drawing/scene_projection.h"
#include "drawing/view_grid.h"
#include "drawing/view_navigation.h"
#include "io/receiver_grid.h"
#include "maps/noise_map_compute.h"
#include "model/bands.h"
#include "model/entities.h"
#include "model/project_settings.h"
#include "test_tolerances.h"

namespace {

CProjectSettings Area(double endX, double endY, double spacing)
{
    CProjectSettings s;
    s.m_dAreaStartX = s.m_dAreaStartY = 0;
    s.m_dAreaEndX = endX;
    s.m_dAreaEndY = endY;
    s.m_dReceiverSpacing = spacing;
    return s;
}

// A projection of about 180 pixels per metre centred on (x, y): grid points 3.3 m or
// 0.1 m apart fall in separate pick regions.
CViewProjection CloseUpOn(double x, double y)
{
    CViewProjection proj(400, 400, 1.1);
    proj.SetWorld(1.0, x, y, 0, 0);
    return proj;
}

}  // namespace

TEST(ViewGrid, DrawnAndPickedPointsAreTheExportedPoints)
{
    // 3.3 m over 2000 m: start + i * s drifts from the walk by up to 2e-11 m. 0.1 m over
    // 600 m: the walk stops one row short of floor(600 / 0.1) + 1, so the names of a column
    // must follow the walk's count or every later column would be named wrongly.
    for (const CProjectSettings& s : {Area(2000, 600, 3.3), Area(1, 600, 0.1)}) {
        const CReceiverGrid exported = CReceiverGrid::FromSettings(s);
        const std::vector<double> xs = GridColumnXs(exported), ys = GridRowYs(exported);
        const CViewGrid grid(s);
        ASSERT_EQ(grid.Columns(), static_cast<long long>(xs.size()));
        ASSERT_EQ(grid.Rows(), static_cast<long long>(ys.size()));
        bool drifts = false;
        long long name = 1;  // the export's line number
        for (std::size_t c = 0; c < xs.size(); ++c) {
            for (std::size_t r = 0; r < ys.size(); ++r, ++name) {
                const auto at = grid.PointOf(name);
                ASSERT_TRUE(at.has_value());
                ASSERT_EQ(at->x, xs[c]);
                ASSERT_EQ(at->y, ys[r]);
                drifts = drifts || ys[r] != static_cast<double>(r) * s.m_dReceiverSpacing;
            }
        }
        EXPECT_TRUE(drifts);  // the case tells the walk from start + i * s
        EXPECT_FALSE(grid.PointOf(name).has_value());
        // Picking on an exported point gives that point's name.
        for (const std::size_t c : {std::size_t(0), xs.size() / 2, xs.size() - 1}) {
            const std::size_t r = ys.size() - 2;
            const CViewProjection proj = CloseUpOn(xs[c], ys[r]);
            const CViewPoint pixel = proj.WorldToPixel(xs[c], ys[r]);
            const auto picked = grid.Pick(proj, pixel.x, pixel.y);
            ASSERT_TRUE(picked.has_value());
            EXPECT_EQ(*picked, grid.NameOf(static_cast<long long>(c), static_cast<long long>(r)));
        }
        // The noise map's nodes are the same points.
        const CNoiseMapGrid map = PlanMapLayout(s, s.m_dReceiverSpacing, 1.2, 0);
        EXPECT_EQ(map.m_arrU, xs);
        EXPECT_EQ(map.m_arrV, ys);
    }
}

// A project in a national grid: eastings near 200,000 m and northings near 550,000 m keep
// the centimetre through the projection, and picking finds the exported grid node.
TEST(ViewProjection, NationalGridCoordinatesKeepTheCentimetre)
{
    CProjectSettings s;
    s.m_dAreaStartX = 200000;
    s.m_dAreaEndX = 201200;
    s.m_dAreaStartY = 550000;
    s.m_dAreaEndY = 550600;
    s.m_dReceiverSpacing = 20;
    for (double zoom : {1.0, 50.0}) {
        const CViewProjection proj = PlanProjection(s, 900, 600, 0, 0, zoom);
        for (const CViewPoint p : {CViewPoint{200000.01, 550000.01}, CViewPoint{200600.37, 550300.05}}) {
            const CViewPoint px = proj.WorldToPixel(p.x, p.y);
            const CViewPoint back = proj.PixelToWorld(px.x, px.y);
            EXPECT_NEAR(back.x, p.x, 1e-6);
            EXPECT_NEAR(back.y, p.y, 1e-6);
        }
    }
    const CViewProjection proj = PlanProjection(s, 900, 600, 0, 0, 1);
    const CViewGrid grid(s);
    const std::vector<double> xs = GridColumnXs(CReceiverGrid::FromSettings(s));
    const std::vector<double> ys = GridRowYs(CReceiverGrid::FromSettings(s));
    const CViewPoint node = proj.WorldToPixel(xs[30], ys[15]);
    const auto name = grid.Pick(proj, node.x, node.y);
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, 30LL * grid.Rows() + 15 + 1);
    EXPECT_EQ(grid.PointOf(*name)->x, xs[30]);
}

TEST(ViewProjection, ProjectionMapsAreaToViewUnits)
{
    // Area 100 m x 50 m at zoom 1: S = 0.02, the area spans 2 x 1 view units, centred.
    CProjectSettings s;
    s.m_dAreaEndX = 100;
    s.m_dAreaEndY = 50;
    const CViewProjection proj = PlanProjection(s, 440, 220, 0, 0, 1);
    EXPECT_EQ(proj.Scale(), 0.02);
    EXPECT_TRUE(std::abs(proj.HalfX() - 2.2) < kTol);  // a = 1.1 * w / h
    EXPECT_TRUE(std::abs(proj.HalfY() - 1.1) < kTol);
    EXPECT_TRUE(std::abs(proj.WorldToView(0, 0).x + 1) < kTol);
    EXPECT_TRUE(std::abs(proj.WorldToView(100, 50).y - 0.5) < kTol);
    const CViewPoint centre = proj.WorldToPixel(50, 25);
    EXPECT_TRUE(std::abs(centre.x - 220) < kTol && std::abs(centre.y - 110) < kTol);
    // An area away from the origin is centred all the same.
    CProjectSettings away = s;
    away.m_dAreaStartX = -50;
    away.m_dAreaStartY = -20;
    const CViewPoint middle = PlanProjection(away, 440, 220, 0, 0, 1).WorldToPixel(25, 15);
    EXPECT_TRUE(std::abs(middle.x - 220) < kTol && std::abs(middle.y - 110) < kTol);
    // Taller than wide: b grows instead of a.
    const CViewProjection tall = PlanProjection(s, 100, 200, 0, 0, 1);
    EXPECT_TRUE(std::abs(tall.HalfX() - 1.1) < kTol && std::abs(tall.HalfY() - 2.2) < kTol);
    // An empty area never divides by zero.
    s.m_dAreaEndX = s.m_dAreaEndY = 0;
    EXPECT_TRUE(std::isfinite(PlanProjection(s, 10, 10, 0, 0, 1).Scale()));
}

TEST(ViewGrid, NamesRunColumnByColumn)
{
    // X 0..20, Y 0..10, spacing 5: 5 columns of 3 points, names 1..15.
    const CViewGrid grid(0, 0, 20, 10, 5);
    EXPECT_EQ(grid.Columns(), 5LL);
    EXPECT_EQ(grid.Rows(), 3LL);
    const auto three = grid.PointOf(3), four = grid.PointOf(4), last = grid.PointOf(15);
    EXPECT_TRUE(three && four && last);
    EXPECT_EQ(three->x, 0.0);
    EXPECT_EQ(three->y, 10.0);
    EXPECT_EQ(four->x, 5.0);
    EXPECT_EQ(four->y, 0.0);
    EXPECT_EQ(last->x, 20.0);
    EXPECT_EQ(last->y, 10.0);
    EXPECT_TRUE(!grid.PointOf(0) && !grid.PointOf(16));
    for (long long n = 1; n <= 15; ++n) {
        const auto p = grid.PointOf(n);
        EXPECT_EQ(grid.NameOf(std::llround(p->x / 5), std::llround(p->y / 5)), n);
    }
    // A spacing that does not divide the area stops short of its end.
    EXPECT_EQ(CViewGrid(0, 0, 22, 12, 5).Rows(), 3LL);
    // Zero, negative or absurdly fine spacings make no grid at all.
    EXPECT_TRUE(!CViewGrid(0, 0, 20, 10, 0).Valid());
    EXPECT_TRUE(!CViewGrid(0, 0, 20, 10, -5).Valid());
    EXPECT_TRUE(!CViewGrid(0, 0, 2000, 600, 1e-9).Valid());
}

TEST(ViewGrid, PickingFindsTheLowestNameInTheRegion)
{
    CProjectSettings s;
    s.m_dAreaEndX = 20;
    s.m_dAreaEndY = 10;
    const CViewProjection proj = PlanProjection(s, 400, 200, 0, 0, 1);
    const CViewGrid grid(0, 0, 20, 10, 5);
    const CViewPoint p4 = proj.WorldToPixel(5, 0);
    EXPECT_EQ(grid.Pick(proj, p4.x + 4, p4.y - 4).value_or(-1), 4LL);
    EXPECT_TRUE(!grid.Pick(proj, p4.x + 6, p4.y).has_value());  // outside the 10 x 10 region
    // Zoomed far out (4.5 pixels between points) the region around (10, 5) holds the
    // points of columns x = 5..15 and rows y = 0..10: the first drawn, (5, 0), wins.
    const CViewProjection far = PlanProjection(s, 400, 200, 0, 0, 0.1);
    const CViewPoint p8 = far.WorldToPixel(10, 5);
    EXPECT_EQ(grid.Pick(far, p8.x, p8.y).value_or(-1), 4LL);
}

TEST(ViewNavigation, ZoomLimitsWheelNotchesAndDrags)
{
    CViewNavigation nav;
    // The pane's "확대" multiplies as a wheel notch does, so it acts at a large fitted
    // zoom too; the world point at the view centre stays there.
    nav.m_dZoom = 40;
    nav.m_dPanX = 0.2;
    nav.m_dPanY = -0.1;
    nav.ZoomIn();
    nav.ZoomIn();
    EXPECT_NEAR(nav.m_dZoom, 62.5, kTol);
    EXPECT_NEAR(nav.m_dPanX / nav.m_dZoom, 0.2 / 40, kTol);
    EXPECT_NEAR(nav.m_dPanY / nav.m_dZoom, -0.1 / 40, kTol);
    nav.ZoomOut();
    nav.ZoomOut();
    EXPECT_NEAR(nav.m_dZoom, 40, kTol);
    for (int i = 0; i < 100; ++i)
        nav.ZoomOut();
    EXPECT_EQ(nav.m_dZoom, CViewNavigation::kMinFreeZoom);  // "축소" never reaches 0
    nav.Centre();
    // The wheel zooms by a factor per notch, so it acts at every zoom.
    nav.m_dZoom = 0.15;
    nav.WheelDelta(-120, 0, 0);
    EXPECT_NEAR(nav.m_dZoom, 0.12, kTol);
    nav.WheelDelta(120, 0, 0);
    EXPECT_NEAR(nav.m_dZoom, 0.15, kTol);
    nav.WheelDelta(60, 0, 0);  // half a notch does nothing yet
    EXPECT_NEAR(nav.m_dZoom, 0.15, kTol);
    nav.WheelDelta(60, 0, 0);
    EXPECT_NEAR(nav.m_dZoom, 0.1875, kTol);

    // Ctrl+drag: 2.2 view units over the client height.
    nav.Press(100, 100);
    nav.DragTo(150, 80, 220);
    EXPECT_NEAR(nav.m_dPanX, -0.5, kTol);
    EXPECT_NEAR(nav.m_dPanY, -0.2, kTol);
    nav.Release();
    nav.Press(0, 0);
    nav.DragTo(0, 0, 220);
    EXPECT_NEAR(nav.m_dPanX, -0.5, kTol);  // the next drag starts where this one ended
}

TEST(ResultLabel, IsTheBandOrTheOverallLevel)
{
    CReceiverPoint r;
    EXPECT_EQ(ResultLabel(r, 0), "9.03");  // eight bands of 0 dB: 10 lg 8
    r.m_dLevel[2] = 55.555;
    EXPECT_EQ(ResultLabel(r, 3), "55.55");  // band 3 is 250 Hz
    r.m_dLevel.fill(kNoEnergy);
    EXPECT_EQ(ResultLabel(r, 0), std::string(kNoEnergyMark));
}

TEST(ResultLabel, ShowsDayAndNightWhenTheReceiverHasANightLevel)
{
    CReceiverPoint r;
    r.m_dLevel = NoEnergyBands();
    r.m_dLevel[4] = 62.34;
    r.m_dNightLevel[4] = 54.06;
    EXPECT_EQ(ResultLabel(r, 0), "62.3 / 54.1");
    EXPECT_EQ(ResultLabel(r, 5), "62.3 / 54.1");
    EXPECT_EQ(ResultLabel(r, 1), "- / -");
}
