#include "model/facade_receivers.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "model/building.h"
#include "model/footprint.h"
#include "model/footprint_set.h"
#include "model/project_settings.h"

namespace {

void AddWallPoints(const std::vector<CBuilding>& buildings, const CFootprintSet& footprints, int index, int wall,
                   const CProjectSettings& s, std::vector<CFacadeReceiver>& out)
{
    const CBuilding& b = buildings[static_cast<std::size_t>(index)];
    const CMVector& a = b.WallStart(wall);
    const CMVector& e = b.WallEnd(wall);
    const double length = PlanLength(e - a);
    const int n = std::max(1, static_cast<int>(std::ceil(length / s.m_dFacadeSpacing)));
    const CMVector normal = OutwardNormal(a, e, SignedDoubleArea(b.m_arrFootprint));
    for (int k = 0; k < n; ++k) {
        const double t = (k + 0.5) / n;
        const CMVector p = a + (e - a) * t + normal * s.m_dFacadeDistance;
        if (footprints.BuildingAt(p) >= 0)
            continue;
        for (int f = 1; f <= b.m_nFloors; ++f) {
            CFacadeReceiver r;
            r.m_nBuilding = index;
            r.m_nWall = wall + 1;
            r.m_nPoint = k + 1;
            r.m_nFloor = f;
            r.m_vPos = {p.x, p.y, s.m_dBaseHeight + (f - 1) * b.m_dFloorHeight + s.m_dFacadeHeight};
            r.m_dGroundFactor = b.m_dGroundFactor;
            r.m_dAreaFactor = b.m_dAreaFactor;
            r.m_dLevel.fill(kNoEnergy);
            r.m_dNightLevel.fill(kNoEnergy);
            out.push_back(r);
        }
    }
}

}  // namespace

std::vector<CFacadeReceiver> DeriveFacadeReceivers(const std::vector<CBuilding>& buildings,
                                                   const CProjectSettings& settings)
{
    std::vector<CFacadeReceiver> out;
    if (!(settings.m_dFacadeSpacing > 0))
        return out;
    const CFootprintSet footprints(buildings);
    for (int i = 0; i < static_cast<int>(buildings.size()); ++i)
        for (int w = 0; w < buildings[static_cast<std::size_t>(i)].WallCount(); ++w)
            AddWallPoints(buildings, footprints, i, w, settings, out);
    return out;
}

std::vector<CFloorSummary> SummariseFloors(const std::vector<CFacadeReceiver>& receivers)
{
    std::map<std::pair<int, int>, CFloorSummary> rows;
    for (const CFacadeReceiver& r : receivers) {
        CFloorSummary& row = rows[{r.m_nBuilding, r.m_nFloor}];
        row.m_nBuilding = r.m_nBuilding;
        row.m_nFloor = r.m_nFloor;
        ++row.m_nPoints;
        const double level = EnergySum(r.m_dLevel);
        if (!HasEnergy(level))
            continue;
        if (!HasEnergy(row.m_dMax) || level > row.m_dMax) {
            row.m_dMax = level;
            row.m_nMaxWall = r.m_nWall;
            row.m_nMaxPoint = r.m_nPoint;
        }
        if (!HasEnergy(row.m_dMin) || level < row.m_dMin)
            row.m_dMin = level;
    }
    std::vector<CFloorSummary> out;
    out.reserve(rows.size());
    for (auto& [key, row] : rows)
        out.push_back(row);
    return out;
}
