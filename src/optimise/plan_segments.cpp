#include "optimise/plan_segments.h"

#include <algorithm>
#include <cmath>

namespace {

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

double PointToSegment(const CMVector& p, const CMVector& a, const CMVector& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The closed segments p->q and a->b have a point in common (collinear overlaps included).
bool ClosedSegmentsMeet(const CMVector& p, const CMVector& q, const CMVector& a, const CMVector& b)
{
    const double d1 = Cross(q.x - p.x, q.y - p.y, a.x - p.x, a.y - p.y);
    const double d2 = Cross(q.x - p.x, q.y - p.y, b.x - p.x, b.y - p.y);
    const double d3 = Cross(b.x - a.x, b.y - a.y, p.x - a.x, p.y - a.y);
    const double d4 = Cross(b.x - a.x, b.y - a.y, q.x - a.x, q.y - a.y);
    return ((d1 <= 0 && d2 >= 0) || (d1 >= 0 && d2 <= 0)) && ((d3 <= 0 && d4 >= 0) || (d3 >= 0 && d4 <= 0));
}

}  // namespace

double PlanSegmentDistance(const CMVector& p, const CMVector& q, const CPlanSegment& s)
{
    if (ClosedSegmentsMeet(p, q, s.a, s.b))
        return 0.0;
    return std::min({PointToSegment(p, s.a, s.b), PointToSegment(q, s.a, s.b), PointToSegment(s.a, p, q),
                     PointToSegment(s.b, p, q)});
}

CMVector MirrorInPlan(const CMVector& p, const CPlanSegment& s)
{
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double len = std::hypot(dx, dy);
    if (!(len > 0.0))
        return p;
    const double nx = -dy / len, ny = dx / len;
    const double toPlane = (p.x - s.a.x) * nx + (p.y - s.a.y) * ny;
    return {p.x - 2.0 * toPlane * nx, p.y - 2.0 * toPlane * ny, p.z};
}
