#pragma once

// "도로 입력": the window in which the user creates, edits, copies and deletes the roads
// of the project, one at a time. It works on a working list (deep copies of the
// document's roads); the document is only changed by a commit, which its owner carries
// out on the window's requests (entity_input_dialog.h), taking WorkingList().

#include <optional>
#include <vector>

#include "dialogs/entity_input_dialog.h"
#include "dialogs/line_source_form.h"
#include "model/entities.h"
#include "ui/modal_runner.h"

class QLineEdit;
class QPushButton;
class CBandRowWidget;
class CFormReader;
class CPavementSelector;
class CRoadKindPanel;
class CTrafficGroup;
class CNightSourcePanel;

inline constexpr const char* kMsgDuplicateRoad = "동일한 도로가 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kMsgRoadWithoutLength = "도로 시작점과 종료점이 같습니다. 다른 값을 넣으세요.";
inline constexpr const char* kDefaultRoadDescription = "도로에 대한 설명을 입력하세요";
constexpr int kMaxSourceCount = 100000;

// The widgets of the form, for the window's owner and its tests.
struct CRoadFormWidgets : CEntityFormWidgets {
    CEndFields m_start{};
    CEndFields m_end{};
    QLineEdit* m_pWidth = nullptr;
    QLineEdit* m_pSourceCount = nullptr;
    QLineEdit* m_pGradient = nullptr;
    CPavementSelector* m_pPavement = nullptr;
    CRoadKindPanel* m_pKind = nullptr;
    CTrafficGroup* m_pTraffic = nullptr;
    CBandRowWidget* m_pLevels = nullptr;
    QPushButton* m_pCompute = nullptr;
    CNightSourcePanel* m_pNight = nullptr;
};

class Input_Road_dlg : public CEntityInputDlgOf<CRoad> {
    Q_OBJECT
public:
    explicit Input_Road_dlg(const std::vector<CRoad>& roads, QWidget* parent = nullptr);

    const CRoadFormWidgets& Form() const { return m_form; }
    void SetModalRunner(ModalRunner runner);

protected:
    std::optional<CRoad> BuildFromForm() override;
    void Show(const CRoad& road) override;
    void ResetForm() override;
    void ClearBeforeCommit() override;

private slots:
    void OnCompute();
    void OnNightCompute();
    void OnLevelEditing(bool editing);

private:
    void BuildForm();
    QWidget* MakeGeometryGroup();
    QWidget* MakeButtonRow();
    bool ReadForm(CFormReader& reader, CRoad& road) const;

    CRoadFormWidgets m_form;
};
