#pragma once

// Buildings from polygon features: every polygon (every part of a multipolygon) is one
// building, its outer ring the footprint (holes are left out), its floors from the floors
// attribute or from `height` over the floor height. Footprints are cleaned and checked as
// the building window checks them; an overlap with another building, imported or already
// in the project, refuses the import.

#include <string>
#include <vector>

#include "gis/gis_import_feature.h"
#include "gis/gis_import_geometry.h"
#include "model/building.h"

// The building whose other values (floor height, ground factors, absorption) the imported
// ones take: building `like` (from 1) of the base, else the values a new building has.
CBuilding BuildingTemplate(const std::vector<CBuilding>& base, int like);

// Appends a building per polygon of the feature to `buildings` and its label ("피처 3",
// "피처 3의 2번째 다각형", with the name) to `labels`; adds the holes to `holes`. Throws
// CImportRefusal for a footprint or floor count no calculation can use.
void AddBuildings(const CFeatureReader& f, const std::vector<CPolygonPart>& polygons, const CBuilding& like,
                  const std::string& floorsField, std::vector<CBuilding>& buildings, std::vector<std::string>& labels,
                  std::size_t& holes);

// Throws CImportRefusal naming the first imported building (in feature order) whose
// footprint overlaps another imported one or one of the base.
void RefuseOverlaps(const std::vector<CBuilding>& base, const std::vector<CBuilding>& added,
                    const std::vector<std::string>& labels);
