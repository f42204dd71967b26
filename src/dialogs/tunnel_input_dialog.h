#pragma once

// "터널입력(검증 작업 중 입니다.)": the modeless window in which the user creates, edits
// and deletes the tunnels of the project, on a working list (deep copies of the
// document's tunnels). Its compute turns the traffic into the band power per metre that
// the portals radiate, for the tunnel's cross-section, form and wall material, with the
// plan length between the portals as the tunnel length. A stored tunnel keeps that level
// plus 10*lg(plan length) in m_dUserPowerLevel. Requests to the owner:
//   StoreRequested ("적용(&A)"), CommitRequested ("확인(&D)"), DeleteRequested ("제거(&X)"),
//   CloseRequested ("취소(&C)" or the close box).
// A tunnel is identified by its six portal coordinates ("%.2f"). Escape does nothing.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "dialogs/working_list.h"
#include "model/entities.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class CBandRowWidget;
class CFormReader;
class CPavementSelector;
class CTrafficGroup;

inline constexpr const char* kMsgDuplicateTunnel = "동일한 터널이 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kMsgTunnelWithoutLength = "터널 시작점과 종료점이 평면에서 같습니다. 다른 값을 넣으세요.";
inline constexpr const char* kDefaultTunnelDescription = "도로에 대한 설명을 입력하세요";

std::string ReversedTunnelKey(const CTunnel& tunnel);

struct CTunnelFormWidgets {
    QComboBox* m_pId = nullptr;
    QLineEdit* m_pDescription = nullptr;
    std::array<QLineEdit*, 3> m_start{};  // X, Y, Z
    std::array<QLineEdit*, 3> m_end{};
    QLineEdit* m_pLanes = nullptr;
    QLineEdit* m_pGradient = nullptr;
    QLineEdit* m_pWidth = nullptr;
    QLineEdit* m_pHeight = nullptr;
    CPavementSelector* m_pPavement = nullptr;  // asphalt and concrete only
    QComboBox* m_pForm = nullptr;
    QComboBox* m_pWall = nullptr;
    CTrafficGroup* m_pTraffic = nullptr;
    CBandRowWidget* m_pLevels = nullptr;
    QPushButton* m_pCompute = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pDelete = nullptr;
};

class CInputTunnelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInputTunnelDlg(const std::vector<CTunnel>& tunnels, QWidget* parent = nullptr);

    const std::vector<CTunnel>& WorkingList() const { return m_arrTunnel; }
    int EditedIndex() const;
    const CTunnelFormWidgets& Form() const { return m_form; }

    EStoreResult StorePending();
    bool DeleteSelected();

signals:
    void StoreRequested();
    void CommitRequested();
    void DeleteRequested();
    void CloseRequested();
    void FormChanged();

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnCompute();
    void OnApply();
    void OnOk();
    void OnIdSelected();
    void OnLevelEditing(bool editing);

private:
    void BuildForm();
    QWidget* MakeGeometryGroup();
    QWidget* MakeSectionGroup();
    QWidget* MakeButtonRow();
    bool ReadForm(CFormReader& reader, CTunnel& tunnel) const;
    std::optional<CTunnel> BuildFromForm();
    void Load(int index);
    void ResetForm();

    std::vector<CTunnel> m_arrTunnel;
    std::optional<CTunnel> m_pending;
    int m_nPendingIndex = -1;
    CTunnelFormWidgets m_form;
};
