#pragma once

// A refined noise map: levels at the points of a finer lattice inside the squares of four
// neighbouring nodes, where the map's classes change. The lattice divides every square of
// the drawn grid (the grid carried to its extent's edges, a section's also spread one step
// into the soil) into N x N, N a power of two: lattice point (x, y) lies on the sides or
// inside square (x / N, y / N), and the grid's nodes are the points whose x and y are
// multiples of N. Each square is a quadtree: a square of the lattice is divided into four
// exactly when the lattice holds a level at its centre (no other division puts a point
// there), so the levels alone say how the map was refined.
//
// Squares that meet keep the points of their common side: the leaves of the quadtree
// have "hanging" points on their sides where a finer neighbour divided. The refinement
// keeps every leaf that has such points within one class, so only leaves of four points
// carry iso-lines.
// Thread-safe once built: plain values, read-only.

#include <cstdint>
#include <span>
#include <vector>

#include "model/noise_map_grid.h"

struct CLatticePoint {
    std::uint32_t x = 0, y = 0;
};

struct CLatticeSquare {
    std::uint32_t x = 0, y = 0, size = 1;  // lower left corner and side, lattice steps
};

inline std::uint64_t LatticeKey(std::uint32_t x, std::uint32_t y) { return (std::uint64_t(x) << 32) | y; }

// The grid a map's shapes are drawn from: carried to its extent's edges (ReachingExtent), a
// section also spread one step into the soil (ReachingOneStepFurther) for the ground line
// to clip. Its squares are the squares of the refinement's lattice.
CNoiseMapGrid DrawnMapGrid(const CNoiseMapGrid& grid);

class CMapRefinement {
public:
    // `keys` ascending, `levels` beside them; `evaluations` of them were computed exactly
    // (the others lie in the soil and are interpolated).
    CMapRefinement(int divisions, std::vector<std::uint64_t> keys, std::vector<double> levels, std::size_t evaluations);

    int Divisions() const { return m_nDivisions; }
    std::span<const std::uint64_t> Keys() const { return m_arrKey; }
    std::span<const double> Levels() const { return m_arrLevel; }
    std::size_t Evaluations() const { return m_nEvaluations; }

private:
    int m_nDivisions;
    std::vector<std::uint64_t> m_arrKey;
    std::vector<double> m_arrLevel;
    std::size_t m_nEvaluations;
};

// The lattice of a drawn grid with the refinement's levels (or none: one step per square).
class CMapLattice {
public:
    // Uses the grid's refinement; `drawn` must outlive the lattice.
    explicit CMapLattice(const CNoiseMapGrid& drawn);
    // The lattice while a refinement is built: `keys` ascending with `levels` beside them.
    CMapLattice(const CNoiseMapGrid& drawn, int divisions, std::span<const std::uint64_t> keys,
                std::span<const double> levels);

    std::uint32_t Divisions() const { return m_nDivisions; }
    // The squares of the grid: (columns - 1) x (rows - 1).
    std::size_t SquareColumns() const { return m_grid.Columns() - 1; }
    std::size_t SquareRows() const { return m_grid.Rows() - 1; }
    CLatticeSquare Square(std::size_t i, std::size_t j) const;
    // True when a point of the refinement lies inside square (i, j) or on its sides.
    bool Touched(std::size_t i, std::size_t j) const;

    // Position of a lattice point in the grid's (u, v).
    double U(std::uint32_t x) const { return Along(m_grid.m_arrU, x); }
    double V(std::uint32_t y) const { return Along(m_grid.m_arrV, y); }
    // The level there: the grid's at its nodes, the refinement's elsewhere; NaN where none.
    double Level(CLatticePoint p) const;
    bool Has(CLatticePoint p) const;
    bool Divided(const CLatticeSquare& s) const;

    // The leaves of the quadtree of square (i, j), lower left first.
    template <class Visit>
    void ForEachLeaf(std::size_t i, std::size_t j, Visit visit) const
    {
        VisitLeaves(Square(i, j), visit);
    }

    // The points on a square's outline counter-clockwise from its lower left corner: the
    // corners and every point with a level on its sides.
    void Outline(const CLatticeSquare& s, std::vector<CLatticePoint>& out) const;

private:
    double Along(const std::vector<double>& nodes, std::uint32_t at) const;
    void AddSide(CLatticePoint from, CLatticePoint to, std::vector<CLatticePoint>& out) const;
    void MarkTouched();

    template <class Visit>
    void VisitLeaves(const CLatticeSquare& s, Visit& visit) const
    {
        if (!Divided(s)) {
            visit(s);
            return;
        }
        const std::uint32_t h = s.size / 2;
        VisitLeaves({s.x, s.y, h}, visit);
        VisitLeaves({s.x + h, s.y, h}, visit);
        VisitLeaves({s.x + h, s.y + h, h}, visit);
        VisitLeaves({s.x, s.y + h, h}, visit);
    }

    const CNoiseMapGrid& m_grid;
    std::uint32_t m_nDivisions = 1;
    std::span<const std::uint64_t> m_keys;
    std::span<const double> m_levels;
    std::vector<bool> m_touched;  // per square, column by column
};
