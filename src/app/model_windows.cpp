#include "app/model_windows.h"

#include "app/input_window_coordinator.h"
#include "views/plan_view.h"

CModelWindows::CModelWindows(CMyTalvoDoc* doc, CPlan_View* planView, QObject* parent)
    : QObject(parent), m_pDoc(doc), m_pPlanView(planView), m_pInputs(new CInputWindowCoordinator(doc, planView, this))
{
    m_pInputs->SetResultsShownQuery([planView] { return planView->BlocksModelInput(); });
    m_pInputs->SetResultsRemover([planView] { planView->RemoveOutput(); });
    connect(m_pInputs, &CInputWindowCoordinator::ModelCommitted, this, &CModelWindows::DocumentChanged);
    connect(m_pInputs, &CInputWindowCoordinator::RepaintViews, planView,
            [this] { m_pPlanView->SetWorkingLists(m_pInputs->WorkingLists()); });
    connect(m_pInputs, &CInputWindowCoordinator::ModelCommitted, this, &CModelWindows::ModelCommitted);
}

CModelWindows::~CModelWindows() = default;

void CModelWindows::CloseInputWindows() { m_pInputs->CloseAll(); }

void CModelWindows::OnInputRoad() { m_pInputs->OpenRoadInput(); }
void CModelWindows::OnInputTunnel() { m_pInputs->OpenTunnelInput(); }
void CModelWindows::OnInputEmbankment() { m_pInputs->OpenEmbankmentInput(); }
void CModelWindows::OnInputCutting() { m_pInputs->OpenCuttingInput(); }
void CModelWindows::OnInputReceiver() { m_pInputs->OpenReceiverInput(); }
void CModelWindows::OnInputBarrier() { m_pInputs->OpenBarrierInput(); }
void CModelWindows::OnInputBuilding() { m_pInputs->OpenBuildingInput(); }
