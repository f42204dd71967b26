#include "engine/reflector_bounds.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Far more than the rounding of the image and crossing computations of FindReflection.
constexpr double kSlack = 1e-6;  // m
// A run's box is passed over only when it lies farther than this from every line that
// bounds where a source may reflect: far more than the rounding of MayReflect's crossing.
constexpr double kConeSlack = 1e-4;  // m
// An image this near the reflector's line (a receiver in or by its plane) leaves the cone
// in doubt: every run keeps the reflector.
constexpr double kImageNearLine = 0.1;  // m

// The lowest and highest value over a box of a * (x - x0) + b * (y - y0).
void LinearRange(double a, double b, double dx0, double dx1, double dy0, double dy1, double& lo, double& hi)
{
    const double x0 = a * dx0, x1 = a * dx1, y0 = b * dy0, y1 = b * dy1;
    lo = std::min(x0, x1) + std::min(y0, y1);
    hi = std::max(x0, x1) + std::max(y0, y1);
}

// No point of the box (its sides relative to the image) lies in the cone or near its lines:
// the box lies beyond both lines I-E on one side, and clear of the line along the reflector.
bool OutsideCone(const CReflectionCone& c, double dx0, double dx1, double dy0, double dy1)
{
    double lo = 0, hi = 0;
    LinearRange(c.a[0], c.b[0], dx0, dx1, dy0, dy1, lo, hi);
    const bool above = lo > c.slack[0];
    if (!above && !(hi < -c.slack[0]))
        return false;
    LinearRange(c.a[1], c.b[1], dx0, dx1, dy0, dy1, lo, hi);
    if (above ? !(lo > c.slack[1]) : !(hi < -c.slack[1]))
        return false;
    LinearRange(c.a[2], c.b[2], dx0, dx1, dy0, dy1, lo, hi);
    return lo > c.slack[2] || hi < -c.slack[2];
}

}  // namespace

void CReflectorBounds::Build(const std::vector<CReflector>& reflectors, int first, const CMVector& r)
{
    m_arrIndex.clear();
    m_arrBound.clear();
    m_arrRunBits.clear();
    for (int i = first; i < static_cast<int>(reflectors.size()); ++i) {
        const CReflector& f = reflectors[i];
        const CObstacle& rect = f.m_rect;
        const double length = rect.PlanLength();
        if (!(length > 0.0))
            continue;  // no plane, no hit
        const double toR = (r.x - rect.m_vStart.x) * f.m_vNormal.x + (r.y - rect.m_vStart.y) * f.m_vNormal.y;
        if (f.m_bOuterFaceOnly &&
            !((r.x - rect.m_vStart.x) * f.m_vOuter.x + (r.y - rect.m_vStart.y) * f.m_vOuter.y > 0.0))
            continue;  // behind or in the plane: the image path cannot reach it from outside
        Bound b;
        b.imageX = r.x - 2.0 * toR * f.m_vNormal.x;
        b.imageY = r.y - 2.0 * toR * f.m_vNormal.y;
        b.startX = rect.m_vStart.x;
        b.startY = rect.m_vStart.y;
        b.dirX = (rect.m_vEnd.x - rect.m_vStart.x) / length;
        b.dirY = (rect.m_vEnd.y - rect.m_vStart.y) / length;
        const double margin = f.m_dPlanMargin + kSlack * (1.0 + std::abs(b.startX) + std::abs(b.startY));
        b.from = -margin;
        b.to = length + margin;
        m_arrIndex.push_back(i);
        m_arrBound.push_back(b);
    }
}

void CReflectorBounds::BuildRuns(const std::vector<CRoad_Segment>& pieces)
{
    m_arrRunBits.clear();
    m_arrCone.clear();
    for (const Bound& b : m_arrBound) {
        CReflectionCone c;
        c.imageX = b.imageX;
        c.imageY = b.imageY;
        const double ends[2] = {b.from, b.to};
        for (int e = 0; e < 2; ++e) {
            const double ex = b.startX + b.dirX * ends[e] - c.imageX, ey = b.startY + b.dirY * ends[e] - c.imageY;
            c.a[e] = -ey;  // cross(E - I, s - I)
            c.b[e] = ex;
            c.slack[e] = kConeSlack * std::sqrt(ex * ex + ey * ey);
        }
        c.a[2] = -b.dirY;  // cross(dir, s - I), as MayReflect's denominator
        c.b[2] = b.dirX;
        c.slack[2] = kConeSlack;
        const double imageOff = b.dirX * (c.imageY - b.startY) - b.dirY * (c.imageX - b.startX);
        c.anywhere = !(std::abs(imageOff) > kImageNearLine);
        m_arrCone.push_back(c);
    }
    for (std::size_t first = 0; first < pieces.size(); first += kRunLength) {
        const std::size_t last = std::min(pieces.size(), first + kRunLength);
        double minX = pieces[first].m_dX, maxX = minX, minY = pieces[first].m_dY, maxY = minY;
        bool finite = true;
        for (std::size_t k = first; k < last; ++k) {
            const double x = pieces[k].m_dX, y = pieces[k].m_dY;
            finite = finite && std::isfinite(x) && std::isfinite(y);
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
        for (std::size_t chunk = 0; chunk < Chunks(); ++chunk) {
            std::uint64_t bits = ChunkMask(chunk);
            for (std::uint64_t rest = finite ? bits : 0; rest != 0; rest &= rest - 1) {
                const int k = std::countr_zero(rest);
                const CReflectionCone& c = m_arrCone[64 * chunk + static_cast<std::size_t>(k)];
                if (!c.anywhere && OutsideCone(c, minX - c.imageX, maxX - c.imageX, minY - c.imageY, maxY - c.imageY))
                    bits &= ~(std::uint64_t{1} << k);
            }
            m_arrRunBits.push_back(bits);
        }
    }
}
