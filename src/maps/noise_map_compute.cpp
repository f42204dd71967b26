#include "maps/noise_map_compute.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "engine/calc_scene.h"
#include "maps/map_workers.h"
#include "model/bands.h"
#include "model/document.h"
#include "model/grid_walk.h"
#include "model/section_ground.h"

namespace {

bool Finite(double a, double b, double c, double d)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// Nodes along an extent with this spacing, without walking it.
double NodesAlong(double extent, double spacing) { return std::floor(extent / spacing) + 1; }

std::string FormatSpacing(double metres)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", metres);
    return text;
}

std::string FormatCount(double count)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", count);
    return text;
}

// True when the walk ends and every addition moves the value.
bool Walkable(double start, double end, double spacing)
{
    const double widest = std::max(std::fabs(start), std::fabs(end));
    return widest + spacing > widest;
}

}  // namespace

std::string CheckNoiseMap(const CMyTalvoDoc& doc, double spacing)
{
    const CProjectSettings& s = doc.m_settings;
    if (doc.m_arrSegment.empty())
        return kMapMsgNotCalculated;
    if (doc.m_bResultsStale)
        return kMsgStaleResults;
    if (!(spacing > 0) || !std::isfinite(spacing))
        return kMapMsgBadSpacing;
    if (!Finite(s.m_dAreaStartX, s.m_dAreaEndX, s.m_dAreaStartY, s.m_dAreaEndY) || s.m_dAreaEndX < s.m_dAreaStartX ||
        s.m_dAreaEndY < s.m_dAreaStartY)
        return kMapMsgBadArea;
    const double width = s.m_dAreaEndX - s.m_dAreaStartX, depth = s.m_dAreaEndY - s.m_dAreaStartY;
    const double plan = NodesAlong(width, spacing) * NodesAlong(depth, spacing);
    if (plan > double(kMaxMapNodes) || !Walkable(s.m_dAreaStartX, s.m_dAreaEndX, spacing) ||
        !Walkable(s.m_dAreaStartY, s.m_dAreaEndY, spacing))
        return IsHugeArea(s.m_dAreaStartX, s.m_dAreaEndX, s.m_dAreaStartY, s.m_dAreaEndY) ? kMsgHugeArea
                                                                                          : kMapMsgBadSpacing;
    return {};
}

double SectionSpacing(const CProjectSettings& s)
{
    if (s.m_dSectionSpacing > 0)
        return s.m_dSectionSpacing;
    return std::min(kSectionSpacingCap, s.m_dReceiverSpacing / kSectionSpacingDivisor);
}

namespace {

double LineStart(const CProjectSettings& s) { return s.m_nSectionAxis == 1 ? s.m_dAreaStartX : s.m_dAreaStartY; }
double LineEnd(const CProjectSettings& s) { return s.m_nSectionAxis == 1 ? s.m_dAreaEndX : s.m_dAreaEndY; }

}  // namespace

std::string CheckSectionMap(const CProjectSettings& s, double spacing)
{
    if (!(spacing > 0) || !std::isfinite(spacing))
        return kMapMsgBadSectionSpacing;
    if (!Finite(s.m_dAreaStartX, s.m_dAreaEndX, s.m_dAreaStartY, s.m_dAreaEndY) ||
        IsHugeArea(s.m_dAreaStartX, s.m_dAreaEndX, s.m_dAreaStartY, s.m_dAreaEndY))
        return {};  // the area is at fault, and CheckNoiseMap says so
    const double length = std::max(0.0, LineEnd(s) - LineStart(s));
    const double nodes = NodesAlong(length, spacing) * NodesAlong(kSectionMapHeight, spacing);
    if (nodes > double(kMaxMapNodes) || !Walkable(LineStart(s), LineEnd(s), spacing))
        return "단면 간격 " + FormatSpacing(spacing) + " m는 너무 좁습니다: 단면 소음지도의 격자점이 " +
               FormatCount(nodes) + "개로 최대 " + FormatCount(double(kMaxMapNodes)) +
               "개를 넘습니다. 단면 간격을 넓혀 주십시오.";
    return {};
}

CNoiseMapGrid PlanMapLayout(const CProjectSettings& s, double spacing, double height, int band)
{
    CNoiseMapGrid grid;
    grid.m_kind = CNoiseMapGrid::EKind::Plan;
    grid.m_nBand = band;
    grid.m_dHeight = height;
    grid.m_dStartU = s.m_dAreaStartX;
    grid.m_dEndU = s.m_dAreaEndX;
    grid.m_dStartV = s.m_dAreaStartY;
    grid.m_dEndV = s.m_dAreaEndY;
    grid.m_arrU = WalkAxis(s.m_dAreaStartX, s.m_dAreaEndX, spacing);
    grid.m_arrV = WalkAxis(s.m_dAreaStartY, s.m_dAreaEndY, spacing);
    grid.m_arrLevel.assign(grid.m_arrU.size() * grid.m_arrV.size(), kNoEnergy);
    return grid;
}

CNoiseMapGrid SectionMapLayout(const CProjectSettings& s, const CSectionGround& ground, double spacing, int band)
{
    CNoiseMapGrid grid;
    grid.m_kind = CNoiseMapGrid::EKind::Section;
    grid.m_nBand = band;
    grid.m_nSectionAxis = s.m_nSectionAxis == 1 ? 1 : 0;
    const bool alongX = grid.m_nSectionAxis == 1;
    grid.m_dFixed = alongX ? s.m_dSectionY : s.m_dSectionX;
    grid.m_dStartU = alongX ? s.m_dAreaStartX : s.m_dAreaStartY;
    grid.m_dEndU = alongX ? s.m_dAreaEndX : s.m_dAreaEndY;
    grid.m_dStartV = ground.Lowest(grid.m_dStartU, grid.m_dEndU);
    grid.m_dEndV = grid.m_dStartV + kSectionMapHeight;
    grid.m_arrU = WalkAxis(grid.m_dStartU, grid.m_dEndU, spacing);
    grid.m_arrV = WalkAxis(grid.m_dStartV, grid.m_dEndV, spacing);
    grid.m_arrGround.reserve(grid.m_arrU.size());
    for (double u : grid.m_arrU)
        grid.m_arrGround.push_back(ground.HeightAt(u));
    grid.m_arrLevel.assign(grid.m_arrU.size() * grid.m_arrV.size(), kNoEnergy);
    return grid;
}

double MapLevel(const Bands& levels, int band)
{
    if (band >= 1 && band <= kBandCount)
        return levels[std::size_t(band - 1)];
    return EnergySum(levels);
}

CMapLevelAt SceneLevelAt(const CCalcScene& scene, const CNoiseMapGrid& grid, const CSectionGround* ground)
{
    // The grid's plane without its levels: the function is copied freely.
    CNoiseMapGrid plane;
    plane.m_kind = grid.m_kind;
    plane.m_nBand = grid.m_nBand;
    plane.m_dHeight = grid.m_dHeight;
    plane.m_nSectionAxis = grid.m_nSectionAxis;
    plane.m_dFixed = grid.m_dFixed;
    std::optional<CSectionGround> soil;
    if (ground && grid.m_kind == CNoiseMapGrid::EKind::Section)
        soil = *ground;
    return [&scene, plane, soil](double u, double v) {
        if (soil && v < soil->HeightAt(u))
            return std::nan("");
        const CMVector p = plane.PlanePoint(u, v);
        return MapLevel(scene.PointLevels(p.x, p.y, p.z), plane.m_nBand);
    };
}

namespace {

// A node takes a tenth of a millisecond or more, and some (beside a barrier, under a bridge)
// ten times as long: jobs of a few nodes share a coarse grid evenly among the workers.
constexpr std::size_t kNodesPerJob = 4;

// Nodes first .. first + kNodesPerJob - 1, column by column, written by the one worker that
// takes them.
void ComputeNodes(const CCalcScene& scene, CNoiseMapGrid& grid, CRunProgress& progress, std::size_t first)
{
    const std::size_t end = std::min(grid.Columns() * grid.Rows(), first + kNodesPerJob);
    for (std::size_t k = first; k < end; ++k) {
        if (progress.CancelRequested())
            return;
        const std::size_t c = k / grid.Rows(), r = k % grid.Rows();
        if (!grid.UnderGround(c, r)) {  // a node in the soil keeps no energy
            const CMVector p = grid.PointAt(c, r);
            grid.m_arrLevel[grid.Index(c, r)] = MapLevel(scene.PointLevels(p.x, p.y, p.z), grid.m_nBand);
        }
        progress.Count();
    }
}

}  // namespace

bool ComputeNoiseMap(const CCalcScene& scene, CNoiseMapGrid& grid, CRunProgress& progress, int threads)
{
    progress.Start(static_cast<std::int64_t>(grid.m_arrLevel.size()));
    return ComputeNoiseMapNodes(scene, grid, progress, threads);
}

bool ComputeNoiseMapNodes(const CCalcScene& scene, CNoiseMapGrid& grid, CRunProgress& progress, int threads)
{
    const std::size_t jobs = (grid.Columns() * grid.Rows() + kNodesPerJob - 1) / kNodesPerJob;
    RunMapJobs(threads, jobs, [&](int, std::size_t job) { ComputeNodes(scene, grid, progress, job * kNodesPerJob); });
    return !progress.CancelRequested();
}
