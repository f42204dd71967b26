#include "engine/obstacle_sectors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEndAllowance = 0.05;  // m beyond each end; CrossesInPlan allows 0.01
constexpr double kNearReceiver = 1.0;   // m: closer lines are listed in every sector

int SectorOf(double angle)
{
    const double turn = (angle + std::numbers::pi) / (2.0 * std::numbers::pi);
    const int k = static_cast<int>(std::floor(turn * CObstacleSectors::kSectorCount));
    return std::clamp(k, 0, CObstacleSectors::kSectorCount - 1);
}

// atan2 within 2e-6 rad, far below a sector's 0.049 rad: a direction falls in its own
// sector or a neighbour, and every obstacle is listed in the neighbours of its arc too.
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

void CObstacleSectors::Build(const std::vector<CObstacle>& obstacles, const CMVector& receiver)
{
    m_vReceiver = receiver;
    m_arrAll.clear();
    for (auto& sector : m_arrSector)
        sector.clear();
    for (int i = 0; i < static_cast<int>(obstacles.size()); ++i) {
        m_arrAll.push_back(i);
        const CObstacle& o = obstacles[i];
        const double length = o.PlanLength();
        const double ux = length > 0.0 ? (o.m_vEnd.x - o.m_vStart.x) / length : 0.0;
        const double uy = length > 0.0 ? (o.m_vEnd.y - o.m_vStart.y) / length : 0.0;
        const CMVector a(o.m_vStart.x - ux * kEndAllowance, o.m_vStart.y - uy * kEndAllowance, 0.0);
        const CMVector b(o.m_vEnd.x + ux * kEndAllowance, o.m_vEnd.y + uy * kEndAllowance, 0.0);
        const double near = PlanDistanceToSegment(receiver, a, b);
        if (!(near >= kNearReceiver)) {  // also a line of no finite position
            for (auto& sector : m_arrSector)
                sector.push_back(i);
            continue;
        }
        const double toA = std::atan2(a.y - receiver.y, a.x - receiver.x);
        const double toB = std::atan2(b.y - receiver.y, b.x - receiver.x);
        // The line is seen under less than half a turn: the arc runs anticlockwise from
        // the end seen first.
        const double turn = std::remainder(toB - toA, 2.0 * std::numbers::pi);
        if (!std::isfinite(turn))
            for (auto& sector : m_arrSector)
                sector.push_back(i);
        else if (turn >= 0.0)
            AddArc(i, toA, toB);
        else
            AddArc(i, toB, toA);
    }
}

// Every sector from the one before 'from' anticlockwise to the one after 'to'.
void CObstacleSectors::AddArc(int obstacle, double from, double to)
{
    const int last = (SectorOf(to) + 1) % kSectorCount;
    int k = (SectorOf(from) + kSectorCount - 1) % kSectorCount;
    for (int steps = 0; steps < kSectorCount; ++steps) {
        m_arrSector[k].push_back(obstacle);
        if (k == last)
            break;
        k = (k + 1) % kSectorCount;
    }
}

const std::vector<int>& CObstacleSectors::Candidates(const CMVector& s) const
{
    const double angle = CoarseAngle(s.y - m_vReceiver.y, s.x - m_vReceiver.x);
    return std::isfinite(angle) ? m_arrSector[SectorOf(angle)] : m_arrAll;
}
