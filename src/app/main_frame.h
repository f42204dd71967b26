#pragma once

// The main window: menus, toolbar, status bar, the environment pane docked on the
// left and the plan view above the section view. It owns the one document and
// carries out the file commands; the model and optimisation windows open through
// CModelWindows, the result windows through the plan view.

#include <QHash>
#include <QMainWindow>

#include "app/recent_files.h"
#include "model/document.h"

class QAction;
class QLabel;
class QSplitter;
class QDockWidget;
class CEnvironmentBox;
class CEnvironmentController;
class CExclusionStatus;
class CPlan_View;
class CModelHistory;
class CModelWindows;
class CSection_View;
class CStaleBanner;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CMyTalvoDoc& Document() { return m_doc; }
    CPlan_View* PlanView() const { return m_pPlanView; }
    CSection_View* SectionView() const { return m_pSectionView; }
    CModelWindows* Windows() const { return m_pWindows; }
    CModelHistory* History() const { return m_pHistory; }
    CEnvironmentBox* EnvironmentBox() const { return m_pEnvironmentBox; }
    QDockWidget* EnvironmentDock() const { return m_pEnvironmentDock; }
    QSplitter* ViewSplitter() const { return m_pSplitter; }
    QAction* Action(int commandId) const { return m_actions.value(commandId); }
    const CRecentFiles& RecentFiles() const { return m_recentFiles; }
    QString PathName() const { return m_strPathName; }
    int ActiveView() const;

    // The title as the window shows it, with the change mark resolved.
    QString DisplayedTitle() const;

    // Later input windows call this after they changed the document.
    void SetDocumentModified();
    // Shows the project settings again in the environment pane.
    void ShowSettings();
    // Repaints both views.
    void RefreshViews();
    // Gives the plan view and the section view half of the height each.
    void LayOutViews();
    // "전체 보기": both views show the whole model.
    void FitViews();
    // Ctrl+W: the receiver export over the calculation area, into a text file.
    void OnExportReceivers();
    // A confirmation that needs no answer, in the status bar for a few seconds.
    void ShowStatus(const QString& text);
    static constexpr int kStatusMessageMs = 8000;

    // File commands. Each returns whether it was carried out.
    bool NewProject();                           // asks to save first
    bool OpenProjectFile(const QString& path);   // no question; failure changes nothing
    bool OpenWithQuestion(const QString& path);  // asks to save first
    bool Save();
    bool SaveAs();
    bool SaveTo(const QString& path);
    // Yes saves, No discards, Cancel (or a failed save) keeps the project: false.
    bool QuerySaveChanges();

    void RunCalculation();

    // Undo (false) or redo (true) one step of the model history; refused with a status
    // message while an input window holds a working list.
    void StepHistory(bool redo);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildViews();
    void BuildEnvironmentPane();
    void BuildActions();
    void BuildMenus();
    void BuildToolbar();
    void BuildRecentFileActions(QMenu* fileMenu, QAction* placeholder);
    void BuildFocusCycling();
    void BuildPositionLabel();
    void BuildStaleBanner();
    QAction* MakeAction(int commandId);
    void ConnectCommands();
    void ConnectPlanViewCommands();
    void OnFileOpen();
    void CopyView(QWidget* view, const QString& doneMessage);
    void OnAbout();
    void CycleFocus(int step);
    void UpdateRecentFileActions();
    void UpdateTitle();
    void BuildHistory();
    void RecordChange(const QString& stepName, int mergeKey = -1);
    void OnModelRestored();
    void ResumWherePathsHold();
    void AfterDocumentReplaced(const QString& path);
    // Says in the banner over the views (and the result table) whether the results are stale,
    // and in the status bar which barriers the calculation leaves out.
    void UpdateResultState();
    // "제외 해제" of the status bar: every barrier counts again, as one undo step.
    void ReleaseExclusion();

    CMyTalvoDoc m_doc;
    QString m_strPathName;  // empty for a project never saved
    CRecentFiles m_recentFiles;
    CPlan_View* m_pPlanView = nullptr;
    CSection_View* m_pSectionView = nullptr;
    CModelWindows* m_pWindows = nullptr;
    CModelHistory* m_pHistory = nullptr;
    QSplitter* m_pSplitter = nullptr;
    CEnvironmentBox* m_pEnvironmentBox = nullptr;
    QDockWidget* m_pEnvironmentDock = nullptr;
    CEnvironmentController* m_pEnvironment = nullptr;
    QHash<int, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QAction* m_pRecentPlaceholder = nullptr;
    QLabel* m_pPositionLabel = nullptr;      // the pointer's position over either view
    CStaleBanner* m_pStaleBanner = nullptr;  // across the top of the views while results are stale
    CExclusionStatus* m_pExclusionStatus = nullptr;
    bool m_bViewsLaidOut = false;
};
