#pragma once

// "건물 입력": the window in which the user creates, edits, copies and deletes the
// buildings, on a working list (deep copies of the document's buildings), in the manner of
// the barrier window (entity_input_dialog.h): the ID drop-down, "적용(&A)", "확인(&D)",
// "복사(&O)", "취소(&C)", "제거(&X)". A table lists the working list's buildings (a click
// loads one); the form holds the name, floors, floor height, the ground factors of the
// façade receivers, the zone of the project's criterion its floors are judged by ("프로젝트
// 지역": the project's), the absorption per band (with the presets of building walls while
// the row is edited), and the footprint as a list of X, Y rows. A footprint that crosses
// itself, has fewer than 3 distinct vertices or overlaps another building is refused with
// the message naming the building (building_check.h); "확인(&D)" then keeps the window open.
// A new form whose vertex list is empty stores nothing.

#include <optional>
#include <vector>

#include <QPointer>

#include "dialogs/entity_input_dialog.h"
#include "model/building.h"
#include "model/noise_limits.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class CBandRowWidget;
class CVertexTable;
class PresetDataDlg;

struct CBuildingFormWidgets : CEntityFormWidgets {  // m_pDescription is the name ("이름")
    QTableWidget* m_pList = nullptr;
    QLineEdit* m_pFloors = nullptr;
    QLineEdit* m_pFloorHeight = nullptr;
    QLineEdit* m_pHeight = nullptr;      // floors times floor height, read-only
    QLineEdit* m_pBaseHeight = nullptr;  // "기준높이", read-only
    QLineEdit* m_pGroundFactor = nullptr;
    QLineEdit* m_pAreaFactor = nullptr;
    QComboBox* m_pZone = nullptr;  // item data: the zone's name, empty for the project's
    QLineEdit* m_pAbsorptionDesc = nullptr;
    CBandRowWidget* m_pAbsorption = nullptr;
    CVertexTable* m_pVertices = nullptr;
    QLabel* m_pShape = nullptr;  // the vertex count and area, or what is wrong with the footprint
};

class CBuildingInputDlg : public CEntityInputDlg {
    Q_OBJECT
public:
    // baseHeight: the project's reference height the buildings stand on.
    CBuildingInputDlg(const std::vector<CBuilding>& buildings, const double& baseHeight, QWidget* parent = nullptr);
    ~CBuildingInputDlg() override;

    const std::vector<CBuilding>& WorkingList() const { return m_list; }
    const CBuildingFormWidgets& Form() const { return m_form; }
    // The footprint of the vertex list as far as its rows read, drawn by the views.
    const std::vector<CMVector>& FootprintDraft() const;
    // The preset picker while the absorption row is edited; null otherwise.
    PresetDataDlg* PresetPicker() const;
    // The zones offered: the project criterion's.
    void SetCriterion(ECriterion criterion);

protected:
    int Count() const override { return static_cast<int>(m_list.size()); }
    bool ReadPending() override;
    EStoreResult StorePendingInList() override;
    bool RemoveFromList(int index) override;
    void Load(int index) override;
    void ResetForm() override;
    void ClearBeforeCommit() override;

private slots:
    void OnListClicked(int row);
    void OnAbsorptionEditing(bool editing);
    void OnShapeChanged();

private:
    void BuildForm();
    QWidget* MakeListTable();
    QWidget* MakeStoreyGroup();
    QWidget* MakeAbsorptionGroup();
    QWidget* MakeFootprintGroup();
    QWidget* MakeButtonRow();
    std::optional<CBuilding> BuildFromForm();
    // The working list with `building` at the edited position (appended for "NEW"), and
    // that position.
    std::pair<std::vector<CBuilding>, std::size_t> WithEdited(const CBuilding& building) const;
    void RefreshList();
    void ShowHeight();
    void ShowZone(const std::string& zone);

    const double& m_dBaseHeight;
    std::vector<CBuilding> m_list;
    std::optional<CBuilding> m_pending;
    int m_nPendingIndex = -1;
    CBuildingFormWidgets m_form;
    QPointer<PresetDataDlg> m_pPresets;
    ECriterion m_eCriterion = ECriterion::kNone;
};
