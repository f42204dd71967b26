#include "engine/noise_map_isolines.h"

#include "model/bands.h"
#include "model/noise_level_classes.h"

namespace {

struct CNode {
    double u, v, level;
};

// Where the edge level lies between two nodes on opposite sides of it.
CNode Crossing(const CNode& a, const CNode& b, double level)
{
    const double t = (level - a.level) / (b.level - a.level);
    return {a.u + t * (b.u - a.u), a.v + t * (b.v - a.v), level};
}

void Add(std::vector<CIsoSegment>& out, const CNode& a, const CNode& b, double level)
{
    out.push_back({a.u, a.v, b.u, b.v, level});
}

// One square, corners counter-clockwise from the lower left: c[0] (u0, v0), c[1] (u1, v0),
// c[2] (u1, v1), c[3] (u0, v1). Side i joins corner i and corner i + 1.
void MarchSquare(const CNode (&c)[4], double level, std::vector<CIsoSegment>& out)
{
    bool above[4];
    for (int i = 0; i < 4; ++i)
        above[i] = c[i].level >= level;
    CNode cross[4];
    int n = 0;
    for (int i = 0; i < 4; ++i) {
        const CNode& a = c[i];
        const CNode& b = c[(i + 1) % 4];
        if (above[i] != above[(i + 1) % 4]) {
            cross[n] = Crossing(a, b, level);
            ++n;
        }
    }
    if (n == 2) {
        Add(out, cross[0], cross[1], level);
        return;
    }
    if (n != 4)
        return;
    // A saddle: the mean of the corners decides whether corners 0 and 2 join across the
    // middle (then the lines cut off corners 1 and 3) or corners 1 and 3 do.
    const double mean = 0.25 * (c[0].level + c[1].level + c[2].level + c[3].level);
    const bool joinEven = (mean >= level) == above[0];
    // All four sides are crossed: pairs (0,1),(2,3) cut off corners 1 and 3; (3,0),(1,2)
    // cut off corners 0 and 2.
    if (joinEven) {
        Add(out, cross[0], cross[1], level);
        Add(out, cross[2], cross[3], level);
    } else {
        Add(out, cross[3], cross[0], level);
        Add(out, cross[1], cross[2], level);
    }
}

}  // namespace

std::vector<CIsoSegment> IsoSegments(const CNoiseMapGrid& grid, double level)
{
    std::vector<CIsoSegment> out;
    for (std::size_t i = 0; i + 1 < grid.Columns(); ++i) {
        for (std::size_t j = 0; j + 1 < grid.Rows(); ++j) {
            const CNode c[4] = {{grid.m_arrU[i], grid.m_arrV[j], grid.Level(i, j)},
                                {grid.m_arrU[i + 1], grid.m_arrV[j], grid.Level(i + 1, j)},
                                {grid.m_arrU[i + 1], grid.m_arrV[j + 1], grid.Level(i + 1, j + 1)},
                                {grid.m_arrU[i], grid.m_arrV[j + 1], grid.Level(i, j + 1)}};
            if (HasEnergy(c[0].level) && HasEnergy(c[1].level) && HasEnergy(c[2].level) && HasEnergy(c[3].level))
                MarchSquare(c, level, out);
        }
    }
    return out;
}

std::vector<CIsoSegment> ClassEdgeIsoSegments(const CNoiseMapGrid& grid)
{
    std::vector<CIsoSegment> out;
    for (double edge : LevelClassEdges()) {
        const std::vector<CIsoSegment> part = IsoSegments(grid, edge);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}
