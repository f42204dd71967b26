#pragma once

// "방음벽 입력": the window in which the user creates, edits, copies and deletes the
// free-standing noise barriers, on a working list (deep copies of the document's
// barriers). Requests to the owner as in the other input windows (entity_input_dialog.h),
// and ExclusionChosen when "적용" of the exclusion selector ("고르기") names the barriers
// the calculation is to leave out, ExclusionReleased for "제외 해제". A table above the
// form lists the working list with the barriers left out marked (ShowExclusion). While the
// absorption row is edited the preset picker is shown. A barrier is identified by start x,
// start y, end x, end y ("%.2f").

#include <optional>
#include <string>
#include <vector>

#include <QPointer>

#include "dialogs/entity_input_dialog.h"
#include "model/entities.h"
#include "model/working_list.h"
#include "ui/modal_runner.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class CBandRowWidget;
class PresetDataDlg;
class CalcSelectorDlg;
class CBarrierListTable;

inline constexpr const char* kMsgDuplicateBarrier = "동일한 지점에 방음벽이 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kDefaultBarrierDescription = "방음벽의 설명을 입력하세요";
inline constexpr const char* kDefaultAbsorptionDescription = "흡음률 자료의 설명을 입력하세요";

std::string ReversedBarrierKey(const CBarrier_Stage& barrier);

struct CBarrierFormWidgets : CEntityFormWidgets {
    QLineEdit* m_pStartX = nullptr;
    QLineEdit* m_pStartY = nullptr;
    QLineEdit* m_pEndX = nullptr;
    QLineEdit* m_pEndY = nullptr;
    QLineEdit* m_pHeight = nullptr;
    QLineEdit* m_pBaseHeight = nullptr;  // "기준높이", read-only
    QComboBox* m_pAttenuator = nullptr;
    QLineEdit* m_pAbsorptionDesc = nullptr;
    CBandRowWidget* m_pAbsorption = nullptr;
    QPushButton* m_pExclude = nullptr;  // "고르기"
    QPushButton* m_pRelease = nullptr;  // "제외 해제"
    CBarrierListTable* m_pList = nullptr;
};

class CBarrier_Design_Dlg : public CEntityInputDlgOf<CBarrier_Stage> {
    Q_OBJECT
public:
    // baseHeight: the project's reference height, read whenever "기준높이" is refreshed.
    CBarrier_Design_Dlg(const std::vector<CBarrier_Stage>& barriers, const double& baseHeight,
                        QWidget* parent = nullptr);
    ~CBarrier_Design_Dlg() override;

    const CBarrierFormWidgets& Form() const { return m_form; }
    // The preset picker while the absorption row is edited; null otherwise.
    PresetDataDlg* PresetPicker() const;
    // How "고르기" runs the exclusion selector (tests work it without a modal loop).
    void SetModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    // The table shows the working list anew, the barriers flagged as left out; "제외 해제"
    // is enabled while anything is (releasable).
    void ShowExclusion(const std::vector<bool>& excluded, bool releasable);

signals:
    void ExclusionChosen(const std::vector<int>& positions);
    void ExclusionReleased();

protected:
    std::optional<CBarrier_Stage> BuildFromForm() override;
    void Show(const CBarrier_Stage& barrier) override;
    void ResetForm() override;
    void ClearBeforeCommit() override;

private slots:
    void OnExclude();
    void OnAbsorptionEditing(bool editing);
    void OnPresetChosen(const Bands& absorption);

private:
    void BuildForm();
    QWidget* MakeGeometryGroup();
    QWidget* MakeAbsorptionGroup();
    QWidget* MakeButtonRow();
    void RefreshBaseHeight();

    const double& m_dBaseHeight;
    CBarrierFormWidgets m_form;
    bool m_bReleasable = false;  // something is excluded: "제외 해제" can act
    QPointer<PresetDataDlg> m_pPresets;
    ModalRunner m_runModal = ExecRunner();
};
