#pragma once

#include <memory>

#include "drawing/working_lists.h"
#include "render/noise_map_renderer.h"
#include "render/plan_painter.h"
#include "views/navigable_view.h"

class CMyTalvoDoc;

// The section view: the model cut by a vertical plane along the section line, X = const
// or Y = const across the calculation area. Ctrl+drag pans, the wheel zooms; there is
// no picking here.
class CSection_View : public CNavigableView {
    Q_OBJECT
public:
    explicit CSection_View(CMyTalvoDoc* doc, QWidget* parent = nullptr);

    // The section axis is the project setting's: 0 cuts at X = section X (horizontal
    // axis Y), 1 at Y = section Y (horizontal axis X). Setting it repaints.
    int SectionAxis() const;
    void SetSectionAxis(int axis);

    // Given by the plan view, which owns the result display and the input windows.
    void SetResultDisplay(const CResultDisplay& results);
    void SetWorkingLists(const CWorkingLists& working);
    // The map whose section grid is drawn under the model; nullptr or no section: none.
    void SetNoiseMap(std::shared_ptr<const CNoiseMap> map);

    // Heights drawn this many times larger than distances (and the section noise map
    // with them); a fitted view fits again.
    double VerticalExaggeration() const { return m_dExaggeration; }
    void SetVerticalExaggeration(double factor);

    // Paints the scene into any paint device at the device's size (tests, exports).
    void Render(QPaintDevice* device) const override;

protected:
    CViewProjection ProjectionFor(QSize size, const CViewNavigation& nav) const override;
    CWorldBox ModelBox() const override;
    QString PositionText(CViewPoint world) const override;
    CPixelInsets FitInsets() const override;

private:
    bool ShownSectionMap() const;

    double m_dExaggeration = 1.0;
    CMyTalvoDoc* m_pDoc;
    CResultDisplay m_results;
    CWorkingLists m_working;
    std::shared_ptr<const CNoiseMap> m_pNoiseMap;
};
