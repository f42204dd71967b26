#pragma once

// Geometry from GIS and CAD files (any vector format GDAL reads) as roads, barriers,
// receivers or buildings. Lines become straight entities, one per segment between
// consecutive vertices; points become receivers; polygons (each part of a multipolygon)
// become buildings, their outer ring the footprint and their holes left out. Z comes from
// the geometry when it has one, else from the attributes; a footprint has none. Attributes
// with these names set the values where present:
//   roads      width, z_start, z_end, pieces, speed1..speed5 (km/h), volume1..volume5
//              (vehicles/h), gradient, name
//   barriers   height, name
//   receivers  z
//   buildings  floors (or the field the request names), floor_h (m), height (m: the
//              floors when there is no floor count, at least 1), name
// Every other value comes from entity N of the same kind in the base project (like),
// else from the values the input window starts with. Coordinates are transformed from
// the layer's coordinate system to the project's.
//
// What no calculation could use refuses the whole import, naming the feature (its place
// in the layer, from 1) and the field: an empty geometry, coordinates that are no finite
// numbers or lie beyond kMaxAreaCoordinate (Z beyond kMaxImportHeight), an attribute that
// is not a number, a negative width, height, speed or volume, features the
// transformation cannot take. Names are decoded from the layer's encoding.

#include <cstddef>
#include <string>
#include <vector>

#include "model/building.h"
#include "model/entities.h"

class CMyTalvoDoc;

enum class EImportKind { Roads, Barriers, Receivers, Buildings };

// Most features one layer may hold and most vertices the geometry an import takes from it
// may have. Both are counted before any entity is made, as are the entities themselves
// (kMaxEntitiesPerKind of a kind in the project).
inline constexpr std::size_t kMaxImportFeatures = 1000000;
inline constexpr std::size_t kMaxImportVertices = 1000000;

struct CImportRequest {
    EImportKind kind = EImportKind::Barriers;
    std::string layer;  // empty: the file's first layer
    // Sets the project's coordinate system when it has none; else names the layer's when
    // the layer has none.
    std::string crs;
    int like = 0;  // the entity (from 1) of the same kind in the base to copy; 0: none.
                   // An entity the base does not have refuses the import.
    // The attribute holding a building's number of floors; empty: "floors". A field the
    // layer does not have refuses the import.
    std::string floorsField;
};

struct CImportResult {
    bool ok = false;
    std::string message;  // why it was refused
    std::string crs;      // the project's coordinate system after the import
    std::vector<CRoad> roads;
    std::vector<CBarrier_Stage> barriers;
    std::vector<CReceiverPoint> receivers;
    std::vector<CBuilding> buildings;
    std::size_t holesIgnored = 0;  // inner rings of the polygons, not part of any footprint
    std::size_t Count() const { return roads.size() + barriers.size() + receivers.size() + buildings.size(); }
};

// Reads the entities the file would add to `base`; nothing of `base` changes. Never
// throws: running out of memory is a refusal naming the file.
CImportResult ReadImport(const CMyTalvoDoc& base, const std::string& path, const CImportRequest& request);

// Adds what was read to the document (appended after its entities) and sets its
// coordinate system; the document is then modified and needs a new calculation.
void AddImport(CMyTalvoDoc& doc, const CImportResult& result);

// "roads", "barriers", "receivers", "buildings" as the kind; false for any other text.
bool ParseImportKind(const std::string& text, EImportKind& kind);

// `path` names the layer file or one of its companions (a shapefile's .shp, .shx, .dbf,
// .prj, .cpg), also through another path or a link: a file an import must not write.
bool IsPartOfLayerFile(const std::string& layerFile, const std::string& path);
