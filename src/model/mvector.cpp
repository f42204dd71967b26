#include "model/mvector.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

double CMVector::element(int i) const
{
    switch (((i % 3) + 3) % 3) {
    case 0: return x;
    case 1: return y;
    default: return z;
    }
}

double PlanHeading(double dx, double dy)
{
    const double len = std::sqrt(dx * dx + dy * dy);
    if (!(len > 0.0))
        return 0.0;
    const double c = std::clamp(dx / len, -1.0, 1.0);
    return dy > 0.0 ? std::acos(c) : -std::acos(c);
}

double AngleBetween(const CMVector& a, const CMVector& b)
{
    const double la = Length(a), lb = Length(b);
    if (!(la > 0.0) || !(lb > 0.0))
        return 0.0;
    return std::acos(std::clamp(Dot(a, b) / (la * lb), -1.0, 1.0));
}

static_assert(std::is_trivially_copyable_v<CMVector>);
