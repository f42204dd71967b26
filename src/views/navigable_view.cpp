#include "views/navigable_view.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

CNavigableView::CNavigableView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    setMouseTracking(true);  // the status bar follows the pointer
}

void CNavigableView::FitAll()
{
    m_bFitted = true;
    ApplyFit();
    NavigationDone();
}

void CNavigableView::Refit()
{
    if (!m_bFitted)
        return;
    ApplyFit();
    NavigationDone();
}

void CNavigableView::ApplyFit()
{
    m_nav = FitBoxInside(ProjectionFor(size(), CViewNavigation{}), ModelBox(), FitInsets());
}

void CNavigableView::UserNavigated() { m_bFitted = false; }

void CNavigableView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_bFitted)
        ApplyFit();
}

void CNavigableView::OffsetBy(double dx, double dy)
{
    UserNavigated();
    m_nav.OffsetBy(dx, dy);
    NavigationDone();
}

void CNavigableView::CentreOffsets()
{
    UserNavigated();
    m_nav.Centre();
    NavigationDone();
}

void CNavigableView::ZoomIn()
{
    UserNavigated();
    m_nav.ZoomIn();
    NavigationDone();
}

void CNavigableView::ZoomReset()
{
    UserNavigated();
    m_nav.ZoomReset();
    NavigationDone();
}

void CNavigableView::ZoomOut()
{
    UserNavigated();
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
    const QPointF at = event->position();
    emit PositionChanged(PositionText(ProjectionFor(size(), m_nav).PixelToWorld(at.x(), at.y())));
    if (!(event->buttons() & Qt::LeftButton) || !(event->modifiers() & Qt::ControlModifier))
        return;
    UserNavigated();
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
    const QPointF at = event->position();
    const CViewPoint v = ProjectionFor(size(), m_nav).PixelToView(at.x(), at.y());
    UserNavigated();
    m_nav.WheelDelta(event->angleDelta().y(), v.x, v.y);
    NavigationDone();
    event->accept();
}
