#include "engine/propagation_ground.h"

#include <algorithm>
#include <cmath>

#include "engine/fast_exp.h"

namespace {

constexpr double kGroundFloor = -6.0;
constexpr double kSourceRegion = -1.5;  // As with Gs = 0

// The distance terms shared by a'..d' (ISO 9613-2, Table 3).
struct DistanceTerms {
    double e1, e2;
};

DistanceTerms MakeDistanceTerms(double dp) { return {1.0 - FastExp(-dp / 50.0), 1.0 - FastExp(-2.8e-6 * dp * dp)}; }

// Receiver-region term of each band (Table 3 with G = Gr); h holds the factors of a'..d'
// that depend on the receiver's height alone.
Bands ReceiverRegion(const CReceiverHeightTerms& h, double gr, double dp)
{
    Bands hard;
    hard.fill(-1.5);
    if (gr == 0.0)  // every term below is finite, so hard ground is -1.5 exactly
        return hard;
    const DistanceTerms t = MakeDistanceTerms(dp);
    Bands ar{};
    ar[0] = -1.5;
    ar[1] = -1.5 + gr * (1.5 + h.m_dA1 * t.e1 + h.m_dA2 * t.e2);
    ar[2] = -1.5 + gr * (1.5 + h.m_dB * t.e1);
    ar[3] = -1.5 + gr * (1.5 + h.m_dC * t.e1);
    ar[4] = -1.5 + gr * (1.5 + h.m_dD * t.e1);
#pragma GCC unroll 3
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

CReceiverHeightTerms ReceiverHeightTerms(double hr)
{
    // a' to d' of Table 3 without their distance factors: 3.0 e^(-0.12 (h - 5)^2) and
    // 5.7 e^(-0.09 h^2) of a', 8.6 e^(-0.09 h^2) of b', 14 e^(-0.46 h^2) of c', 5 e^(-0.9 h^2) of d'.
    CReceiverHeightTerms t;
    t.m_dHeight = hr;
    t.m_dA1 = 3.0 * std::exp(-0.12 * (hr - 5.0) * (hr - 5.0));
    t.m_dA2 = 5.7 * std::exp(-0.09 * hr * hr);
    t.m_dB = 8.6 * std::exp(-0.09 * hr * hr);
    t.m_dC = 14.0 * std::exp(-0.46 * hr * hr);
    t.m_dD = 5.0 * std::exp(-0.9 * hr * hr);
    return t;
}

Bands GroundAttenuation(const CMVector& s, const CMVector& r, double groundAtS, double groundAtR,
                        const CGroundFactors& factors)
{
    return GroundAttenuation(s, r, groundAtS, ReceiverHeightTerms(r.z - groundAtR), factors);
}

Bands GroundAttenuation(const CMVector& s, const CMVector& r, double groundAtS, const CReceiverHeightTerms& receiver,
                        const CGroundFactors& factors)
{
    const double dp = PlanLength(s - r);
    const double hs = std::max(0.0, s.z - groundAtS);
    const double hr = receiver.m_dHeight;  // used as it is, even below the ground
    const double q = GroundMiddleFactor(dp, hs, hr);
    const Bands ar = ReceiverRegion(receiver, factors.m_dArea, dp);

    Bands a{};
    a[0] = -3.0 - 3.0 * q;  // 63 Hz: As + Ar = -3, Am = -3q
    const double middle = 3.0 * q * (1.0 - factors.m_dMiddle);
#pragma GCC unroll 8
    for (int j = 1; j < kBandCount; ++j)
        a[j] = std::max(kSourceRegion + ar[j] - middle, kGroundFloor);
    a[0] = std::max(a[0], kGroundFloor);
    return a;
}
