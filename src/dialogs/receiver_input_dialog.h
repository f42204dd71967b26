#pragma once

// "수음점 입력": the modeless window that edits all receivers at once in a table. The
// table shows the working list (deep copies of the document's receivers, kept at full
// precision; the cells show "%.2f"). Each receiver's target level and zone are edited in
// their cells (a double click); position and ground factors through the form. Stores, deletions and equally spaced
// lines change only the working list; the owner replaces the document's receivers on a commit. Requests to the owner:
// CommitRequested ("확인(&D)", after the form has been stored), CancelRequested ("취소(&C)" or the close box) and
// RowDeleted. Escape does nothing.

#include <array>
#include <vector>

#include <QDialog>

#include "dialogs/id_list.h"
#include "model/entities.h"
#include "model/noise_limits.h"
#include "ui/modal_runner.h"

class QLineEdit;
class QPushButton;
class QTableWidget;
class QAction;

inline constexpr const char* kMsgZeroReceiver =
    "(0., 0., 0.)은 기본 수음점입니다. 입력하시겠습니까?\n기존 모델에 수음점을 추가하면 재해석을 실시하여야 합니다.";
inline constexpr const char* kMsgDuplicateReceiver = "동일한 수음점이 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kMsgBadTarget = "목표 레벨은 0보다 큰 숫자로 입력하거나 비워 두십시오.";

// The five values of the form (position in m and the two ground factors).
struct CReceiverValues {
    double m_dX = 0, m_dY = 0, m_dZ = 0;
    double m_dGroundFactor = 1, m_dAreaFactor = 1;
};

class CInput_Receiver_Point : public QDialog {
    Q_OBJECT
public:
    // The form's fields are kColX ... kColArea; the target and the zone are edited in the table.
    enum EColumn { kColId, kColX, kColY, kColZ, kColGround, kColArea, kColTarget, kColZone, kColumnCount };
    static constexpr int kFormColumnCount = kColTarget;

    explicit CInput_Receiver_Point(std::vector<CReceiverPoint> receivers, QWidget* parent = nullptr);

    const std::vector<CReceiverPoint>& WorkingList() const { return m_arrReceiver; }
    // 0-based row named by the ID field; -1 for "NEW" or an ID that names no row.
    int EditedIndex() const;
    void SetModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    // The zones the zone cells offer: the project criterion's.
    void SetCriterion(ECriterion criterion);

    // "적용(&A)": true when the form went into the table.
    bool StoreForm();
    // "제거(&X)": true when a row was removed.
    bool DeleteRow();
    // "직선 등간격 입력": runs the equal-spacing form and appends its points.
    void AddEquallySpaced();

    QTableWidget* Table() const { return m_pTable; }
    QLineEdit* IdField() const { return m_pId; }
    QLineEdit* ValueField(int column) const;  // kColX ... kColArea
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QPushButton* DeleteButton() const { return m_pDelete; }
    QAction* EqualSpacingAction() const { return m_pEqualSpacing; }

signals:
    void CommitRequested();
    void CancelRequested();
    void RowDeleted();
    void ListChanged();  // rows stored or added, or another row named: the views redraw

public slots:
    void reject() override;  // the close box: as "취소(&C)"

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnOk();
    void OnRowClicked(int row);
    void OnCellChanged(int row, int column);

private:
    void BuildForm();
    bool ReadForm(CInputId& id, CReceiverValues& values);
    bool IsDuplicate(const CReceiverValues& values, int editedIndex) const;
    void FillTable();
    void ShowRow(int row);
    void ShowLimitCells(int row);
    void ResetForm();

    std::vector<CReceiverPoint> m_arrReceiver;
    CReceiverValues m_lastRead;  // ground factors for equally spaced receivers
    ModalRunner m_runModal = ExecRunner();
    QTableWidget* m_pTable = nullptr;
    QLineEdit* m_pId = nullptr;
    std::array<QLineEdit*, kFormColumnCount> m_fields{};  // kColX ... kColArea used
    class CZoneDelegate* m_pZoneDelegate = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pDelete = nullptr;
    QAction* m_pEqualSpacing = nullptr;
};
