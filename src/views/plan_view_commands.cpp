// The main window's commands that the plan view carries out. Model input is refused
// while results or a noise map are displayed or the result table is open; road and
// receiver input open their windows, the other input windows come later.

#include "dialogs/message_box.h"
#include "model/document.h"
#include "views/input_window_coordinator.h"
#include "views/plan_view.h"

namespace {

const QString kRemoveResults = QStringLiteral("예측 결과를 제거하고 모델을 입력하세요.");
const QString kRemoveResultsReceiver = QStringLiteral("예측 결과를 제거하고 모델을 입력하십시요");

}  // namespace

bool CPlan_View::ModelInputAllowed(const QString& refusal)
{
    if (!m_results.m_bShowResults && !m_pNoiseMap && m_pResultDlg.isNull())
        return true;
    MessageBoxes().Information(this, refusal);
    return false;
}

bool CPlan_View::HasResults() const
{
    return m_pDoc->m_nCalculatedInFile == 1 || m_pDoc->IsCalculated();
}

void CPlan_View::OnInputRoad() { m_pInputs->OpenRoadInput(); }
void CPlan_View::OnInputTunnel() { ModelInputAllowed(kRemoveResults); }
void CPlan_View::OnInputEmbankment() { ModelInputAllowed(kRemoveResults); }
void CPlan_View::OnInputCutting() { ModelInputAllowed(kRemoveResults); }
void CPlan_View::OnInputReceiver() { m_pInputs->OpenReceiverInput(); }
void CPlan_View::OnInputBarrier() { ModelInputAllowed(kRemoveResults); }
