#pragma once

// The plan noise map as a GeoTIFF: one Float32 band of the level, one pixel per grid node
// with the node at the pixel's centre (north-up, the first row the northernmost nodes),
// nodata where no energy arrives, and the coordinate system named by its code (none for
// local metres). The values are the levels the grid export writes, to the hundredth.

#include <string>

#include "model/noise_map_grid.h"

// The value written where no energy arrives.
constexpr float kGeoTiffNoData = -9999.0F;

// Empty when the file was written, otherwise the message to show. The grid's nodes are
// spaced evenly, as a map's walk places them.
std::string WriteMapGeoTiff(const CNoiseMapGrid& grid, const std::string& crs, const std::string& path);
