#pragma once

// Edits a zone cell of a table with a list of the criterion's zones ("가 (주거지역 등)", ...)
// headed by "프로젝트 지역" (an empty zone: the project's). The cell holds the zone's name.

#include <QStyledItemDelegate>

#include "model/noise_limits.h"

class CZoneDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CZoneDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    // The zones offered from now on.
    void SetCriterion(ECriterion criterion) { m_eCriterion = criterion; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    ECriterion m_eCriterion = ECriterion::kNone;
};

// "가 (주거지역 등)" for a zone of the criterion, the zone as it is otherwise; empty for none.
QString ZoneText(ECriterion criterion, const std::string& zone);
