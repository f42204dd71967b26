// The road, embankment, cutting, tunnel and barrier windows of the coordinator. They share
// one scheme: store and delete work on the window's working list; commit replaces the
// document's list by it (a store refused as a duplicate does not hold the commit back);
// close leaves the document as it was. The cutting window's requests also recompute the
// project's base height, which every height of the engine is measured from.

#include <QWidget>

#include "app/input_window_coordinator.h"
#include "dialogs/barrier_input_dialog.h"
#include "dialogs/building_input_dialog.h"
#include "dialogs/receiver_input_dialog.h"
#include "dialogs/road_input_dialog.h"
#include "dialogs/slope_input_dialog.h"
#include "dialogs/tunnel_input_dialog.h"
#include "drawing/working_lists.h"
#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "model/model_change_names.h"
#include "ui/message_box.h"

namespace {

// The terrain section records are built from the embankments and cuttings; a commit of
// earthworks or tunnels makes them stale.
void ClearDerivedLists(CMyTalvoDoc& doc)
{
    doc.m_arrEmbankmentSection.clear();
    doc.m_arrCuttingSection.clear();
    doc.m_arrEmbankmentOutline.clear();
    doc.m_arrCuttingOutline.clear();
}

}  // namespace

namespace {

// Destroys a window once its request has returned; the owner forgets it at once.
template <class Dialog>
void DestroyListWindow(QPointer<Dialog>& window)
{
    Dialog* closing = window;
    window = nullptr;
    closing->disconnect();
    closing->hide();
    closing->deleteLater();
}

}  // namespace

template <class Dialog>
void CInputWindowCoordinator::CloseListWindow(QPointer<Dialog>& window, const std::function<void()>& afterRequest)
{
    if (!window)
        return;
    DestroyListWindow(window);
    ActivateAnyOpen();
    if (afterRequest)
        afterRequest();
    Repaint();
}

// Connects a window's requests. afterRequest runs after each of them (the cutting
// window's base height); a commit also empties the document's derived lists unless the
// window's entities play no part in them.
template <class Dialog, class List>
void CInputWindowCoordinator::WireListWindow(QPointer<Dialog>& window, EEntityKind kind, List& documentList,
                                             std::function<void()> afterRequest, EDerivedLists derived)
{
    auto store = [this, &window, kind, afterRequest] {
        Activate(kind);
        window->StorePending();
        if (afterRequest)
            afterRequest();
        Repaint();
    };
    auto remove = [this, &window, kind, afterRequest] {
        Activate(kind);
        window->DeleteSelected();
        if (afterRequest)
            afterRequest();
        Repaint();
    };
    auto commit = [this, &window, &documentList, afterRequest, derived] {
        window->StorePending();
        const List before = documentList;
        documentList = window->WorkingList();
        if (derived == EDerivedLists::Clear)
            ClearDerivedLists(*m_pDoc);
        m_pDoc->CommitModelChange();
        const QString step = QString::fromStdString(ChangeName(before, documentList));
        CloseListWindow(window, afterRequest);
        emit ModelCommitted(step);
    };
    auto close = [this, &window, afterRequest] { CloseListWindow(window, afterRequest); };
    connect(window, &Dialog::StoreRequested, this, store);
    connect(window, &Dialog::DeleteRequested, this, remove);
    connect(window, &Dialog::CommitRequested, this, commit);
    connect(window, &Dialog::CloseRequested, this, close);
    connect(window, &Dialog::FormChanged, this, [this, kind] {
        Activate(kind);
        Repaint();
    });
    Activate(kind);
}

Input_Road_dlg* CInputWindowCoordinator::RoadWindow() const { return m_pRoadDlg; }
CInputSungtoDlg* CInputWindowCoordinator::EmbankmentWindow() const { return m_pEmbankmentDlg; }
CInputJultoDlg* CInputWindowCoordinator::CuttingWindow() const { return m_pCuttingDlg; }
CInputTunnelDlg* CInputWindowCoordinator::TunnelWindow() const { return m_pTunnelDlg; }
CBarrier_Design_Dlg* CInputWindowCoordinator::BarrierWindow() const { return m_pBarrierDlg; }
CBuildingInputDlg* CInputWindowCoordinator::BuildingWindow() const { return m_pBuildingDlg; }

void CInputWindowCoordinator::OpenRoadInput()
{
    if (RefusedWhileResults() || m_pRoadDlg)
        return;
    m_pRoadDlg = new Input_Road_dlg(m_pDoc->m_arrRoad, m_pWindowParent);
    m_pRoadDlg->SetModalRunner(m_runModal);
    WireListWindow(m_pRoadDlg, EEntityKind::Road, m_pDoc->m_arrRoad, nullptr, EDerivedLists::Keep);
    m_pRoadDlg->show();
    Repaint();
}

void CInputWindowCoordinator::OpenEmbankmentInput()
{
    if (RefusedWhileResults() || m_pEmbankmentDlg)
        return;
    m_pEmbankmentDlg = new CInputSungtoDlg(m_pDoc->m_arrEmbankment, m_pWindowParent);
    WireListWindow(m_pEmbankmentDlg, EEntityKind::Embankment, m_pDoc->m_arrEmbankment, nullptr);
    m_pEmbankmentDlg->show();
    Repaint();
}

void CInputWindowCoordinator::OpenCuttingInput()
{
    if (RefusedWhileResults() || m_pCuttingDlg)
        return;
    m_pCuttingDlg = new CInputJultoDlg(m_pDoc->m_arrCutting, m_pWindowParent);
    WireListWindow(m_pCuttingDlg, EEntityKind::Cutting, m_pDoc->m_arrCutting, [this] {
        if (m_pCuttingDlg)
            CuttingBaseHeightFromWorkingList();
        else
            CuttingBaseHeightFromDocument();
    });
    m_pCuttingDlg->show();
    Repaint();
}

void CInputWindowCoordinator::CuttingBaseHeightFromWorkingList()
{
    m_pDoc->m_settings.m_dBaseHeight = BaseHeightOf(m_pCuttingDlg->WorkingList());
}

void CInputWindowCoordinator::CuttingBaseHeightFromDocument()
{
    m_pDoc->m_settings.m_dBaseHeight = BaseHeightOf(m_pDoc->m_arrCutting);
}

void CInputWindowCoordinator::OpenTunnelInput()
{
    if (RefusedWhileResults() || m_pTunnelDlg)
        return;
    m_pTunnelDlg = new CInputTunnelDlg(m_pDoc->m_arrTunnel, m_pWindowParent);
    WireListWindow(m_pTunnelDlg, EEntityKind::Tunnel, m_pDoc->m_arrTunnel, nullptr);
    m_pTunnelDlg->show();
    Repaint();
}

void CInputWindowCoordinator::OpenBarrierInput()
{
    if (RefusedWhileResults())
        return;
    if (m_pBarrierDlg) {
        MessageBoxes().Information(m_pWindowParent, QString::fromUtf8(kMsgBarrierWindowOpen));
        return;
    }
    m_pBarrierDlg = new CBarrier_Design_Dlg(m_pDoc->m_arrBarrier, m_pDoc->m_settings.m_dBaseHeight, m_pWindowParent);
    m_pBarrierDlg->SetModalRunner(m_runModal);
    m_excludedEnds = BarrierEnds(m_pDoc->m_arrBarrier, m_pDoc->m_arrExcludedBarrier);
    WireListWindow(m_pBarrierDlg, EEntityKind::Barrier, m_pDoc->m_arrBarrier, [this] { SyncBarrierExclusion(); });
    connect(m_pBarrierDlg, &CBarrier_Design_Dlg::ExclusionChosen, this, &CInputWindowCoordinator::OnExclusionChosen);
    connect(m_pBarrierDlg, &CBarrier_Design_Dlg::ExclusionReleased, this, &CInputWindowCoordinator::ReleaseExclusion);
    SyncBarrierExclusion();
    m_pBarrierDlg->show();
    Repaint();
}

// Buildings play no part in the terrain section records, which the commit keeps.
void CInputWindowCoordinator::OpenBuildingInput()
{
    if (RefusedWhileResults())
        return;
    if (m_pBuildingDlg) {
        MessageBoxes().Information(m_pWindowParent, QString::fromUtf8(kMsgBuildingWindowOpen));
        return;
    }
    m_pBuildingDlg = new CBuildingInputDlg(m_pDoc->m_arrBuilding, m_pDoc->m_settings.m_dBaseHeight, m_pWindowParent);
    WireListWindow(m_pBuildingDlg, EEntityKind::Building, m_pDoc->m_arrBuilding, nullptr, EDerivedLists::Keep);
    m_pBuildingDlg->show();
    Repaint();
}

// Positions in the working list, which may differ from the document's.
void CInputWindowCoordinator::OnExclusionChosen(const std::vector<int>& positions)
{
    SetExclusion(BarrierEnds(m_pBarrierDlg->WorkingList(), positions));
}

void CInputWindowCoordinator::ReleaseExclusion() { SetExclusion({}); }

// A change of the exclusion is a change of the model: the results computed before it no
// longer say what they are, and it is one step of the undo history.
void CInputWindowCoordinator::SetExclusion(std::vector<std::string> ends)
{
    const std::vector<int> before = m_pDoc->m_arrExcludedBarrier;
    m_excludedEnds = std::move(ends);
    SyncBarrierExclusion();
    Repaint();
    if (m_pDoc->m_arrExcludedBarrier == before)
        return;
    m_pDoc->CommitModelChange();
    emit ModelCommitted(
        QString::fromStdString(ExclusionChangeName(m_pDoc->m_arrExcludedBarrier, m_pDoc->m_arrBarrier.size())));
}

// The exclusion follows its barriers by their ends: through deletions in the working
// list, and into the document's list when the window commits it. A barrier chosen in the
// working list before it was committed is excluded from the commit on.
void CInputWindowCoordinator::SyncBarrierExclusion()
{
    m_pDoc->m_arrExcludedBarrier = PositionsWithEnds(m_pDoc->m_arrBarrier, m_excludedEnds);
    if (!m_pBarrierDlg) {
        m_workingExcluded.clear();
        return;
    }
    m_workingExcluded.assign(m_pBarrierDlg->WorkingList().size(), false);
    for (int p : PositionsWithEnds(m_pBarrierDlg->WorkingList(), m_excludedEnds))
        m_workingExcluded[std::size_t(p)] = true;
    m_pBarrierDlg->ShowExclusion(m_workingExcluded, !m_excludedEnds.empty());
}

void CInputWindowCoordinator::CloseOtherWindows()
{
    if (m_pEmbankmentDlg)
        DestroyListWindow(m_pEmbankmentDlg);
    if (m_pCuttingDlg)
        DestroyListWindow(m_pCuttingDlg);
    if (m_pTunnelDlg)
        DestroyListWindow(m_pTunnelDlg);
    if (m_pBarrierDlg)
        DestroyListWindow(m_pBarrierDlg);
    if (m_pBuildingDlg)
        DestroyListWindow(m_pBuildingDlg);
}

void CInputWindowCoordinator::DeleteOtherWindows()
{
    delete m_pEmbankmentDlg.data();
    delete m_pCuttingDlg.data();
    delete m_pTunnelDlg.data();
    delete m_pBarrierDlg.data();
    delete m_pBuildingDlg.data();
}

bool CInputWindowCoordinator::IsOpen(EEntityKind kind) const
{
    switch (kind) {
    case EEntityKind::Road: return m_pRoadDlg;
    case EEntityKind::Receiver: return m_pReceiverDlg;
    case EEntityKind::Embankment: return m_pEmbankmentDlg;
    case EEntityKind::Cutting: return m_pCuttingDlg;
    case EEntityKind::Tunnel: return m_pTunnelDlg;
    case EEntityKind::Barrier: return m_pBarrierDlg;
    case EEntityKind::Building: return m_pBuildingDlg;
    case EEntityKind::None: break;
    }
    return false;
}

int CInputWindowCoordinator::EditedIndexOf(EEntityKind kind) const
{
    switch (kind) {
    case EEntityKind::Road: return HighlightedRoad();
    case EEntityKind::Receiver: return HighlightedReceiver();
    case EEntityKind::Embankment: return m_pEmbankmentDlg ? m_pEmbankmentDlg->EditedIndex() : -1;
    case EEntityKind::Cutting: return m_pCuttingDlg ? m_pCuttingDlg->EditedIndex() : -1;
    case EEntityKind::Tunnel: return m_pTunnelDlg ? m_pTunnelDlg->EditedIndex() : -1;
    case EEntityKind::Barrier: return m_pBarrierDlg ? m_pBarrierDlg->EditedIndex() : -1;
    case EEntityKind::Building: return m_pBuildingDlg ? m_pBuildingDlg->EditedIndex() : -1;
    case EEntityKind::None: break;
    }
    return -1;
}

void CInputWindowCoordinator::AddOtherWorkingLists(CWorkingLists& lists) const
{
    if (m_pEmbankmentDlg)
        lists.pEmbankments = &m_pEmbankmentDlg->WorkingList();
    if (m_pCuttingDlg)
        lists.pCuttings = &m_pCuttingDlg->WorkingList();
    if (m_pTunnelDlg)
        lists.pTunnels = &m_pTunnelDlg->WorkingList();
    if (m_pBarrierDlg) {
        lists.pBarriers = &m_pBarrierDlg->WorkingList();
        lists.pExcludedBarriers = &m_workingExcluded;
    }
    if (m_pBuildingDlg) {
        lists.pBuildings = &m_pBuildingDlg->WorkingList();
        lists.pFootprintDraft = &m_pBuildingDlg->FootprintDraft();
    }
}
