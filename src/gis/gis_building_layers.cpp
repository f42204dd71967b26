#include "gis/gis_building_layers.h"

#include <cmath>

#include "model/bands.h"
#include "model/document.h"
#include "model/noise_level_classes.h"

namespace {

const std::string kBuildingPen = "PEN(c:#5A544D)";

void SetLevel(OGRFeature& f, const char* name, double level)
{
    if (HasEnergy(level))
        f.SetField(name, level);
    else
        f.SetFieldNull(f.GetFieldIndex(name));
}

OGRPolygon* FootprintPolygon(const CBuilding& b)
{
    auto* ring = new OGRLinearRing();
    for (const CMVector& v : b.m_arrFootprint)
        ring->addPoint(v.x, v.y);
    ring->closeRings();
    auto* polygon = new OGRPolygon();
    polygon->addRingDirectly(ring);
    return polygon;
}

bool WriteBuildings(IMapLayerOut& out, const CMyTalvoDoc& doc)
{
    out.AddField("name", OFTString);
    out.AddField("floors", OFTInteger);
    out.AddField("height", OFTReal);
    for (const CBuilding& b : doc.m_arrBuilding) {
        if (b.m_arrFootprint.size() < 3)
            continue;
        const auto fill = [&b](OGRFeature& f) {
            f.SetField("name", b.m_pName.c_str());
            f.SetField("floors", b.m_nFloors);
            f.SetField("height", b.Height());
        };
        if (!out.Add(FootprintPolygon(b), fill, kBuildingPen))
            return false;
    }
    return true;
}

// Each point in its overall level's class colour, as the plan view draws it.
std::string FacadeStyle(double overall)
{
    const int levelClass = LevelClass(overall);
    const char* colour = levelClass == kNoLevelClass ? "#808080" : LevelClassColour(levelClass);
    return std::string("SYMBOL(c:") + colour + ")";
}

bool WriteFacade(IMapLayerOut& out, const CMyTalvoDoc& doc)
{
    for (const char* name : {"building", "wall", "point", "floor"})
        out.AddField(name, OFTInteger);
    out.AddField("z", OFTReal);
    out.AddField("overall", OFTReal);
    for (const char* name : kLevelBandFields)
        out.AddField(name, OFTReal);
    for (const CFacadeReceiver& r : doc.m_arrFacade) {
        const double overall = EnergySum(r.m_dLevel);
        const auto fill = [&r, overall](OGRFeature& f) {
            f.SetField("building", r.m_nBuilding + 1);
            f.SetField("wall", r.m_nWall);
            f.SetField("point", r.m_nPoint);
            f.SetField("floor", r.m_nFloor);
            f.SetField("z", r.m_vPos.z);
            SetLevel(f, "overall", overall);
            for (int b = 0; b < kBandCount; ++b)
                SetLevel(f, kLevelBandFields[b], r.m_dLevel[std::size_t(b)]);
        };
        if (!out.Add(new OGRPoint(r.m_vPos.x, r.m_vPos.y, r.m_vPos.z), fill, FacadeStyle(overall)))
            return false;
    }
    return true;
}

}  // namespace

bool IsBuildingLayer(const std::string& name) { return name == kLayerBuildings || name == kLayerFacade; }

OGRwkbGeometryType BuildingLayerGeometry(const std::string& name)
{
    return name == kLayerBuildings ? wkbPolygon : wkbPoint25D;
}

bool WriteBuildingLayer(IMapLayerOut& out, const std::string& name, const CMyTalvoDoc& doc)
{
    return name == kLayerBuildings ? WriteBuildings(out, doc) : WriteFacade(out, doc);
}
