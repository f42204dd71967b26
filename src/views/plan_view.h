#pragma once

#include <functional>

#include <QPointer>
#include <memory>

#include "drawing/picked_points.h"
#include "drawing/working_lists.h"
#include "render/noise_map_renderer.h"
#include "render/plan_painter.h"
#include "views/navigable_view.h"

class QDialog;
class CMyTalvoDoc;
class CSection_View;
class CResultDlg;
class CFloorTableDlg;

// The plan view: the model seen from above, the calculation area, the receiver grid
// and the result labels. Clicking a grid point after a prediction labels its level;
// Ctrl+drag pans, the wheel zooms. The input commands of the main window arrive here.
class CPlan_View : public CNavigableView {
    Q_OBJECT
public:
    explicit CPlan_View(CMyTalvoDoc* doc, QWidget* parent = nullptr);
    ~CPlan_View() override;

    // Empties the picked grid points and their labels.
    void ClearDisplayLists();
    const CPickedPoints& pickedPoints() const { return m_picked; }

    // Result display (set by the result window): labels at the receivers of both views.
    // Removing it removes the picked grid labels as well.
    void SetResultDisplay(bool show, int band);
    const CResultDisplay& resultDisplay() const { return m_results; }
    bool IsShowingResults() const { return m_results.m_bShowResults; }
    int ResultPage() const { return m_nResultPage; }  // first row of the result table
    void SetResultPage(int page) { m_nResultPage = page; }

    // The noise map shown in both views (the section view draws its section grid, if
    // any); model input waits until it is removed ("출력 제거" removes it with the labels).
    void SetNoiseMap(std::shared_ptr<const CNoiseMap> map);
    void ClearNoiseMap() { SetNoiseMap(nullptr); }
    bool IsShowingNoiseMap() const { return m_pNoiseMap != nullptr; }
    const std::shared_ptr<const CNoiseMap>& noiseMap() const { return m_pNoiseMap; }

    // What an open input window draws instead of the document's lists (both views);
    // an empty CWorkingLists returns them to the document.
    void SetWorkingLists(const CWorkingLists& working);
    const CWorkingLists& workingLists() const { return m_working; }

    // Receivers at another height than the pane's receiver height: muted (false) or
    // drawn as the others (true). A view preference, not part of the project.
    void SetShowAllHeights(bool show);
    bool ShowsAllHeights() const { return m_bShowAllHeights; }

    // The façade receivers of the last calculation: the floor drawn (CFacadeDisplay::kTopFloor:
    // each building's top floor), and the floor of one building the per-floor table selected
    // (building -1: none), drawn larger.
    void SetFacadeFloor(int floor);
    void SelectFacadeFloor(int building, int floor);
    const CFacadeDisplay& facadeDisplay() const { return m_facade; }
    // The per-floor table this view owns (nullptr while closed).
    CFloorTableDlg* FloorTable() const;

    // Whether model input is refused: result labels or a noise map are shown, or the
    // result table is open.
    bool BlocksModelInput() const;
    // "출력 제거": removes everything that blocks model input (the labels with the picked
    // grid levels, the noise map, the result table).
    void RemoveOutput();

    // The section view below, which follows the result display and the working lists
    // and is repainted with this view.
    void SetSectionView(CSection_View* view);
    CSection_View* SectionView() const;
    // Repaints this view and the section view.
    void RepaintBoth();

    // Paints the scene into any paint device at the device's size (tests, exports).
    void Render(QPaintDevice* device) const override;

    // The grid point under the pointer (x, y in client pixels), as a left click picks it:
    // after a prediction its level is labelled, or its label removed when it had one.
    // False when nothing was picked.
    bool PickAt(QPointF pixel);

    // The result table this view owns (nullptr while closed).
    CResultDlg* ResultTable() const;
    // Shows whether the results are stale (muted labels, the result table's note).
    void ShowResultState();
    // How the modal result window runs (tests answer it without a modal loop).
    void SetModalRunner(std::function<int(QDialog&)> runner) { m_runModal = std::move(runner); }
    // Carries out a choice of the result window (CResultWindow::EChoice) for band.
    void ApplyResultChoice(int choice, int band);
    // A request of the result table: previous page, next page or close.
    void OnResultTableRequest(int code);

public slots:
    // Result commands routed from the main window.
    void OnResultDisplay();
    void OnResultChart();
    // "층별 결과": the per-floor table of the façade receivers.
    void OnFloorTable();

signals:
    // A grid point was picked or unpicked.
    void DisplayListsChanged();

protected:
    // A left click without Ctrl picks a grid point; with Ctrl it starts a drag.
    void mousePressEvent(QMouseEvent* event) override;
    CViewProjection ProjectionFor(QSize size, const CViewNavigation& nav) const override;
    CWorldBox ModelBox() const override;
    QString PositionText(CViewPoint world) const override;

private:
    CViewProjection Projection(QSize size) const { return ProjectionFor(size, m_nav); }
    bool HasResults() const;
    // Refuses, with the message, what would use stale results; true when it refused.
    bool RefusedAsStale();
    void FillResultPage();
    void RefreshFloorTable();

    CMyTalvoDoc* m_pDoc;
    CResultDisplay m_results;
    int m_nResultPage = 0;
    CPickedPoints m_picked;
    CWorkingLists m_working;
    QPointer<CSection_View> m_pSectionView;
    std::shared_ptr<const CNoiseMap> m_pNoiseMap;
    QPointer<CResultDlg> m_pResultDlg;
    std::function<int(QDialog&)> m_runModal;
    bool m_bShowAllHeights = false;
    CFacadeDisplay m_facade;
    QPointer<CFloorTableDlg> m_pFloorDlg;
};
