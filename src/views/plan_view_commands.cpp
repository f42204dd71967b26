// The main window's model input commands that the plan view carries out. Each opens its
// kind's window through the input window coordinator, which refuses it while results or
// a noise map are displayed or the result table is open.

#include "model/document.h"
#include "views/input_window_coordinator.h"
#include "views/plan_view.h"

bool CPlan_View::HasResults() const { return m_pDoc->m_nCalculatedInFile == 1 || m_pDoc->IsCalculated(); }

void CPlan_View::OnInputRoad() { m_pInputs->OpenRoadInput(); }
void CPlan_View::OnInputTunnel() { m_pInputs->OpenTunnelInput(); }
void CPlan_View::OnInputEmbankment() { m_pInputs->OpenEmbankmentInput(); }
void CPlan_View::OnInputCutting() { m_pInputs->OpenCuttingInput(); }
void CPlan_View::OnInputReceiver() { m_pInputs->OpenReceiverInput(); }
void CPlan_View::OnInputBarrier() { m_pInputs->OpenBarrierInput(); }
