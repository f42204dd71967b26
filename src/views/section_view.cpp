#include "views/section_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "model/document.h"
#include "views/section_painter.h"

namespace {
constexpr double kSectionZoomInStep = 0.5;  // "확대" here; the wheel still adds 0.1
}

CSection_View::CSection_View(CMyTalvoDoc* doc, QWidget* parent) : QWidget(parent), m_pDoc(doc)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
}

void CSection_View::OffsetBy(double dx, double dy)
{
    m_nav.OffsetBy(dx, dy);
    NavigationDone();
}

void CSection_View::CentreOffsets()
{
    m_nav.Centre();
    NavigationDone();
}

void CSection_View::ZoomIn()
{
    m_nav.ZoomBy(kSectionZoomInStep);
    NavigationDone();
}

void CSection_View::ZoomReset()
{
    m_nav.ZoomReset();
    NavigationDone();
}

void CSection_View::ZoomOut()
{
    m_nav.ZoomOut();
    NavigationDone();
}

void CSection_View::NavigationDone()
{
    update();
    emit NavigationChanged();
}

int CSection_View::SectionAxis() const { return m_pDoc->m_settings.m_nSectionAxis == 1 ? 1 : 0; }

void CSection_View::SetSectionAxis(int axis)
{
    m_pDoc->m_settings.m_nSectionAxis = axis == 1 ? 1 : 0;
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
    update();
}

void CSection_View::Render(QPaintDevice* device) const
{
    QPainter painter(device);
    const int axis = SectionAxis();
    const CViewProjection proj = SectionProjection(m_pDoc->m_settings, axis, device->width(),
                                                   device->height(), m_nav.m_dPanX, m_nav.m_dPanY,
                                                   m_nav.m_dZoom);
    CSectionPainter sectionPainter(painter, proj, *m_pDoc, axis, m_working, m_results);
    // A section computed along another line than the one shown is not drawn.
    if (m_pNoiseMap && m_pNoiseMap->section && m_pNoiseMap->section->m_nSectionAxis == axis)
        sectionPainter.SetNoiseMap(&*m_pNoiseMap->section);
    sectionPainter.Paint();
}

QImage CSection_View::RenderImage(QSize size) const
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    Render(&image);
    return image;
}

void CSection_View::paintEvent(QPaintEvent*) { Render(this); }

void CSection_View::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    m_nav.Press(pos.x(), pos.y());
}

void CSection_View::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !(event->modifiers() & Qt::ControlModifier))
        return;
    setCursor(Qt::SizeAllCursor);
    const QPoint pos = event->position().toPoint();
    m_nav.DragTo(pos.x(), pos.y(), height());
    NavigationDone();
}

void CSection_View::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_nav.Release();
    unsetCursor();
}

void CSection_View::wheelEvent(QWheelEvent* event)
{
    if (!rect().contains(event->position().toPoint()))
        return;
    m_nav.WheelDelta(event->angleDelta().y());
    NavigationDone();
    event->accept();
}
