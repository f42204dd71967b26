#include "drawing/scene_projection.h"

#include <algorithm>

#include "drawing/section_geometry.h"
#include "model/project_settings.h"

namespace {

constexpr double kPlanHalfExtent = 1.1;      // view units over half the shorter side
constexpr double kSectionHalfExtent = 1.04;  // view units over half the shorter side

}  // namespace

CViewProjection PlanProjection(const CProjectSettings& s, int w, int h, double panX, double panY, double zoom)
{
    const double width = s.m_dAreaEndX - s.m_dAreaStartX;
    const double height = s.m_dAreaEndY - s.m_dAreaStartY;
    CViewProjection proj(w, h, kPlanHalfExtent);
    proj.SetWorld(CViewProjection::ScaleForExtent(std::max(width, height)) * zoom, s.m_dAreaStartX + width / 2,
                  s.m_dAreaStartY + height / 2, panX, panY);
    return proj;
}

CViewProjection SectionProjection(const CProjectSettings& s, int axis, int w, int h, double panX, double panY,
                                  double zoom)
{
    const CSectionPlane plane(s, axis);
    CViewProjection proj(w, h, kSectionHalfExtent);
    proj.SetWorld(CViewProjection::ScaleForExtent(s.m_dAreaEndY - s.m_dAreaStartY) * zoom, plane.AxisCentre(), 0, panX,
                  panY);
    return proj;
}
