#include "drawing/view_grid.h"

#include <algorithm>
#include <cmath>

#include "model/project_settings.h"

namespace {

// Beyond this many points along one side the grid is treated as unusable: its names
// would not fit and it could never be drawn point by point.
constexpr double kMaxPointsPerSide = 1e7;

// Points along one side: the integer part of extent / spacing, plus one; 0 if unusable.
long long PointsAlong(double extent, double spacing)
{
    if (!(spacing > 0) || !std::isfinite(spacing) || !std::isfinite(extent) || extent < 0)
        return 0;
    const double steps = std::floor(extent / spacing);
    if (steps + 1 > kMaxPointsPerSide)
        return 0;
    return static_cast<long long>(steps) + 1;
}

}  // namespace

CViewGrid::CViewGrid(double startX, double startY, double endX, double endY, double spacing)
    : m_dStartX(startX),
      m_dStartY(startY),
      m_dSpacing(spacing),
      m_nColumns(PointsAlong(endX - startX, spacing)),
      m_nRows(PointsAlong(endY - startY, spacing))
{
    if (m_nColumns == 0 || m_nRows == 0)
        m_nColumns = m_nRows = 0;
}

CViewGrid::CViewGrid(const CProjectSettings& s)
    : CViewGrid(s.m_dAreaStartX, s.m_dAreaStartY, s.m_dAreaEndX, s.m_dAreaEndY, s.m_dReceiverSpacing)
{
}

std::optional<CViewPoint> CViewGrid::PointOf(long long name) const
{
    if (!Valid() || name < 1 || name > m_nColumns * m_nRows)
        return std::nullopt;
    return PointAt((name - 1) / m_nRows, (name - 1) % m_nRows);
}

CViewPoint CViewGrid::PointAt(long long column, long long row) const
{
    return {m_dStartX + double(column) * m_dSpacing, m_dStartY + double(row) * m_dSpacing};
}

CGridIndexRange CViewGrid::IndexRange(double lo, double hi, double start, long long count) const
{
    if (!Valid() || !(lo <= hi))
        return {};
    const double first = std::max(0.0, std::ceil((lo - start) / m_dSpacing));
    const double last = std::min(double(count - 1), std::floor((hi - start) / m_dSpacing));
    if (first > last)
        return {};
    return {static_cast<long long>(first), static_cast<long long>(last)};
}

CGridIndexRange CViewGrid::ColumnsIn(const CViewProjection& proj, double x0, double x1) const
{
    const double lo = proj.PixelToWorld(std::min(x0, x1), 0).x;
    const double hi = proj.PixelToWorld(std::max(x0, x1), 0).x;
    return IndexRange(lo, hi, m_dStartX, m_nColumns);
}

CGridIndexRange CViewGrid::RowsIn(const CViewProjection& proj, double y0, double y1) const
{
    // Pixel y grows downwards, world y upwards.
    const double lo = proj.PixelToWorld(0, std::max(y0, y1)).y;
    const double hi = proj.PixelToWorld(0, std::min(y0, y1)).y;
    return IndexRange(lo, hi, m_dStartY, m_nRows);
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
