#pragma once

// The footprints of a project's buildings, for the question asked of every receiver, grid
// node and façade point: does it stand in a building? A layer of thousands of buildings
// asks it millions of times, so the footprints are filed in a grid of cells over their plan
// boxes and a point is tested only against those listed in its cell. Immutable once made:
// safe to query from several threads.

#include <cstdint>
#include <vector>

#include "model/building.h"
#include "model/mvector.h"

class CFootprintSet {
public:
    CFootprintSet() = default;
    explicit CFootprintSet(const std::vector<CBuilding>& buildings);

    bool Empty() const { return m_arrRing.empty(); }
    // The 0-based building whose footprint holds p (x, y) inside or on its boundary, the
    // first in order when several do (blocks built wall to wall); -1 for none.
    int BuildingAt(const CMVector& p) const;

private:
    struct Box {
        double minX, minY, maxX, maxY;
    };
    bool InBox(std::size_t i, const CMVector& p) const;
    void FileBoxes();
    std::size_t CellX(double x) const;
    std::size_t CellY(double y) const;

    std::vector<std::vector<CMVector>> m_arrRing;
    std::vector<Box> m_arrBox;
    // Cells of the grid over every box, row by row: the buildings of cell c are
    // m_arrCellBuilding[m_arrCellStart[c] .. m_arrCellStart[c + 1]), in building order.
    Box m_area{0, 0, 0, 0};
    std::size_t m_nColumns = 0, m_nRows = 0;
    double m_dCellsPerX = 0, m_dCellsPerY = 0;
    std::vector<std::uint32_t> m_arrCellStart;
    std::vector<std::uint32_t> m_arrCellBuilding;
    // Buildings filed in no cell and tested for every point: a box that is not finite or
    // covers many cells (a long diagonal footprint).
    std::vector<std::uint32_t> m_arrEverywhere;
};
