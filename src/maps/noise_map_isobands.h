#pragma once

// Isobands of a noise map: the polygons of the level surface between class edges. The
// surface is interpolated linearly along the sides of every square of four neighbouring
// nodes, and each square is cut along the chords the iso-lines draw in it (saddles
// resolved the same way), so a band's edges are the iso-lines exactly and never follow the
// grid cells. Together the bands cover the rectangle of the grid's nodes without gaps or
// overlaps, except the squares with a node without energy, which belong to no band. A
// refined map (noise_map_refinement.h) is cut the same way along its finer squares.
// Thread-safe: plain functions of their arguments.

#include <string>
#include <vector>

#include "model/noise_map_grid.h"

struct CMapPoint {
    double u = 0, v = 0;
};
// A closed ring: its first point repeated at the end.
using CMapRing = std::vector<CMapPoint>;

// Exterior counter-clockwise, holes clockwise; rings are simple and may touch each other at
// single points only, as valid polygons allow.
struct CMapPolygon {
    CMapRing exterior;
    std::vector<CMapRing> holes;
};

struct CIsoband {
    double lower = 0, upper = 0;  // dB; -infinity and +infinity at the open ends
    std::string colour;           // "#RRGGBB" of the class on screen
    std::vector<CMapPolygon> polygons;
};

// The bands between ascending edges: (-inf, e0), [e0, e1), ..., [en, +inf), as a class holds
// its lower edge. Only bands with an area are returned, lowest first, in the grid's (u, v).
// Where the grid has a refinement the bands follow its finer squares. The squares are cut
// on `threads` workers (<= 0: one per core); the bands are the same for any number, their
// rings in the same order.
std::vector<CIsoband> Isobands(const CNoiseMapGrid& grid, const std::vector<double>& edges, int threads = 0);

// The bands of the 5 dB classes on screen.
std::vector<CIsoband> ClassIsobands(const CNoiseMapGrid& grid);

// The screen colour of a band: that of the 5 dB class holding its lower edge (or, for the
// lowest band, the values just below its upper edge).
std::string IsobandColour(double lower, double upper);

// Signed area of a closed ring, positive counter-clockwise.
double RingArea(const CMapRing& ring);
