// The main window's undo and redo: the edit menu's two commands follow the model history,
// whose clean state is the saved project. Also the status bar's "제외 해제", a step of its own.

#include <QAction>
#include <QStatusBar>

#include "app/command_table.h"
#include "app/input_window_coordinator.h"
#include "app/main_frame.h"
#include "app/model_history.h"
#include "app/model_windows.h"
#include "engine/level_resum.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

const QString kCloseInputFirst = QStringLiteral("입력창을 닫은 뒤에 실행 취소하거나 다시 실행하세요.");
const QString kMapRemovedByUndo = QStringLiteral("모델이 바뀌어 소음지도를 지웠습니다. 소음지도를 다시 계산하세요.");

// "실행 취소(&U)" alone, or followed by the step it would undo.
QString WithStep(int commandId, const QString& step)
{
    const QString text = QString::fromUtf8(FindCommand(commandId)->text);
    return step.isEmpty() ? text : QStringLiteral("%1: %2").arg(text, step);
}

}  // namespace

void CMainFrame::BuildHistory()
{
    m_pHistory = new CModelHistory(&m_doc, this);
    QUndoStack* stack = m_pHistory->Stack();
    QAction* undo = m_actions[cmd::EditUndo];
    QAction* redo = m_actions[cmd::EditRedo];
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undo,
            [undo](const QString& step) { undo->setText(WithStep(cmd::EditUndo, step)); });
    connect(stack, &QUndoStack::redoTextChanged, redo,
            [redo](const QString& step) { redo->setText(WithStep(cmd::EditRedo, step)); });
    connect(stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        m_doc.m_bModified = !clean;
        setWindowModified(!clean);
    });
    connect(m_pHistory, &CModelHistory::ModelRestored, this, &CMainFrame::OnModelRestored);
}

void CMainFrame::RecordChange(const QString& stepName, int mergeKey)
{
    ResumWherePathsHold();
    if (m_pHistory)
        m_pHistory->Record(stepName, mergeKey);
}

// A change that moves no path (traffic, band powers, the night traffic ratio) gives the new
// day and night levels at once from the last calculation's transfers; any other change
// leaves the results stale until the next calculation.
void CMainFrame::ResumWherePathsHold()
{
    if (!m_doc.m_bResultsStale || !ResumLevels(m_doc))
        return;
    m_pPlanView->RefreshJudgement();
    UpdateResultState();
}

void CMainFrame::StepHistory(bool redo)
{
    if (m_pWindows->InputWindows()->IsAnyInputOpen()) {
        ShowStatus(kCloseInputFirst);
        return;
    }
    QUndoStack* stack = m_pHistory->Stack();
    const QString step = redo ? stack->redoText() : stack->undoText();
    if (redo ? !stack->canRedo() : !stack->canUndo())
        return;
    // Before the step: a notice of what the step removed must not be overwritten.
    ShowStatus(QStringLiteral("%1: %2").arg(redo ? QStringLiteral("다시 실행") : QStringLiteral("실행 취소"), step));
    if (redo)
        stack->redo();
    else
        stack->undo();
}

// The document holds another model: its results are stale, the pane shows its settings, a noise map of the
// other model goes, and both views repaint.
void CMainFrame::OnModelRestored()
{
    ResumWherePathsHold();
    UpdateResultState();
    ShowSettings();
    m_pPlanView->RefreshJudgement();  // the criterion and the targets may be others
    m_pPlanView->ClearDisplayLists();
    if (m_pPlanView->IsShowingNoiseMap()) {
        m_pPlanView->ClearNoiseMap();
        ShowStatus(kMapRemovedByUndo);
    }
    RefreshViews();
}

// A map shown was computed with the barriers left out, so it goes with them.
void CMainFrame::ReleaseExclusion()
{
    if (m_pPlanView->IsShowingNoiseMap()) {
        m_pPlanView->ClearNoiseMap();
        ShowStatus(kMapRemovedByUndo);
    }
    m_pWindows->InputWindows()->ReleaseExclusion();
    RefreshViews();
}
