#include "io/level_class_polygons.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "model/noise_level_classes.h"

namespace {

// Vertices and edges live on the integer lattice of cell corners: vertex (i, j) is the
// corner at cell edge i along u and j along v.
struct CVertex {
    long long i = 0, j = 0;
    bool operator==(const CVertex& o) const { return i == o.i && j == o.j; }
};

struct CEdge {
    CVertex from, to;
    bool used = false;
};

using CLatticeRing = std::vector<CVertex>;  // closed implicitly, first point not repeated

class CBoundaryTracer {
public:
    CBoundaryTracer(const CNoiseMapGrid& grid, int levelClass);
    std::vector<CLatticeRing> Rings();

private:
    bool IsClass(long long c, long long r) const;
    void AddEdge(CVertex a, CVertex b);
    long long Key(const CVertex& v) const { return v.i * (m_nRows + 1) + v.j; }
    int NextEdge(int incoming) const;
    void SplitIntoSimpleRings(const CLatticeRing& walk, std::vector<CLatticeRing>& out) const;

    const CNoiseMapGrid& m_grid;
    int m_nClass;
    long long m_nColumns, m_nRows;
    std::vector<CEdge> m_arrEdge;
    std::unordered_map<long long, std::vector<int>> m_outgoing;
};

CBoundaryTracer::CBoundaryTracer(const CNoiseMapGrid& grid, int levelClass)
    : m_grid(grid),
      m_nClass(levelClass),
      m_nColumns(static_cast<long long>(grid.Columns())),
      m_nRows(static_cast<long long>(grid.Rows()))
{
    // Each cell of the class gives its sides facing another class, with the cell on the
    // left: counter-clockwise round the cell.
    for (long long c = 0; c < m_nColumns; ++c) {
        for (long long r = 0; r < m_nRows; ++r) {
            if (!IsClass(c, r))
                continue;
            if (!IsClass(c, r - 1))
                AddEdge({c, r}, {c + 1, r});
            if (!IsClass(c + 1, r))
                AddEdge({c + 1, r}, {c + 1, r + 1});
            if (!IsClass(c, r + 1))
                AddEdge({c + 1, r + 1}, {c, r + 1});
            if (!IsClass(c - 1, r))
                AddEdge({c, r + 1}, {c, r});
        }
    }
}

bool CBoundaryTracer::IsClass(long long c, long long r) const
{
    if (c < 0 || r < 0 || c >= m_nColumns || r >= m_nRows)
        return false;
    return LevelClass(m_grid.Level(std::size_t(c), std::size_t(r))) == m_nClass;
}

void CBoundaryTracer::AddEdge(CVertex a, CVertex b)
{
    m_outgoing[Key(a)].push_back(int(m_arrEdge.size()));
    m_arrEdge.push_back({a, b, false});
}

// Of the edges leaving the end of `incoming`, the one turning most to the left, so that
// patches touching at a corner are traced apart.
int CBoundaryTracer::NextEdge(int incoming) const
{
    const CEdge& in = m_arrEdge[std::size_t(incoming)];
    const long long du = in.to.i - in.from.i, dv = in.to.j - in.from.j;
    const auto found = m_outgoing.find(Key(in.to));
    if (found == m_outgoing.end())
        return -1;
    int best = -1, bestScore = -2;
    for (int e : found->second) {
        const CEdge& out = m_arrEdge[std::size_t(e)];
        const long long ou = out.to.i - out.from.i, ov = out.to.j - out.from.j;
        const long long cross = du * ov - dv * ou;  // > 0: left turn
        const long long dot = du * ou + dv * ov;
        const int score = cross > 0 ? 1 : (dot > 0 ? 0 : -1);
        if (score > bestScore) {
            best = e;
            bestScore = score;
        }
    }
    return best;
}

// A closed walk may pass a corner twice (two holes meeting at a corner); it is cut there
// into simple rings.
void CBoundaryTracer::SplitIntoSimpleRings(const CLatticeRing& walk, std::vector<CLatticeRing>& out) const
{
    CLatticeRing stack;
    for (const CVertex& v : walk) {
        const auto seen = std::find(stack.begin(), stack.end(), v);
        if (seen != stack.end()) {
            out.emplace_back(seen, stack.end());
            stack.erase(seen + 1, stack.end());
        } else {
            stack.push_back(v);
        }
    }
    if (stack.size() >= 3)
        out.push_back(stack);
}

std::vector<CLatticeRing> CBoundaryTracer::Rings()
{
    std::vector<CLatticeRing> rings;
    for (std::size_t start = 0; start < m_arrEdge.size(); ++start) {
        if (m_arrEdge[start].used)
            continue;
        CLatticeRing walk;
        for (int e = int(start); e >= 0 && !m_arrEdge[std::size_t(e)].used; e = NextEdge(e)) {
            m_arrEdge[std::size_t(e)].used = true;
            walk.push_back(m_arrEdge[std::size_t(e)].from);
        }
        walk.push_back(walk.front());
        SplitIntoSimpleRings(walk, rings);
    }
    return rings;
}

// Twice the signed area in lattice units: > 0 counter-clockwise.
long long TwiceArea(const CLatticeRing& ring)
{
    long long sum = 0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const CVertex& a = ring[k];
        const CVertex& b = ring[(k + 1) % ring.size()];
        sum += a.i * b.j - b.i * a.j;
    }
    return sum;
}

// Ray casting with a point at a cell centre, which never lies on a lattice ring.
bool Contains(const CLatticeRing& ring, double pu, double pv)
{
    bool inside = false;
    for (std::size_t k = 0, m = ring.size() - 1; k < ring.size(); m = k++) {
        const double ui = double(ring[k].i), vi = double(ring[k].j);
        const double um = double(ring[m].i), vm = double(ring[m].j);
        if ((vi > pv) != (vm > pv) && pu < (um - ui) * (pv - vi) / (vm - vi) + ui)
            inside = !inside;
    }
    return inside;
}

// The centre of the cell of the class on the left of a hole's first side.
std::pair<double, double> CellLeftOf(const CVertex& a, const CVertex& b)
{
    const double du = double(b.i - a.i), dv = double(b.j - a.j);
    const double mu = 0.5 * double(a.i + b.i), mv = 0.5 * double(a.j + b.j);
    return {mu - 0.5 * dv, mv + 0.5 * du};
}

// Drops corners where the outline goes straight on.
CLatticeRing WithoutStraightCorners(const CLatticeRing& ring)
{
    CLatticeRing out;
    const std::size_t n = ring.size();
    for (std::size_t k = 0; k < n; ++k) {
        const CVertex& p = ring[(k + n - 1) % n];
        const CVertex& v = ring[k];
        const CVertex& q = ring[(k + 1) % n];
        if ((v.i - p.i) * (q.j - v.j) - (v.j - p.j) * (q.i - v.i) != 0)
            out.push_back(v);
    }
    return out;
}

CMapRing ToMap(const CLatticeRing& ring, const std::vector<double>& eu, const std::vector<double>& ev)
{
    CMapRing out;
    for (const CVertex& v : WithoutStraightCorners(ring))
        out.push_back({eu[std::size_t(v.i)], ev[std::size_t(v.j)]});
    if (!out.empty())
        out.push_back(out.front());
    return out;
}

}  // namespace

std::vector<CMapPolygon> LevelClassPolygons(const CNoiseMapGrid& grid, int levelClass)
{
    CBoundaryTracer tracer(grid, levelClass);
    std::vector<CLatticeRing> shells, holes;
    for (CLatticeRing& ring : tracer.Rings())
        (TwiceArea(ring) > 0 ? shells : holes).push_back(std::move(ring));
    const std::vector<double> eu = grid.CellEdgesU(), ev = grid.CellEdgesV();
    std::vector<CMapPolygon> polygons;
    polygons.reserve(shells.size());
    for (const CLatticeRing& shell : shells)
        polygons.push_back({ToMap(shell, eu, ev), {}});
    for (const CLatticeRing& hole : holes) {
        const auto [pu, pv] = CellLeftOf(hole[0], hole[1]);
        int owner = -1;
        for (std::size_t s = 0; s < shells.size(); ++s) {
            const bool smaller = owner < 0 || TwiceArea(shells[s]) < TwiceArea(shells[std::size_t(owner)]);
            if (smaller && Contains(shells[s], pu, pv))
                owner = int(s);
        }
        if (owner >= 0)
            polygons[std::size_t(owner)].holes.push_back(ToMap(hole, eu, ev));
    }
    return polygons;
}
