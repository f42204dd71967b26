#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "views/navigable_view.h"
#include "views/noise_map_renderer.h"
#include "views/plan_painter.h"
#include "views/view_navigation.h"
#include "views/working_lists.h"

class CMyTalvoDoc;

// The section view: the model cut by a vertical plane along the section line, X = const
// or Y = const across the calculation area. Ctrl+drag pans, the wheel zooms; there is
// no picking here.
class CSection_View : public QWidget, public INavigableView {
    Q_OBJECT
public:
    explicit CSection_View(CMyTalvoDoc* doc, QWidget* parent = nullptr);

    // Pane buttons, as in the plan view except that "확대" adds 0.5.
    void OffsetBy(double dx, double dy) override;
    void CentreOffsets() override;
    void ZoomIn() override;
    void ZoomReset() override;
    void ZoomOut() override;

    double zoom() const { return m_nav.m_dZoom; }
    double panX() const { return m_nav.m_dPanX; }
    double panY() const { return m_nav.m_dPanY; }

    // The section axis is the project setting's: 0 cuts at X = section X (horizontal
    // axis Y), 1 at Y = section Y (horizontal axis X). Setting it repaints.
    int SectionAxis() const;
    void SetSectionAxis(int axis);

    // Given by the plan view, which owns the result display and the input windows.
    void SetResultDisplay(const CResultDisplay& results);
    void SetWorkingLists(const CWorkingLists& working);
    // The map whose section grid is drawn under the model; nullptr or no section: none.
    void SetNoiseMap(std::shared_ptr<const CNoiseMap> map);

    // Paints the scene into any paint device at the device's size (tests, exports).
    void Render(QPaintDevice* device) const;
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

private:
    void NavigationDone();

    CMyTalvoDoc* m_pDoc;
    CViewNavigation m_nav;
    CResultDisplay m_results;
    CWorkingLists m_working;
    std::shared_ptr<const CNoiseMap> m_pNoiseMap;
};
