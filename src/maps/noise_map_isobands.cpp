#include "maps/noise_map_isobands.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "maps/noise_map_band_rings.h"
#include "maps/noise_map_isolines.h"
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
    CSquareCut(const CNoiseMapGrid& grid, std::size_t i, std::size_t j, const std::vector<double>& edges);

    // The pieces, each with the band (0 .. edges.size()) it lies in.
    template <class Visit>
    void ForEachPiece(Visit visit) const;

private:
    void BuildRim(const std::vector<double>& edges);
    void AddSideCrossings(int side, const std::vector<double>& edges);
    void Cut(int a, int b);
    int BandOf(const std::vector<int>& piece) const;

    double m_u[4], m_v[4], m_level[4];
    const std::vector<double>& m_edges;
    std::vector<CRimPoint> m_rim;
    // For each side and edge level, the rim position of the crossing (-1: none).
    std::vector<int> m_crossingAt[4];
    std::vector<std::vector<int>> m_pieces;
};

int EdgeBand(const std::vector<double>& edges, double level)
{
    return int(std::upper_bound(edges.begin(), edges.end(), level) - edges.begin());
}

CSquareCut::CSquareCut(const CNoiseMapGrid& grid, std::size_t i, std::size_t j, const std::vector<double>& edges)
    : m_u{grid.m_arrU[i], grid.m_arrU[i + 1], grid.m_arrU[i + 1], grid.m_arrU[i]},
      m_v{grid.m_arrV[j], grid.m_arrV[j], grid.m_arrV[j + 1], grid.m_arrV[j + 1]},
      m_level{grid.Level(i, j), grid.Level(i + 1, j), grid.Level(i + 1, j + 1), grid.Level(i, j + 1)},
      m_edges(edges)
{
    BuildRim(edges);
    std::vector<int> whole(m_rim.size());
    for (std::size_t k = 0; k < whole.size(); ++k)
        whole[k] = int(k);
    m_pieces.push_back(std::move(whole));
    const auto [lo, hi] = std::minmax({m_level[0], m_level[1], m_level[2], m_level[3]});
    for (std::size_t e = 0; e < edges.size(); ++e) {
        if (edges[e] <= lo || edges[e] > hi)
            continue;
        const CSquareChords chords = SquareChords(m_level, edges[e]);
        for (int c = 0; c < chords.count; ++c)
            Cut(m_crossingAt[chords.sides[c][0]][e], m_crossingAt[chords.sides[c][1]][e]);
    }
}

// Corners and crossings counter-clockwise. A crossing that falls on a corner is the corner.
void CSquareCut::BuildRim(const std::vector<double>& edges)
{
    for (int side = 0; side < 4; ++side) {
        m_crossingAt[side].assign(edges.size(), -1);
        m_rim.push_back({{m_u[side], m_v[side]}, m_level[side], true});
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
    const int cornerA = int(m_rim.size()) - 1;
    const bool rising = m_level[a] < m_level[b];
    const std::size_t n = edges.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t e = rising ? k : n - 1 - k;
        const double level = edges[e];
        if ((m_level[a] >= level) == (m_level[b] >= level))
            continue;
        if (m_level[a] == level || m_level[b] == level) {
            // The corner after this side is not on the rim yet: it is added next (or is 0).
            m_crossingAt[side][e] = m_level[a] == level ? cornerA : (b == 0 ? 0 : -2);
            continue;
        }
        // Crossings are computed from the lower node, as the iso-lines compute them.
        const int lowA = side < 2 ? a : b, lowB = side < 2 ? b : a;
        CMapPoint p{m_u[a], m_v[a]};
        if (m_u[a] == m_u[b])
            p.v = SideCrossing(m_v[lowA], m_level[lowA], m_v[lowB], m_level[lowB], level);
        else
            p.u = SideCrossing(m_u[lowA], m_level[lowA], m_u[lowB], m_level[lowB], level);
        m_crossingAt[side][e] = int(m_rim.size());
        m_rim.push_back({p, level, false});
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
        return EdgeBand(m_edges, 0.5 * (lo + hi));
    const double mean = 0.25 * (m_level[0] + m_level[1] + m_level[2] + m_level[3]);
    return corner || mean >= lo ? EdgeBand(m_edges, lo) : EdgeBand(m_edges, lo) - 1;
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

bool SquareHasEnergy(const CNoiseMapGrid& grid, std::size_t i, std::size_t j)
{
    return HasEnergy(grid.Level(i, j)) && HasEnergy(grid.Level(i + 1, j)) && HasEnergy(grid.Level(i + 1, j + 1)) &&
           HasEnergy(grid.Level(i, j + 1));
}

double PieceArea(const std::vector<CMapPoint>& points)
{
    CMapRing ring = points;
    ring.push_back(points.front());
    return RingArea(ring);
}

}  // namespace

std::vector<CIsoband> Isobands(const CNoiseMapGrid& grid, const std::vector<double>& edges)
{
    std::vector<CBandRingBuilder> builders(edges.size() + 1);
    const auto addPiece = [&builders](int band, const std::vector<CMapPoint>& points) {
        if (band >= 0 && std::size_t(band) < builders.size() && PieceArea(points) > 0)
            builders[std::size_t(band)].AddPiece(points);
    };
    std::vector<CMapPoint> whole(4);
    for (std::size_t i = 0; i + 1 < grid.Columns(); ++i) {
        for (std::size_t j = 0; j + 1 < grid.Rows(); ++j) {
            if (!SquareHasEnergy(grid, i, j))
                continue;
            // Most squares of a fine map lie in one band: no edge crosses them.
            const int band = EdgeBand(edges, grid.Level(i, j));
            if (band == EdgeBand(edges, grid.Level(i + 1, j)) && band == EdgeBand(edges, grid.Level(i + 1, j + 1)) &&
                band == EdgeBand(edges, grid.Level(i, j + 1))) {
                whole = {{grid.m_arrU[i], grid.m_arrV[j]},
                         {grid.m_arrU[i + 1], grid.m_arrV[j]},
                         {grid.m_arrU[i + 1], grid.m_arrV[j + 1]},
                         {grid.m_arrU[i], grid.m_arrV[j + 1]}};
                addPiece(band, whole);
                continue;
            }
            CSquareCut(grid, i, j, edges).ForEachPiece(addPiece);
        }
    }
    std::vector<CIsoband> bands;
    for (std::size_t b = 0; b < builders.size(); ++b) {
        CIsoband band;
        band.lower = b == 0 ? -kInf : edges[b - 1];
        band.upper = b == edges.size() ? kInf : edges[b];
        band.colour = IsobandColour(band.lower, band.upper);
        band.polygons = builders[b].Polygons();
        if (!band.polygons.empty())
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
