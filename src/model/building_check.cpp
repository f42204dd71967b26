#include "model/building_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "model/footprint.h"
#include "model/project_settings.h"

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

// Values no input window can produce: only a damaged file holds them.
std::string ValueProblem(const CBuilding& b, const std::string& label)
{
    bool finite = std::isfinite(b.m_dGroundFactor) && std::isfinite(b.m_dAreaFactor);
    for (double a : b.m_dAbsorption)
        finite = finite && std::isfinite(a);
    if (!finite)
        return label + "의 값 중 올바른 숫자가 아닌 것이 있습니다 (nan 또는 무한대).";
    return {};
}

bool PositiveFinite(double v) { return std::isfinite(v) && v > 0; }

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
    if (std::string p = ValueProblem(b, label); !p.empty())
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

double FacadeReceiverCount(const std::vector<CBuilding>& buildings, const CProjectSettings& settings)
{
    double count = 0;
    for (const CBuilding& b : buildings)
        for (int w = 0; w < b.WallCount(); ++w) {
            const double points =
                std::max(1.0, std::ceil(PlanLength(b.WallEnd(w) - b.WallStart(w)) / settings.m_dFacadeSpacing));
            count += points * std::max(0, b.m_nFloors);
        }
    return count;
}

std::string FindUnusableFacade(const std::vector<CBuilding>& buildings, const CProjectSettings& settings)
{
    if (buildings.empty())
        return {};
    for (double v : {settings.m_dFacadeSpacing, settings.m_dFacadeDistance, settings.m_dFacadeHeight})
        if (!PositiveFinite(v))
            return "외벽 수음점의 간격, 외벽에서의 거리와 층 바닥에서의 높이는 0보다 큰 숫자여야 합니다.";
    const double count = FacadeReceiverCount(buildings, settings);
    if (!(count <= static_cast<double>(kMaxFacadeReceivers))) {
        char text[32] = "";
        if (std::isfinite(count))
            std::snprintf(text, sizeof text, " 모두 %.0f개로", count);
        return std::string("외벽 수음점이") + text + " 너무 많습니다. 한 번의 계산에는 " +
               std::to_string(kMaxFacadeReceivers) + "개까지 쓸 수 있습니다. 외벽 수음점 간격을 넓혀 주십시오.";
    }
    return {};
}
