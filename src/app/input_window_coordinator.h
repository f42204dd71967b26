#pragma once

// The model input windows over the plan view: at most one window per kind, none opened
// over results shown (the user is asked whether to remove them and go on), and the list
// operations each window asks for carried out on its working list. A commit replaces the
// document's list by the working list, marks the document changed and names the step for
// the undo history; a close or cancel leaves the document as it was. After every request
// RepaintViews is emitted, and while a window is open the views draw its working list
// (RoadsToDraw, ReceiversToDraw) and highlight the entity it edits. User-interface thread only.

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

#include "drawing/working_lists.h"
#include "model/entities.h"
#include "ui/modal_runner.h"

class QWidget;
class CMyTalvoDoc;
class Input_Road_dlg;
class CInput_Receiver_Point;
class CInputSungtoDlg;
class CInputJultoDlg;
class CInputTunnelDlg;
class CBarrier_Design_Dlg;
class CBuildingInputDlg;
struct CWorkingLists;

inline constexpr const char* kMsgRemoveResults =
    "예측 결과(레벨 표시, 소음지도, 결과표)가 표시되어 있습니다.\n예측 결과를 제거하고 모델을 입력하시겠습니까?";
inline constexpr const char* kMsgReceiverWindowOpen = "수음점 입력창이 이미 열려있습니다.";
inline constexpr const char* kMsgBarrierWindowOpen = "방음벽 입력창이 이미 열려있습니다.";
inline constexpr const char* kMsgBuildingWindowOpen = "건물 입력창이 이미 열려있습니다.";
inline constexpr const char* kMsgCommitReceivers =
    "'예' 버튼을 누르시는 경우, 기존의 수음점 데이타가 변경됩니다. 변경 후에는 재해석을 실시해야 합니다.\n"
    "변경을 원하시지 않으면 '아니오'를 선택하세요.";

class CInputWindowCoordinator : public QObject {
    Q_OBJECT
public:
    // windowParent: the widget the windows belong to (the plan view); they stay top-level.
    CInputWindowCoordinator(CMyTalvoDoc* doc, QWidget* windowParent, QObject* parent = nullptr);
    ~CInputWindowCoordinator() override;

    // True while results count as shown (result labels on, a noise map, or the result table open).
    void SetResultsShownQuery(std::function<bool()> query) { m_resultsShown = std::move(query); }
    // Removes the results shown ("출력 제거"), when the user agrees to go on without them.
    void SetResultsRemover(std::function<void()> remove) { m_removeResults = std::move(remove); }
    // How the windows opened from now on run their modal sub-forms (tests answer them).
    void SetModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

    // "도로": a second command leaves the open window as it is, without a message.
    void OpenRoadInput();
    // "수음점": a second command says the window is already open.
    void OpenReceiverInput();

    // "성토", "절토", "도로(터널)": a second command leaves the open window as it is.
    void OpenEmbankmentInput();
    void OpenCuttingInput();
    void OpenTunnelInput();
    // "방음벽": a second command says the window is already open.
    void OpenBarrierInput();
    // "건물": a second command says the window is already open.
    void OpenBuildingInput();
    // "제외 해제": no barrier is left out of the calculation any more (one undo step,
    // ModelCommitted); the barrier window, if open, shows it.
    void ReleaseExclusion();
    // Closes every open window without touching the document: the project it was opened
    // on has been replaced, and its working list must not be committed into another.
    void CloseAll();

    Input_Road_dlg* RoadWindow() const;
    CInput_Receiver_Point* ReceiverWindow() const;
    CInputSungtoDlg* EmbankmentWindow() const;
    CInputJultoDlg* CuttingWindow() const;
    CInputTunnelDlg* TunnelWindow() const;
    CBarrier_Design_Dlg* BarrierWindow() const;
    CBuildingInputDlg* BuildingWindow() const;
    bool IsAnyInputOpen() const;

    // The lists the views draw: the open window's working list, else the document's.
    const std::vector<CRoad>& RoadsToDraw() const;
    const std::vector<CReceiverPoint>& ReceiversToDraw() const;
    // 0-based position of the entity the open window edits; -1 when none.
    int HighlightedRoad() const;
    int HighlightedReceiver() const;
    // Everything above for the views: every open window's working list, and the entity
    // edited in the window that made the latest request highlighted.
    CWorkingLists WorkingLists() const;

signals:
    void RepaintViews();
    // A window's "확인" replaced a document list, or the barrier exclusion changed (the
    // results are stale from now on): the step's name for the undo history ("방음벽 3 추가",
    // "도로 2 폭 변경", "수음점 2개 삭제", "방음벽 1 제외").
    void ModelCommitted(const QString& stepName);

private:
    bool RefusedWhileResults();
    void Repaint() { emit RepaintViews(); }
    void Activate(EEntityKind kind);
    void ActivateReceiver() { Activate(EEntityKind::Receiver); }
    void ActivateAnyOpen();
    bool IsOpen(EEntityKind kind) const;
    int EditedIndexOf(EEntityKind kind) const;  // -1: none, or no such window open
    void AddOtherWorkingLists(CWorkingLists& lists) const;
    void OnReceiverCommit();
    void CloseReceiver();
    // What a commit does to the document's terrain section records, built from the earthworks.
    enum class EDerivedLists { Keep, Clear };
    template <class Dialog, class List>
    void WireListWindow(QPointer<Dialog>& window, EEntityKind kind, List& documentList,
                        std::function<void()> afterRequest, EDerivedLists derived = EDerivedLists::Clear);
    template <class Dialog>
    void CloseListWindow(QPointer<Dialog>& window, const std::function<void()>& afterRequest);
    void DeleteOtherWindows();
    void CloseOtherWindows();  // without touching the document or the base height
    void OnExclusionChosen(const std::vector<int>& positions);
    void SetExclusion(std::vector<std::string> ends);
    void SyncBarrierExclusion();
    void CuttingBaseHeightFromWorkingList();
    void CuttingBaseHeightFromDocument();

    CMyTalvoDoc* m_pDoc;
    QWidget* m_pWindowParent;
    std::function<bool()> m_resultsShown = [] { return false; };
    std::function<void()> m_removeResults = [] {};
    ModalRunner m_runModal = ExecRunner();
    QPointer<Input_Road_dlg> m_pRoadDlg;
    QPointer<CInput_Receiver_Point> m_pReceiverDlg;
    QPointer<CInputSungtoDlg> m_pEmbankmentDlg;
    QPointer<CInputJultoDlg> m_pCuttingDlg;
    QPointer<CInputTunnelDlg> m_pTunnelDlg;
    QPointer<CBarrier_Design_Dlg> m_pBarrierDlg;
    QPointer<CBuildingInputDlg> m_pBuildingDlg;
    EEntityKind m_eActive = EEntityKind::None;  // the window whose entity is highlighted
    // The ends of the barriers left out, as last chosen, and which barriers of the barrier
    // window's working list they are (what the views draw while it is open).
    std::vector<std::string> m_excludedEnds;
    std::vector<bool> m_workingExcluded;
};
