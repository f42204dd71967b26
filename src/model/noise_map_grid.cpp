#include "model/noise_map_grid.h"

#include <algorithm>
#include <cstddef>

#include "model/bands.h"

CMVector CNoiseMapGrid::PointAt(std::size_t column, std::size_t row) const
{
    return PlanePoint(m_arrU[column], m_arrV[row]);
}

CMVector CNoiseMapGrid::PlanePoint(double u, double v) const
{
    if (m_kind == EKind::Plan)
        return {u, v, m_dHeight};
    if (m_nSectionAxis == 1)
        return {u, m_dFixed, v};
    return {m_dFixed, u, v};
}

std::vector<double> CNoiseMapGrid::CellEdgesU() const { return CellEdges(m_arrU, m_dStartU, m_dEndU); }
std::vector<double> CNoiseMapGrid::CellEdgesV() const { return CellEdges(m_arrV, m_dStartV, m_dEndV); }

std::vector<double> CellEdges(const std::vector<double>& nodes, double start, double end)
{
    std::vector<double> edges;
    if (nodes.empty())
        return edges;
    edges.reserve(nodes.size() + 1);
    edges.push_back(start);
    for (std::size_t i = 1; i < nodes.size(); ++i)
        edges.push_back(0.5 * (nodes[i - 1] + nodes[i]));
    edges.push_back(end);
    return edges;
}

CNoiseMapGrid ReachingExtent(const CNoiseMapGrid& grid)
{
    if (grid.Empty())
        return grid;
    const bool padU = grid.m_dEndU > grid.m_arrU.back(), padV = grid.m_dEndV > grid.m_arrV.back();
    if (!padU && !padV)
        return grid;
    CNoiseMapGrid out = grid;
    if (padV)
        out.m_arrV.push_back(grid.m_dEndV);
    if (padU)
        out.m_arrU.push_back(grid.m_dEndU);
    out.m_arrLevel.clear();
    out.m_arrLevel.reserve(out.Columns() * out.Rows());
    for (std::size_t c = 0; c < out.Columns(); ++c) {
        const std::size_t from = std::min(c, grid.Columns() - 1);
        for (std::size_t r = 0; r < out.Rows(); ++r)
            out.m_arrLevel.push_back(grid.Level(from, std::min(r, grid.Rows() - 1)));
    }
    return out;
}

CNoiseMapGrid ReachingOneStepFurther(const CNoiseMapGrid& grid)
{
    CNoiseMapGrid out = grid;
    const auto columns = static_cast<std::ptrdiff_t>(grid.Columns()), rows = static_cast<std::ptrdiff_t>(grid.Rows());
    for (std::ptrdiff_t c = 0; c < columns; ++c) {
        for (std::ptrdiff_t r = 0; r < rows; ++r) {
            if (HasEnergy(grid.Level(std::size_t(c), std::size_t(r))))
                continue;
            double sum = 0;
            int count = 0;
            for (std::ptrdiff_t nc = std::max<std::ptrdiff_t>(c - 1, 0); nc <= std::min(c + 1, columns - 1); ++nc)
                for (std::ptrdiff_t nr = std::max<std::ptrdiff_t>(r - 1, 0); nr <= std::min(r + 1, rows - 1); ++nr)
                    if (const double level = grid.Level(std::size_t(nc), std::size_t(nr)); HasEnergy(level)) {
                        sum += level;
                        ++count;
                    }
            if (count > 0)
                out.m_arrLevel[out.Index(std::size_t(c), std::size_t(r))] = sum / count;
        }
    }
    return out;
}
