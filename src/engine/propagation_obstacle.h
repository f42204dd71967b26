#pragma once

// Obstacles of the screening and the geometric tests made on them. Pure: safe on
// any thread.

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/engine_records.h"
#include "model/mvector.h"

// Kinds of obstacle, as stored in a CDiffractionPoint record.
enum EObstacleKind : int {
    kObstacleBarrier = 0,
    kObstacleCutting = 1,
    kObstacleEmbankment = 2,
    kObstacleBridgeBarrier = 3,
    kObstacleOptBarrier = 4,
    kObstacleWall = 5,  // a wall of a building
};

// A vertical rectangle standing on a plan line, heights relative to the base height.
struct CObstacle {
    CMVector m_vStart, m_vEnd;  // plan ends; z unused
    double m_dBottom = 0, m_dTop = 0;
    int m_nKind = kObstacleBarrier;
    int m_nIndex = 0;       // position in the list the obstacle comes from
    int m_nAttenuator = 0;  // top-device kind; 0 for cuttings and embankments

    double PlanLength() const;
};

// Where a 3-D segment a->b crosses the obstacle's vertical plane.
struct CPlaneCrossing {
    bool m_bCrosses = false;  // at a parameter strictly between 0 and 1
    double m_dT = 0;
    CMVector m_vPoint;
};
CPlaneCrossing CrossPlane(const CObstacle& o, const CMVector& a, const CMVector& b);

// The point lies in the rectangle: the four triangles it forms with the sides have a
// total area less than 1e-5 m^2 above the rectangle's area.
bool InsideRectangle(const CObstacle& o, const CMVector& p);

// The plan projection of a->b crosses the obstacle's line strictly between a and b,
// at a point within 0.01 m (sum of distances to the ends less the length) of the line.
bool CrossesInPlan(const CObstacle& o, const CMVector& a, const CMVector& b);

// The plan boxes of a->b and of the obstacle's line, the latter widened by margin, do not
// overlap: a quick test that a path cannot cross the obstacle. With the default margin
// (well above the 0.01 m of CrossesInPlan and any rounding) it never rejects a path that
// CrossesInPlan would accept.
// The same against a plan box given by its extremes.
inline bool PlanBoxApart(const CObstacle& o, double minX, double maxX, double minY, double maxY, double margin)
{
    const auto [oMinX, oMaxX] = std::minmax(o.m_vStart.x, o.m_vEnd.x);
    if (maxX < oMinX - margin || minX > oMaxX + margin)
        return true;
    const auto [oMinY, oMaxY] = std::minmax(o.m_vStart.y, o.m_vEnd.y);
    return maxY < oMinY - margin || minY > oMaxY + margin;
}
inline bool PlanBoxesApart(const CObstacle& o, const CMVector& a, const CMVector& b, double margin = 0.05)
{
    const auto [minX, maxX] = std::minmax(a.x, b.x);
    const auto [minY, maxY] = std::minmax(a.y, b.y);
    return PlanBoxApart(o, minX, maxX, minY, maxY, margin);
}

// The point lies within 1e-6 m (in plan) of the obstacle's vertical plane, so in it: a path
// from such a point is neither screened nor reflected by the obstacle, whatever the rounding
// of the obstacle's heading (the pieces of a bridge lie in the plane of its own centre
// barrier). A plane of no plan length contains no point.
bool LiesInPlane(const CObstacle& o, const CMVector& p);

// A path s->r with the lengths every obstacle it meets would measure again: its length,
// its plan direction r - s and that direction's length.
struct CPathLine {
    CPathLine(const CMVector& from, const CMVector& to);
    // Both ends of the obstacle's line lie farther than margin from the line through s and
    // r in plan, on one side: the line meets it more than margin beyond an end, so with the
    // default margin CrossesInPlan rejects it (its tolerance is 0.01 m).
    bool PassesBeside(const CObstacle& o, double margin = 0.05) const
    {
        const double side1 = planDx * (o.m_vStart.y - s.y) - planDy * (o.m_vStart.x - s.x);
        const double side2 = planDx * (o.m_vEnd.y - s.y) - planDy * (o.m_vEnd.x - s.x);
        const double m = margin * planLength;  // the sides are distances times planLength
        return (side1 > m && side2 > m) || (side1 < -m && side2 < -m);
    }
    // PlanBoxesApart(o, s, r, margin), with the path's own box made once.
    bool BoxApart(const CObstacle& o, double margin = 0.05) const
    {
        return PlanBoxApart(o, minX, maxX, minY, maxY, margin);
    }
    CMVector s, r;
    double length, planDx, planDy, planLength;
    double minX, maxX, minY, maxY;  // the path's plan box
    bool finiteHeights;             // both ends at a finite height
};

// Where the path crosses the obstacle, in one pass: the plan crossing of CrossesInPlan, the
// point CrossPlane gives (its parameter is the plan crossing's, to the bit), InsideRectangle
// at that point, and neither end in the obstacle's plane (LiesInPlane). False, with point
// untouched, when any of them fails; each test decides exactly as the separate one does.
bool CrossesObstacle(const CObstacle& o, const CPathLine& p, CMVector& point);

// The diffraction record of an obstacle met by the path s->r at the crossing point c.
CDiffractionPoint MakeDiffractionRecord(const CObstacle& o, const CMVector& s, const CMVector& r, const CMVector& c);
// The same appended to records (made in place, without a blank record first).
CDiffractionPoint& AppendDiffractionRecord(const CObstacle& o, const CPathLine& p, const CMVector& c,
                                           std::vector<CDiffractionPoint>& records);

// The point is an absent diffraction point; the value an undetermined ranking value.
constexpr double kAbsentHeight = -1.0;
constexpr double kUndeterminedRank = -999.0;
inline bool IsAbsent(const CMVector& p) { return p.z == kAbsentHeight; }

// A top edge within this height (m) of the line of sight where the path crosses its plane
// lies on it, and counts as not above it: the last bits of the crossing point's rounding
// never decide between the cases of an edge above and below.
constexpr double kOnLineOfSight = 1e-6;

// A top ranking value belongs to an edge above the line of sight: it carries no minus sign.
// An edge on or below the line has its value negated, also when that value is zero.
inline bool IsAboveLineOfSight(double rank) { return !std::signbit(rank); }

// Edges whose angles differ by less than this (rad) rank equal, so that the record met
// first keeps the place: adjacent walls offer their shared corner alike, and the tops of
// two deck barriers of one height may be seen under one angle up to the rounding.
constexpr double kRankAngleTolerance = 1e-9;

// The signed angle (rad) of a ranking value 1 - cos(angle), negative for a negated value.
double RankAngle(double rank);

// The angles of two ranking values differ by kRankAngleTolerance or more.
bool RankAnglesApart(double a, double b);

// Ranking value a ranks above b: its angle exceeds b's by kRankAngleTolerance or more.
inline bool RanksAbove(double a, double b)
{
    // The angle grows at least as fast as its ranking value (d(1 - cos a)/da = sin a <= 1),
    // so values that differ by the tolerance or more differ by as much in angle.
    if (a - b >= kRankAngleTolerance)
        return true;
    if (!(a > b))
        return false;
    return RankAnglesApart(a, b);
}
