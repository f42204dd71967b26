#include "engine/propagation_divergence.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

// Zones of the receiver around a piece's box. (x, y, z) is the receiver relative to the
// piece in the piece's own frame (x along the heading, y across, z up); every bound is
// closed on the side of the box:
//   inside      |x| <= l/2, |y| <= w/2, |z| <= 0.05
//   above/below |x| <= l/2, |y| <= w/2, |z| >  0.05
//   beside      |x| <= l/2, |y| >  w/2   (the long sides); distance to the box |y| - w/2
//   beyond      |x| >  l/2, |y| <= w/2   (the short ends); distance to the box |x| - l/2
//   corner      |x| >  l/2, |y| >  w/2;  distance to the box = distance to its centre
// Above/below also use the distance to the centre in the w/pi test. D1, D2, rho and the
// centre distance are 3-D when |z| > 0.05 and plan distances otherwise.

namespace {

constexpr double kHalfBoxHeight = kPieceBoxHeight / 2.0;

// The divergence's terms as levels (dB) ...
struct LevelTerms {
    static double Acos(double cosine) { return std::acos(cosine); }
    static double Point(double distance) { return 20.0 * std::log10(std::max(1.0, distance)) + 11.0; }
    // Area source term 10*lg(4ab/pi).
    static double Area(double a, double b) { return 10.0 * std::log10(4.0 * a * b / std::numbers::pi); }
    static double Eleven() { return 11.0; }
    // 11 - 10 lg(theta / (rho e)), not below 11.
    static double FiniteLine(double theta, double rho, double e)
    {
        return std::max(11.0, 11.0 - 10.0 * std::log10(theta / (rho * e)));
    }
};

// ... and as energies 10^(-A_div/10), for the sums that never need the level: the same
// cases, without a logarithm.
struct EnergyTerms {
    static constexpr double kEleven = 0.079432823472428150207;  // 10^(-1.1)
    static double Acos(double cosine) { return ArcCosine(cosine); }
    static double Point(double distance)
    {
        const double d = std::max(1.0, distance);
        return kEleven / (d * d);
    }
    static double Area(double a, double b) { return 1.0 / (4.0 * a * b / std::numbers::pi); }
    static double Eleven() { return kEleven; }
    static double FiniteLine(double theta, double rho, double e) { return kEleven * std::min(1.0, theta / (rho * e)); }
};

template <class Terms>
double InsideDivergence(const CPieceBox& box)
{
    // The two largest of the three sides: all but the smallest.
    const double l = box.m_dPieceLength, w = box.m_dWidth, h = kPieceBoxHeight;
    const double smallest = std::min({l, w, h});
    return Terms::Area(std::max(l, w), smallest == h ? std::min(l, w) : h);
}

struct LocalPosition {
    double x, y, z;
};

LocalPosition ToPieceFrame(const CMVector& s, const CMVector& r, const CHeadingTrig& t)
{
    const double dx = r.x - s.x, dy = r.y - s.y;
    const double c = t.m_dCos, sn = t.m_dSin;
    return {dx * c + dy * sn, -dx * sn + dy * c, r.z - s.z};
}

struct EdgeView {
    double d1, d2, rho, edgeLength, centre, toBox, extent;
};

// The distances of the near edge, the diagonal of the box's plan that faces the receiver's
// quadrant, measured in the piece's frame, where its ends are the box's corners.
inline void LocalEdgeView(const LocalPosition& p, const CPieceBox& box, const CHeadingTrig& t, bool in3d, EdgeView& v)
{
    const double hl = box.m_dPieceLength / 2.0, hw = box.m_dWidth / 2.0;
    const bool falling = (p.x >= 0.0 && p.y > 0.0) || (p.x < 0.0 && p.y <= 0.0);
    const double ya = falling ? hw : -hw;
    const double dz2 = in3d ? p.z * p.z : 0.0;
    const double ax = p.x + hl, ay = p.y - ya, bx = p.x - hl, by = p.y + ya;
    v.d1 = std::sqrt(ax * ax + ay * ay + dz2);
    v.d2 = std::sqrt(bx * bx + by * by + dz2);
    const double ux = 2.0 * hl, uy = -2.0 * ya, len = t.m_dDiagonal;
    if (!(len > 0.0)) {
        v.rho = v.d1;
    } else {
        const double across = (ax * uy - ay * ux) / len;
        v.rho = std::sqrt(across * across + dz2);
    }
}

double DistanceToBox(const LocalPosition& p, const CPieceBox& box, double centre)
{
    const double hl = box.m_dPieceLength / 2.0, hw = box.m_dWidth / 2.0;
    const bool alongInside = std::abs(p.x) <= hl, acrossInside = std::abs(p.y) <= hw;
    if (alongInside && !acrossInside)
        return std::abs(p.y) - hw;
    if (!alongInside && acrossInside)
        return std::abs(p.x) - hl;
    return centre;
}

// Finite-line formula: the angle the near edge subtends at the receiver.
template <class Terms>
double FiniteLineDivergence(const EdgeView& v)
{
    const double cosTheta =
        std::clamp((v.d1 * v.d1 + v.d2 * v.d2 - v.edgeLength * v.edgeLength) / (2.0 * v.d1 * v.d2), -1.0, 1.0);
    const double theta = Terms::Acos(cosTheta);
    if (!(theta > 0.0))
        return Terms::Point(v.centre);
    return Terms::FiniteLine(theta, v.rho, v.edgeLength);
}

template <class Terms>
double OutsideDivergence(const EdgeView& v, const CPieceBox& box)
{
    if (v.d1 == 0.0 || v.d2 == 0.0)
        return v.rho != 0.0 ? Terms::Eleven() : Terms::Point(v.centre);
    if (v.rho == 0.0)
        return Terms::Point(v.centre);
    if (v.toBox < box.m_dWidth / std::numbers::pi)
        return Terms::Area(box.m_dWidth, v.extent);
    return FiniteLineDivergence<Terms>(v);
}

// The divergence in the terms asked for, and whether the receiver stood inside the box.
template <class Terms>
std::pair<double, bool> DivergenceIn(const CMVector& s, const CMVector& r, const CPieceBox& box,
                                     const CHeadingTrig& trig)
{
    if (box.m_dWidth <= 0.0)
        return {Terms::Point(std::max(1.0, Length(s - r))), false};

    const LocalPosition p = ToPieceFrame(s, r, trig);
    const bool inPlan = std::abs(p.x) <= box.m_dPieceLength / 2.0 && std::abs(p.y) <= box.m_dWidth / 2.0;
    const bool in3d = std::abs(p.z) > kHalfBoxHeight;
    if (inPlan && !in3d)
        return {InsideDivergence<Terms>(box), true};

    EdgeView v{};
    v.edgeLength = trig.m_dDiagonal;
    LocalEdgeView(p, box, trig, in3d, v);
    const double centre = std::sqrt(p.x * p.x + p.y * p.y + (in3d ? p.z * p.z : 0.0));
    v.centre = centre > 0.0 ? centre : std::max(1.0, Length(s - r));
    v.toBox = inPlan ? centre : DistanceToBox(p, box, centre);
    v.extent = inPlan ? std::max(box.m_dWidth, box.m_dPieceLength) : std::max(kPieceBoxHeight, v.edgeLength);
    return {OutsideDivergence<Terms>(v, box), false};
}

}  // namespace

double ArcCosine(double cosine)
{
    if (!(cosine >= 0.98 && cosine <= 1.0))
        return std::acos(cosine);
    // acos c = 2 asin s with s = sin(acos(c) / 2) = sqrt((1 - c) / 2) <= 0.1; 1 - c is exact.
    const double s = std::sqrt((1.0 - cosine) * 0.5), s2 = s * s;
    // asin s = sum of (2k)! / (4^k (k!)^2 (2k + 1)) s^(2k+1); the first term left out is below
    // 1.2e-18 of the sum.
    const double tail =
        0x1.5555555555555p-3 +
        s2 * (0x1.3333333333333p-4 +
              s2 * (0x1.6db6db6db6db7p-5 +
                    s2 * (0x1.f1c71c71c71c7p-6 +
                          s2 * (0x1.6e8ba2e8ba2e9p-6 + s2 * (0x1.1c4ec4ec4ec4fp-6 + s2 * 0x1.c99999999999ap-7)))));
    return 2.0 * (s + s * s2 * tail);
}

CHeadingTrig HeadingTrig(const CPieceBox& box)
{
    return {std::cos(box.m_dHeading), std::sin(box.m_dHeading), std::hypot(box.m_dPieceLength, box.m_dWidth)};
}

CDivergence Divergence(const CMVector& s, const CMVector& r, const CPieceBox& box)
{
    return Divergence(s, r, box, HeadingTrig(box));
}

CDivergence Divergence(const CMVector& s, const CMVector& r, const CPieceBox& box, const CHeadingTrig& trig)
{
    const auto [value, inside] = DivergenceIn<LevelTerms>(s, r, box, trig);
    return {value, inside};
}

double DivergenceEnergy(const CMVector& s, const CMVector& r, const CPieceBox& box, const CHeadingTrig& trig)
{
    return DivergenceIn<EnergyTerms>(s, r, box, trig).first;
}
