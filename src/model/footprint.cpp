#include "model/footprint.h"

#include <algorithm>
#include <cmath>

namespace {

double Orient(const CMVector& a, const CMVector& b, const CMVector& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool SamePlan(const CMVector& a, const CMVector& b) { return a.x == b.x && a.y == b.y; }

// c lies in the bounding box of a-b (used when the three are on one line).
bool WithinBox(const CMVector& a, const CMVector& b, const CMVector& c)
{
    return std::min(a.x, b.x) <= c.x && c.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= c.y &&
           c.y <= std::max(a.y, b.y);
}

// The closed segments a-b and c-d share at least one point.
bool SegmentsMeet(const CMVector& a, const CMVector& b, const CMVector& c, const CMVector& d)
{
    const double o1 = Orient(a, b, c), o2 = Orient(a, b, d), o3 = Orient(c, d, a), o4 = Orient(c, d, b);
    if (((o1 > 0 && o2 < 0) || (o1 < 0 && o2 > 0)) && ((o3 > 0 && o4 < 0) || (o3 < 0 && o4 > 0)))
        return true;
    return (o1 == 0 && WithinBox(a, b, c)) || (o2 == 0 && WithinBox(a, b, d)) || (o3 == 0 && WithinBox(c, d, a)) ||
           (o4 == 0 && WithinBox(c, d, b));
}

// The open segments cross at one point inside both (not at an end, not along a line).
bool SegmentsCrossProperly(const CMVector& a, const CMVector& b, const CMVector& c, const CMVector& d)
{
    const double o1 = Orient(a, b, c), o2 = Orient(a, b, d), o3 = Orient(c, d, a), o4 = Orient(c, d, b);
    return ((o1 > 0 && o2 < 0) || (o1 < 0 && o2 > 0)) && ((o3 > 0 && o4 < 0) || (o3 < 0 && o4 > 0));
}

// Neighbouring edges a-b and b-c fold back: c lies on the line of a-b, on a's side of b.
bool FoldsBack(const CMVector& a, const CMVector& b, const CMVector& c)
{
    return Orient(a, b, c) == 0 && Dot(a - b, c - b) > 0;
}

double PointSegmentDistance(const CMVector& p, const CMVector& a, const CMVector& b)
{
    const CMVector ab(b.x - a.x, b.y - a.y, 0), ap(p.x - a.x, p.y - a.y, 0);
    const double len2 = Dot(ab, ab);
    const double t = len2 > 0 ? std::clamp(Dot(ap, ab) / len2, 0.0, 1.0) : 0.0;
    return PlanLength(ap - ab * t);
}

bool AnyVertexInside(const std::vector<CMVector>& of, const std::vector<CMVector>& in)
{
    const std::size_t n = of.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CMVector& a = of[i];
        const CMVector& b = of[(i + 1) % n];
        if (StrictlyInside(in, a) || StrictlyInside(in, (a + b) * 0.5))
            return true;
    }
    return false;
}

// A point just inside `of` beside the middle of each of its edges that is also inside `in`:
// finds rings that coincide, where every vertex and edge of one lies on the other.
bool AnyInnerPointShared(const std::vector<CMVector>& of, const std::vector<CMVector>& in)
{
    const std::size_t n = of.size();
    const double orientation = SignedDoubleArea(of);
    for (std::size_t i = 0; i < n; ++i) {
        const CMVector& a = of[i];
        const CMVector& b = of[(i + 1) % n];
        const double step = std::max(1e-6, 1e-6 * PlanLength(b - a));
        const CMVector p = (a + b) * 0.5 - OutwardNormal(a, b, orientation) * step;
        if (StrictlyInside(of, p) && StrictlyInside(in, p))
            return true;
    }
    return false;
}

}  // namespace

std::vector<CMVector> CleanFootprint(const std::vector<CMVector>& ring)
{
    std::vector<CMVector> out;
    for (const CMVector& v : ring) {
        const CMVector p(v.x, v.y, 0.0);
        if (out.empty() || !SamePlan(out.back(), p))
            out.push_back(p);
    }
    while (out.size() > 1 && SamePlan(out.front(), out.back()))
        out.pop_back();
    return out;
}

double SignedDoubleArea(const std::vector<CMVector>& ring)
{
    double sum = 0;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CMVector& a = ring[i];
        const CMVector& b = ring[(i + 1) % n];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

bool HasArea(const std::vector<CMVector>& ring)
{
    if (ring.size() < 3)
        return false;
    for (std::size_t i = 2; i < ring.size(); ++i)
        if (Orient(ring[0], ring[1], ring[i]) != 0)
            return true;
    return false;
}

bool SelfCrosses(const std::vector<CMVector>& ring)
{
    const std::size_t n = ring.size();
    if (n < 3)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const CMVector& a = ring[i];
        const CMVector& b = ring[(i + 1) % n];
        if (FoldsBack(a, b, ring[(i + 2) % n]))
            return true;
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue;  // the closing edge neighbours the first
            if (SegmentsMeet(a, b, ring[j], ring[(j + 1) % n]))
                return true;
        }
    }
    return false;
}

bool StrictlyInside(const std::vector<CMVector>& ring, const CMVector& p)
{
    if (ring.size() < 3 || OnBoundary(ring, p))
        return false;
    bool inside = false;
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const CMVector& a = ring[i];
        const CMVector& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

bool OnBoundary(const std::vector<CMVector>& ring, const CMVector& p, double tolerance)
{
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i)
        if (PointSegmentDistance(p, ring[i], ring[(i + 1) % n]) <= tolerance)
            return true;
    return false;
}

bool FootprintsOverlap(const std::vector<CMVector>& a, const std::vector<CMVector>& b)
{
    if (a.size() < 3 || b.size() < 3)
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            if (SegmentsCrossProperly(a[i], a[(i + 1) % a.size()], b[j], b[(j + 1) % b.size()]))
                return true;
    return AnyVertexInside(a, b) || AnyVertexInside(b, a) || AnyInnerPointShared(a, b) || AnyInnerPointShared(b, a);
}

CMVector OutwardNormal(const CMVector& a, const CMVector& b, double orientation)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len = std::hypot(dx, dy);
    if (!(len > 0))
        return {};
    // Anticlockwise rings have their outside on the right of each edge.
    return orientation > 0 ? CMVector(dy / len, -dx / len, 0.0) : CMVector(-dy / len, dx / len, 0.0);
}
