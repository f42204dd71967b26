#pragma once

// The section view's cut: a vertical plane through the section line across the
// calculation area, the crossing test of straight elements with it, and the ground
// profile gathered from the embankments and cuttings it cuts. Plain arithmetic.

#include <optional>
#include <utility>
#include <vector>

#include "drawing/entity_outline.h"
#include "model/mvector.h"

struct CProjectSettings;

struct CSectionCrossing {
    double pos = 0;     // position along the horizontal axis (X or Y), metres
    double height = 0;  // height interpolated between the element's end heights
};

class CSectionPlane {
public:
    // axis 1: the plane Y = section Y, horizontal axis X; 0: X = section X, axis Y.
    CSectionPlane(const CProjectSettings& settings, int axis);

    int Axis() const { return m_nAxis; }
    double AxisStart() const { return m_dAxisStart; }
    double AxisLength() const { return m_dAxisEnd - m_dAxisStart; }
    double AxisCentre() const { return 0.5 * (m_dAxisStart + m_dAxisEnd); }
    // Positions are drawn mirrored about the middle of the area's extent.
    double Mirror(double pos) const { return 2 * AxisCentre() - pos; }

    // Where the element P->Q (heights in z) crosses the plane. Nothing when the line's
    // fixed coordinate lies outside the closed range of P and Q, or unless |t| > |p| with
    // p = (C - P).n, t = (Q - P).n: an element parallel to the plane or only touching it
    // with its end point does not cross.
    std::optional<CSectionCrossing> Cross(const CMVector& p, const CMVector& q) const;

    // Whether the point lies on the plane's rectangle: the four triangles it spans with
    // the rectangle's edges add up to the rectangle's area within 0.01 m².
    bool Contains(const CMVector& point) const;

    static constexpr double kAreaTol = 0.01;      // m²
    static constexpr double kHalfHeight = 10000;  // the rectangle spans -10000..10000 m

private:
    int m_nAxis;
    double m_dFixed;
    double m_dAxisStart, m_dAxisEnd;
    CMVector m_corner[4];
    CMVector m_normal;
};

// The first two crossings met going round a closed outline, or nothing.
std::optional<std::pair<CSectionCrossing, CSectionCrossing>> CrossOutline(const CSectionPlane& plane,
                                                                          const COutline& outline);

// Crossings of two parallel edges (the sides of a road or tunnel); both or nothing.
std::optional<std::pair<CSectionCrossing, CSectionCrossing>> CrossSides(const CSectionPlane& plane, const CMVector& a0,
                                                                        const CMVector& a1, const CMVector& b0,
                                                                        const CMVector& b1);

// Where the plane cuts the two long sides of a road or tunnel, whose heights run from
// the start height to the end height.
template <typename T>
std::optional<std::pair<CSectionCrossing, CSectionCrossing>> CrossLongSides(const CSectionPlane& plane, const T& e)
{
    const CLineFrame f = FrameOf(e);
    const double len = f.PlanLength(), half = e.m_dWidth / 2;
    return CrossSides(plane, f.Place(0, half, e.m_dStartZ), f.Place(len, half, e.m_dEndZ),
                      f.Place(0, -half, e.m_dStartZ), f.Place(len, -half, e.m_dEndZ));
}

// One ground-profile record: where an embankment or cutting surface meets the plane.
struct CProfileRecord {
    double pos = 0;
    double height = 0;
    bool cutting = false;
};

// The profile records sorted by position along the axis.
void SortProfile(std::vector<CProfileRecord>& records);
