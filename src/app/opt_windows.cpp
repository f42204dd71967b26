// The optimisation windows (one of each at most) and the launch of the external optimiser.

#include <QProcess>

#include "app/model_windows.h"
#include "dialogs/optimise/opt_input_dialog.h"
#include "dialogs/optimise/opt_result_dialog.h"
#include "io/opt_result_file.h"
#include "model/document.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "views/plan_view.h"

namespace {

const QString kOptInputOpen = QStringLiteral("방음벽 최적설계 입력창이 이미 열려있습니다.");
const QString kOptResultOpen = QStringLiteral("방음벽 최적설계 입력창이 이미 열려 있습니다.");
const QString kOptResultFilter = QStringLiteral("방음벽 최적설계 결과파일 (*.out)");
const QString kMapRemovedByBarrier =
    QStringLiteral("방음벽을 적용하여 소음지도를 지웠습니다. 소음지도를 다시 계산하세요.");
const QString kWallSolver = QStringLiteral("WallSolver.exe");
const QString kWallSolverFailed =
    QStringLiteral("최적설계 프로그램(WallSolver.exe)을 실행할 수 없습니다. 프로그램이 설치되어 있는지 확인하십시오.");

}  // namespace

COptInputDlg* CModelWindows::OptInputWindow() const { return m_pOptInputDlg; }
COptResultDlg* CModelWindows::OptResultWindow() const { return m_pOptResultDlg; }

void CModelWindows::OnOptimise()
{
    if (m_pOptInputDlg) {
        MessageBoxes().Information(m_pPlanView, kOptInputOpen);
        return;
    }
    m_pOptInputDlg = new COptInputDlg(m_pDoc, m_pPlanView);
    m_pOptInputDlg->setWindowFlag(Qt::Window);
    connect(m_pOptInputDlg, &COptInputDlg::CloseRequested, this, &CModelWindows::CloseOptInput);
    connect(m_pOptInputDlg, &COptInputDlg::BarrierApplied, this, &CModelWindows::OnBarrierApplied);
    connect(m_pOptInputDlg, &COptInputDlg::LengthSearchPredicted, this, &CModelWindows::DocumentChanged);
    connect(m_pOptInputDlg, &COptInputDlg::LengthSearchPredicted, this, &CModelWindows::ResultsComputed);
    m_pOptInputDlg->show();
}

void CModelWindows::CloseOptInput()
{
    if (!m_pOptInputDlg)
        return;
    m_pOptInputDlg->hide();
    m_pOptInputDlg->deleteLater();
    m_pOptInputDlg = nullptr;
    m_pPlanView->RepaintBoth();
}

// An applied barrier switches the result display off (the levels no longer hold) and
// empties the picked labels; a noise map shown goes as well, and the user is told so.
void CModelWindows::OnBarrierApplied()
{
    const bool hadMap = m_pPlanView->IsShowingNoiseMap();
    m_pPlanView->SetResultDisplay(false, m_pPlanView->resultDisplay().m_nResultBand);
    emit DocumentChanged();
    emit BarrierApplied();
    if (!hadMap)
        return;
    if (m_pOptInputDlg)
        m_pOptInputDlg->ShowNotice(kMapRemovedByBarrier);
    emit StatusMessage(kMapRemovedByBarrier);
}

void CModelWindows::OnOptResult()
{
    if (m_pOptResultDlg) {
        MessageBoxes().Information(m_pPlanView, kOptResultOpen);
        return;
    }
    const QString path = FileDialogs().OpenFileName(m_pPlanView, QString(), QStringLiteral("*.out"), kOptResultFilter);
    if (path.isEmpty())
        return;
    COptResult result;
    std::string failure;
    if (!ReadOptResultFile(path.toStdString(), result, failure)) {
        MessageBoxes().Information(m_pPlanView, QString::fromStdString(failure) + QStringLiteral("\n") + path);
        return;
    }
    m_pOptResultDlg = new COptResultDlg(std::move(result), m_pPlanView);
    m_pOptResultDlg->setWindowFlag(Qt::Window);
    connect(m_pOptResultDlg, &COptResultDlg::CloseRequested, this, &CModelWindows::CloseOptResult);
    m_pOptResultDlg->show();
}

void CModelWindows::CloseOptResult()
{
    if (!m_pOptResultDlg)
        return;
    m_pOptResultDlg->hide();
    m_pOptResultDlg->deleteLater();
    m_pOptResultDlg = nullptr;
}

// Runs the external optimiser by its bare name and waits until it has ended.
void CModelWindows::OnRunWallSolver()
{
    QProcess solver;
    solver.setProgram(kWallSolver);
    solver.start();
    if (!solver.waitForStarted()) {
        MessageBoxes().Information(m_pPlanView, kWallSolverFailed);
        return;
    }
    solver.waitForFinished(-1);
}
