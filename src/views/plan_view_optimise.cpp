// The optimisation windows the plan view owns (one of each at most) and the launch of
// the external optimiser.

#include <QProcess>

#include "dialogs/file_dialogs.h"
#include "dialogs/message_box.h"
#include "io/opt_result_file.h"
#include "model/document.h"
#include "optimise/opt_input_dialog.h"
#include "optimise/opt_result_dialog.h"
#include "views/plan_view.h"

namespace {

const QString kOptInputOpen = QStringLiteral("방음벽 최적설계 입력창이 이미 열려있습니다.");
const QString kOptResultOpen = QStringLiteral("방음벽 최적설계 입력창이 이미 열려 있습니다.");
const QString kOptResultFilter = QStringLiteral("방음벽 최적설계 결과파일 (*.out)");
const QString kWallSolver = QStringLiteral("WallSolver.exe");
const QString kWallSolverFailed =
    QStringLiteral("최적설계 프로그램(WallSolver.exe)을 실행할 수 없습니다. 프로그램이 설치되어 있는지 확인하십시오.");

}  // namespace

COptInputDlg* CPlan_View::OptInputWindow() const { return m_pOptInputDlg; }
COptResultDlg* CPlan_View::OptResultWindow() const { return m_pOptResultDlg; }

void CPlan_View::OnOptimise()
{
    if (m_pOptInputDlg) {
        MessageBoxes().Information(this, kOptInputOpen);
        return;
    }
    m_pOptInputDlg = new COptInputDlg(m_pDoc, this);
    m_pOptInputDlg->setWindowFlag(Qt::Window);
    connect(m_pOptInputDlg, &COptInputDlg::CloseRequested, this, &CPlan_View::CloseOptInput);
    connect(m_pOptInputDlg, &COptInputDlg::BarrierApplied, this, &CPlan_View::OnBarrierApplied);
    m_pOptInputDlg->show();
}

void CPlan_View::CloseOptInput()
{
    if (!m_pOptInputDlg)
        return;
    m_pOptInputDlg->hide();
    m_pOptInputDlg->deleteLater();
    m_pOptInputDlg = nullptr;
    RepaintBoth();
}

// An applied barrier switches the result display off (the levels no longer hold) and
// empties the picked labels.
void CPlan_View::OnBarrierApplied()
{
    SetResultDisplay(false, m_results.m_nResultBand);
    emit DocumentChanged();
}

void CPlan_View::OnOptResult()
{
    if (m_pOptResultDlg) {
        MessageBoxes().Information(this, kOptResultOpen);
        return;
    }
    const QString path = FileDialogs().OpenFileName(this, QString(), QStringLiteral("*.out"), kOptResultFilter);
    if (path.isEmpty())
        return;
    COptResult result;
    std::string failure;
    if (!ReadOptResultFile(path.toStdString(), result, failure)) {
        MessageBoxes().Information(this, QString::fromStdString(failure) + QStringLiteral("\n") + path);
        return;
    }
    m_pOptResultDlg = new COptResultDlg(std::move(result), this);
    m_pOptResultDlg->setWindowFlag(Qt::Window);
    connect(m_pOptResultDlg, &COptResultDlg::CloseRequested, this, &CPlan_View::CloseOptResult);
    m_pOptResultDlg->show();
}

void CPlan_View::CloseOptResult()
{
    if (!m_pOptResultDlg)
        return;
    m_pOptResultDlg->hide();
    m_pOptResultDlg->deleteLater();
    m_pOptResultDlg = nullptr;
}

// Runs the external optimiser by its bare name and waits until it has ended.
void CPlan_View::OnRunWallSolver()
{
    QProcess solver;
    solver.setProgram(kWallSolver);
    solver.start();
    if (!solver.waitForStarted()) {
        MessageBoxes().Information(this, kWallSolverFailed);
        return;
    }
    solver.waitForFinished(-1);
}
