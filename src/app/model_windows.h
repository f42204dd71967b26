#pragma once

// The windows the main window opens over the plan view: the model input windows (through
// the input window coordinator) and the optimisation windows, one of each at most. Model
// input is refused while the plan view shows results, a noise map or the result table;
// while an input window is open both views draw its working list.
// User-interface thread only.

#include <QObject>
#include <QPointer>

class CMyTalvoDoc;
class CPlan_View;
class CInputWindowCoordinator;
class COptInputDlg;
class COptResultDlg;

class CModelWindows : public QObject {
    Q_OBJECT
public:
    // The windows belong to the plan view's widget (they stay top-level windows).
    CModelWindows(CMyTalvoDoc* doc, CPlan_View* planView, QObject* parent = nullptr);
    ~CModelWindows() override;

    CInputWindowCoordinator* InputWindows() const { return m_pInputs; }
    COptInputDlg* OptInputWindow() const;  // nullptr while closed
    COptResultDlg* OptResultWindow() const;

    // Closes every input window without touching the document: the project they were
    // opened on has been replaced.
    void CloseInputWindows();

public slots:
    void OnInputRoad();
    void OnInputTunnel();
    void OnInputEmbankment();
    void OnInputCutting();
    void OnInputReceiver();
    void OnInputBarrier();
    void OnInputBuilding();
    // "방음벽 최적화": the optimisation window; a second command says it is already open.
    void OnOptimise();
    // The optimisation result viewer (a ".out" file chosen by the user).
    void OnOptResult();
    // Runs the external optimiser by its bare name and waits until it has ended.
    void OnRunWallSolver();

signals:
    // An input window committed a change to the document (the undo step's name).
    void ModelCommitted(const QString& stepName);
    // A window changed the document (an input window's list was committed, an optimised
    // barrier was applied, the length search ran its own prediction).
    void DocumentChanged();
    // An optimised barrier was added to the document (one undo step).
    void BarrierApplied();
    // A prediction of the whole model made the results current (the length search).
    void ResultsComputed();
    // A notice for the main window's status bar.
    void StatusMessage(const QString& text);

private:
    void CloseOptInput();
    void CloseOptResult();
    void OnBarrierApplied();

    CMyTalvoDoc* m_pDoc;
    CPlan_View* m_pPlanView;
    CInputWindowCoordinator* m_pInputs;
    QPointer<COptInputDlg> m_pOptInputDlg;
    QPointer<COptResultDlg> m_pOptResultDlg;
};
