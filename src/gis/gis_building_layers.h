#pragma once

// The buildings and their façade receivers as vector layers of the map files:
//   buildings  footprint polygons: name, floors, height (m above the reference height);
//   facade     points (with Z) of the last calculation's façade receivers: building, wall,
//              point, floor (each from 1), z, overall and the eight band levels hz63 ..
//              hz8000 (dB(A), empty without energy).
// Written only for a project that has buildings.

#include <functional>
#include <string>

#include <ogrsf_frmts.h>

class CMyTalvoDoc;

// The fields of the eight band levels, in band order, in every layer of points with levels.
inline constexpr const char* kLevelBandFields[] = {"hz63",   "hz125",  "hz250",  "hz500",
                                                   "hz1000", "hz2000", "hz4000", "hz8000"};

inline constexpr const char* kLayerBuildings = "buildings";
inline constexpr const char* kLayerFacade = "facade";

// Where one layer's features go: its fields are declared first, then every feature is
// added with its geometry (owned by the layer from then on), its fields and its style.
class IMapLayerOut {
public:
    virtual ~IMapLayerOut() = default;
    virtual void AddField(const char* name, OGRFieldType type) = 0;
    virtual bool Add(OGRGeometry* geometry, const std::function<void(OGRFeature&)>& fill, const std::string& style) = 0;
};

bool IsBuildingLayer(const std::string& name);
OGRwkbGeometryType BuildingLayerGeometry(const std::string& name);
// Writes the building layer of that name; false when a feature could not be written.
bool WriteBuildingLayer(IMapLayerOut& out, const std::string& name, const CMyTalvoDoc& doc);
