#include "engine/propagation_diffraction.h"

#include <cmath>

#include "engine/propagation_obstacle.h"

namespace {

constexpr double kSameTolerance = 1e-5;

// 10*lg(3 + (20/lambda)*C*z*K), eq. (14).
double BarrierTerm(double wavelength, double czk) { return 10.0 * std::log10(3.0 + 20.0 / wavelength * czk); }

// K_met of eq. (18); 1 for a path difference not above 0.
double MeteoFactor(double a, double b, double d, double z)
{
    if (!(z > 0.0))
        return 1.0;
    return std::exp(-0.0005 * std::sqrt(a * b * d / (2.0 * z)));
}

struct PathLengths {
    double sd1, d1r, sd2, d2r, e, d;
};

PathLengths MeasurePath(const CMVector& s, const CMVector& r, const CPathPoints& p)
{
    return {Length(s - p.m_vD1), Length(p.m_vD1 - r),       Length(s - p.m_vD2),
            Length(p.m_vD2 - r), Length(p.m_vD1 - p.m_vD2), Length(s - r)};
}

CTopResult SingleAbove(const PathLengths& l, double wavelength, double ground)
{
    const double z = l.sd1 + l.d1r - l.d;
    const double kmet = MeteoFactor(l.sd1, l.d1r, l.d, z);
    return {BarrierTerm(wavelength, z * kmet) - ground, ETopCase::kSingleAbove, true};
}

// The line of sight passes above the edge: z <= 0 and a small or no screening.
CTopResult SingleBelow(const PathLengths& l, double wavelength, double ground)
{
    const double z = l.d - l.sd1 - l.d1r;
    const double x = 20.0 / wavelength * z;
    if (x < -1.0 || 3.0 + x <= 0.0)
        return {0.0, ETopCase::kSingleBelow, false};
    return {BarrierTerm(wavelength, z) - ground, ETopCase::kSingleBelow, true};
}

CTopResult TwoBelow(const PathLengths& l, double wavelength, double ground)
{
    const double z = l.d - (l.sd1 + l.e + l.d2r);
    const double k = z <= 0.0 ? 1.0 : 0.0;
    const double x = 20.0 / wavelength * MultipleEdgeFactor(wavelength, l.e) * z;
    if (x < -1.0 || 3.0 + x * k <= 0.0)
        return {0.0, ETopCase::kTwoBelow, false};
    return {10.0 * std::log10(3.0 + x * k) - ground, ETopCase::kTwoBelow, true};
}

CTopResult TwoOther(const PathLengths& l, double wavelength, double ground)
{
    const double z = l.sd1 + l.e + l.d2r - l.d;
    const double kmet = MeteoFactor(l.sd1, l.d2r, l.d, z);
    const double c3 = MultipleEdgeFactor(wavelength, l.e);
    return {BarrierTerm(wavelength, c3 * z * kmet) - ground, ETopCase::kTwoOther, true};
}

}  // namespace

bool SamePoint(const CMVector& a, const CMVector& b)
{
    return std::abs(a.x - b.x) < kSameTolerance && std::abs(a.y - b.y) < kSameTolerance &&
           std::abs(a.z - b.z) < kSameTolerance;
}

double MultipleEdgeFactor(double wavelength, double e)
{
    const double ratio = 5.0 * wavelength / e;
    return (1.0 + ratio * ratio) / (1.0 / 3.0 + ratio * ratio);
}

CLateralResult LateralPathAttenuation(const CMVector& s, const CMVector& r, const CPathPoints& p, double wavelength)
{
    if (!p.m_bFound || IsAbsent(p.m_vD1) || IsAbsent(p.m_vD2))
        return {0.0, ELateralCase::kMissing};
    const PathLengths l = MeasurePath(s, r, p);
    if (SamePoint(p.m_vD1, p.m_vD2))
        return {BarrierTerm(wavelength, l.sd1 + l.d1r - l.d), ELateralCase::kSingle};
    const double z = l.sd1 + l.e + l.d2r - l.d;
    return {BarrierTerm(wavelength, MultipleEdgeFactor(wavelength, l.e) * z), ELateralCase::kDouble};
}

CTopResult TopPathAttenuation(const CMVector& s, const CMVector& r, const CPathPoints& p, double wavelength,
                              double groundBand)
{
    if (!p.m_bFound)
        return {0.0, ETopCase::kMissing, false};
    if (p.m_dRank1 == kUndeterminedRank || p.m_dRank2 == kUndeterminedRank)
        return {kNoPath, ETopCase::kUndetermined, false};
    if (IsAbsent(p.m_vD1) || IsAbsent(p.m_vD2))
        return {0.0, ETopCase::kMissing, false};
    const PathLengths l = MeasurePath(s, r, p);
    if (SamePoint(p.m_vD1, p.m_vD2))
        return p.m_dRank1 >= 0.0 ? SingleAbove(l, wavelength, groundBand) : SingleBelow(l, wavelength, groundBand);
    if (p.m_dRank1 < 0.0 && p.m_dRank2 < 0.0)
        return TwoBelow(l, wavelength, groundBand);
    return TwoOther(l, wavelength, groundBand);
}
