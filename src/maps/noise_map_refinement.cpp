#include "maps/noise_map_refinement.h"

#include <algorithm>
#include <cmath>

CNoiseMapGrid DrawnMapGrid(const CNoiseMapGrid& grid)
{
    if (grid.m_kind == CNoiseMapGrid::EKind::Section)
        return ReachingExtent(ReachingOneStepFurther(grid));
    return ReachingExtent(grid);
}

CMapRefinement::CMapRefinement(int divisions, std::vector<std::uint64_t> keys, std::vector<double> levels,
                               std::size_t evaluations)
    : m_nDivisions(divisions), m_arrKey(std::move(keys)), m_arrLevel(std::move(levels)), m_nEvaluations(evaluations)
{
}

CMapLattice::CMapLattice(const CNoiseMapGrid& drawn) : m_grid(drawn)
{
    if (const CMapRefinement* r = drawn.m_pRefinement.get()) {
        m_nDivisions = std::uint32_t(std::max(1, r->Divisions()));
        m_keys = r->Keys();
        m_levels = r->Levels();
    }
    MarkTouched();
}

CMapLattice::CMapLattice(const CNoiseMapGrid& drawn, int divisions, std::span<const std::uint64_t> keys,
                         std::span<const double> levels)
    : m_grid(drawn), m_nDivisions(std::uint32_t(std::max(1, divisions))), m_keys(keys), m_levels(levels)
{
    MarkTouched();
}

void CMapLattice::MarkTouched()
{
    if (m_grid.Columns() < 2 || m_grid.Rows() < 2)
        return;
    m_touched.assign(SquareColumns() * SquareRows(), false);
    const std::uint32_t n = m_nDivisions;
    // A point on a square's side belongs to the square on either side of it.
    const auto span = [n](std::uint32_t at, std::size_t squares) {
        const std::size_t hi = std::min<std::size_t>(at / n, squares - 1);
        const std::size_t lo = at % n == 0 && at / n > 0 ? std::min<std::size_t>(at / n - 1, squares - 1) : hi;
        return std::pair{lo, hi};
    };
    for (const std::uint64_t key : m_keys) {
        const auto [i0, i1] = span(std::uint32_t(key >> 32), SquareColumns());
        const auto [j0, j1] = span(std::uint32_t(key & 0xFFFFFFFFU), SquareRows());
        for (std::size_t i = i0; i <= i1; ++i)
            for (std::size_t j = j0; j <= j1; ++j)
                m_touched[i * SquareRows() + j] = true;
    }
}

CLatticeSquare CMapLattice::Square(std::size_t i, std::size_t j) const
{
    return {std::uint32_t(i) * m_nDivisions, std::uint32_t(j) * m_nDivisions, m_nDivisions};
}

bool CMapLattice::Touched(std::size_t i, std::size_t j) const
{
    return !m_touched.empty() && m_touched[i * SquareRows() + j];
}

// Between two nodes the lattice points divide the step evenly; the nodes themselves are
// taken as they are, so neighbouring squares find their common points to the last bit.
double CMapLattice::Along(const std::vector<double>& nodes, std::uint32_t at) const
{
    const std::uint32_t n = m_nDivisions;
    if (n == 1 || nodes.size() < 2)
        return nodes[std::min<std::size_t>(at / n, nodes.size() - 1)];
    const std::size_t root = std::min<std::size_t>(at / n, nodes.size() - 2);
    const std::uint32_t a = at - std::uint32_t(root) * n;
    if (a == 0)
        return nodes[root];
    if (a == n)
        return nodes[root + 1];
    return (nodes[root] * double(n - a) + nodes[root + 1] * double(a)) / double(n);
}

double CMapLattice::Level(CLatticePoint p) const
{
    const std::uint32_t n = m_nDivisions;
    if (p.x % n == 0 && p.y % n == 0)
        return m_grid.Level(p.x / n, p.y / n);
    const std::uint64_t key = LatticeKey(p.x, p.y);
    const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), key);
    if (it == m_keys.end() || *it != key)
        return std::nan("");
    return m_levels[std::size_t(it - m_keys.begin())];
}

bool CMapLattice::Has(CLatticePoint p) const
{
    const std::uint32_t n = m_nDivisions;
    if (p.x % n == 0 && p.y % n == 0)
        return true;
    return std::binary_search(m_keys.begin(), m_keys.end(), LatticeKey(p.x, p.y));
}

bool CMapLattice::Divided(const CLatticeSquare& s) const
{
    return s.size > 1 && Has({s.x + s.size / 2, s.y + s.size / 2});
}

// A point between `from` and `to` exists only where the square of the same size across
// the side was divided, so its midpoint is there too: the points are found by halving.
void CMapLattice::AddSide(CLatticePoint from, CLatticePoint to, std::vector<CLatticePoint>& out) const
{
    const std::uint32_t length =
        std::max(from.x, to.x) - std::min(from.x, to.x) + std::max(from.y, to.y) - std::min(from.y, to.y);
    if (length < 2)
        return;
    const CLatticePoint mid{(from.x + to.x) / 2, (from.y + to.y) / 2};
    if (!Has(mid))
        return;
    AddSide(from, mid, out);
    out.push_back(mid);
    AddSide(mid, to, out);
}

void CMapLattice::Outline(const CLatticeSquare& s, std::vector<CLatticePoint>& out) const
{
    out.clear();
    const CLatticePoint corners[4] = {
        {s.x, s.y}, {s.x + s.size, s.y}, {s.x + s.size, s.y + s.size}, {s.x, s.y + s.size}};
    for (int k = 0; k < 4; ++k) {
        out.push_back(corners[k]);
        AddSide(corners[k], corners[(k + 1) % 4], out);
    }
}
