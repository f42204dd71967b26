#include "views/navigable_view.h"

#include <QMouseEvent>
#include <QWheelEvent>

CNavigableView::CNavigableView(double zoomInStep, QWidget* parent) : QWidget(parent), m_dZoomInStep(zoomInStep)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
}

void CNavigableView::OffsetBy(double dx, double dy)
{
    m_nav.OffsetBy(dx, dy);
    NavigationDone();
}

void CNavigableView::CentreOffsets()
{
    m_nav.Centre();
    NavigationDone();
}

void CNavigableView::ZoomIn()
{
    m_nav.ZoomBy(m_dZoomInStep);
    NavigationDone();
}

void CNavigableView::ZoomReset()
{
    m_nav.ZoomReset();
    NavigationDone();
}

void CNavigableView::ZoomOut()
{
    m_nav.ZoomOut();
    NavigationDone();
}

void CNavigableView::NavigationDone()
{
    update();
    emit NavigationChanged();
}

QImage CNavigableView::RenderImage(QSize size) const
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    Render(&image);
    return image;
}

void CNavigableView::paintEvent(QPaintEvent*) { Render(this); }

void CNavigableView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    m_nav.Press(pos.x(), pos.y());
}

void CNavigableView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !(event->modifiers() & Qt::ControlModifier))
        return;
    setCursor(Qt::SizeAllCursor);
    const QPoint pos = event->position().toPoint();
    m_nav.DragTo(pos.x(), pos.y(), height());
    NavigationDone();
}

void CNavigableView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_nav.Release();
    unsetCursor();
}

void CNavigableView::wheelEvent(QWheelEvent* event)
{
    if (!rect().contains(event->position().toPoint()))
        return;
    m_nav.WheelDelta(event->angleDelta().y());
    NavigationDone();
    event->accept();
}
