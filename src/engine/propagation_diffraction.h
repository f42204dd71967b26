#pragma once

// Barrier attenuation of one diffraction path in one band (ISO 9613-2, 7.4, with
// eq. (14) for D_z, (15) for C3 and (18) for K_met). Pure: safe on any thread.

#include "model/mvector.h"

// Value of a path that takes no part in the combination.
constexpr double kNoPath = 999.0;

// The diffraction points chosen for one path in one band.
struct CPathPoints {
    bool m_bFound = false;  // both points were chosen from a record
    CMVector m_vD1, m_vD2;
    double m_dRank1 = 0, m_dRank2 = 0;
};

enum class ELateralCase { kMissing, kSingle, kDouble };

enum class ETopCase {
    kMissing,       // a point is missing: an open path of 0 dB
    kUndetermined,  // a ranking value was not determined: the path keeps 999 dB
    kSingleAbove,   // one edge on or above the line of sight
    kSingleBelow,   // one edge below the line of sight: the lateral paths are ignored
    kTwoBelow,      // two edges, both below the line of sight
    kTwoOther,      // two edges otherwise
};

struct CLateralResult {
    double m_dValue = 0;
    ELateralCase m_eCase = ELateralCase::kMissing;
};

struct CTopResult {
    double m_dValue = kNoPath;
    ETopCase m_eCase = ETopCase::kMissing;
    bool m_bScreens = false;  // computed by a formula and not set to 0 as "no screening"
};

// The two points coincide within 1e-5 m in x, y and z.
bool SamePoint(const CMVector& a, const CMVector& b);

// C3 of ISO 9613-2, eq. (15), for the edge distance e.
inline double MultipleEdgeFactor(double wavelength, double e)
{
    const double ratio = 5.0 * wavelength / e;
    return (1.0 + ratio * ratio) / (1.0 / 3.0 + ratio * ratio);
}

// The argument of the logarithm of eq. (14): 3 + (20/lambda)*C*z*K.
inline double BarrierArgument(double wavelength, double czk) { return 3.0 + 20.0 / wavelength * czk; }

// What a path's band values need of its geometry, measured once for all bands: the case,
// the path difference z (with the sign the case uses), the edge distance e and K_met.
struct CTopGeometry {
    ETopCase m_eCase = ETopCase::kMissing;
    double m_dZ = 0, m_dEdge = 0, m_dMeteo = 1;
};
struct CLateralGeometry {
    ELateralCase m_eCase = ELateralCase::kMissing;
    double m_dZ = 0, m_dEdge = 0;
};

CTopGeometry TopPathGeometry(const CMVector& s, const CMVector& r, const CPathPoints& p);
CLateralGeometry LateralPathGeometry(const CMVector& s, const CMVector& r, const CPathPoints& p);
// The same for points found, with the direct distance d = |s - r| given.
CTopGeometry TopPathGeometry(const CMVector& s, const CMVector& r, double d, const CMVector& d1, const CMVector& d2,
                             double rank1, double rank2);
CLateralGeometry LateralPathGeometry(const CMVector& s, const CMVector& r, double d, const CMVector& d1,
                                     const CMVector& d2);

// The band value of a measured path; groundBand is A_gr of the band, subtracted from D_T
// as ISO 9613-2, eq. (12).
CTopResult TopPathBand(const CTopGeometry& g, double wavelength, double groundBand);

// The band term of a top path before its logarithm: when it screens, D_T = 10 lg A - A_gr,
// so its energy 10^(-D_T/10) is 10^(A_gr/10) / A; otherwise its value is 0 dB, or kNoPath
// for an undetermined path.
struct CTopTerm {
    double m_dArgument = 1.0;  // A
    ETopCase m_eCase = ETopCase::kMissing;
    bool m_bScreens = false;
};
inline CTopTerm TopPathTerm(const CTopGeometry& g, double wavelength);
CLateralResult LateralPathBand(const CLateralGeometry& g, double wavelength);
// 10^(-D/10) of a lateral path's band value D = 10 lg B: 1/B, without the round trip
// through the logarithm (the value of a missing path, 0 dB, is 1).
inline double LateralPathEnergy(const CLateralGeometry& g, double wavelength);

// Both steps at once, for one band.
CLateralResult LateralPathAttenuation(const CMVector& s, const CMVector& r, const CPathPoints& p, double wavelength);
CTopResult TopPathAttenuation(const CMVector& s, const CMVector& r, const CPathPoints& p, double wavelength,
                              double groundBand);

// The band terms are inline: the screening evaluates them eight times per path.

inline CTopTerm TopPathTerm(const CTopGeometry& g, double wavelength)
{
    switch (g.m_eCase) {
    case ETopCase::kMissing: return {1.0, ETopCase::kMissing, false};
    case ETopCase::kUndetermined: return {1.0, ETopCase::kUndetermined, false};
    case ETopCase::kSingleAbove:
        return {BarrierArgument(wavelength, g.m_dZ * g.m_dMeteo), ETopCase::kSingleAbove, true};
    case ETopCase::kSingleBelow: {
        const double x = 20.0 / wavelength * g.m_dZ;
        if (x < -1.0 || 3.0 + x <= 0.0)
            return {1.0, ETopCase::kSingleBelow, false};
        return {BarrierArgument(wavelength, g.m_dZ), ETopCase::kSingleBelow, true};
    }
    case ETopCase::kTwoBelow: {
        const double k = g.m_dZ <= 0.0 ? 1.0 : 0.0;
        const double x = 20.0 / wavelength * MultipleEdgeFactor(wavelength, g.m_dEdge) * g.m_dZ;
        if (x < -1.0 || 3.0 + x * k <= 0.0)
            return {1.0, ETopCase::kTwoBelow, false};
        return {3.0 + x * k, ETopCase::kTwoBelow, true};
    }
    case ETopCase::kTwoOther: {
        const double c3 = MultipleEdgeFactor(wavelength, g.m_dEdge);
        return {BarrierArgument(wavelength, c3 * g.m_dZ * g.m_dMeteo), ETopCase::kTwoOther, true};
    }
    }
    return {};
}

// 10^(-D/10) through the logarithm, for an argument not above 0.
double LateralPathEnergyByLogarithm(const CLateralGeometry& g, double wavelength);

inline double LateralPathEnergy(const CLateralGeometry& g, double wavelength)
{
    double b = 1.0;
    if (g.m_eCase == ELateralCase::kSingle)
        b = BarrierArgument(wavelength, g.m_dZ);
    else if (g.m_eCase == ELateralCase::kDouble)
        b = BarrierArgument(wavelength, MultipleEdgeFactor(wavelength, g.m_dEdge) * g.m_dZ);
    if (b > 0.0)
        return 1.0 / b;
    return LateralPathEnergyByLogarithm(g, wavelength);  // no logarithm: as it gives
}
