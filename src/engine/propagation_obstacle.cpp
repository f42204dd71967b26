#include "engine/propagation_obstacle.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "engine/band_pairs.h"

namespace {

constexpr double kAreaTolerance = 1e-5;  // m^2
constexpr double kLineTolerance = 0.01;  // m
constexpr double kInPlane = 1e-6;        // m

double PlanCross(const CMVector& a, const CMVector& b) { return a.x * b.y - a.y * b.x; }

CMVector Plan(const CMVector& v) { return {v.x, v.y, 0.0}; }

// The rank of an angle from its cosine: 1 - cos, which grows with the angle from 0 (at 0)
// to 2 (at pi), so it orders edges as the angle itself does, ties included (equal angles
// have equal cosines), without an arc cosine.
double AngleRank(double cosine) { return 1.0 - cosine; }

double TriangleArea(const CMVector& a, const CMVector& b, const CMVector& c)
{
    return 0.5 * Length(Cross(b - a, c - a));
}

CDiffractionPoint EmptyRecord()
{
    CDiffractionPoint rec;
    const CMVector absent(0.0, 0.0, kAbsentHeight);
    rec.m_vTopD1 = rec.m_vTopD2 = absent;
    rec.m_vLeftD1 = rec.m_vLeftD2 = absent;
    rec.m_vRightD1 = rec.m_vRightD2 = absent;
    rec.m_dTopRank1 = rec.m_dTopRank2 = kUndeterminedRank;
    rec.m_dLeftRank1 = rec.m_dLeftRank2 = kUndeterminedRank;
    rec.m_dRightRank1 = rec.m_dRightRank2 = kUndeterminedRank;
    return rec;
}

// Cosine from a dot product and two lengths; NaN when a length is zero (CosineOrNaN).
double CosineOf(double dot, double la, double lb)
{
    if (!(la > 0.0) || !(lb > 0.0))
        return std::nan("");
    return std::clamp(dot / (la * lb), -1.0, 1.0);
}

// Top path: the point of the top line above c, ranked by the angles at s and r; an
// edge not above the line of sight gets negative ranks.
void SetTopPoints(CDiffractionPoint& rec, const CObstacle& o, const CPathLine& p, const CMVector& c)
{
    const CMVector t(c.x, c.y, o.m_dTop);
    const double sign = o.m_dTop <= c.z + kOnLineOfSight ? -1.0 : 1.0;
    const CMVector ts = t - p.s, tr = t - p.r;
    const double atS = CosineOf(Dot(p.r - p.s, ts), p.length, Length(ts));
    const double atR = CosineOf(Dot(p.s - p.r, tr), p.length, Length(tr));
    if (!std::isnan(atS)) {
        rec.m_vTopD1 = t;
        rec.m_dTopRank1 = sign * AngleRank(atS);
    }
    if (!std::isnan(atR)) {
        rec.m_vTopD2 = t;
        rec.m_dTopRank2 = sign * AngleRank(atR);
    }
}

// The fields of one lateral point of a record: a side (left or right of s->r in plan) and
// an end of the path (D1 seen from s, D2 seen from r).
struct LateralSlot {
    CMVector& point;
    double& rank;
    double& extent;
};

template <bool First>
LateralSlot SlotOf(CDiffractionPoint& rec, bool left)
{
    if constexpr (First)
        return left ? LateralSlot{rec.m_vLeftD1, rec.m_dLeftRank1, rec.m_dExtentLeft1}
                    : LateralSlot{rec.m_vRightD1, rec.m_dRightRank1, rec.m_dExtentRight1};
    else
        return left ? LateralSlot{rec.m_vLeftD2, rec.m_dLeftRank2, rec.m_dExtentLeft2}
                    : LateralSlot{rec.m_vRightD2, rec.m_dRightRank2, rec.m_dExtentRight2};
}

// Both lateral ends seen from s (First) or r, the obstacle's start in the first lane and its
// end in the second: the side of the line s->r each lies on, the rank of its plan angle from
// the direction to the other end of the path, and its distance from the line (the extent of
// the obstacle on that side: the distance to the end times the sine of that angle). An end
// without a cosine (at the path's end, or a path of no plan length) sets nothing; the end
// set last keeps a side both fall on. Each lane computes as one end alone would.
template <bool First>
void SetLateralPoints(CDiffractionPoint& rec, BandPair endX, BandPair endY, double z, const CPathLine& p)
{
    const CMVector& from = First ? p.s : p.r;
    const BandPair ex = endX - from.x, ey = endY - from.y;
    const BandPair toOther = First ? p.planDx * ex + p.planDy * ey : -p.planDx * ex + -p.planDy * ey;
    const BandPair toEnd = Sqrt(ex * ex + ey * ey);
    // CosineOf: NaN (nothing set) where a length is not above 0.
    const BandPair cosine = Min(Max(toOther / (p.planLength * toEnd), BandPair{-1.0, -1.0}), BandPair{1.0, 1.0});
    if (!(p.planLength > 0.0))
        return;
    const BandPair rank = 1.0 - cosine;
    const BandPair extent = toEnd * Sqrt(Max(BandPair{0.0, 0.0}, 1.0 - cosine * cosine));
    for (int k = 0; k < 2; ++k) {
        if (!(toEnd[k] > 0.0) || std::isnan(cosine[k]))
            continue;
        const LateralSlot slot = SlotOf<First>(rec, p.planDx * ey[k] - p.planDy * ex[k] > 0.0);
        slot.point = CMVector(endX[k], endY[k], z);
        slot.rank = rank[k];
        slot.extent = extent[k];
    }
}

}  // namespace

double RankAngle(double rank)
{
    // 1 - cos(a) = 2 sin^2(a / 2): the angle without the loss of an arc cosine near 0.
    const double half = std::sqrt(std::clamp(std::abs(rank) / 2.0, 0.0, 1.0));
    return std::copysign(2.0 * std::asin(half), rank);
}

bool RankAnglesApart(double a, double b) { return RankAngle(a) - RankAngle(b) >= kRankAngleTolerance; }

double CObstacle::PlanLength() const { return ::PlanLength(m_vEnd - m_vStart); }

CPlaneCrossing CrossPlane(const CObstacle& o, const CMVector& a, const CMVector& b)
{
    const CMVector n(-(o.m_vEnd.y - o.m_vStart.y), o.m_vEnd.x - o.m_vStart.x, 0.0);
    const double denom = Dot(b - a, n);
    CPlaneCrossing c;
    if (denom == 0.0)
        return c;
    c.m_dT = Dot(Plan(o.m_vStart) - a, n) / denom;
    c.m_bCrosses = c.m_dT > 0.0 && c.m_dT < 1.0;
    c.m_vPoint = a + (b - a) * c.m_dT;
    return c;
}

namespace {

enum class EQuickInside { kInside, kOutside, kUnsure };

// The area test decided from the height and the plan position along the line, for a point
// in the plane well inside the rectangle (its areas sum to the rectangle's up to rounding)
// or well above or below it (the side it lies beyond adds at least its length times the
// distance, far above the tolerance: off the plane the areas only grow).
EQuickInside QuickInside(const CObstacle& o, const CMVector& p, double length)
{
    constexpr double kMargin = 1e-3;     // m, inside
    constexpr double kBeyond = 1e-2;     // m, above or below
    constexpr double kLongEnough = 0.1;  // m: kLongEnough * kBeyond is far above kAreaTolerance
    if (!(o.m_dTop - o.m_dBottom > 2.0 * kMargin))
        return EQuickInside::kUnsure;
    const double dx = o.m_vEnd.x - o.m_vStart.x, dy = o.m_vEnd.y - o.m_vStart.y;
    if (!(length > kLongEnough))
        return EQuickInside::kUnsure;
    if (p.z > o.m_dTop + kBeyond || p.z < o.m_dBottom - kBeyond)
        return EQuickInside::kOutside;
    const double along = ((p.x - o.m_vStart.x) * dx + (p.y - o.m_vStart.y) * dy) / length;
    const double off = std::abs((p.y - o.m_vStart.y) * dx - (p.x - o.m_vStart.x) * dy) / length;
    // Off the plane by off, the four triangles grow by at most half the perimeter times off.
    const bool inPlane = off * (length + (o.m_dTop - o.m_dBottom)) < 0.1 * kAreaTolerance;
    if (inPlane && p.z > o.m_dBottom + kMargin && p.z < o.m_dTop - kMargin && along > kMargin &&
        along < length - kMargin)
        return EQuickInside::kInside;
    return EQuickInside::kUnsure;
}

// InsideRectangle with the obstacle's plan length given.
bool InsideRectangleOfLength(const CObstacle& o, const CMVector& p, double length)
{
    const EQuickInside quick = QuickInside(o, p, length);
    if (quick != EQuickInside::kUnsure)
        return quick == EQuickInside::kInside;
    const CMVector v0(o.m_vStart.x, o.m_vStart.y, o.m_dBottom), v1(o.m_vEnd.x, o.m_vEnd.y, o.m_dBottom);
    const CMVector v2(o.m_vEnd.x, o.m_vEnd.y, o.m_dTop), v3(o.m_vStart.x, o.m_vStart.y, o.m_dTop);
    const double area = length * std::abs(o.m_dTop - o.m_dBottom);
    const double sum =
        TriangleArea(p, v0, v1) + TriangleArea(p, v1, v2) + TriangleArea(p, v2, v3) + TriangleArea(p, v3, v0);
    return sum - area < kAreaTolerance;
}

}  // namespace

bool InsideRectangle(const CObstacle& o, const CMVector& p) { return InsideRectangleOfLength(o, p, o.PlanLength()); }

bool CrossesObstacle(const CObstacle& o, const CPathLine& p, CMVector& point)
{
    const CMVector& a = p.s;
    const CMVector& b = p.r;
    // A path with an end off every finite height crosses no plane (CrossPlane gives NaN).
    if (!p.finiteHeights)
        return false;
    // CrossesInPlan: the plan crossing strictly between the path's ends, near the line.
    const double lx = o.m_vEnd.x - o.m_vStart.x, ly = o.m_vEnd.y - o.m_vStart.y;
    const double denom = p.planDx * ly - p.planDy * lx;
    if (denom == 0.0)
        return false;
    const double fromS = (o.m_vStart.x - a.x) * ly - (o.m_vStart.y - a.y) * lx;
    const double t = fromS / denom;
    if (!(t > 0.0 && t < 1.0))
        return false;
    const double x = a.x + p.planDx * t, y = a.y + p.planDy * t;
    const double ex1 = x - o.m_vStart.x, ey1 = y - o.m_vStart.y, ex2 = x - o.m_vEnd.x, ey2 = y - o.m_vEnd.y;
    const double length = std::sqrt(lx * lx + ly * ly);
    const double slack = std::sqrt(ex1 * ex1 + ey1 * ey1) + std::sqrt(ex2 * ex2 + ey2 * ey2) - length;
    if (!(slack < kLineTolerance))
        return false;
    // LiesInPlane of both ends: fromS is the cross product it takes for s, up to its sign.
    if (std::abs(fromS) / length <= kInPlane)
        return false;
    if (std::abs(lx * (b.y - o.m_vStart.y) - ly * (b.x - o.m_vStart.x)) / length <= kInPlane)
        return false;
    // CrossPlane's point, at the same parameter.
    const CMVector c(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t);
    if (!InsideRectangleOfLength(o, c, length))
        return false;
    point = c;
    return true;
}

bool CrossesInPlan(const CObstacle& o, const CMVector& a, const CMVector& b)
{
    const CMVector ab = Plan(b - a), line = Plan(o.m_vEnd - o.m_vStart);
    const double denom = PlanCross(ab, line);
    if (denom == 0.0)
        return false;
    const double t = PlanCross(Plan(o.m_vStart - a), line) / denom;
    if (!(t > 0.0 && t < 1.0))
        return false;
    const CMVector x = Plan(a) + ab * t;
    const double slack = PlanLength(x - o.m_vStart) + PlanLength(x - o.m_vEnd) - o.PlanLength();
    return slack < kLineTolerance;
}

bool LiesInPlane(const CObstacle& o, const CMVector& p)
{
    const CMVector line = Plan(o.m_vEnd - o.m_vStart);
    const double length = PlanLength(line);
    if (!(length > 0.0))
        return false;
    return std::abs(PlanCross(line, Plan(p - o.m_vStart))) / length <= kInPlane;
}

CPathLine::CPathLine(const CMVector& from, const CMVector& to)
    : s(from),
      r(to),
      length(Length(to - from)),
      planDx(to.x - from.x),
      planDy(to.y - from.y),
      planLength(std::sqrt(planDx * planDx + planDy * planDy))
{
    // As PlanBoxesApart takes them.
    std::tie(minX, maxX) = std::minmax(from.x, to.x);
    std::tie(minY, maxY) = std::minmax(from.y, to.y);
    finiteHeights = std::isfinite(from.z) && std::isfinite(to.z);
}

CDiffractionPoint MakeDiffractionRecord(const CObstacle& o, const CMVector& s, const CMVector& r, const CMVector& c)
{
    std::vector<CDiffractionPoint> one;
    return AppendDiffractionRecord(o, CPathLine(s, r), c, one);
}

CDiffractionPoint& AppendDiffractionRecord(const CObstacle& o, const CPathLine& p, const CMVector& c,
                                           std::vector<CDiffractionPoint>& records)
{
    static const CDiffractionPoint empty = EmptyRecord();
    CDiffractionPoint& rec = records.emplace_back(empty);
    SetTopPoints(rec, o, p, c);
    const BandPair endX{o.m_vStart.x, o.m_vEnd.x}, endY{o.m_vStart.y, o.m_vEnd.y};
    SetLateralPoints<true>(rec, endX, endY, c.z, p);
    SetLateralPoints<false>(rec, endX, endY, c.z, p);
    rec.m_nIndex = o.m_nIndex;
    rec.m_nKind = o.m_nKind;
    return rec;
}
