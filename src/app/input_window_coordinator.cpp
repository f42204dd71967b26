#include "app/input_window_coordinator.h"

#include <QWidget>

#include "dialogs/barrier_input_dialog.h"
#include "dialogs/building_input_dialog.h"
#include "dialogs/receiver_input_dialog.h"
#include "dialogs/road_input_dialog.h"
#include "dialogs/slope_input_dialog.h"
#include "dialogs/tunnel_input_dialog.h"
#include "model/document.h"
#include "model/model_change_names.h"
#include "ui/message_box.h"

namespace {

// Destroys a window once its request has returned; the owner forgets it at once.
template <class T>
void DestroyWindow(QPointer<T>& window)
{
    if (!window)
        return;
    T* closing = window;
    window = nullptr;
    closing->disconnect();
    closing->hide();
    closing->deleteLater();
}

}  // namespace

CInputWindowCoordinator::CInputWindowCoordinator(CMyTalvoDoc* doc, QWidget* windowParent, QObject* parent)
    : QObject(parent), m_pDoc(doc), m_pWindowParent(windowParent)
{
}

CInputWindowCoordinator::~CInputWindowCoordinator()
{
    delete m_pRoadDlg.data();
    delete m_pReceiverDlg.data();
    DeleteOtherWindows();
}

CInput_Receiver_Point* CInputWindowCoordinator::ReceiverWindow() const { return m_pReceiverDlg; }
bool CInputWindowCoordinator::IsAnyInputOpen() const
{
    return m_pRoadDlg || m_pReceiverDlg || m_pEmbankmentDlg || m_pCuttingDlg || m_pTunnelDlg || m_pBarrierDlg ||
           m_pBuildingDlg;
}

// A model changed under the results shown would leave them describing another model: the
// user chooses between removing them and going on, or keeping them and the model as it is.
bool CInputWindowCoordinator::RefusedWhileResults()
{
    if (!m_resultsShown())
        return false;
    const auto answer = MessageBoxes().Question(m_pWindowParent, QString::fromUtf8(kMsgRemoveResults), QString(),
                                                QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return true;
    m_removeResults();
    return m_resultsShown();
}

void CInputWindowCoordinator::OpenReceiverInput()
{
    if (RefusedWhileResults())
        return;
    if (m_pReceiverDlg) {
        MessageBoxes().Information(m_pWindowParent, QString::fromUtf8(kMsgReceiverWindowOpen));
        return;
    }
    m_pReceiverDlg = new CInput_Receiver_Point(m_pDoc->m_arrReceiver, m_pWindowParent);
    m_pReceiverDlg->SetModalRunner(m_runModal);
    connect(m_pReceiverDlg, &CInput_Receiver_Point::CommitRequested, this, &CInputWindowCoordinator::OnReceiverCommit);
    connect(m_pReceiverDlg, &CInput_Receiver_Point::CancelRequested, this, &CInputWindowCoordinator::CloseReceiver);
    for (auto changed : {&CInput_Receiver_Point::RowDeleted, &CInput_Receiver_Point::ListChanged})
        connect(m_pReceiverDlg, changed, this, [this] {
            ActivateReceiver();
            Repaint();
        });
    m_pReceiverDlg->show();
    ActivateReceiver();
    Repaint();
}

// "No" closes the window as well, leaving the document's receivers as they were.
void CInputWindowCoordinator::OnReceiverCommit()
{
    const auto answer = MessageBoxes().Question(m_pReceiverDlg, QString::fromUtf8(kMsgCommitReceivers), QString(),
                                                QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        CloseReceiver();
        return;
    }
    const std::vector<CReceiverPoint> before = m_pDoc->m_arrReceiver;
    m_pDoc->m_arrReceiver = m_pReceiverDlg->WorkingList();
    m_pDoc->CommitModelChange();
    const QString step = QString::fromStdString(ChangeName(before, m_pDoc->m_arrReceiver));
    CloseReceiver();
    emit ModelCommitted(step);
}

void CInputWindowCoordinator::CloseReceiver()
{
    DestroyWindow(m_pReceiverDlg);
    ActivateAnyOpen();
    Repaint();
}

void CInputWindowCoordinator::CloseAll()
{
    if (!IsAnyInputOpen())
        return;
    DestroyWindow(m_pRoadDlg);
    DestroyWindow(m_pReceiverDlg);
    CloseOtherWindows();
    ActivateAnyOpen();
    Repaint();
}

const std::vector<CRoad>& CInputWindowCoordinator::RoadsToDraw() const
{
    return m_pRoadDlg ? m_pRoadDlg->WorkingList() : m_pDoc->m_arrRoad;
}

const std::vector<CReceiverPoint>& CInputWindowCoordinator::ReceiversToDraw() const
{
    return m_pReceiverDlg ? m_pReceiverDlg->WorkingList() : m_pDoc->m_arrReceiver;
}

int CInputWindowCoordinator::HighlightedRoad() const { return m_pRoadDlg ? m_pRoadDlg->EditedIndex() : -1; }

int CInputWindowCoordinator::HighlightedReceiver() const { return m_pReceiverDlg ? m_pReceiverDlg->EditedIndex() : -1; }

void CInputWindowCoordinator::Activate(EEntityKind kind) { m_eActive = kind; }

// When the active window has closed, the first open window in command order takes over.
void CInputWindowCoordinator::ActivateAnyOpen()
{
    if (IsOpen(m_eActive))
        return;
    m_eActive = EEntityKind::None;
    for (EEntityKind kind : {EEntityKind::Road, EEntityKind::Receiver, EEntityKind::Embankment, EEntityKind::Cutting,
                             EEntityKind::Tunnel, EEntityKind::Barrier, EEntityKind::Building})
        if (IsOpen(kind)) {
            m_eActive = kind;
            return;
        }
}

CWorkingLists CInputWindowCoordinator::WorkingLists() const
{
    CWorkingLists lists;
    if (m_pRoadDlg)
        lists.pRoads = &m_pRoadDlg->WorkingList();
    if (m_pReceiverDlg)
        lists.pReceivers = &m_pReceiverDlg->WorkingList();
    AddOtherWorkingLists(lists);
    lists.highlightKind = m_eActive;
    lists.nHighlight = EditedIndexOf(m_eActive);
    return lists;
}
