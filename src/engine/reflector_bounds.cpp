#include "engine/reflector_bounds.h"

#include <cmath>

namespace {

// Far more than the rounding of the image and crossing computations of FindReflection.
constexpr double kSlack = 1e-6;  // m

}  // namespace

void CReflectorBounds::Build(const std::vector<CReflector>& reflectors, int first, const CMVector& r)
{
    m_arrIndex.clear();
    m_arrBound.clear();
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
