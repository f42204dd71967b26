#include "engine/propagation_ground.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kGroundFloor = -6.0;
constexpr double kSourceRegion = -1.5;  // As with Gs = 0

// The distance terms shared by a'..d' (ISO 9613-2, Table 3).
struct DistanceTerms {
    double e1, e2;
};

DistanceTerms MakeDistanceTerms(double dp) { return {1.0 - std::exp(-dp / 50.0), 1.0 - std::exp(-2.8e-6 * dp * dp)}; }

double PrimeA(double h, const DistanceTerms& t)
{
    return 1.5 + 3.0 * std::exp(-0.12 * (h - 5.0) * (h - 5.0)) * t.e1 + 5.7 * std::exp(-0.09 * h * h) * t.e2;
}
double PrimeB(double h, const DistanceTerms& t) { return 1.5 + 8.6 * std::exp(-0.09 * h * h) * t.e1; }
double PrimeC(double h, const DistanceTerms& t) { return 1.5 + 14.0 * std::exp(-0.46 * h * h) * t.e1; }
double PrimeD(double h, const DistanceTerms& t) { return 1.5 + 5.0 * std::exp(-0.9 * h * h) * t.e1; }

// Receiver-region term of each band (Table 3 with G = Gr).
Bands ReceiverRegion(double hr, double gr, double dp)
{
    Bands hard;
    hard.fill(-1.5);
    if (gr == 0.0)  // every term below is finite, so hard ground is -1.5 exactly
        return hard;
    const DistanceTerms t = MakeDistanceTerms(dp);
    Bands ar{};
    ar[0] = -1.5;
    ar[1] = -1.5 + gr * PrimeA(hr, t);
    ar[2] = -1.5 + gr * PrimeB(hr, t);
    ar[3] = -1.5 + gr * PrimeC(hr, t);
    ar[4] = -1.5 + gr * PrimeD(hr, t);
    for (int j = 5; j < kBandCount; ++j)
        ar[j] = -1.5 + 1.5 * gr;
    return ar;
}

}  // namespace

double GroundMiddleFactor(double planDistance, double hs, double hr)
{
    const double limit = 30.0 * (hs + hr);
    if (planDistance <= limit || !(planDistance > 0.0))
        return 0.0;
    return 1.0 - limit / planDistance;
}

Bands GroundAttenuation(const CMVector& s, const CMVector& r, double groundAtS, double groundAtR,
                        const CGroundFactors& factors)
{
    const double dp = PlanLength(s - r);
    const double hs = std::max(0.0, s.z - groundAtS);
    const double hr = r.z - groundAtR;  // used as it is, even below the ground
    const double q = GroundMiddleFactor(dp, hs, hr);
    const Bands ar = ReceiverRegion(hr, factors.m_dArea, dp);

    Bands a{};
    a[0] = -3.0 - 3.0 * q;  // 63 Hz: As + Ar = -3, Am = -3q
    for (int j = 1; j < kBandCount; ++j)
        a[j] = kSourceRegion + ar[j] - 3.0 * q * (1.0 - factors.m_dMiddle);
    for (double& v : a)
        v = std::max(v, kGroundFloor);
    return a;
}
