#pragma once

// The plan view's receiver grid: points every `spacing` metres over the calculation
// area, visited column by column (x outer, y inner) and named 1, 2, ... in that order.
// Plain arithmetic: names to points, and the grid points inside a pixel pick region.

#include <optional>

#include "drawing/view_projection.h"

struct CProjectSettings;

struct CGridIndexRange {
    long long first = 0, last = -1;  // 0-based, inclusive; empty when last < first
    bool Empty() const { return last < first; }
};

class CViewGrid {
public:
    CViewGrid(double startX, double startY, double endX, double endY, double spacing);
    explicit CViewGrid(const CProjectSettings& settings);

    // A usable grid: positive finite spacing over a finite, non-inverted area of a
    // sensible number of points. An unusable grid has no points and no names.
    bool Valid() const { return m_nColumns > 0 && m_nRows > 0; }
    long long Columns() const { return m_nColumns; }
    long long Rows() const { return m_nRows; }  // points per column: E + 1

    // Name of the point in 0-based column c and row r: c*(E + 1) + r + 1.
    long long NameOf(long long column, long long row) const { return column * m_nRows + row + 1; }
    // The point carrying a name; nothing for a name outside the grid.
    std::optional<CViewPoint> PointOf(long long name) const;
    CViewPoint PointAt(long long column, long long row) const;

    // Columns and rows whose points project into the pixel rectangle [x0, x1] x [y0, y1].
    CGridIndexRange ColumnsIn(const CViewProjection& proj, double x0, double x1) const;
    CGridIndexRange RowsIn(const CViewProjection& proj, double y0, double y1) const;

    // Name of the first point drawn inside the 10 x 10 pixel region centred on the
    // pointer (px, py): the lowest name there, as the first record of a selection pass.
    std::optional<long long> Pick(const CViewProjection& proj, double px, double py) const;

    static constexpr double kPickRegion = 10.0;  // pixels

private:
    CGridIndexRange IndexRange(double lo, double hi, double start, long long count) const;

    double m_dStartX, m_dStartY, m_dSpacing;
    long long m_nColumns = 0, m_nRows = 0;
};

// Whether the plan view shows the grid: a spacing other than 0, receivers shown and
// a grid height not below the base height.
bool GridShown(const CProjectSettings& settings);
