#pragma once

// Grids and look-ups shared by the isoband tests of the core and of the GIS files.

#include <cmath>
#include <vector>

#include "maps/noise_map_isobands.h"
#include "model/bands.h"
#include "model/noise_map_grid.h"

namespace bandtest {

// A plan grid of (columns x rows) nodes `spacing` apart from (u0, v0) with the level
// field f(u - u0, v - v0); the last column and row are a shorter step away, as a calculation area
// that is no multiple of the spacing gives them.
template <class Field>
CNoiseMapGrid FieldGrid(std::size_t columns, std::size_t rows, double u0, double v0, double spacing, Field f)
{
    CNoiseMapGrid g;
    for (std::size_t i = 0; i < columns; ++i)
        g.m_arrU.push_back(u0 + spacing * (double(i) - (i + 1 == columns ? 0.4 : 0.0)));
    for (std::size_t j = 0; j < rows; ++j)
        g.m_arrV.push_back(v0 + spacing * (double(j) - (j + 1 == rows ? 0.3 : 0.0)));
    for (double u : g.m_arrU)
        for (double v : g.m_arrV)
            g.m_arrLevel.push_back(f(u - u0, v - v0));
    g.m_dStartU = g.m_arrU.front();
    g.m_dEndU = g.m_arrU.back();
    g.m_dStartV = g.m_arrV.front();
    g.m_dEndV = g.m_arrV.back();
    return g;
}

// Ripples with many saddles over a slope: 45 .. 80 dB.
inline double RippledField(double u, double v) { return 60 + 12 * std::sin(u / 7) * std::cos(v / 9) + 0.1 * u; }

inline bool InRing(const CMapRing& ring, double u, double v)
{
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        if ((ring[i].v > v) != (ring[j].v > v) &&
            u < (ring[j].u - ring[i].u) * (v - ring[i].v) / (ring[j].v - ring[i].v) + ring[i].u)
            in = !in;
    return in;
}

// The bands (by position in `bands`) whose polygons hold the point.
inline std::vector<std::size_t> BandsHolding(const std::vector<CIsoband>& bands, double u, double v)
{
    std::vector<std::size_t> found;
    for (std::size_t b = 0; b < bands.size(); ++b)
        for (const CMapPolygon& p : bands[b].polygons) {
            bool in = InRing(p.exterior, u, v);
            for (const CMapRing& hole : p.holes)
                in = in && !InRing(hole, u, v);
            if (in)
                found.push_back(b);
        }
    return found;
}

// The level interpolated bilinearly in the square holding (u, v).
inline double BilinearLevel(const CNoiseMapGrid& g, double u, double v)
{
    std::size_t i = 0, j = 0;
    while (i + 2 < g.Columns() && g.m_arrU[i + 1] <= u)
        ++i;
    while (j + 2 < g.Rows() && g.m_arrV[j + 1] <= v)
        ++j;
    const double s = (u - g.m_arrU[i]) / (g.m_arrU[i + 1] - g.m_arrU[i]);
    const double t = (v - g.m_arrV[j]) / (g.m_arrV[j + 1] - g.m_arrV[j]);
    return (1 - s) * (1 - t) * g.Level(i, j) + s * (1 - t) * g.Level(i + 1, j) + s * t * g.Level(i + 1, j + 1) +
           (1 - s) * t * g.Level(i, j + 1);
}

}  // namespace bandtest
