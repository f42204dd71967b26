// The main window's commands that the plan view carries out. Model input opens the
// kind's window through the input window coordinator, which refuses it while results
// or a noise map are displayed; the result windows come later.

#include "dialogs/message_box.h"
#include "model/document.h"
#include "views/input_window_coordinator.h"
#include "views/plan_view.h"

namespace {

const QString kRunPredictionFirst = QStringLiteral("소음해석을 먼저 수행하세요.");

}  // namespace

bool CPlan_View::HasResults() const
{
    return m_pDoc->m_nCalculatedInFile == 1 || m_pDoc->IsCalculated();
}

void CPlan_View::OnInputRoad() { m_pInputs->OpenRoadInput(); }
void CPlan_View::OnInputTunnel() { m_pInputs->OpenTunnelInput(); }
void CPlan_View::OnInputEmbankment() { m_pInputs->OpenEmbankmentInput(); }
void CPlan_View::OnInputCutting() { m_pInputs->OpenCuttingInput(); }
void CPlan_View::OnInputReceiver() { m_pInputs->OpenReceiverInput(); }
void CPlan_View::OnInputBarrier() { m_pInputs->OpenBarrierInput(); }
void CPlan_View::OnOptimise() {}

void CPlan_View::OnResultDisplay()
{
    if (!HasResults())
        MessageBoxes().Information(this, kRunPredictionFirst);
}

void CPlan_View::OnResultChart()
{
    if (!HasResults())
        MessageBoxes().Information(this, kRunPredictionFirst);
}
