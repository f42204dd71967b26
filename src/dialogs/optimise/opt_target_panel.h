#pragma once

// "설계 대상" of the optimisation window: what the barrier is designed for. One receiver
// against its target level (the checked row, the search as it always was); every checked
// receiver; or the façades of a building, all its floors or a range of them. The two last
// are judged in the period chosen ("주간" or "야간") against a target typed here for every
// row, or, left empty, each receiver's own target, else the criterion's limit.

#include <optional>
#include <vector>

#include <QWidget>

#include "optimise/design_target.h"

class QComboBox;
class QLineEdit;
class QSpinBox;
class CMyTalvoDoc;

class COptTargetPanel : public QWidget {
    Q_OBJECT
public:
    enum EKind { kOneReceiver, kCheckedReceivers, kBuilding };

    COptTargetPanel(const CMyTalvoDoc& doc, QWidget* parent = nullptr);

    EKind Kind() const;
    // The set of the panel's choice with the checked receivers (rows from 0); none when the
    // target typed does not read (the reader has said why).
    std::optional<CDesignTarget> Target(const std::vector<int>& checked);

    QComboBox* KindBox() const { return m_pKind; }
    QComboBox* BuildingBox() const { return m_pBuilding; }
    QSpinBox* FirstFloor() const { return m_pFirstFloor; }
    QSpinBox* LastFloor() const { return m_pLastFloor; }
    QComboBox* PeriodBox() const { return m_pPeriod; }
    QLineEdit* TargetField() const { return m_pTarget; }

private:
    void OnKindChanged();
    void OnBuildingChanged();

    const CMyTalvoDoc& m_doc;
    QComboBox* m_pKind = nullptr;
    QComboBox* m_pBuilding = nullptr;
    QSpinBox* m_pFirstFloor = nullptr;
    QSpinBox* m_pLastFloor = nullptr;
    QComboBox* m_pPeriod = nullptr;
    QLineEdit* m_pTarget = nullptr;
};
