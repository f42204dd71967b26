#include "model/building_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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
    if (b.m_nFloors * b.m_dFloorHeight > kMaxBuildingHeight)
        return label + "의 높이(층수 × 층고)가 " + std::to_string(int(kMaxBuildingHeight)) + " m를 넘습니다.";
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

// The plan box of a footprint as stored; not a number when a vertex is not.
struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

Box BoxOf(const CBuilding& b)
{
    Box box;
    if (b.m_arrFootprint.empty())
        return box;
    box.minX = box.maxX = b.m_arrFootprint[0].x;
    box.minY = box.maxY = b.m_arrFootprint[0].y;
    for (const CMVector& v : b.m_arrFootprint) {
        box.minX = std::isnan(v.x) ? v.x : std::min(box.minX, v.x);
        box.maxX = std::isnan(v.x) ? v.x : std::max(box.maxX, v.x);
        box.minY = std::isnan(v.y) ? v.y : std::min(box.minY, v.y);
        box.maxY = std::isnan(v.y) ? v.y : std::max(box.maxY, v.y);
    }
    return box;
}

// Footprints whose boxes do not meet cannot overlap; touching boxes meet.
bool BoxesMeet(const Box& a, const Box& b)
{
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

std::vector<Box> BoxesOf(const std::vector<CBuilding>& buildings)
{
    std::vector<Box> boxes;
    boxes.reserve(buildings.size());
    for (const CBuilding& b : buildings)
        boxes.push_back(BoxOf(b));
    return boxes;
}

// A problem of the building alone: its shape, its floors, its values.
std::string OwnProblem(const CBuilding& b, const std::string& label)
{
    if (std::string p = ShapeProblem(b, label); !p.empty())
        return p;
    if (std::string p = StoreyProblem(b, label); !p.empty())
        return p;
    return ValueProblem(b, label);
}

std::string OverlapProblem(const std::vector<CBuilding>& buildings, std::size_t index, std::size_t other)
{
    return BuildingLabel(buildings, index) + "이(가) " + BuildingLabel(buildings, other) + "와(과) 겹칩니다.";
}

// The first problem of building `index`; boxes are those of every building. Only buildings
// whose boxes meet its own are compared with it, each pair of walls of both.
std::string ProblemAmong(const std::vector<CBuilding>& buildings, const std::vector<Box>& boxes, std::size_t index)
{
    if (std::string p = OwnProblem(buildings[index], BuildingLabel(buildings, index)); !p.empty())
        return p;
    const std::vector<CMVector> ring = CleanFootprint(buildings[index].m_arrFootprint);
    for (std::size_t other = 0; other < buildings.size(); ++other) {
        if (other == index || !BoxesMeet(boxes[index], boxes[other]) || !ShapeProblem(buildings[other], "").empty())
            continue;
        if (FootprintsOverlap(ring, CleanFootprint(buildings[other].m_arrFootprint)))
            return OverlapProblem(buildings, index, other);
    }
    return {};
}

// For every building the first other one (in order) that it overlaps, as ProblemAmong
// compares them, or the count of buildings for none. The boxes are swept in order of their
// west side, so that a layer of thousands of buildings compares only neighbours.
std::vector<std::size_t> FirstOverlaps(const std::vector<CBuilding>& buildings, const std::vector<Box>& boxes)
{
    const std::size_t n = buildings.size();
    std::vector<std::size_t> first(n, n), order;
    std::vector<std::vector<CMVector>> rings(n);
    for (std::size_t i = 0; i < n; ++i)
        if (ShapeProblem(buildings[i], "").empty()) {  // a footprint refused for its shape meets nothing
            rings[i] = CleanFootprint(buildings[i].m_arrFootprint);
            order.push_back(i);
        }
    std::sort(order.begin(), order.end(),
              [&boxes](std::size_t a, std::size_t b) { return boxes[a].minX < boxes[b].minX; });
    auto note = [&](std::size_t i, std::size_t j) {
        if (j < first[i] && FootprintsOverlap(rings[i], rings[j]))
            first[i] = j;
    };
    for (std::size_t a = 0; a < order.size(); ++a)
        for (std::size_t b = a + 1; b < order.size() && boxes[order[b]].minX <= boxes[order[a]].maxX; ++b)
            if (BoxesMeet(boxes[order[a]], boxes[order[b]])) {
                note(order[a], order[b]);
                note(order[b], order[a]);
            }
    return first;
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
    return ProblemAmong(buildings, BoxesOf(buildings), index);
}

std::string FindUnusableBuilding(const std::vector<CBuilding>& buildings)
{
    const std::vector<Box> boxes = BoxesOf(buildings);
    const std::vector<std::size_t> overlap = FirstOverlaps(buildings, boxes);
    for (std::size_t i = 0; i < buildings.size(); ++i) {
        const std::string label = BuildingLabel(buildings, i);
        if (std::string p = OwnProblem(buildings[i], label); !p.empty())
            return p;
        if (overlap[i] < buildings.size())
            return OverlapProblem(buildings, i, overlap[i]);
    }
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
    if (!PositiveFinite(settings.m_dFacadeSpacing) || !PositiveFinite(settings.m_dFacadeDistance) ||
        !std::isfinite(settings.m_dFacadeHeight) || settings.m_dFacadeHeight < 0)
        return "외벽 수음점의 간격과 외벽에서의 거리는 0보다 큰 숫자, 층 바닥에서의 높이는 0 이상의 숫자여야 "
               "합니다.";
    if (settings.m_dFacadeDistance > kMaxFacadeDistance || settings.m_dFacadeHeight > kMaxBuildingHeight)
        return "외벽 수음점의 외벽에서의 거리는 " + std::to_string(int(kMaxFacadeDistance)) +
               " m, 층 바닥에서의 높이는 " + std::to_string(int(kMaxBuildingHeight)) + " m를 넘을 수 없습니다.";
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
