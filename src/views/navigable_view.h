#pragma once

#include <QImage>
#include <QWidget>

#include "drawing/view_fit.h"
#include "drawing/view_navigation.h"

// What the plan and section views share: pan and zoom by the environment pane's buttons,
// the wheel (about the pointer) and Ctrl+drag, "전체 보기", the pointer's position for the
// status bar, and painting through Render(). Each view gives its own projection and
// model box; a left press only records where the drag starts (views that
// pick add that in their own mousePressEvent). A fitted view stays fitted through
// resizes until the user pans or zooms.
class CNavigableView : public QWidget {
    Q_OBJECT
public:
    explicit CNavigableView(QWidget* parent);

    // Pane buttons: offsets in view units, both offsets to 0, zoom in by one wheel notch
    // about the view centre, back to 1.0, and out by one notch.
    void OffsetBy(double dx, double dy);
    void CentreOffsets();
    void ZoomIn();
    void ZoomReset();
    void ZoomOut();
    // "전체 보기": the whole model fills the view; it stays so while the view is resized.
    void FitAll();
    bool IsFitted() const { return m_bFitted; }

    double zoom() const { return m_nav.m_dZoom; }
    double panX() const { return m_nav.m_dPanX; }
    double panY() const { return m_nav.m_dPanY; }

    // Paints the scene into any paint device at the device's size (tests, exports).
    virtual void Render(QPaintDevice* device) const = 0;
    QImage RenderImage(QSize size) const;

signals:
    // Pan or zoom changed.
    void NavigationChanged();
    // The pointer moved over the view: its position in the model, as the status bar shows it.
    void PositionChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // The view's projection for a client size and a pan and zoom.
    virtual CViewProjection ProjectionFor(QSize size, const CViewNavigation& nav) const = 0;
    // Where the model lies in the projection's world coordinates.
    virtual CWorldBox ModelBox() const = 0;
    // The status bar text for a world point under the pointer.
    virtual QString PositionText(CViewPoint world) const = 0;
    // Pixels at the edges a fitted model keeps clear of; none by default.
    virtual CPixelInsets FitInsets() const { return {}; }

    // Repaints and tells the listeners that pan or zoom changed.
    void NavigationDone();
    // The user moved the view: it is no longer kept fitted.
    void UserNavigated();
    // Fits again when the view is kept fitted (the model or a view setting changed).
    void Refit();

    CViewNavigation m_nav;

private:
    void ApplyFit();

    bool m_bFitted = false;
};
