#include "maps/noise_map_refine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "maps/map_workers.h"
#include "maps/noise_map_isolines.h"
#include "maps/noise_map_refinement.h"
#include "model/bands.h"

namespace {

constexpr double kSizeTolerance = 1e-9;  // relative: a finest size met to rounding is met
constexpr std::size_t kSquaresPerJob = 64;
// An exact level takes a tenth of a millisecond or more and every round waits for its last
// point: small jobs keep all the workers busy until the round's end.
constexpr std::size_t kPointsPerJob = 4;
// Lattice coordinates stay below this, so that they and their sums fit 32 bits.
constexpr double kLatticeLimit = 2147483647.0;

double GridSpacing(const CNoiseMapGrid& grid)
{
    double spacing = 0;
    if (grid.Columns() >= 2)
        spacing = grid.m_arrU[1] - grid.m_arrU[0];
    if (grid.Rows() >= 2)
        spacing = std::max(spacing, grid.m_arrV[1] - grid.m_arrV[0]);
    return spacing;
}

// The smallest step between neighbouring edges: corners further apart than this span a class.
double ClassWidth(const std::vector<double>& edges)
{
    double width = std::numeric_limits<double>::infinity();
    for (std::size_t k = 1; k < edges.size(); ++k)
        width = std::min(width, edges[k] - edges[k - 1]);
    return width;
}

// p at step 0, q at step n, evenly between; only the end asked for is read at either end,
// so an end without energy spoils nothing beside it.
double Between(double p, double q, std::uint32_t k, std::uint32_t n)
{
    if (k == 0)
        return p;
    if (k == n)
        return q;
    return (p * double(n - k) + q * double(k)) / double(n);
}

struct CPointLevel {
    double level = 0;
    bool fill = false;  // in the soil: interpolated, not computed
};

class CRefinementBuilder {
public:
    CRefinementBuilder(const CNoiseMapGrid& drawn, int divisions, const CMapLevelAt& levelAt,
                       const CRefineRequest& request, CRunProgress& progress, int threads)
        : m_drawn(drawn),
          m_n(std::uint32_t(divisions)),
          m_levelAt(levelAt),
          m_edges(request.edges),
          m_width(ClassWidth(request.edges)),
          m_progress(progress),
          m_threads(threads)
    {
    }

    ERefineResult Run(std::int64_t budget);
    std::shared_ptr<const CMapRefinement> Result() const;

private:
    CMapLattice Lattice() const { return CMapLattice(m_drawn, int(m_n), m_keys, m_levels); }
    std::vector<std::size_t> SquaresWithEnergy() const;
    std::vector<CLatticeSquare> Splits(const std::vector<std::size_t>& squares) const;
    bool ShouldSplit(const CMapLattice& lattice, const CLatticeSquare& s, std::vector<CLatticePoint>& outline) const;
    bool IsFill(const CMapLattice& lattice, CLatticePoint p) const;
    std::vector<std::uint64_t> NewPoints(const std::vector<CLatticeSquare>& splits) const;
    bool Evaluate(const std::vector<std::uint64_t>& points, std::vector<CPointLevel>& out) const;
    double SoilLevel(CLatticePoint p) const;
    void Merge(const std::vector<std::uint64_t>& points, const std::vector<CPointLevel>& levels);
    std::vector<std::size_t> SquaresAround(const std::vector<CLatticeSquare>& splits) const;

    const CNoiseMapGrid& m_drawn;
    const std::uint32_t m_n;
    const CMapLevelAt& m_levelAt;
    const std::vector<double>& m_edges;
    const double m_width;
    CRunProgress& m_progress;
    const int m_threads;
    // The points computed so far, ascending by key.
    std::vector<std::uint64_t> m_keys;
    std::vector<double> m_levels;
    std::vector<char> m_fills;
    std::size_t m_nEvaluations = 0;
};

// Rounds until no square divides: each looks again at the squares where the last divided
// and at their neighbours, whose sides may have gained points.
ERefineResult CRefinementBuilder::Run(std::int64_t budget)
{
    std::vector<std::size_t> squares = SquaresWithEnergy();
    while (!squares.empty()) {
        const std::vector<CLatticeSquare> splits = Splits(squares);
        if (splits.empty())
            break;
        const std::vector<std::uint64_t> points = NewPoints(splits);
        if (std::int64_t(m_keys.size() + points.size()) > budget)
            return ERefineResult::TooManyPoints;
        m_progress.AddToTotal(std::int64_t(points.size()));
        std::vector<CPointLevel> levels(points.size());
        if (!Evaluate(points, levels))
            return ERefineResult::Cancelled;
        Merge(points, levels);
        squares = SquaresAround(splits);
    }
    return ERefineResult::Refined;
}

std::shared_ptr<const CMapRefinement> CRefinementBuilder::Result() const
{
    return std::make_shared<const CMapRefinement>(int(m_n), m_keys, m_levels, m_nEvaluations);
}

std::vector<std::size_t> CRefinementBuilder::SquaresWithEnergy() const
{
    std::vector<std::size_t> squares;
    const std::size_t rows = m_drawn.Rows() - 1;
    for (std::size_t i = 0; i + 1 < m_drawn.Columns(); ++i)
        for (std::size_t j = 0; j < rows; ++j)
            if (HasEnergy(m_drawn.Level(i, j)) && HasEnergy(m_drawn.Level(i + 1, j)) &&
                HasEnergy(m_drawn.Level(i, j + 1)) && HasEnergy(m_drawn.Level(i + 1, j + 1)))
                squares.push_back(i * rows + j);
    return squares;
}

// The leaves of the given squares that divide, square by square in the order given.
std::vector<CLatticeSquare> CRefinementBuilder::Splits(const std::vector<std::size_t>& squares) const
{
    const CMapLattice lattice = Lattice();
    const std::size_t rows = m_drawn.Rows() - 1;
    const std::size_t jobs = (squares.size() + kSquaresPerJob - 1) / kSquaresPerJob;
    std::vector<std::vector<CLatticeSquare>> found(jobs);
    RunMapJobs(m_threads, jobs, [&](int, std::size_t job) {
        std::vector<CLatticePoint> outline;
        const std::size_t end = std::min(squares.size(), (job + 1) * kSquaresPerJob);
        for (std::size_t k = job * kSquaresPerJob; k < end; ++k)
            lattice.ForEachLeaf(squares[k] / rows, squares[k] % rows, [&](const CLatticeSquare& leaf) {
                if (ShouldSplit(lattice, leaf, outline))
                    found[job].push_back(leaf);
            });
    });
    std::vector<CLatticeSquare> splits;
    for (const std::vector<CLatticeSquare>& part : found)
        splits.insert(splits.end(), part.begin(), part.end());
    return splits;
}

bool CRefinementBuilder::ShouldSplit(const CMapLattice& lattice, const CLatticeSquare& s,
                                     std::vector<CLatticePoint>& outline) const
{
    if (s.size < 2)
        return false;
    const CLatticePoint corners[4] = {
        {s.x, s.y}, {s.x + s.size, s.y}, {s.x + s.size, s.y + s.size}, {s.x, s.y + s.size}};
    double level[4];
    bool allFill = true;
    for (int k = 0; k < 4; ++k) {
        level[k] = lattice.Level(corners[k]);
        if (!HasEnergy(level[k]))
            return false;  // never divided into where no energy arrives
        allFill = allFill && IsFill(lattice, corners[k]);
    }
    const int band = LevelBand(m_edges, level[0]);
    const auto [lo, hi] = std::minmax({level[0], level[1], level[2], level[3]});
    // In the soil nothing is shown: only the sides' points below decide there.
    if (!allFill && (LevelBand(m_edges, lo) != LevelBand(m_edges, hi) || hi - lo > m_width))
        return true;
    lattice.Outline(s, outline);
    if (outline.size() == 4)
        return false;  // no points on the sides: contoured as a square of its own
    for (const CLatticePoint& p : outline)
        if (const double l = lattice.Level(p); HasEnergy(l) && LevelBand(m_edges, l) != band)
            return true;
    return false;
}

bool CRefinementBuilder::IsFill(const CMapLattice& lattice, CLatticePoint p) const
{
    if (p.x % m_n == 0 && p.y % m_n == 0) {
        const std::vector<double>& ground = m_drawn.m_arrGround;
        if (ground.empty())
            return false;
        return lattice.V(p.y) < ground[std::min<std::size_t>(p.x / m_n, ground.size() - 1)];
    }
    const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), LatticeKey(p.x, p.y));
    return it != m_keys.end() && m_fills[std::size_t(it - m_keys.begin())] != 0;
}

// The centres and side midpoints of the dividing leaves that are not known yet, ascending.
std::vector<std::uint64_t> CRefinementBuilder::NewPoints(const std::vector<CLatticeSquare>& splits) const
{
    std::vector<std::uint64_t> points;
    points.reserve(splits.size() * 5);
    for (const CLatticeSquare& s : splits) {
        const std::uint32_t h = s.size / 2;
        points.push_back(LatticeKey(s.x + h, s.y + h));
        points.push_back(LatticeKey(s.x + h, s.y));
        points.push_back(LatticeKey(s.x + s.size, s.y + h));
        points.push_back(LatticeKey(s.x + h, s.y + s.size));
        points.push_back(LatticeKey(s.x, s.y + h));
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    points.erase(
        std::remove_if(points.begin(), points.end(),
                       [this](std::uint64_t key) { return std::binary_search(m_keys.begin(), m_keys.end(), key); }),
        points.end());
    return points;
}

bool CRefinementBuilder::Evaluate(const std::vector<std::uint64_t>& points, std::vector<CPointLevel>& out) const
{
    const CMapLattice lattice = Lattice();
    const std::size_t jobs = (points.size() + kPointsPerJob - 1) / kPointsPerJob;
    RunMapJobs(m_threads, jobs, [&](int, std::size_t job) {
        const std::size_t end = std::min(points.size(), (job + 1) * kPointsPerJob);
        for (std::size_t k = job * kPointsPerJob; k < end && !m_progress.CancelRequested(); ++k) {
            const CLatticePoint p{std::uint32_t(points[k] >> 32), std::uint32_t(points[k] & 0xFFFFFFFFU)};
            const double level = m_levelAt(lattice.U(p.x), lattice.V(p.y));
            out[k] = std::isnan(level) ? CPointLevel{SoilLevel(p), true} : CPointLevel{level, false};
            m_progress.Count();
        }
    });
    return !m_progress.CancelRequested();
}

// A point in the soil: the level interpolated bilinearly from the nodes of its square.
double CRefinementBuilder::SoilLevel(CLatticePoint p) const
{
    const std::size_t i = std::min<std::size_t>(p.x / m_n, m_drawn.Columns() - 2);
    const std::size_t j = std::min<std::size_t>(p.y / m_n, m_drawn.Rows() - 2);
    const std::uint32_t a = p.x - std::uint32_t(i) * m_n, b = p.y - std::uint32_t(j) * m_n;
    const double below = Between(m_drawn.Level(i, j), m_drawn.Level(i + 1, j), a, m_n);
    const double above = Between(m_drawn.Level(i, j + 1), m_drawn.Level(i + 1, j + 1), a, m_n);
    const double level = Between(below, above, b, m_n);
    return std::isfinite(level) ? level : kNoEnergy;
}

void CRefinementBuilder::Merge(const std::vector<std::uint64_t>& points, const std::vector<CPointLevel>& levels)
{
    std::vector<std::uint64_t> keys;
    std::vector<double> merged;
    std::vector<char> fills;
    keys.reserve(m_keys.size() + points.size());
    merged.reserve(keys.capacity());
    fills.reserve(keys.capacity());
    std::size_t a = 0, b = 0;
    while (a < m_keys.size() || b < points.size()) {
        if (b == points.size() || (a < m_keys.size() && m_keys[a] < points[b])) {
            keys.push_back(m_keys[a]);
            merged.push_back(m_levels[a]);
            fills.push_back(m_fills[a++]);
        } else {
            keys.push_back(points[b]);
            merged.push_back(levels[b].level);
            fills.push_back(levels[b].fill ? 1 : 0);
            m_nEvaluations += levels[b++].fill ? 0 : 1;
        }
    }
    m_keys = std::move(keys);
    m_levels = std::move(merged);
    m_fills = std::move(fills);
}

// The grid squares holding the divided leaves, and their neighbours, ascending.
std::vector<std::size_t> CRefinementBuilder::SquaresAround(const std::vector<CLatticeSquare>& splits) const
{
    const std::size_t columns = m_drawn.Columns() - 1, rows = m_drawn.Rows() - 1;
    std::vector<std::size_t> squares;
    for (const CLatticeSquare& s : splits) {
        const std::size_t i = s.x / m_n, j = s.y / m_n;
        squares.push_back(i * rows + j);
        if (i > 0)
            squares.push_back((i - 1) * rows + j);
        if (i + 1 < columns)
            squares.push_back((i + 1) * rows + j);
        if (j > 0)
            squares.push_back(i * rows + j - 1);
        if (j + 1 < rows)
            squares.push_back(i * rows + j + 1);
    }
    std::sort(squares.begin(), squares.end());
    squares.erase(std::unique(squares.begin(), squares.end()), squares.end());
    return squares;
}

}  // namespace

int RefineDivisions(const CNoiseMapGrid& grid, double finest)
{
    const double spacing = GridSpacing(grid);
    if (!(spacing > 0) || !std::isfinite(spacing))
        return 1;
    const double target = std::max(finest > 0 ? finest : spacing / kFinestDivisor, kSmallestFinest);
    const double extent = double(std::max(grid.Columns(), grid.Rows()));
    int n = 1;
    while (spacing / n > target * (1 + kSizeTolerance) && extent * 2 * n < kLatticeLimit)
        n *= 2;
    while (n > 1 && spacing / n < kSmallestFinest * (1 - kSizeTolerance))
        n /= 2;
    return n;
}

double FinestSize(const CNoiseMapGrid& grid, int divisions) { return GridSpacing(grid) / std::max(1, divisions); }

ERefineResult RefineNoiseMap(CNoiseMapGrid& grid, const CMapLevelAt& levelAt, const CRefineRequest& request,
                             CRunProgress& progress, int threads, std::int64_t maxPoints)
{
    grid.m_pRefinement.reset();
    const int divisions = RefineDivisions(grid, request.finest);
    if (!request.refine || divisions < 2 || grid.Columns() < 2 || grid.Rows() < 2)
        return ERefineResult::Refined;
    const CNoiseMapGrid drawn = DrawnMapGrid(grid);
    CRefinementBuilder builder(drawn, divisions, levelAt, request, progress, threads);
    const ERefineResult result = builder.Run(maxPoints - std::int64_t(grid.m_arrLevel.size()));
    if (result == ERefineResult::Refined)
        grid.m_pRefinement = builder.Result();
    return result;
}
