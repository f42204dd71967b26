#include "maps/noise_map_isolines.h"

#include <algorithm>

#include "maps/map_workers.h"
#include "maps/noise_map_refinement.h"
#include "model/bands.h"
#include "model/noise_level_classes.h"

namespace {

struct CPoint {
    double u, v;
};

// The crossing on side `side` of the square; sides 0 and 1 run towards higher positions,
// sides 2 and 3 towards lower ones.
CPoint CrossingOnSide(const CMapSquare& s, int side, double level)
{
    int a = side, b = (side + 1) % 4;
    if (side >= 2)
        std::swap(a, b);
    if (s.u[a] == s.u[b])
        return {s.u[a], SideCrossing(s.v[a], s.level[a], s.v[b], s.level[b], level)};
    return {SideCrossing(s.u[a], s.level[a], s.u[b], s.level[b], level), s.v[a]};
}

// The segments in one column of squares at every level, level by level: the grid's squares,
// or where the map was refined the leaves of four points (a leaf with points on its sides
// lies within one class).
void AddColumnSegments(const CNoiseMapGrid& grid, const CMapLattice& lattice, std::size_t i,
                       const std::vector<double>& levels, std::vector<std::vector<CIsoSegment>>& out)
{
    const auto addSquare = [&](const CMapSquare& s) {
        if (SquareHasEnergy(s))
            for (std::size_t k = 0; k < levels.size(); ++k)
                AddSquareSegments(s, levels[k], out[k]);
    };
    std::vector<CLatticePoint> outline;
    for (std::size_t j = 0; j + 1 < grid.Rows(); ++j) {
        if (!lattice.Touched(i, j)) {
            addSquare(GridSquare(grid, i, j));
            continue;
        }
        lattice.ForEachLeaf(i, j, [&](const CLatticeSquare& leaf) {
            lattice.Outline(leaf, outline);
            if (outline.size() == 4)
                addSquare(LatticeMapSquare(lattice, leaf));
        });
    }
}

}  // namespace

CMapSquare GridSquare(const CNoiseMapGrid& grid, std::size_t i, std::size_t j)
{
    const double u0 = grid.m_arrU[i], u1 = grid.m_arrU[i + 1], v0 = grid.m_arrV[j], v1 = grid.m_arrV[j + 1];
    return {{u0, u1, u1, u0},
            {v0, v0, v1, v1},
            {grid.Level(i, j), grid.Level(i + 1, j), grid.Level(i + 1, j + 1), grid.Level(i, j + 1)}};
}

CMapSquare LatticeMapSquare(const CMapLattice& lattice, const CLatticeSquare& s)
{
    const double u0 = lattice.U(s.x), u1 = lattice.U(s.x + s.size);
    const double v0 = lattice.V(s.y), v1 = lattice.V(s.y + s.size);
    return {{u0, u1, u1, u0},
            {v0, v0, v1, v1},
            {lattice.Level({s.x, s.y}), lattice.Level({s.x + s.size, s.y}), lattice.Level({s.x + s.size, s.y + s.size}),
             lattice.Level({s.x, s.y + s.size})}};
}

bool SquareHasEnergy(const CMapSquare& s)
{
    return HasEnergy(s.level[0]) && HasEnergy(s.level[1]) && HasEnergy(s.level[2]) && HasEnergy(s.level[3]);
}

int LevelBand(const std::vector<double>& edges, double level)
{
    return int(std::upper_bound(edges.begin(), edges.end(), level) - edges.begin());
}

double SideCrossing(double pa, double la, double pb, double lb, double level)
{
    if (la == level)
        return pa;
    if (lb == level)
        return pb;
    return pa + (level - la) / (lb - la) * (pb - pa);
}

CSquareChords SquareChords(const double (&levels)[4], double level)
{
    bool above[4];
    for (int i = 0; i < 4; ++i)
        above[i] = levels[i] >= level;
    int crossed[4];
    int n = 0;
    for (int i = 0; i < 4; ++i)
        if (above[i] != above[(i + 1) % 4])
            crossed[n++] = i;
    CSquareChords chords;
    if (n == 2) {
        chords.count = 1;
        chords.sides[0][0] = crossed[0];
        chords.sides[0][1] = crossed[1];
    } else if (n == 4) {
        // Pairs (0,1),(2,3) cut off corners 1 and 3; pairs (3,0),(1,2) cut off corners 0 and 2.
        const double mean = 0.25 * (levels[0] + levels[1] + levels[2] + levels[3]);
        const bool joinEven = (mean >= level) == above[0];
        chords.count = 2;
        const int pairs[2][2][2] = {{{3, 0}, {1, 2}}, {{0, 1}, {2, 3}}};
        for (int c = 0; c < 2; ++c)
            for (int e = 0; e < 2; ++e)
                chords.sides[c][e] = pairs[joinEven ? 1 : 0][c][e];
    }
    return chords;
}

void AddSquareSegments(const CMapSquare& s, double level, std::vector<CIsoSegment>& out)
{
    const CSquareChords chords = SquareChords(s.level, level);
    for (int c = 0; c < chords.count; ++c) {
        const CPoint a = CrossingOnSide(s, chords.sides[c][0], level);
        const CPoint b = CrossingOnSide(s, chords.sides[c][1], level);
        out.push_back({a.u, a.v, b.u, b.v, level});
    }
}

std::vector<CIsoSegment> IsoSegments(const CNoiseMapGrid& grid, double level, int threads)
{
    return IsoSegments(grid, std::vector<double>{level}, threads);
}

std::vector<CIsoSegment> IsoSegments(const CNoiseMapGrid& grid, const std::vector<double>& levels, int threads)
{
    if (grid.Columns() < 2 || grid.Rows() < 2)
        return {};
    const CMapLattice lattice(grid);
    // Per column, the segments of each level.
    std::vector<std::vector<std::vector<CIsoSegment>>> columns(grid.Columns() - 1);
    RunMapJobs(threads, columns.size(), [&](int, std::size_t i) {
        columns[i].resize(levels.size());
        AddColumnSegments(grid, lattice, i, levels, columns[i]);
    });
    std::vector<CIsoSegment> out;
    for (std::size_t k = 0; k < levels.size(); ++k)
        for (const std::vector<std::vector<CIsoSegment>>& column : columns)
            out.insert(out.end(), column[k].begin(), column[k].end());
    return out;
}

std::vector<CIsoSegment> ClassEdgeIsoSegments(const CNoiseMapGrid& grid)
{
    const auto edges = LevelClassEdges();
    return IsoSegments(grid, std::vector<double>(edges.begin(), edges.end()));
}
