#include "io/receiver_grid.h"

#include <cmath>
#include <string>

#include "model/project_settings.h"  // also the huge-area rule

CReceiverGrid CReceiverGrid::FromSettings(const CProjectSettings& settings)
{
    CReceiverGrid grid;
    grid.m_dStartX = settings.m_dAreaStartX;
    grid.m_dStartY = settings.m_dAreaStartY;
    grid.m_dEndX = settings.m_dAreaEndX;
    grid.m_dEndY = settings.m_dAreaEndY;
    grid.m_dSpacing = settings.m_dReceiverSpacing;
    grid.m_dHeight = settings.m_dReceiverHeight;
    return grid;
}

std::vector<double> GridColumnXs(const CReceiverGrid& grid)
{
    return WalkAxis(grid.m_dStartX, grid.m_dEndX, grid.m_dSpacing);
}

std::vector<double> GridRowYs(const CReceiverGrid& grid)
{
    return WalkAxis(grid.m_dStartY, grid.m_dEndY, grid.m_dSpacing);
}

std::int64_t GridProgressTotal(const CReceiverGrid& grid)
{
    const double rows = (grid.m_dEndY - grid.m_dStartY) / grid.m_dSpacing + 1.0;
    const double columns = (grid.m_dEndX - grid.m_dStartX) / grid.m_dSpacing + 1.0;
    return static_cast<std::int64_t>(rows * columns);
}

namespace {

// True when walking from start to end adds the spacing at most kMaxGridAxisValues times
// and every addition moves the value (a spacing below the resolution of the coordinates
// would walk forever).
bool AxisWalkable(double start, double end, double spacing)
{
    if (end < start)
        return true;
    if ((end - start) / spacing + 1.0 > static_cast<double>(kMaxGridAxisValues))
        return false;
    const double widest = std::fmax(std::fabs(start), std::fabs(end));
    return widest + spacing > widest && -widest + spacing > -widest;
}

// Values along one walkable axis, as the walk counts them give or take one.
std::int64_t AxisValueCount(double start, double end, double spacing)
{
    return static_cast<std::int64_t>((end - start) / spacing) + 1;
}

// Points of a checked, walkable grid, counted in 64 bits (two axes of up to
// kMaxGridAxisValues values each).
std::int64_t GridPointCount(const CReceiverGrid& g)
{
    return AxisValueCount(g.m_dStartX, g.m_dEndX, g.m_dSpacing) * AxisValueCount(g.m_dStartY, g.m_dEndY, g.m_dSpacing);
}

bool AreaFinite(const CReceiverGrid& g)
{
    return std::isfinite(g.m_dStartX) && std::isfinite(g.m_dStartY) && std::isfinite(g.m_dEndX) &&
           std::isfinite(g.m_dEndY) && std::isfinite(g.m_dHeight);
}

}  // namespace

std::string CheckReceiverGrid(const CReceiverGrid& grid)
{
    if (!(grid.m_dSpacing > 0) || !std::isfinite(grid.m_dSpacing))
        return kMsgBadSpacing;
    if (!AreaFinite(grid))
        return kMsgBadArea;
    if (grid.m_dEndX < grid.m_dStartX || grid.m_dEndY < grid.m_dStartY)
        return kMsgEmptyGrid;
    if (!AxisWalkable(grid.m_dStartX, grid.m_dEndX, grid.m_dSpacing) ||
        !AxisWalkable(grid.m_dStartY, grid.m_dEndY, grid.m_dSpacing))
        return IsHugeArea(grid.m_dStartX, grid.m_dEndX, grid.m_dStartY, grid.m_dEndY) ? kMsgHugeArea : kMsgBadSpacing;
    if (const std::int64_t points = GridPointCount(grid); points > kMaxGridPoints)
        return "수음점이 " + std::to_string(points) + "개로 너무 많습니다. 한 번에 " + std::to_string(kMaxGridPoints) +
               "개까지 저장할 수 있습니다. 수음점 간격을 넓혀 주십시오.";
    return {};
}
