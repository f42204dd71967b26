#include "model/building_check.h"

#include <cmath>

#include "model/footprint.h"

namespace {

bool FiniteVertices(const std::vector<CMVector>& ring)
{
    for (const CMVector& v : ring)
        if (!std::isfinite(v.x) || !std::isfinite(v.y))
            return false;
    return true;
}

std::string ShapeProblem(const CBuilding& b, const std::string& label)
{
    if (static_cast<int>(b.m_arrFootprint.size()) > kMaxFootprintVertices)
        return label + "의 꼭짓점이 너무 많습니다. 건물 하나는 " + std::to_string(kMaxFootprintVertices) +
               "개까지의 꼭짓점을 가질 수 있습니다.";
    if (!FiniteVertices(b.m_arrFootprint))
        return label + "의 꼭짓점 좌표가 숫자가 아닙니다.";
    const std::vector<CMVector> ring = CleanFootprint(b.m_arrFootprint);
    if (!HasArea(ring))
        return label + "의 평면은 한 직선 위에 있지 않은 서로 다른 꼭짓점이 3개 이상이어야 합니다.";
    if (SelfCrosses(ring))
        return label + "의 평면이 스스로 교차합니다.";
    return {};
}

std::string StoreyProblem(const CBuilding& b, const std::string& label)
{
    if (b.m_nFloors < 1 || b.m_nFloors > kMaxBuildingFloors)
        return label + "의 층수는 1에서 " + std::to_string(kMaxBuildingFloors) + " 사이여야 합니다.";
    if (!std::isfinite(b.m_dFloorHeight) || !(b.m_dFloorHeight > 0))
        return label + "의 층고는 0보다 큰 숫자여야 합니다.";
    return {};
}

}  // namespace

std::string BuildingLabel(const std::vector<CBuilding>& buildings, std::size_t index)
{
    std::string label = "건물 " + std::to_string(index + 1);
    if (index < buildings.size() && !buildings[index].m_pName.empty())
        label += " (" + buildings[index].m_pName + ")";
    return label;
}

std::string BuildingProblem(const std::vector<CBuilding>& buildings, std::size_t index)
{
    const CBuilding& b = buildings[index];
    const std::string label = BuildingLabel(buildings, index);
    if (std::string p = ShapeProblem(b, label); !p.empty())
        return p;
    if (std::string p = StoreyProblem(b, label); !p.empty())
        return p;
    for (std::size_t other = 0; other < buildings.size(); ++other) {
        if (other == index || !ShapeProblem(buildings[other], "").empty())
            continue;
        if (FootprintsOverlap(CleanFootprint(b.m_arrFootprint), CleanFootprint(buildings[other].m_arrFootprint)))
            return label + "이(가) " + BuildingLabel(buildings, other) + "와(과) 겹칩니다.";
    }
    return {};
}

std::string FindUnusableBuilding(const std::vector<CBuilding>& buildings)
{
    for (std::size_t i = 0; i < buildings.size(); ++i)
        if (std::string p = BuildingProblem(buildings, i); !p.empty())
            return p;
    return {};
}
