#include "drawing/scale_marks.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kMantissas[] = {1, 2, 5};

bool Usable(double limit) { return std::isfinite(limit) && limit > 0; }

}  // namespace

double RoundLengthAtMost(double limit)
{
    if (!Usable(limit))
        return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(limit)));
    double best = decade;
    for (double m : kMantissas)
        if (m * decade <= limit * (1 + 1e-12))
            best = m * decade;
    return best;
}

double RoundLengthAtLeast(double limit)
{
    if (!Usable(limit))
        return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(limit)));
    for (double m : kMantissas)
        if (m * decade >= limit * (1 - 1e-12))
            return m * decade;
    return 10 * decade;
}

std::vector<double> TickValues(double lo, double hi, double step)
{
    std::vector<double> ticks;
    if (!Usable(step) || !std::isfinite(lo) || !std::isfinite(hi) || hi < lo || (hi - lo) / step > kMaxTicks)
        return ticks;
    for (double k = std::ceil(lo / step); k * step <= hi; k += 1)
        ticks.push_back(k * step == 0 ? 0.0 : k * step);  // no "-0"
    return ticks;
}

std::string FormatMetres(double metres)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g m", std::abs(metres) < 1e-9 ? 0.0 : metres);
    return text;
}
