#pragma once

// The noise map commands of the main window: "소음지도" computes the plan map over the
// calculation area and the section map along the section line (overall level or one
// band), with a progress dialog and cancel, and shows them in the views; "차이 지도" does the
// same for the difference of two maps, "초과 지도" for the level minus the project's limit;
// a project with night powers is mapped in the period asked for ("주간" or "야간"); three more commands save the shown
// plan map and section map as PNGs, the plan grid as CSV and the plan map as a GeoTIFF or GIS/CAD layers (gis/), in the
// shown map's style. User-interface thread only; the computation itself runs on worker threads.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "maps/noise_map_refine.h"
#include "model/noise_limits.h"
#include "render/noise_map_renderer.h"
#include "ui/modal_runner.h"

class CCalcScene;
class CMyTalvoDoc;
struct CSectionGround;
class CRunProgress;
struct CProjectSettings;
class CPlan_View;
class QAction;
class QImage;
class QMainWindow;
class QMenu;
class QProgressDialog;
class QToolBar;
class QWidget;

// Both grids of the map of a calculated document: the plan grid at the receiver height,
// the section grid along the section line, with the receiver spacing, both refined where
// their classes change as `refine` asks (its edges are the map's own), in the period's
// source powers on the day's paths. Thread-safe as long as the document does not change;
// nullptr when cancelled.
std::shared_ptr<CNoiseMap> ComputeViewsNoiseMap(const CMyTalvoDoc& doc, int band, CRunProgress& progress,
                                                int threads = 0, CRefineRequest refine = {},
                                                EPeriod period = EPeriod::kDay);

// The difference map of two scenes on the grids of `settings` and the section ground of the
// minuend's project (as ComputeViewsNoiseMap): level(minuend) - level(subtrahend) at every
// node, in the diverging style of `step` dB, refined with the difference of the scenes'
// levels. One progress runs over the four grids and the refinement. Thread-safe; nullptr
// when cancelled.
std::shared_ptr<CNoiseMap> ComputeViewsDifferenceMap(const CCalcScene& minuend, const CCalcScene& subtrahend,
                                                     const CProjectSettings& settings, const CSectionGround& ground,
                                                     int band, double step, CRunProgress& progress, int threads = 0,
                                                     CRefineRequest refine = {});

// The exceedance map of a calculated document: the level of `period` minus `limit` on the
// grids of ComputeViewsNoiseMap, in `style` (whose scale the refinement follows), refined with
// the exceedance itself. Thread-safe as long as the document does not change; nullptr when
// cancelled.
std::shared_ptr<CNoiseMap> ComputeViewsExceedanceMap(const CMyTalvoDoc& doc, EPeriod period, double limit,
                                                     CMapStyle style, CRunProgress& progress, int threads = 0,
                                                     CRefineRequest refine = {});

class CNoiseMapCommands;
struct CDifferenceMapChoice;

// The command id of "소음지도" (the action's data), next to the result commands.
constexpr int kNoiseMapCommandId = 32830;

// Gives a main window the noise map commands: "소음지도" and the save commands at the end
// of its menu "결과(&R)", and "소음지도" on its toolbar (objectName "mainToolbar") right
// after the result display button (32788), or at the end without one. The commands
// belong to the window.
CNoiseMapCommands* AttachNoiseMapCommands(QMainWindow* frame, CMyTalvoDoc* doc, CPlan_View* planView);

class CNoiseMapCommands : public QObject {
    Q_OBJECT
public:
    CNoiseMapCommands(CMyTalvoDoc* doc, CPlan_View* planView, QWidget* parent);

    // "소음지도" with its prompt, for the menu "결과(&R)" and the toolbar.
    QAction* MapAction() const { return m_pMapAction; }
    // "차이 지도", next to "소음지도" in the menu.
    QAction* DifferenceAction() const { return m_pDifferenceAction; }
    // "초과 지도", after "차이 지도".
    QAction* ExceedanceAction() const { return m_pExceedanceAction; }
    // The save commands, for the same menu.
    QAction* SavePngAction() const { return m_pPngAction; }
    QAction* SaveSectionPngAction() const { return m_pSectionPngAction; }
    QAction* SaveCsvAction() const { return m_pCsvAction; }
    QAction* SaveGeoJsonAction() const { return m_pGeoJsonAction; }
    // Adds the map command and the save commands to the menu.
    void AddTo(QMenu* resultMenu) const;

    // Tests answer the band choice (nullopt: cancelled) instead of the dialog (the map is then
    // refined as m_refine says); file names come through FileDialogs().
    std::function<std::optional<int>()> m_chooseBand;
    // Runs the form of "소음지도" (tests work its widgets instead of a modal loop).
    ModalRunner m_runMapDialog = ExecRunner();
    // How the maps are refined: the last choice of the forms, kept for the session.
    CRefineRequest m_refine;
    // Tests watch every tick of the progress dialog with the percent it was just given, and
    // may press its cancel button there, instead of reaching into the modal loop.
    std::function<void(QProgressDialog&, int percent)> m_onProgressTick;
    // Runs the form of "차이 지도" (tests work its widgets instead of a modal loop).
    ModalRunner m_runDifferenceDialog = ExecRunner();
    // Tests answer the period choice (nullopt: cancelled), asked only of projects with night powers.
    std::function<std::optional<EPeriod>()> m_choosePeriod;

public slots:
    void OnNoiseMap();
    void OnDifferenceMap();
    void OnExceedanceMap();
    void OnSaveMapPng();
    void OnSaveSectionPng();
    void OnSaveGridCsv();
    void OnSaveGridGeoJson();

private:
    std::optional<int> ChooseBand();
    std::optional<EPeriod> ChoosePeriod() const;
    bool MayMapViews();
    // Both grids of the period's map with progress, refined as asked; with adjust, not
    // refined but changed by adjust (on the worker) before their shapes are drawn. nullptr
    // when cancelled.
    std::shared_ptr<CNoiseMap> ComputePeriodMap(int band, EPeriod period);
    QString ChooseFile(const QString& title, const QString& name, const QString& filter) const;
    std::shared_ptr<CNoiseMap> ComputeWithProgress(
        const std::function<std::shared_ptr<CNoiseMap>(CRunProgress&)>& compute);
    std::shared_ptr<CNoiseMap> ComputeDifference(const CDifferenceMapChoice& choice);
    const CNoiseMap* ShownMap();
    void WritePng(const QImage& image, const QString& path) const;
    void Report(const std::string& message);

    CMyTalvoDoc* m_pDoc;
    CPlan_View* m_pPlanView;
    QWidget* m_pParent;
    QAction* m_pMapAction;
    QAction* m_pDifferenceAction;
    QAction* m_pExceedanceAction;
    QAction* m_pPngAction;
    QAction* m_pSectionPngAction;
    QAction* m_pCsvAction;
    QAction* m_pGeoJsonAction;
};
