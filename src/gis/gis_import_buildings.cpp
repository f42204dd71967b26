#include "gis/gis_import_buildings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "model/building_check.h"
#include "model/footprint.h"

namespace {

std::vector<CMVector> CleanRing(const std::vector<CVertex>& outer)
{
    std::vector<CMVector> ring;
    ring.reserve(outer.size());
    for (const CVertex& v : outer)
        ring.emplace_back(v.x, v.y, 0.0);
    return CleanFootprint(ring);
}

// `what` of polygon `part` (from 0) of the feature, as the message says it.
std::string PartWhat(std::size_t part, std::size_t parts, const std::string& what)
{
    return parts > 1 ? std::to_string(part + 1) + "번째 다각형의 " + what : what;
}

std::vector<CMVector> Footprint(const CFeatureReader& f, const CPolygonPart& polygon, std::size_t part,
                                std::size_t parts)
{
    std::vector<CMVector> ring = CleanRing(polygon.outer);
    if (ring.size() > static_cast<std::size_t>(kMaxFootprintVertices))
        f.Refuse(PartWhat(part, parts,
                          "꼭짓점이 너무 많습니다. 건물 하나는 " + std::to_string(kMaxFootprintVertices) +
                              "개까지의 꼭짓점을 가질 수 있습니다."));
    if (!HasArea(ring))
        f.Refuse(PartWhat(part, parts, "평면은 한 직선 위에 있지 않은 서로 다른 꼭짓점이 3개 이상이어야 합니다."));
    if (SelfCrosses(ring))
        f.Refuse(PartWhat(part, parts, "평면이 스스로 교차합니다."));
    return ring;
}

// The floors attribute, else the height over the floor height (at least one floor).
int Floors(const CFeatureReader& f, const std::string& field, double floorHeight)
{
    if (const auto floors = f.Count(field.c_str(), 1, kMaxBuildingFloors))
        return *floors;
    const auto height = f.Positive("height");
    if (!height)
        f.Refuse(field + " 값(층수)도 height 값(높이)도 없습니다.");
    const double floors = std::max(1.0, std::round(*height / floorHeight));
    if (floors > kMaxBuildingFloors)
        f.Refuse("height 값(" + NumberText(*height) + ")은 층고 " + NumberText(floorHeight) + " m로 " +
                 std::to_string(kMaxBuildingFloors) + "층을 넘습니다.");
    return static_cast<int>(floors);
}

struct CBox {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
    std::size_t index = 0;  // base buildings first, then the imported ones
};

CBox BoxOf(const std::vector<CMVector>& ring, std::size_t index)
{
    CBox box;
    box.index = index;
    for (const CMVector& v : ring) {
        box.x0 = std::min(box.x0, v.x);
        box.x1 = std::max(box.x1, v.x);
        box.y0 = std::min(box.y0, v.y);
        box.y1 = std::max(box.y1, v.y);
    }
    return box;
}

}  // namespace

CBuilding BuildingTemplate(const std::vector<CBuilding>& base, int like)
{
    CBuilding b;
    if (like >= 1 && static_cast<std::size_t>(like) <= base.size())
        b = base[static_cast<std::size_t>(like - 1)];
    b.m_arrFootprint.clear();
    b.m_pName.clear();
    return b;
}

void AddBuildings(const CFeatureReader& f, const std::vector<CPolygonPart>& polygons, const CBuilding& like,
                  const std::string& floorsField, std::vector<CBuilding>& buildings, std::vector<std::string>& labels,
                  std::size_t& holes)
{
    CBuilding b = like;
    b.m_dFloorHeight = f.Positive("floor_h").value_or(like.m_dFloorHeight);
    b.m_nFloors = Floors(f, floorsField, b.m_dFloorHeight);
    if (b.m_nFloors * b.m_dFloorHeight > kMaxBuildingHeight)
        f.Refuse(std::to_string(b.m_nFloors) + "층에 층고 " + NumberText(b.m_dFloorHeight) + " m로 높이가 " +
                 NumberText(kMaxBuildingHeight) + " m를 넘습니다.");
    b.m_pName = f.Text("name").value_or("");
    const std::string named = b.m_pName.empty() ? "" : " (" + b.m_pName + ")";
    for (std::size_t part = 0; part < polygons.size(); ++part) {
        b.m_arrFootprint = Footprint(f, polygons[part], part, polygons.size());
        buildings.push_back(b);
        labels.push_back(f.Label() + (polygons.size() > 1 ? "의 " + std::to_string(part + 1) + "번째 다각형" : "") +
                         named);
        holes += polygons[part].holes;
    }
}

void RefuseOverlaps(const std::vector<CBuilding>& base, const std::vector<CBuilding>& added,
                    const std::vector<std::string>& labels)
{
    std::vector<std::vector<CMVector>> rings;
    std::vector<CBox> boxes;
    for (const CBuilding& b : base)
        rings.push_back(CleanFootprint(b.m_arrFootprint));
    for (const CBuilding& b : added)
        rings.push_back(b.m_arrFootprint);  // cleaned when read
    for (std::size_t i = 0; i < rings.size(); ++i)
        boxes.push_back(BoxOf(rings[i], i));
    std::sort(boxes.begin(), boxes.end(), [](const CBox& a, const CBox& b) { return a.x0 < b.x0; });
    // The pair to name: the earliest imported building that overlaps an earlier one.
    std::pair<std::size_t, std::size_t> first{rings.size(), 0};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size() && boxes[j].x0 <= boxes[i].x1; ++j) {
            const std::size_t later = std::max(boxes[i].index, boxes[j].index);
            const std::size_t earlier = std::min(boxes[i].index, boxes[j].index);
            if (later < base.size() || std::make_pair(later, earlier) >= first || boxes[j].y0 > boxes[i].y1 ||
                boxes[i].y0 > boxes[j].y1)
                continue;
            if (FootprintsOverlap(rings[later], rings[earlier]))
                first = {later, earlier};
        }
    if (first.first == rings.size())
        return;
    const std::string other = first.second < base.size() ? "프로젝트의 " + BuildingLabel(base, first.second)
                                                         : labels[first.second - base.size()] + "의 건물";
    throw CImportRefusal{labels[first.first - base.size()] + "의 건물이 " + other + "와(과) 겹칩니다."};
}
