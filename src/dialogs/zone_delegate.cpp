#include "dialogs/zone_delegate.h"

#include <QComboBox>

QString ZoneText(ECriterion criterion, const std::string& zone)
{
    for (const CZoneLimit& z : CriterionZones(criterion))
        if (zone == z.m_pZone)
            return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(z.m_pZone), QString::fromUtf8(z.m_pDescription));
    return QString::fromStdString(zone);
}

QWidget* CZoneDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("zoneEditor"));
    box->addItem(QStringLiteral("프로젝트 지역"), QString());
    for (const CZoneLimit& z : CriterionZones(m_eCriterion))
        box->addItem(ZoneText(m_eCriterion, z.m_pZone), QString::fromUtf8(z.m_pZone));
    return box;
}

// The cell's zone is kept in its edit role; a zone the criterion does not know is offered as it is.
void CZoneDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* box = static_cast<QComboBox*>(editor);
    const QString zone = index.data(Qt::EditRole).toString();
    int found = box->findData(zone);
    if (found < 0) {
        box->addItem(zone, zone);
        found = box->count() - 1;
    }
    box->setCurrentIndex(found);
}

void CZoneDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    model->setData(index, static_cast<QComboBox*>(editor)->currentData().toString(), Qt::EditRole);
}
