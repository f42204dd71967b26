#include "model/noise_map_grid.h"

CMVector CNoiseMapGrid::PointAt(std::size_t column, std::size_t row) const
{
    const double u = m_arrU[column], v = m_arrV[row];
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
