#pragma once

// Writing a noise map grid as CSV (x, y, z, level per node) for other programs; the GIS
// and CAD files of a map are written with GDAL (gis/).

#include <ostream>
#include <string>

#include "model/noise_map_grid.h"

// "x,y,z,level" and then one line per node in the grid's order, two decimals each; a node
// without energy has an empty level.
void WriteNoiseMapCsv(const CNoiseMapGrid& grid, std::ostream& out);

// Writes the CSV file. Empty when it worked, otherwise the message to show.
std::string SaveNoiseMapCsv(const CNoiseMapGrid& grid, const std::string& path);
