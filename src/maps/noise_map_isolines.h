#pragma once

// Iso-lines of a noise map at the class edges, by marching squares over the squares of
// four neighbouring nodes, and over the finest squares where the map was refined
// (noise_map_refinement.h). A node lies above an edge when its level is at or above it,
// as a class holds its lower edge. Squares with a node without energy give no line.
//
// The isobands (noise_map_isobands.h) cut their squares along the same chords, so the
// bands' edges are these lines exactly.

#include <cstddef>
#include <vector>

#include "model/noise_map_grid.h"

class CMapLattice;
struct CLatticeSquare;

struct CIsoSegment {
    double u0 = 0, v0 = 0, u1 = 0, v1 = 0;  // in the grid's (u, v) coordinates
    double level = 0;                       // the class edge it follows
};

// The corners of one square counter-clockwise from the lower left: 0 (u0, v0), 1 (u1, v0),
// 2 (u1, v1), 3 (u0, v1). Side i joins corner i and corner (i + 1) % 4.
struct CSquareChords {
    int count = 0;         // 0, 1 or 2 chords
    int sides[2][2] = {};  // the two sides each chord joins
};

// One square's corners in that order.
struct CMapSquare {
    double u[4], v[4], level[4];
};

// Square (i, j) of the grid: between columns i, i + 1 and rows j, j + 1.
CMapSquare GridSquare(const CNoiseMapGrid& grid, std::size_t i, std::size_t j);
// A square of a refined map's lattice (noise_map_refinement.h).
CMapSquare LatticeMapSquare(const CMapLattice& lattice, const CLatticeSquare& square);
bool SquareHasEnergy(const CMapSquare& square);

// The band of a level between ascending edges: 0 below the first edge, k at or above edge
// k - 1 and below edge k.
int LevelBand(const std::vector<double>& edges, double level);

// The chords of the line at `level` through a square with these corner levels (all with
// energy). A saddle (all four sides crossed) is resolved by the mean of the corners: at or
// above the level, the corners above join across the middle.
CSquareChords SquareChords(const double (&levels)[4], double level);

// Where `level` crosses the side between nodes at positions pa < pb with levels la and lb
// (one at or above it, the other below). Always computed from the lower position, so the
// two squares sharing a side find the same point to the last bit; a node lying exactly
// at the level is the crossing itself.
double SideCrossing(double pa, double la, double pb, double lb, double level);

// Adds the segments of the line at `level` through one square (all corners with energy).
void AddSquareSegments(const CMapSquare& square, double level, std::vector<CIsoSegment>& out);

// The segments of the line at one level, over the refined squares where the grid has a
// refinement. Square columns are shared out among `threads` workers (<= 0: one per core);
// the segments come in the same order for any number.
std::vector<CIsoSegment> IsoSegments(const CNoiseMapGrid& grid, double level, int threads = 0);
// The segments of every level in one pass over the squares, level by level in the order
// given: the same as the levels' segments one after the other.
std::vector<CIsoSegment> IsoSegments(const CNoiseMapGrid& grid, const std::vector<double>& levels, int threads = 0);

// The segments at every class edge 35, 40, ..., 80.
std::vector<CIsoSegment> ClassEdgeIsoSegments(const CNoiseMapGrid& grid);
