#include "engine/propagation_diffraction.h"

#include <cmath>

#include "engine/fast_exp.h"
#include "engine/propagation_obstacle.h"

namespace {

constexpr double kSameTolerance = 1e-5;

// 10*lg(3 + (20/lambda)*C*z*K), eq. (14).
double BarrierTerm(double wavelength, double czk) { return 10.0 * std::log10(BarrierArgument(wavelength, czk)); }

// K_met of eq. (18); 1 for a path difference not above 0.
double MeteoFactor(double a, double b, double d, double z)
{
    if (!(z > 0.0))
        return 1.0;
    return FastExp(-0.0005 * std::sqrt(a * b * d / (2.0 * z)));
}

// One edge: the legs s-D1, D1-r and the direct distance.
CTopGeometry SingleEdge(const CMVector& s, const CMVector& r, const CPathPoints& p)
{
    const double sd1 = Length(s - p.m_vD1), d1r = Length(p.m_vD1 - r), d = Length(s - r);
    if (IsAboveLineOfSight(p.m_dRank1)) {
        const double z = sd1 + d1r - d;
        return {ETopCase::kSingleAbove, z, 0.0, MeteoFactor(sd1, d1r, d, z)};
    }
    return {ETopCase::kSingleBelow, d - sd1 - d1r, 0.0, 1.0};  // z <= 0: the line of sight passes above
}

// Two edges: s-D1, D1-D2, D2-r and the direct distance.
CTopGeometry TwoEdges(const CMVector& s, const CMVector& r, const CPathPoints& p)
{
    const double sd1 = Length(s - p.m_vD1), d2r = Length(p.m_vD2 - r);
    const double e = Length(p.m_vD1 - p.m_vD2), d = Length(s - r);
    if (!IsAboveLineOfSight(p.m_dRank1) && !IsAboveLineOfSight(p.m_dRank2))
        return {ETopCase::kTwoBelow, d - (sd1 + e + d2r), e, 1.0};
    const double z = sd1 + e + d2r - d;
    return {ETopCase::kTwoOther, z, e, MeteoFactor(sd1, d2r, d, z)};
}

}  // namespace

bool SamePoint(const CMVector& a, const CMVector& b)
{
    return std::abs(a.x - b.x) < kSameTolerance && std::abs(a.y - b.y) < kSameTolerance &&
           std::abs(a.z - b.z) < kSameTolerance;
}

CLateralGeometry LateralPathGeometry(const CMVector& s, const CMVector& r, const CPathPoints& p)
{
    if (!p.m_bFound || IsAbsent(p.m_vD1) || IsAbsent(p.m_vD2))
        return {};
    const double d = Length(s - r), sd1 = Length(s - p.m_vD1);
    if (SamePoint(p.m_vD1, p.m_vD2))
        return {ELateralCase::kSingle, sd1 + Length(p.m_vD1 - r) - d, 0.0};
    const double e = Length(p.m_vD1 - p.m_vD2);
    return {ELateralCase::kDouble, sd1 + e + Length(p.m_vD2 - r) - d, e};
}

CLateralResult LateralPathBand(const CLateralGeometry& g, double wavelength)
{
    switch (g.m_eCase) {
    case ELateralCase::kMissing: return {0.0, ELateralCase::kMissing};
    case ELateralCase::kSingle: return {BarrierTerm(wavelength, g.m_dZ), ELateralCase::kSingle};
    case ELateralCase::kDouble:
        return {BarrierTerm(wavelength, MultipleEdgeFactor(wavelength, g.m_dEdge) * g.m_dZ), ELateralCase::kDouble};
    }
    return {};
}

CTopGeometry TopPathGeometry(const CMVector& s, const CMVector& r, const CPathPoints& p)
{
    if (!p.m_bFound)
        return {};
    if (p.m_dRank1 == kUndeterminedRank || p.m_dRank2 == kUndeterminedRank)
        return {ETopCase::kUndetermined, 0.0, 0.0, 1.0};
    if (IsAbsent(p.m_vD1) || IsAbsent(p.m_vD2))
        return {};
    return SamePoint(p.m_vD1, p.m_vD2) ? SingleEdge(s, r, p) : TwoEdges(s, r, p);
}

CTopResult TopPathBand(const CTopGeometry& g, double wavelength, double groundBand)
{
    const CTopTerm t = TopPathTerm(g, wavelength);
    if (t.m_eCase == ETopCase::kUndetermined)
        return {kNoPath, t.m_eCase, false};
    if (!t.m_bScreens)
        return {0.0, t.m_eCase, false};
    return {10.0 * std::log10(t.m_dArgument) - groundBand, t.m_eCase, true};
}

CLateralResult LateralPathAttenuation(const CMVector& s, const CMVector& r, const CPathPoints& p, double wavelength)
{
    return LateralPathBand(LateralPathGeometry(s, r, p), wavelength);
}

CTopResult TopPathAttenuation(const CMVector& s, const CMVector& r, const CPathPoints& p, double wavelength,
                              double groundBand)
{
    return TopPathBand(TopPathGeometry(s, r, p), wavelength, groundBand);
}

double LateralPathEnergyByLogarithm(const CLateralGeometry& g, double wavelength)
{
    return std::pow(10.0, -LateralPathBand(g, wavelength).m_dValue / 10.0);
}
