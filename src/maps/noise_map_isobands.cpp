#include "maps/noise_map_isobands.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "maps/map_workers.h"
#include "maps/noise_map_band_rings.h"
#include "maps/noise_map_isolines.h"
#include "maps/noise_map_refinement.h"
#include "model/bands.h"
#include "model/noise_level_classes.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// A point on the outline of a square: a corner or where an edge level crosses a side.
struct CRimPoint {
    CMapPoint p;
    double level = 0;
    bool corner = false;
};

// One square cut into convex pieces along the chords of every edge level crossing it. Every
// chord runs from the square's outline to its outline and no two cross, so every piece is
// a run of consecutive outline points, held as their positions in m_rim.
class CSquareCut {
public:
    CSquareCut(const CMapSquare& square, const std::vector<double>& edges);

    // The pieces, each with the band (0 .. edges.size()) it lies in.
    template <class Visit>
    void ForEachPiece(Visit visit) const;

private:
    void BuildRim(const std::vector<double>& edges);
    void AddSideCrossings(int side, const std::vector<double>& edges);
    void Cut(int a, int b);
    int BandOf(const std::vector<int>& piece) const;

    const CMapSquare& m_sq;
    const std::vector<double>& m_edges;
    std::vector<CRimPoint> m_rim;
    // For each side and edge level, the rim position of the crossing (-1: none).
    std::vector<int> m_crossingAt[4];
    std::vector<std::vector<int>> m_pieces;
};

CSquareCut::CSquareCut(const CMapSquare& square, const std::vector<double>& edges) : m_sq(square), m_edges(edges)
{
    BuildRim(edges);
    std::vector<int> whole(m_rim.size());
    for (std::size_t k = 0; k < whole.size(); ++k)
        whole[k] = int(k);
    m_pieces.push_back(std::move(whole));
    const auto [lo, hi] = std::minmax({m_sq.level[0], m_sq.level[1], m_sq.level[2], m_sq.level[3]});
    for (std::size_t e = 0; e < edges.size(); ++e) {
        if (edges[e] <= lo || edges[e] > hi)
            continue;
        const CSquareChords chords = SquareChords(m_sq.level, edges[e]);
        for (int c = 0; c < chords.count; ++c)
            Cut(m_crossingAt[chords.sides[c][0]][e], m_crossingAt[chords.sides[c][1]][e]);
    }
}

// Corners and crossings counter-clockwise. A crossing that falls on a corner is the corner.
void CSquareCut::BuildRim(const std::vector<double>& edges)
{
    for (int side = 0; side < 4; ++side) {
        m_crossingAt[side].assign(edges.size(), -1);
        m_rim.push_back({{m_sq.u[side], m_sq.v[side]}, m_sq.level[side], true});
    }
    std::vector<CRimPoint> corners = std::move(m_rim);
    m_rim.clear();
    for (int side = 0; side < 4; ++side) {
        m_rim.push_back(corners[std::size_t(side)]);
        AddSideCrossings(side, edges);
    }
}

// The crossings of side `side` in the order the outline walks it (levels rise or fall
// along a side, so the edge levels in that order give the points in that order).
void CSquareCut::AddSideCrossings(int side, const std::vector<double>& edges)
{
    const int a = side, b = (side + 1) % 4;
    const double* level = m_sq.level;
    const int cornerA = int(m_rim.size()) - 1;
    const bool rising = level[a] < level[b];
    const std::size_t n = edges.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t e = rising ? k : n - 1 - k;
        const double edge = edges[e];
        if ((level[a] >= edge) == (level[b] >= edge))
            continue;
        if (level[a] == edge || level[b] == edge) {
            // The corner after this side is not on the rim yet: it is added next (or is 0).
            m_crossingAt[side][e] = level[a] == edge ? cornerA : (b == 0 ? 0 : -2);
            continue;
        }
        // Crossings are computed from the lower node, as the iso-lines compute them.
        const int lowA = side < 2 ? a : b, lowB = side < 2 ? b : a;
        CMapPoint p{m_sq.u[a], m_sq.v[a]};
        if (m_sq.u[a] == m_sq.u[b])
            p.v = SideCrossing(m_sq.v[lowA], level[lowA], m_sq.v[lowB], level[lowB], edge);
        else
            p.u = SideCrossing(m_sq.u[lowA], level[lowA], m_sq.u[lowB], level[lowB], edge);
        m_crossingAt[side][e] = int(m_rim.size());
        m_rim.push_back({p, edge, false});
    }
    for (int& at : m_crossingAt[side])
        if (at == -2)
            at = int(m_rim.size());  // corner b, pushed next
}

// Splits the piece holding rim points a and b along the chord between them; a chord
// that is already a side of a piece (or has no length) changes nothing.
void CSquareCut::Cut(int a, int b)
{
    if (a < 0 || b < 0 || a == b)
        return;
    for (std::size_t k = 0; k < m_pieces.size(); ++k) {
        std::vector<int>& piece = m_pieces[k];
        auto ia = std::find(piece.begin(), piece.end(), a), ib = std::find(piece.begin(), piece.end(), b);
        if (ia == piece.end() || ib == piece.end())
            continue;
        if (ia > ib)
            std::swap(ia, ib);
        const std::ptrdiff_t first = ia - piece.begin(), last = ib - piece.begin();
        if (last - first == 1 || (first == 0 && last == std::ptrdiff_t(piece.size()) - 1))
            continue;
        std::vector<int> other(piece.begin() + last, piece.end());
        other.insert(other.end(), piece.begin(), piece.begin() + first + 1);
        piece = std::vector<int>(piece.begin() + first, piece.begin() + last + 1);
        m_pieces.push_back(std::move(other));
        return;
    }
}

// A piece's points span its levels. Between two different levels no edge lies strictly
// (its chord would have cut the piece), so their middle gives the band. A piece all at
// one level is a square of one level or the middle of a saddle, which lies above the edge
// when the corners' mean does, as the iso-lines decide.
int CSquareCut::BandOf(const std::vector<int>& piece) const
{
    double lo = kInf, hi = -kInf;
    bool corner = false;
    for (int k : piece) {
        lo = std::min(lo, m_rim[std::size_t(k)].level);
        hi = std::max(hi, m_rim[std::size_t(k)].level);
        corner = corner || m_rim[std::size_t(k)].corner;
    }
    if (lo < hi)
        return LevelBand(m_edges, 0.5 * (lo + hi));
    const double mean = 0.25 * (m_sq.level[0] + m_sq.level[1] + m_sq.level[2] + m_sq.level[3]);
    return corner || mean >= lo ? LevelBand(m_edges, lo) : LevelBand(m_edges, lo) - 1;
}

template <class Visit>
void CSquareCut::ForEachPiece(Visit visit) const
{
    std::vector<CMapPoint> points;
    for (const std::vector<int>& piece : m_pieces) {
        points.clear();
        for (int k : piece)
            points.push_back(m_rim[std::size_t(k)].p);
        visit(BandOf(piece), points);
    }
}

double PieceArea(const std::vector<CMapPoint>& points)
{
    CMapRing ring = points;
    ring.push_back(points.front());
    return RingArea(ring);
}

// The pieces of every band met by one worker.
class CBandPieces {
public:
    explicit CBandPieces(std::size_t bands) : m_builders(bands) {}

    void Add(int band, const std::vector<CMapPoint>& points)
    {
        if (band >= 0 && std::size_t(band) < m_builders.size() && PieceArea(points) > 0)
            m_builders[std::size_t(band)].AddPiece(points);
    }
    // A square all in one band is one piece; most squares of a fine map are.
    void AddSquare(const CMapSquare& s, const std::vector<double>& edges)
    {
        const int band = LevelBand(edges, s.level[0]);
        if (band == LevelBand(edges, s.level[1]) && band == LevelBand(edges, s.level[2]) &&
            band == LevelBand(edges, s.level[3])) {
            m_whole = {{s.u[0], s.v[0]}, {s.u[1], s.v[1]}, {s.u[2], s.v[2]}, {s.u[3], s.v[3]}};
            Add(band, m_whole);
            return;
        }
        CSquareCut(s, edges).ForEachPiece([this](int b, const std::vector<CMapPoint>& points) { Add(b, points); });
    }
    CBandRingBuilder& Builder(std::size_t band) { return m_builders[band]; }

private:
    std::vector<CBandRingBuilder> m_builders;
    std::vector<CMapPoint> m_whole;
};

// The leaves of a refined square: those of four points are cut as squares; a leaf with
// points on its sides lies within one class and is one piece with all its points.
void AddLeafPieces(const CMapLattice& lattice, const CLatticeSquare& leaf, const std::vector<double>& edges,
                   CBandPieces& out, std::vector<CLatticePoint>& outline, std::vector<CMapPoint>& points)
{
    const CMapSquare s = LatticeMapSquare(lattice, leaf);
    if (!SquareHasEnergy(s))
        return;
    lattice.Outline(leaf, outline);
    if (outline.size() == 4) {
        out.AddSquare(s, edges);
        return;
    }
    points.clear();
    for (const CLatticePoint& p : outline)
        points.push_back({lattice.U(p.x), lattice.V(p.y)});
    out.Add(LevelBand(edges, s.level[0]), points);
}

void AddColumnPieces(const CNoiseMapGrid& grid, const CMapLattice& lattice, std::size_t i,
                     const std::vector<double>& edges, CBandPieces& out)
{
    std::vector<CLatticePoint> outline;
    std::vector<CMapPoint> points;
    for (std::size_t j = 0; j + 1 < grid.Rows(); ++j) {
        if (lattice.Touched(i, j)) {
            lattice.ForEachLeaf(
                i, j, [&](const CLatticeSquare& leaf) { AddLeafPieces(lattice, leaf, edges, out, outline, points); });
            continue;
        }
        const CMapSquare s = GridSquare(grid, i, j);
        if (SquareHasEnergy(s))
            out.AddSquare(s, edges);
    }
}

}  // namespace

std::vector<CIsoband> Isobands(const CNoiseMapGrid& grid, const std::vector<double>& edges, int threads)
{
    if (grid.Columns() < 2 || grid.Rows() < 2)
        return {};
    const CMapLattice lattice(grid);
    const std::size_t columns = grid.Columns() - 1, bandCount = edges.size() + 1;
    // Each worker gathers the pieces of the columns it takes; the sides two workers share
    // cancel when their pieces are joined.
    std::vector<CBandPieces> pieces(std::size_t(MapThreadCount(threads, columns)), CBandPieces(bandCount));
    RunMapJobs(threads, columns, [&](int worker, std::size_t i) {
        AddColumnPieces(grid, lattice, i, edges, pieces[std::size_t(worker)]);
    });
    std::vector<std::vector<CMapPolygon>> polygons(bandCount);
    RunMapJobs(threads, bandCount, [&](int, std::size_t b) {
        CBandRingBuilder& joined = pieces[0].Builder(b);
        for (std::size_t w = 1; w < pieces.size(); ++w)
            joined.Join(pieces[w].Builder(b));
        polygons[b] = joined.Polygons();
    });
    std::vector<CIsoband> bands;
    for (std::size_t b = 0; b < bandCount; ++b) {
        if (polygons[b].empty())
            continue;
        CIsoband band;
        band.lower = b == 0 ? -kInf : edges[b - 1];
        band.upper = b == edges.size() ? kInf : edges[b];
        band.colour = IsobandColour(band.lower, band.upper);
        band.polygons = std::move(polygons[b]);
        bands.push_back(std::move(band));
    }
    return bands;
}

std::vector<CIsoband> ClassIsobands(const CNoiseMapGrid& grid)
{
    const auto edges = LevelClassEdges();
    return Isobands(grid, std::vector<double>(edges.begin(), edges.end()));
}

std::string IsobandColour(double lower, double upper)
{
    if (std::isfinite(lower))
        return LevelClassColour(LevelClass(lower));
    const double below = std::isfinite(upper) ? std::nextafter(upper, -kInf) : 0.0;
    return LevelClassColour(LevelClass(below));
}
