#include "engine/propagation_reflection.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

CMVector UnitNormal(const CObstacle& rect)
{
    const CMVector n(-(rect.m_vEnd.y - rect.m_vStart.y), rect.m_vEnd.x - rect.m_vStart.x, 0.0);
    const double len = Length(n);
    return len > 0.0 ? n / len : n;
}

// A point of the plane lies in the rectangle when its four triangles exceed the area by
// less than 1e-5 m^2; beyond an upright side by d they exceed it by d times the height,
// so no hit lies farther than 1e-5 m^2 / height outside the plan box (with room to spare).
double PlanMargin(const CObstacle& rect)
{
    const double height = std::abs(rect.m_dTop - rect.m_dBottom);
    return height > 0.0 ? 0.05 + 1e-4 / height : std::numeric_limits<double>::infinity();
}

bool OutsidePlanBox(const CObstacle& rect, const CMVector& p, double margin)
{
    const auto [minX, maxX] = std::minmax(rect.m_vStart.x, rect.m_vEnd.x);
    const auto [minY, maxY] = std::minmax(rect.m_vStart.y, rect.m_vEnd.y);
    return p.x < minX - margin || p.x > maxX + margin || p.y < minY - margin || p.y > maxY + margin;
}

CReflectionHit FindReflectionWith(const CObstacle& rect, const CMVector& n, double margin, const CMVector& s,
                                  const CMVector& r)
{
    CReflectionHit hit;
    if (!(Length(n) > 0.0))
        return hit;
    const CMVector p1(rect.m_vStart.x, rect.m_vStart.y, 0.0);
    // A source in the plane has no image; a receiver in it would meet the image path at
    // itself (where rounding alone would decide whether the path reaches the plane).
    if (LiesInPlane(rect, s) || LiesInPlane(rect, r))
        return hit;
    hit.m_vImage = s - n * (2.0 * Dot(s - p1, n));
    if (PlanBoxesApart(rect, hit.m_vImage, r, margin))
        return hit;
    const CPlaneCrossing c = CrossPlane(rect, hit.m_vImage, r);
    hit.m_vPoint = c.m_vPoint;
    hit.m_bHit = c.m_bCrosses && !OutsidePlanBox(rect, c.m_vPoint, margin) && InsideRectangle(rect, c.m_vPoint);
    return hit;
}

}  // namespace

void PrepareReflector(CReflector& reflector)
{
    reflector.m_vNormal = UnitNormal(reflector.m_rect);
    reflector.m_dPlanMargin = PlanMargin(reflector.m_rect);
    reflector.m_bReflectsSomeBand = false;
    for (int j = 0; j < kBandCount; ++j) {
        const double alpha = reflector.m_dAbsorption[j];
        reflector.m_bReflectsSomeBand = reflector.m_bReflectsSomeBand || !(alpha > 0.8);
        reflector.m_dPowerChange[j] = ReflectedPower(0.0, alpha);
    }
}

CReflectionHit FindReflection(const CObstacle& rect, const CMVector& s, const CMVector& r)
{
    return FindReflectionWith(rect, UnitNormal(rect), PlanMargin(rect), s, r);
}

CReflectionHit FindReflection(const CReflector& reflector, const CMVector& s, const CMVector& r)
{
    if (reflector.m_bOuterFaceOnly) {
        const CMVector& p1 = reflector.m_rect.m_vStart;
        if (!((s.x - p1.x) * reflector.m_vOuter.x + (s.y - p1.y) * reflector.m_vOuter.y > 0.0))
            return {};
    }
    return FindReflectionWith(reflector.m_rect, reflector.m_vNormal, reflector.m_dPlanMargin, s, r);
}

double IncidenceCosine(const CObstacle& rect, const CMVector& s, const CMVector& x)
{
    const CMVector incoming = x - s;
    const double len = Length(incoming);
    if (!(len > 0.0))
        return 0.0;
    return Dot(incoming, UnitNormal(rect)) / len;
}

double ReflectorMinLength(const CObstacle& rect, double maxRoadHeight, double groundAtPoint)
{
    const double plan = rect.PlanLength();
    if (plan < rect.m_dTop - maxRoadHeight)
        return plan;
    return rect.m_dTop - groundAtPoint;
}

bool ReflectionValid(double wavelength, double minLength, double cosBeta, double dso, double dor, double absorption)
{
    if (absorption > 0.8)
        return false;
    const double projected = minLength * cosBeta;
    const double sum = dso + dor;
    if (!(projected * projected > 0.0) || !(sum > 0.0))
        return false;
    const double condition = 2.0 * wavelength / (projected * projected) * dso * dor / sum - 1.0;
    return condition < 0.0;
}

double ReflectedPower(double power, double absorption) { return power + 10.0 * std::log10(1.0 - absorption); }

bool LeftOfSourceLine(const CSourceLine& line, const CMVector& point)
{
    const CMVector toPoint = point - line.m_vStart;
    return line.m_vDirection.x * toPoint.y - line.m_vDirection.y * toPoint.x > 0.0;
}

double CombineSides(double left, double right)
{
    if (left == 0.0)
        return right;
    if (right == 0.0)
        return left;
    return 10.0 * std::log10(std::pow(10.0, left / 10.0) + std::pow(10.0, right / 10.0));
}
