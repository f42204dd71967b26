#pragma once

// Iso-lines of a noise map at the class edges, by marching squares over the squares of
// four neighbouring nodes. A node lies above an edge when its level is at or above it, as
// a class holds its lower edge. Squares with a node without energy give no line.

#include <vector>

#include "model/noise_map_grid.h"

struct CIsoSegment {
    double u0 = 0, v0 = 0, u1 = 0, v1 = 0;  // in the grid's (u, v) coordinates
    double level = 0;                       // the class edge it follows
};

// The segments of the line at one level.
std::vector<CIsoSegment> IsoSegments(const CNoiseMapGrid& grid, double level);

// The segments at every class edge 35, 40, ..., 80.
std::vector<CIsoSegment> ClassEdgeIsoSegments(const CNoiseMapGrid& grid);
