#pragma once

// "검증 작업 중입니다.": the barrier optimisation window. The user checks one receiver,
// gives it a design target, runs the length search, enters the design condition and runs
// the optimisation on a worker thread (a 100 ms timer moves the bar; the end arrives by a
// queued signal), then applies the result as a barrier. Modeless; CModelWindows owns it
// and destroys it when it asks to close. Enter and Escape never close it.
//
// "설계 대상" may instead name every checked receiver or a building's floors: the search
// then meets their limits in the period chosen, and the design table shows every row before
// and after the barrier found.
//
// The worker evaluates its candidates on its own copy of the document, so the views may
// go on painting the document while it runs; the finish step takes the last candidate
// barrier back.

#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include <QDialog>
#include <QTimer>

#include "model/run_progress.h"
#include "optimise/barrier_optimisation.h"
#include "optimise/length_search.h"
#include "optimise/set_optimisation.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class CMyTalvoDoc;
class CDesignTableWidget;
class COptTargetPanel;

// Asks for a receiver's design target level; nothing when the user cancelled.
using TargetLevelAsker = std::function<std::optional<double>(QWidget* parent, double current)>;

class COptInputDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptInputDlg(CMyTalvoDoc* doc, QWidget* parent = nullptr);
    ~COptInputDlg() override;

    // Replacements for tests: the candidate evaluation, the length search's prediction
    // and the target-level question.
    void SetEvaluation(OptEvaluation evaluate) { m_evaluate = std::move(evaluate); }
    void SetPrediction(PredictionRun predict) { m_predict = std::move(predict); }
    void SetTargetLevelAsker(TargetLevelAsker ask) { m_askTarget = std::move(ask); }

    // "%10d%21.2f%21.2f%21.2f%21.2f": row number, X, Y, Z, target level.
    static QString RowText(int row, double x, double y, double z, double target);

    void StartLengthSearch();
    void StartOrCancelOptimisation();
    void ApplyOptimalBarrier();
    void Close();
    // Timer tick: the bar at done * 100 / total.
    void OnProgressTimer();

    bool IsRunning() const { return m_worker.joinable(); }
    const COptBarrierResult& Result() const { return m_result; }

    QListWidget* ReceiverList() const { return m_pReceivers; }
    QLineEdit* MessageLine() const { return m_pMessage; }
    QLineEdit* Field(int index) const { return m_design[index]; }  // kStartX .. kHeightStep
    QLineEdit* BaseHeightField() const { return m_pBaseHeight; }
    QLineEdit* ResultField(int index) const { return m_resultFields[index]; }  // x1, y1, x2, y2, h
    QPushButton* LengthSearchButton() const { return m_pLengthSearch; }
    QPushButton* RunButton() const { return m_pRun; }
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* CloseButton() const { return m_pClose; }
    QProgressBar* Bar() const { return m_pBar; }
    COptTargetPanel* TargetPanel() const { return m_pTargetPanel; }
    // The design table of the last run for a set; hidden until one has finished.
    CDesignTableWidget* DesignTable() const { return m_pDesignTable; }
    // The design table of the last finished run for a set, for the report's design page;
    // none before one has finished, or after a one-receiver run.
    const CDesignTable* LastDesignTable() const;
    // The line under the bar saying how the last run ended.
    QLabel* RunStatus() const { return m_pRunStatus; }
    // Shows a notice on the message line (the main window's effects of an applied barrier).
    void ShowNotice(const QString& text);

    enum EDesignField { kStartX, kStartY, kEndX, kEndY, kMaxHeight, kLengthStep, kHeightStep, kDesignFields };

signals:
    void CloseRequested();
    // A barrier was added to the document.
    void BarrierApplied();
    // The length search ran its own prediction: the document's results are new (current).
    void LengthSearchPredicted();
    // The worker has ended (emitted on the worker thread).
    void WorkerFinished();
    // The finish step is done (window thread).
    void OptimisationFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildDesignGroup();
    QWidget* BuildResultGroup();
    void FillReceiverList();
    void OnReceiverSelected(int row);
    int CheckedReceiver() const;
    std::vector<int> CheckedReceivers() const;
    COptDesign ReadDesign() const;
    void StartOptimisation();
    void StartSetOptimisation();
    void StartWorker(std::function<void()> run);
    std::string FinishOneReceiverRun();
    std::string FinishSetRun();
    void ShowDesignTable(bool show);
    void AskCancel();
    void OnWorkerFinished();
    void SetRunning(bool running);
    void ShowResult();

    CMyTalvoDoc* m_pDoc;
    OptEvaluation m_evaluate;
    PredictionRun m_predict;
    TargetLevelAsker m_askTarget;
    std::unique_ptr<CRunProgress> m_pProgress = std::make_unique<CRunProgress>();  // fresh for each run
    std::unique_ptr<CMyTalvoDoc> m_pRunDoc;                                        // the worker's copy while it runs
    COptDesign m_runDesign;                                                        // the design of the run under way
    COptOutcome m_outcome;
    bool m_bSetRun = false;  // the run under way, or the last one, was for a set
    CDesignTarget m_runTarget;
    CSetOutcome m_setOutcome;
    bool m_bDesignShown = false;  // the design table shows m_setOutcome's table
    COptBarrierResult m_result;
    bool m_bHasResult = false;
    std::thread m_worker;
    QTimer m_timer;

    QListWidget* m_pReceivers = nullptr;
    QLineEdit* m_pMessage = nullptr;
    QLineEdit* m_design[kDesignFields] = {};
    QLineEdit* m_pBaseHeight = nullptr;
    QLineEdit* m_resultFields[5] = {};
    QPushButton* m_pLengthSearch = nullptr;
    QPushButton* m_pRun = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pClose = nullptr;
    QProgressBar* m_pBar = nullptr;
    QLabel* m_pRunStatus = nullptr;
    COptTargetPanel* m_pTargetPanel = nullptr;
    QLabel* m_pDesignCaption = nullptr;
    CDesignTableWidget* m_pDesignTable = nullptr;
};
