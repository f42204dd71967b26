#pragma once

// Obstacles of the screening and the geometric tests made on them. Pure: safe on
// any thread.

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
bool PlanBoxesApart(const CObstacle& o, const CMVector& a, const CMVector& b, double margin = 0.05);

// The point lies within 1e-6 m (in plan) of the obstacle's vertical plane, so in it: a path
// from such a point is neither screened nor reflected by the obstacle, whatever the rounding
// of the obstacle's heading (the pieces of a bridge lie in the plane of its own centre
// barrier). A plane of no plan length contains no point.
bool LiesInPlane(const CObstacle& o, const CMVector& p);

// The diffraction record of an obstacle met by the path s->r at the crossing point c.
CDiffractionPoint MakeDiffractionRecord(const CObstacle& o, const CMVector& s, const CMVector& r, const CMVector& c);

// The point is an absent diffraction point; the value an undetermined ranking value.
constexpr double kAbsentHeight = -1.0;
constexpr double kUndeterminedRank = -999.0;
inline bool IsAbsent(const CMVector& p) { return p.z == kAbsentHeight; }
