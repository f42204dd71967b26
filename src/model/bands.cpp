#include "model/bands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

bool HasEnergy(double level) { return std::isfinite(level); }

double EnergyAdd(double a, double b)
{
    const bool ha = HasEnergy(a), hb = HasEnergy(b);
    if (!ha)
        return hb ? b : kNoEnergy;
    if (!hb)
        return a;
    // Factor out the larger level so that very high or low levels cannot overflow.
    const double hi = std::max(a, b), lo = std::min(a, b);
    return hi + 10.0 * std::log10(1.0 + std::pow(10.0, (lo - hi) / 10.0));
}

double EnergySum(const Bands& levels)
{
    double sum = kNoEnergy;
    for (double l : levels)
        sum = EnergyAdd(sum, l);
    return sum;
}

std::string FormatFixed2(double value)
{
    char buf[512];  // "%.2f" of the largest double takes 312 characters
    const int n = std::snprintf(buf, sizeof buf, "%.2f", value);
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string FormatLevel(double level) { return HasEnergy(level) ? FormatFixed2(level) : kNoEnergyMark; }

double LengthTerm(double length) { return 10.0 * std::log10(length); }

Bands PerMetreLevels(const Bands& stored, double length)
{
    Bands perMetre{};
    for (std::size_t j = 0; j < kBandCount; ++j)
        perMetre[j] = HasEnergy(stored[j]) && length > 0.0 ? stored[j] - LengthTerm(length) : kNoEnergy;
    return perMetre;
}
