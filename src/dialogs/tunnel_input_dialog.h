#pragma once

// "터널입력(검증 작업 중 입니다.)": the window in which the user creates, edits and
// deletes the tunnels of the project, on a working list (deep copies of the document's
// tunnels). Its compute turns the traffic into the band power per metre that
// the portals radiate, for the tunnel's cross-section, form and wall material, with the
// plan length between the portals as the tunnel length. A stored tunnel keeps that level
// plus 10*lg(plan length) in m_dUserPowerLevel. Requests to the owner as in the other
// input windows (entity_input_dialog.h); there is no "복사".
// A tunnel is identified by its six portal coordinates ("%.2f").

#include <optional>
#include <string>
#include <vector>

#include "dialogs/entity_input_dialog.h"
#include "dialogs/line_source_form.h"
#include "model/entities.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class CBandRowWidget;
class CFormReader;
class CPavementSelector;
class CTrafficGroup;
class CNightSourcePanel;

inline constexpr const char* kMsgDuplicateTunnel = "동일한 터널이 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kMsgTunnelWithoutLength = "터널 시작점과 종료점이 평면에서 같습니다. 다른 값을 넣으세요.";
inline constexpr const char* kDefaultTunnelDescription = "도로에 대한 설명을 입력하세요";

std::string ReversedTunnelKey(const CTunnel& tunnel);

struct CTunnelFormWidgets : CEntityFormWidgets {
    CEndFields m_start{};
    CEndFields m_end{};
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
    CNightSourcePanel* m_pNight = nullptr;
};

class CInputTunnelDlg : public CEntityInputDlgOf<CTunnel> {
    Q_OBJECT
public:
    explicit CInputTunnelDlg(const std::vector<CTunnel>& tunnels, QWidget* parent = nullptr);

    const CTunnelFormWidgets& Form() const { return m_form; }

protected:
    std::optional<CTunnel> BuildFromForm() override;
    void Show(const CTunnel& tunnel) override;
    void ResetForm() override;
    void ClearBeforeCommit() override;

private slots:
    void OnCompute();
    void OnNightCompute();
    void OnLevelEditing(bool editing);

private:
    void BuildForm();
    QWidget* MakeGeometryGroup();
    QWidget* MakeSectionGroup();
    QWidget* MakeButtonRow();
    bool ReadForm(CFormReader& reader, CTunnel& tunnel) const;

    CTunnelFormWidgets m_form;
};
