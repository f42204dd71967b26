#include "views/section_view.h"

#include <QPainter>
#include <algorithm>

#include "drawing/section_geometry.h"
#include "model/document.h"
#include "render/map_column.h"
#include "render/section_axes.h"
#include "render/section_painter.h"

CSection_View::CSection_View(CMyTalvoDoc* doc, QWidget* parent) : CNavigableView(parent), m_pDoc(doc) {}

int CSection_View::SectionAxis() const { return m_pDoc->m_settings.m_nSectionAxis == 1 ? 1 : 0; }

void CSection_View::SetSectionAxis(int axis)
{
    m_pDoc->m_settings.m_nSectionAxis = axis == 1 ? 1 : 0;
    Refit();
    update();
}

void CSection_View::SetResultDisplay(const CResultDisplay& results)
{
    m_results = results;
    update();
}

void CSection_View::SetWorkingLists(const CWorkingLists& working)
{
    m_working = working;
    update();
}

void CSection_View::SetNoiseMap(std::shared_ptr<const CNoiseMap> map)
{
    m_pNoiseMap = std::move(map);
    Refit();
    update();
}

// A section computed along another line than the one shown is not drawn.
bool CSection_View::ShownSectionMap() const
{
    return m_pNoiseMap && m_pNoiseMap->section && m_pNoiseMap->section->m_nSectionAxis == SectionAxis();
}

void CSection_View::SetVerticalExaggeration(double factor)
{
    m_dExaggeration = factor > 0 ? factor : 1.0;
    Refit();
    update();
}

CViewProjection CSection_View::ProjectionFor(QSize size, const CViewNavigation& nav) const
{
    // A map's legend keeps to a strip on the right; the scene is fitted to the rest.
    const int width = ShownSectionMap() ? std::max(1, size.width() - kMapColumnWidth) : size.width();
    CViewProjection proj = SectionProjection(m_pDoc->m_settings, SectionAxis(), width, size.height(), nav.m_dPanX,
                                             nav.m_dPanY, nav.m_dZoom);
    proj.SetVerticalExaggeration(m_dExaggeration);
    return proj;
}

// A section map shown is fitted whole, up to its top.
CWorldBox CSection_View::ModelBox() const
{
    CWorldBox box = SectionModelBox(*m_pDoc, SectionAxis());
    if (ShownSectionMap()) {
        const CNoiseMapGrid& map = *m_pNoiseMap->section;
        const CSectionPlane plane(m_pDoc->m_settings, SectionAxis());
        box.Add(plane.Mirror(map.m_dStartU), map.m_dStartV);
        box.Add(plane.Mirror(map.m_dEndU), map.m_dEndV);
    }
    return box;
}

// A section map is fitted inside the axes, so that it covers none of their labels.
CPixelInsets CSection_View::FitInsets() const
{
    if (!ShownSectionMap())
        return {};
    const QRectF plot = SectionPlotRect(width(), height());
    return {plot.left(), plot.top(), 0, height() - plot.bottom()};
}

QString CSection_View::PositionText(CViewPoint world) const
{
    // The view draws positions mirrored; the status bar gives the coordinate along the axis.
    const CSectionPlane plane(m_pDoc->m_settings, SectionAxis());
    return QStringLiteral("거리 %1 m, 높이 %2 m").arg(plane.Mirror(world.x), 0, 'f', 2).arg(world.y, 0, 'f', 2);
}

void CSection_View::Render(QPaintDevice* device) const
{
    QPainter painter(device);
    const int axis = SectionAxis();
    const CViewProjection proj = ProjectionFor(QSize(device->width(), device->height()), m_nav);
    CSectionPainter sectionPainter(painter, proj, *m_pDoc, axis, m_working, m_results);
    if (ShownSectionMap()) {
        sectionPainter.SetNoiseMap(&*m_pNoiseMap->section, m_pNoiseMap->SectionShapes());
        if (m_pNoiseMap->style.legend)
            sectionPainter.SetNoiseMapLegend(&*m_pNoiseMap->style.legend);
    }
    sectionPainter.Paint();
}
