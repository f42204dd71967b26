// The plan view's arithmetic without a window: the receiver grid it draws and picks.

#include <gtest/gtest.h>

#include <vector>

#include "drawing/view_grid.h"
#include "engine/noise_map_compute.h"
#include "io/receiver_grid.h"
#include "model/project_settings.h"

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
