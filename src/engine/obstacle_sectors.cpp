#include "engine/obstacle_sectors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEndAllowance = 0.05;    // m beyond each end; CrossesInPlan allows 0.01
constexpr double kNearReceiver = 1.0;     // m: closer lines are listed in every sector
constexpr double kHalfTurnMargin = 0.01;  // rad
constexpr double kAngleMargin = 1e-5;     // rad: five times CoarseAngle's largest error

int SectorOf(double angle)
{
    const double turn = (angle + std::numbers::pi) / (2.0 * std::numbers::pi);
    if (!(turn > 0.0))  // also NaN
        return 0;
    // Above 0 the conversion's truncation is the floor.
    const int k = turn < 1.0 ? static_cast<int>(turn * CObstacleSectors::kSectorCount) : CObstacleSectors::kSectorCount;
    return std::min(k, CObstacleSectors::kSectorCount - 1);
}

// atan2 within 2e-6 rad (1.7e-6 at the most): the arcs of the obstacles are widened by more
// than a direction's error and an arc end's together.
// NaN for a direction that cannot be formed (both components 0, or not finite).
double CoarseAngle(double y, double x)
{
    const double ax = std::abs(x), ay = std::abs(y);
    const double a = std::min(ax, ay) / std::max(ax, ay);
    const double a2 = a * a;
    double angle =
        a * (0.99997726 +
             a2 * (-0.33262347 + a2 * (0.19354346 + a2 * (-0.11643287 + a2 * (0.05265332 + a2 * -0.01172120)))));
    if (ay > ax)
        angle = std::numbers::pi / 2.0 - angle;
    if (x < 0.0)
        angle = std::numbers::pi - angle;
    return y < 0.0 ? -angle : angle;
}

double PlanDistanceToSegment(const CMVector& p, const CMVector& a, const CMVector& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

CObstacleSectors::Arc CObstacleSectors::ArcOf(const CObstacle& o) const
{
    constexpr Arc kEverySector{0, kSectorCount};
    const CMVector& receiver = m_vReceiver;
    const double length = o.PlanLength();
    const double ux = length > 0.0 ? (o.m_vEnd.x - o.m_vStart.x) / length : 0.0;
    const double uy = length > 0.0 ? (o.m_vEnd.y - o.m_vStart.y) / length : 0.0;
    const CMVector a(o.m_vStart.x - ux * kEndAllowance, o.m_vStart.y - uy * kEndAllowance, 0.0);
    const CMVector b(o.m_vEnd.x + ux * kEndAllowance, o.m_vEnd.y + uy * kEndAllowance, 0.0);
    const double near = PlanDistanceToSegment(receiver, a, b);
    if (!(near >= kNearReceiver))  // also a line of no finite position
        return kEverySector;
    // The ends' directions as the paths' own are found (CoarseAngle): each within 2e-6 rad, so
    // the widened arc holds every direction that meets the line.
    double from = CoarseAngle(a.y - receiver.y, a.x - receiver.x);
    double to = CoarseAngle(b.y - receiver.y, b.x - receiver.x);
    // The line is seen under less than half a turn: the arc runs anticlockwise from the end
    // seen first. A line seen under nearly half a turn (or at no finite angle) is listed
    // everywhere, so that the rounding of the ends never turns its arc the wrong way round.
    double turn = to - from;
    if (turn > std::numbers::pi)
        turn -= 2.0 * std::numbers::pi;
    else if (turn < -std::numbers::pi)
        turn += 2.0 * std::numbers::pi;
    if (!(std::abs(turn) < std::numbers::pi - kHalfTurnMargin))
        return kEverySector;
    if (turn < 0.0)
        std::swap(from, to);
    // Every sector the arc touches, widened at both ends by more than the two angles' errors
    // together (the ends' and the path's own).
    from -= kAngleMargin;
    to += kAngleMargin;
    if (from < -std::numbers::pi)
        from += 2.0 * std::numbers::pi;
    if (to > std::numbers::pi)
        to -= 2.0 * std::numbers::pi;
    const int first = SectorOf(from), last = SectorOf(to);
    return {first, std::min(kSectorCount, (last - first + kSectorCount) % kSectorCount + 1)};
}

namespace {

// Calls f(k) for every sector k of the arc, in two runs where it wraps round.
template <class F>
void ForEachSector(int first, int count, F f)
{
    const int end = first + count;
    for (int k = first; k < std::min(end, CObstacleSectors::kSectorCount); ++k)
        f(k);
    for (int k = 0; k < end - CObstacleSectors::kSectorCount; ++k)
        f(k);
}

}  // namespace

void CObstacleSectors::Build(const std::vector<CObstacle>& obstacles, const CMVector& receiver)
{
    m_vReceiver = receiver;
    const int n = static_cast<int>(obstacles.size());
    m_arrAll.resize(n);
    m_arrArc.resize(n);
    std::array<int, kSectorCount> count{};
    for (int i = 0; i < n; ++i) {
        m_arrAll[i] = i;
        const Arc arc = m_arrArc[i] = ArcOf(obstacles[i]);
        ForEachSector(arc.first, arc.count, [&count](int k) { ++count[k]; });
    }
    m_arrStart[0] = 0;
    for (int k = 0; k < kSectorCount; ++k)
        m_arrStart[k + 1] = m_arrStart[k] + count[k];
    m_arrList.resize(m_arrStart[kSectorCount]);
    std::array<int, kSectorCount> next{};
    std::copy(m_arrStart.begin(), m_arrStart.end() - 1, next.begin());
    for (int i = 0; i < n; ++i)  // in the obstacles' order: every list ascends
        ForEachSector(m_arrArc[i].first, m_arrArc[i].count, [&](int k) { m_arrList[next[k]++] = i; });
}

std::span<const int> CObstacleSectors::Candidates(const CMVector& s) const
{
    const double angle = CoarseAngle(s.y - m_vReceiver.y, s.x - m_vReceiver.x);
    if (!std::isfinite(angle))
        return m_arrAll;
    const int k = SectorOf(angle);
    return {m_arrList.data() + m_arrStart[k], m_arrList.data() + m_arrStart[k + 1]};
}
