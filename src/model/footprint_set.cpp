#include "model/footprint_set.h"

#include <algorithm>
#include <cmath>

#include "model/footprint.h"

namespace {

// Boundary points count as inside; this margin keeps them within the box whatever the rounding.
constexpr double kBoxMargin = 1e-6;  // m
// The grid has about one cell per building, at most this many cells along each side.
constexpr std::size_t kMaxCellsAlong = 2048;
// A footprint whose box covers more cells than this is tested for every point instead.
constexpr std::size_t kMaxCellsPerBox = 64;

bool FiniteBox(double minX, double minY, double maxX, double maxY)
{
    return std::isfinite(minX) && std::isfinite(minY) && std::isfinite(maxX) && std::isfinite(maxY);
}

std::size_t CellsAlong(double wanted)
{
    if (!(wanted > 1))
        return 1;
    return static_cast<std::size_t>(std::min(std::round(wanted), static_cast<double>(kMaxCellsAlong)));
}

// The cell holding coordinate v of a side with `cells` cells, `perMetre` of them a metre from `start`.
std::size_t CellOf(double v, double start, double perMetre, std::size_t cells)
{
    const double f = std::floor((v - start) * perMetre);
    if (!(f > 0))
        return 0;
    return f >= static_cast<double>(cells - 1) ? cells - 1 : static_cast<std::size_t>(f);
}

}  // namespace

CFootprintSet::CFootprintSet(const std::vector<CBuilding>& buildings)
{
    for (const CBuilding& b : buildings) {
        Box box{b.m_arrFootprint.empty() ? 0.0 : b.m_arrFootprint[0].x,
                b.m_arrFootprint.empty() ? 0.0 : b.m_arrFootprint[0].y, 0.0, 0.0};
        box.maxX = box.minX;
        box.maxY = box.minY;
        for (const CMVector& v : b.m_arrFootprint) {
            box.minX = std::min(box.minX, v.x);
            box.maxX = std::max(box.maxX, v.x);
            box.minY = std::min(box.minY, v.y);
            box.maxY = std::max(box.maxY, v.y);
        }
        m_arrRing.push_back(b.m_arrFootprint);
        m_arrBox.push_back(box);
    }
    FileBoxes();
}

std::size_t CFootprintSet::CellX(double x) const { return CellOf(x, m_area.minX, m_dCellsPerX, m_nColumns); }

std::size_t CFootprintSet::CellY(double y) const { return CellOf(y, m_area.minY, m_dCellsPerY, m_nRows); }

// Sizes the grid to the boxes and lists each building in the cells its box (with the
// margin) meets; a point within that box then falls in one of them.
void CFootprintSet::FileBoxes()
{
    std::vector<std::uint32_t> filed;
    for (std::size_t i = 0; i < m_arrBox.size(); ++i) {
        const Box& b = m_arrBox[i];
        if (!FiniteBox(b.minX, b.minY, b.maxX, b.maxY)) {
            m_arrEverywhere.push_back(static_cast<std::uint32_t>(i));
            continue;
        }
        const Box grown{b.minX - kBoxMargin, b.minY - kBoxMargin, b.maxX + kBoxMargin, b.maxY + kBoxMargin};
        m_area = filed.empty() ? grown
                               : Box{std::min(m_area.minX, grown.minX), std::min(m_area.minY, grown.minY),
                                     std::max(m_area.maxX, grown.maxX), std::max(m_area.maxY, grown.maxY)};
        filed.push_back(static_cast<std::uint32_t>(i));
    }
    if (filed.empty())
        return;
    const double width = std::max(m_area.maxX - m_area.minX, 1e-9), height = std::max(m_area.maxY - m_area.minY, 1e-9);
    const double count = static_cast<double>(filed.size());
    m_nColumns = CellsAlong(std::sqrt(count * width / height));
    m_nRows = CellsAlong(count / static_cast<double>(m_nColumns));
    m_dCellsPerX = static_cast<double>(m_nColumns) / width;
    m_dCellsPerY = static_cast<double>(m_nRows) / height;

    struct Span {
        std::size_t x0, y0, x1, y1;
    };
    std::vector<Span> spans;
    spans.reserve(filed.size());
    m_arrCellStart.assign(m_nColumns * m_nRows + 1, 0);
    std::vector<std::uint32_t> kept;
    for (const std::uint32_t i : filed) {
        const Box& b = m_arrBox[i];
        const Span s{CellX(b.minX - kBoxMargin), CellY(b.minY - kBoxMargin), CellX(b.maxX + kBoxMargin),
                     CellY(b.maxY + kBoxMargin)};
        if ((s.x1 - s.x0 + 1) * (s.y1 - s.y0 + 1) > kMaxCellsPerBox) {
            m_arrEverywhere.push_back(i);
            continue;
        }
        kept.push_back(i);
        spans.push_back(s);
        for (std::size_t y = s.y0; y <= s.y1; ++y)
            for (std::size_t x = s.x0; x <= s.x1; ++x)
                ++m_arrCellStart[y * m_nColumns + x + 1];
    }
    std::sort(m_arrEverywhere.begin(), m_arrEverywhere.end());
    for (std::size_t c = 1; c < m_arrCellStart.size(); ++c)
        m_arrCellStart[c] += m_arrCellStart[c - 1];
    m_arrCellBuilding.resize(m_arrCellStart.back());
    std::vector<std::uint32_t> next(m_arrCellStart.begin(), m_arrCellStart.end() - 1);
    for (std::size_t k = 0; k < kept.size(); ++k)
        for (std::size_t y = spans[k].y0; y <= spans[k].y1; ++y)
            for (std::size_t x = spans[k].x0; x <= spans[k].x1; ++x)
                m_arrCellBuilding[next[y * m_nColumns + x]++] = kept[k];
}

bool CFootprintSet::InBox(std::size_t i, const CMVector& p) const
{
    const Box& b = m_arrBox[i];
    return !(p.x < b.minX - kBoxMargin || p.x > b.maxX + kBoxMargin || p.y < b.minY - kBoxMargin ||
             p.y > b.maxY + kBoxMargin);
}

int CFootprintSet::BuildingAt(const CMVector& p) const
{
    int found = -1;
    const bool inArea =
        m_nColumns > 0 && p.x >= m_area.minX && p.x <= m_area.maxX && p.y >= m_area.minY && p.y <= m_area.maxY;
    if (inArea) {
        const std::size_t cell = CellY(p.y) * m_nColumns + CellX(p.x);
        for (std::uint32_t k = m_arrCellStart[cell]; k < m_arrCellStart[cell + 1]; ++k) {
            const std::uint32_t i = m_arrCellBuilding[k];
            if (InBox(i, p) && InsideOrOnFootprint(m_arrRing[i], p)) {
                found = static_cast<int>(i);
                break;
            }
        }
    }
    for (const std::uint32_t i : m_arrEverywhere) {
        if (found >= 0 && static_cast<int>(i) > found)
            break;
        if (InBox(i, p) && InsideOrOnFootprint(m_arrRing[i], p))
            return static_cast<int>(i);
    }
    return found;
}
