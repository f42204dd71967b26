#pragma once

// "도로 입력": the modeless window in which the user creates, edits, copies and deletes
// the roads of the project, one at a time. It works on a working list (deep copies of
// the document's roads); the document is only changed by a commit, which its owner
// carries out. Each command that needs the owner emits a request:
//   StoreRequested  ("적용(&A)": the form has been read into the pending road),
//   CommitRequested ("확인(&D)": likewise, then the working list is to replace the document's),
//   DeleteRequested ("제거(&X)"), CloseRequested ("취소(&C)" or the window's close box).
// The owner answers with StorePending() and DeleteSelected(), and takes WorkingList().
// The Escape key does nothing in this window.

#include <array>
#include <optional>
#include <vector>

#include <QDialog>

#include "dialogs/modal_runner.h"
#include "dialogs/working_list.h"
#include "model/entities.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class CBandRowWidget;
class CFormReader;
class CPavementSelector;
class CRoadKindPanel;
class CTrafficGroup;

inline constexpr const char* kMsgDuplicateRoad = "동일한 도로가 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kMsgRoadWithoutLength = "도로 시작점과 종료점이 같습니다. 다른 값을 넣으세요.";
inline constexpr const char* kDefaultRoadDescription = "도로에 대한 설명을 입력하세요";
constexpr int kMaxSourceCount = 100000;

// The widgets of the form, for the window's owner and its tests.
struct CRoadFormWidgets {
    QComboBox* m_pId = nullptr;
    QLineEdit* m_pDescription = nullptr;
    std::array<QLineEdit*, 3> m_start{};  // X, Y, Z
    std::array<QLineEdit*, 3> m_end{};
    QLineEdit* m_pWidth = nullptr;
    QLineEdit* m_pSourceCount = nullptr;
    QLineEdit* m_pGradient = nullptr;
    CPavementSelector* m_pPavement = nullptr;
    CRoadKindPanel* m_pKind = nullptr;
    CTrafficGroup* m_pTraffic = nullptr;
    CBandRowWidget* m_pLevels = nullptr;
    QPushButton* m_pCompute = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCopy = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pDelete = nullptr;
};

class Input_Road_dlg : public QDialog {
    Q_OBJECT
public:
    explicit Input_Road_dlg(const std::vector<CRoad>& roads, QWidget* parent = nullptr);

    const std::vector<CRoad>& WorkingList() const { return m_arrRoad; }
    // 0-based position of the road shown in the form; -1 while "NEW" is selected.
    int EditedIndex() const;
    const CRoadFormWidgets& Form() const { return m_form; }
    void SetModalRunner(ModalRunner runner);

    // Owner side of a store: the pending road goes into the working list unless its key
    // is all zeros (ignored) or names another road forward or reversed (refused with a
    // message). The form then shows the stored road.
    EStoreResult StorePending();
    // Owner side of a delete: removes the selected road (none for "NEW"), resets the form.
    bool DeleteSelected();

signals:
    void StoreRequested();
    void CommitRequested();
    void DeleteRequested();
    void CloseRequested();
    void FormChanged();  // a road was loaded or the form reset: the views redraw

public slots:
    void reject() override;  // the close box: as "취소(&C)"

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnCompute();
    void OnApply();
    void OnOk();
    void OnCopy();
    void OnIdSelected();
    void OnLevelEditing(bool editing);

private:
    void BuildForm();
    QWidget* MakeGeometryGroup();
    QWidget* MakeButtonRow();
    bool ReadForm(CFormReader& reader, CRoad& road) const;
    std::optional<CRoad> BuildRoadFromForm();
    void LoadRoad(int index);
    void ResetForm();

    std::vector<CRoad> m_arrRoad;
    std::optional<CRoad> m_pendingRoad;
    int m_nPendingIndex = -1;
    CRoadFormWidgets m_form;
};
