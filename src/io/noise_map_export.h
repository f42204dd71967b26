#pragma once

// Writing a noise map for other programs: the grid as CSV (x, y, z, level per node) and
// the plan map as GeoJSON polygons of its level classes, for GIS programs. Coordinates
// are the project's metres; the GeoJSON carries no reference system of its own.

#include <ostream>
#include <string>

#include "model/noise_map_grid.h"

// "x,y,z,level" and then one line per node in the grid's order, two decimals each; a node
// without energy has an empty level.
void WriteNoiseMapCsv(const CNoiseMapGrid& grid, std::ostream& out);

// A FeatureCollection with one MultiPolygon feature per level class present, lowest class
// first; properties "class" (the legend text), "low" and "high" (null at the open ends),
// "fill" (the class colour) and "unit". A section grid is written in its (position along
// the line, height) plane.
void WriteNoiseMapGeoJson(const CNoiseMapGrid& grid, std::ostream& out);

// Writes the file with one of the writers above. Empty when it worked, otherwise the
// message to show.
std::string SaveNoiseMapCsv(const CNoiseMapGrid& grid, const std::string& path);
std::string SaveNoiseMapGeoJson(const CNoiseMapGrid& grid, const std::string& path);
