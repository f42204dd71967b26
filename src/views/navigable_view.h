#pragma once

#include <QImage>
#include <QWidget>

#include "drawing/view_navigation.h"

// What the plan and section views share: pan and zoom by the environment pane's buttons,
// the wheel and Ctrl+drag, and painting through Render(). Each view gives its own "확대"
// step and projection; a left press only records where the drag starts (views that pick
// add that in their own mousePressEvent).
class CNavigableView : public QWidget {
    Q_OBJECT
public:
    // zoomInStep: what the pane's "확대" adds to the zoom factor in this view.
    CNavigableView(double zoomInStep, QWidget* parent);

    // Pane buttons: offsets in view units, both offsets to 0, zoom in by the view's step,
    // back to 1.0, and out by 0.1f (never below 0.1).
    void OffsetBy(double dx, double dy);
    void CentreOffsets();
    void ZoomIn();
    void ZoomReset();
    void ZoomOut();

    double zoom() const { return m_nav.m_dZoom; }
    double panX() const { return m_nav.m_dPanX; }
    double panY() const { return m_nav.m_dPanY; }

    // Paints the scene into any paint device at the device's size (tests, exports).
    virtual void Render(QPaintDevice* device) const = 0;
    QImage RenderImage(QSize size) const;

signals:
    // Pan or zoom changed.
    void NavigationChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // Repaints and tells the listeners that pan or zoom changed.
    void NavigationDone();

    CViewNavigation m_nav;

private:
    double m_dZoomInStep;
};
