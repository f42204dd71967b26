#pragma once

// A computed noise map: levels at the nodes of a rectangular grid, either in plan (u = X,
// v = Y, at one receiver height) or in a vertical section along the section line (u = the
// position along the line, v = the height Z). Nodes run column by column: all v of the
// first u, then of the next u, as the receiver export walks them.
//
// Each node stands for a cell reaching halfway to its neighbours; the outer cells reach
// the extent's edges, so the cells tile the extent exactly.

#include <cstddef>
#include <memory>
#include <vector>

#include "model/mvector.h"

class CMapRefinement;

struct CNoiseMapGrid {
    enum class EKind { Plan, Section };

    EKind m_kind = EKind::Plan;
    int m_nBand = 0;                                                // 0 overall, 1..8 the octave bands 63 Hz .. 8 kHz
    std::vector<double> m_arrU, m_arrV;                             // node positions, ascending
    double m_dStartU = 0, m_dEndU = 0, m_dStartV = 0, m_dEndV = 0;  // the extent
    std::vector<double> m_arrLevel;  // m_arrU.size() * m_arrV.size(), kNoEnergy where none
    // Plan: the height of every node (Z as stored in a receiver).
    double m_dHeight = 0;
    // Section: 1 = the line Y = m_dFixed with u = X; 0 = the line X = m_dFixed with u = Y.
    int m_nSectionAxis = 0;
    double m_dFixed = 0;
    // Section: the ground height under each column (empty: no ground). Nodes below it lie
    // in the soil: they are not computed and keep kNoEnergy.
    std::vector<double> m_arrGround;
    // Levels computed between the nodes where the map's classes change, so that its shapes
    // follow the level closer than the nodes alone could (maps/noise_map_refinement.h);
    // nullptr: the shapes are drawn from the nodes alone. Shared and never changed once set.
    std::shared_ptr<const CMapRefinement> m_pRefinement;

    std::size_t Columns() const { return m_arrU.size(); }
    std::size_t Rows() const { return m_arrV.size(); }
    bool Empty() const { return m_arrU.empty() || m_arrV.empty(); }
    std::size_t Index(std::size_t column, std::size_t row) const { return column * Rows() + row; }
    double Level(std::size_t column, std::size_t row) const { return m_arrLevel[Index(column, row)]; }
    bool UnderGround(std::size_t column, std::size_t row) const
    {
        return column < m_arrGround.size() && m_arrV[row] < m_arrGround[column];
    }

    // The node in project coordinates (x, y, z).
    CMVector PointAt(std::size_t column, std::size_t row) const;
    // Any point (u, v) of the grid's plane in project coordinates.
    CMVector PlanePoint(double u, double v) const;

    // Cell edges: CellEdgesU()[i] .. CellEdgesU()[i + 1] is the extent of column i's cells.
    std::vector<double> CellEdgesU() const;
    std::vector<double> CellEdgesV() const;
};

// Cell edges of ascending node positions over [start, end]: the extent's ends outside,
// the midpoints between neighbours inside.
std::vector<double> CellEdges(const std::vector<double>& nodes, double start, double end);

// The grid with its last column and row carried to the extent's far edges (a copy of their
// levels placed there) where the walk stopped short of them, so that a surface spun between
// the nodes covers the whole extent as the cells do. Nodes already on the edges stay alone.
CNoiseMapGrid ReachingExtent(const CNoiseMapGrid& grid);

// The grid with every node without energy that borders (sideways, up, down or across) a node
// with energy given the mean of those neighbours' levels. A section map leaves the nodes in
// the soil without energy; spun one step into the soil, its bands reach down to the ground
// line that clips them instead of stopping a grid step above it.
CNoiseMapGrid ReachingOneStepFurther(const CNoiseMapGrid& grid);
