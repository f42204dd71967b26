#pragma once

// The cells of a noise map gathered into polygons, one set per level class: the outline
// of every connected patch of cells of the class with its holes. Exterior rings run
// counter-clockwise and holes clockwise (RFC 7946); every ring is simple and closed (its
// first point repeated at the end). Patches that meet only at a corner stay apart.

#include <vector>

#include "model/noise_map_grid.h"

struct CMapPoint {
    double u = 0, v = 0;
};
using CMapRing = std::vector<CMapPoint>;

struct CMapPolygon {
    CMapRing exterior;
    std::vector<CMapRing> holes;
};

// The polygons of one class (0..10) in the grid's (u, v) coordinates; none when no cell
// has the class.
std::vector<CMapPolygon> LevelClassPolygons(const CNoiseMapGrid& grid, int levelClass);
