#include "drawing/view_grid.h"

#include <algorithm>
#include <cmath>

#include "model/grid_walk.h"
#include "model/project_settings.h"

namespace {

// Beyond this many points along one side the grid is treated as unusable: its names
// would not fit and it could never be drawn point by point.
constexpr double kMaxPointsPerSide = 1e7;

// Whether a side from start to end can be walked with this spacing into a sensible number
// of points (the integer part of extent / spacing, plus one, estimated before walking).
bool SideUsable(double start, double end, double spacing)
{
    const double extent = end - start;
    if (!(spacing > 0) || !std::isfinite(spacing) || !std::isfinite(extent) || extent < 0)
        return false;
    return std::floor(extent / spacing) + 1 <= kMaxPointsPerSide;
}

}  // namespace

CViewGrid::CViewGrid(double startX, double startY, double endX, double endY, double spacing)
{
    if (!SideUsable(startX, endX, spacing) || !SideUsable(startY, endY, spacing))
        return;
    m_arrX = WalkAxis(startX, endX, spacing);
    m_arrY = WalkAxis(startY, endY, spacing);
}

CViewGrid::CViewGrid(const CProjectSettings& s)
    : CViewGrid(s.m_dAreaStartX, s.m_dAreaStartY, s.m_dAreaEndX, s.m_dAreaEndY, s.m_dReceiverSpacing)
{
}

std::optional<CViewPoint> CViewGrid::PointOf(long long name) const
{
    if (!Valid() || name < 1 || name > Columns() * Rows())
        return std::nullopt;
    return PointAt((name - 1) / Rows(), (name - 1) % Rows());
}

CViewPoint CViewGrid::PointAt(long long column, long long row) const
{
    return {m_arrX[static_cast<std::size_t>(column)], m_arrY[static_cast<std::size_t>(row)]};
}

CGridIndexRange CViewGrid::IndexRange(double lo, double hi, const std::vector<double>& axis)
{
    if (axis.empty() || !(lo <= hi))
        return {};
    const auto first = std::lower_bound(axis.begin(), axis.end(), lo);
    const auto end = std::upper_bound(first, axis.end(), hi);
    return {first - axis.begin(), (end - axis.begin()) - 1};
}

CGridIndexRange CViewGrid::ColumnsIn(const CViewProjection& proj, double x0, double x1) const
{
    const double lo = proj.PixelToWorld(std::min(x0, x1), 0).x;
    const double hi = proj.PixelToWorld(std::max(x0, x1), 0).x;
    return IndexRange(lo, hi, m_arrX);
}

CGridIndexRange CViewGrid::RowsIn(const CViewProjection& proj, double y0, double y1) const
{
    // Pixel y grows downwards, world y upwards.
    const double lo = proj.PixelToWorld(0, std::max(y0, y1)).y;
    const double hi = proj.PixelToWorld(0, std::min(y0, y1)).y;
    return IndexRange(lo, hi, m_arrY);
}
std::optional<long long> CViewGrid::Pick(const CViewProjection& proj, double px, double py) const
{
    const double half = kPickRegion / 2;
    const CGridIndexRange columns = ColumnsIn(proj, px - half, px + half);
    const CGridIndexRange rows = RowsIn(proj, py - half, py + half);
    if (columns.Empty() || rows.Empty())
        return std::nullopt;
    return NameOf(columns.first, rows.first);
}

bool GridShown(const CProjectSettings& s)
{
    return s.m_dReceiverSpacing != 0 && s.m_bShowReceivers && !(s.m_dReceiverHeight < s.m_dBaseHeight);
}
