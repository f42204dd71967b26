#pragma once

// The entities one feature makes: a road or barrier per segment of its lines, a receiver
// per point (buildings: gis_import_buildings.h). Values come from the feature's attributes where it has them, else from
// the base's entity the request names (--like), else from what the input windows start with.

#include "gis/gis_import.h"
#include "gis/gis_import_feature.h"
#include "gis/gis_import_geometry.h"

class CMyTalvoDoc;

// Appends to result what the feature's shapes make. Throws CImportRefusal for an attribute
// no calculation can use.
void AddEntities(const CMyTalvoDoc& base, const CImportRequest& request, const CFeatureReader& f,
                 const CFeatureShapes& shapes, CImportResult& result);
