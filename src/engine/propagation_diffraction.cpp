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

// One edge: the legs s-D1, D1-r and the direct distance d.
CTopGeometry SingleEdge(const CMVector& s, const CMVector& r, double d, const CMVector& d1, double rank1)
{
    const double sd1 = Length(s - d1), d1r = Length(d1 - r);
    if (IsAboveLineOfSight(rank1)) {
        const double z = sd1 + d1r - d;
        return {ETopCase::kSingleAbove, z, 0.0, MeteoFactor(sd1, d1r, d, z)};
    }
    return {ETopCase::kSingleBelow, d - sd1 - d1r, 0.0, 1.0};  // z <= 0: the line of sight passes above
}

// Two edges: s-D1, D1-D2, D2-r and the direct distance d.
CTopGeometry TwoEdges(const CMVector& s, const CMVector& r, double d, const CMVector& d1, const CMVector& d2,
                      double rank1, double rank2)
{
    const double sd1 = Length(s - d1), d2r = Length(d2 - r);
    const double e = Length(d1 - d2);
    if (!IsAboveLineOfSight(rank1) && !IsAboveLineOfSight(rank2))
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
    if (!p.m_bFound)
        return {};
    return LateralPathGeometry(s, r, Length(s - r), p.m_vD1, p.m_vD2);
}

CLateralGeometry LateralPathGeometry(const CMVector& s, const CMVector& r, double d, const CMVector& d1,
                                     const CMVector& d2)
{
    if (IsAbsent(d1) || IsAbsent(d2))
        return {};
    const double sd1 = Length(s - d1);
    if (SamePoint(d1, d2))
        return {ELateralCase::kSingle, sd1 + Length(d1 - r) - d, 0.0};
    const double e = Length(d1 - d2);
    return {ELateralCase::kDouble, sd1 + e + Length(d2 - r) - d, e};
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
    return TopPathGeometry(s, r, Length(s - r), p.m_vD1, p.m_vD2, p.m_dRank1, p.m_dRank2);
}

CTopGeometry TopPathGeometry(const CMVector& s, const CMVector& r, double d, const CMVector& d1, const CMVector& d2,
                             double rank1, double rank2)
{
    if (rank1 == kUndeterminedRank || rank2 == kUndeterminedRank)
        return {ETopCase::kUndetermined, 0.0, 0.0, 1.0};
    if (IsAbsent(d1) || IsAbsent(d2))
        return {};
    return SamePoint(d1, d2) ? SingleEdge(s, r, d, d1, rank1) : TwoEdges(s, r, d, d1, d2, rank1, rank2);
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
