#include "engine/propagation_reflection.h"

#include <cmath>

namespace {

CMVector UnitNormal(const CObstacle& rect)
{
    const CMVector n(-(rect.m_vEnd.y - rect.m_vStart.y), rect.m_vEnd.x - rect.m_vStart.x, 0.0);
    const double len = Length(n);
    return len > 0.0 ? n / len : n;
}

}  // namespace

CReflectionHit FindReflection(const CObstacle& rect, const CMVector& s, const CMVector& r)
{
    CReflectionHit hit;
    const CMVector n = UnitNormal(rect);
    if (!(Length(n) > 0.0))
        return hit;
    const CMVector p1(rect.m_vStart.x, rect.m_vStart.y, 0.0);
    hit.m_vImage = s - n * (2.0 * Dot(s - p1, n));
    const CPlaneCrossing c = CrossPlane(rect, hit.m_vImage, r);
    hit.m_vPoint = c.m_vPoint;
    hit.m_bHit = c.m_bCrosses && InsideRectangle(rect, c.m_vPoint);
    return hit;
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
