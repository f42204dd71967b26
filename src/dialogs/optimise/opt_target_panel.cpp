#include "dialogs/optimise/opt_target_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "dialogs/number_fields.h"
#include "model/document.h"

COptTargetPanel::COptTargetPanel(const CMyTalvoDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    m_pKind = new QComboBox(this);
    m_pKind->addItems({QStringLiteral("수음점 하나 (목표소음레벨)"), QStringLiteral("선택한 수음점 모두"),
                       QStringLiteral("건물 외벽 (층별)")});
    m_pBuilding = new QComboBox(this);
    for (std::size_t i = 0; i < doc.m_arrBuilding.size(); ++i) {
        const CBuilding& b = doc.m_arrBuilding[i];
        m_pBuilding->addItem(
            QStringLiteral("%1 %2 (%3층)").arg(i + 1).arg(QString::fromStdString(b.m_pName)).arg(b.m_nFloors));
    }
    m_pFirstFloor = new QSpinBox(this);
    m_pLastFloor = new QSpinBox(this);
    for (QSpinBox* floor : {m_pFirstFloor, m_pLastFloor})
        floor->setSuffix(QStringLiteral("층"));
    m_pPeriod = new QComboBox(this);
    m_pPeriod->addItems({QStringLiteral("주간"), QStringLiteral("야간")});
    m_pTarget = new QLineEdit(this);
    m_pTarget->setPlaceholderText(QStringLiteral("비우면 수음점의 목표 또는 기준"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("설계 대상"), this), 0, 0);
    grid->addWidget(m_pKind, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("건물"), this), 1, 0);
    grid->addWidget(m_pBuilding, 1, 1);
    grid->addWidget(m_pFirstFloor, 1, 2);
    grid->addWidget(m_pLastFloor, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("시간대"), this), 2, 0);
    grid->addWidget(m_pPeriod, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("목표소음레벨(dBA)"), this), 2, 2);
    grid->addWidget(m_pTarget, 2, 3);

    connect(m_pKind, &QComboBox::currentIndexChanged, this, &COptTargetPanel::OnKindChanged);
    connect(m_pBuilding, &QComboBox::currentIndexChanged, this, &COptTargetPanel::OnBuildingChanged);
    OnBuildingChanged();
    OnKindChanged();
}

COptTargetPanel::EKind COptTargetPanel::Kind() const { return static_cast<EKind>(m_pKind->currentIndex()); }

// Only what the kind chosen reads is enabled; buildings only when the project has some.
void COptTargetPanel::OnKindChanged()
{
    const bool set = Kind() != kOneReceiver, building = Kind() == kBuilding && m_pBuilding->count() > 0;
    for (QWidget* w : {static_cast<QWidget*>(m_pBuilding), static_cast<QWidget*>(m_pFirstFloor),
                       static_cast<QWidget*>(m_pLastFloor)})
        w->setEnabled(building);
    m_pPeriod->setEnabled(set);
    m_pTarget->setEnabled(set);
}

// The floor boxes run over the building's floors, from the lowest to the highest.
void COptTargetPanel::OnBuildingChanged()
{
    const int index = m_pBuilding->currentIndex();
    const int floors = index >= 0 ? m_doc.m_arrBuilding[static_cast<std::size_t>(index)].m_nFloors : 1;
    for (QSpinBox* floor : {m_pFirstFloor, m_pLastFloor})
        floor->setRange(1, std::max(1, floors));
    m_pFirstFloor->setValue(1);
    m_pLastFloor->setValue(std::max(1, floors));
}

std::optional<CDesignTarget> COptTargetPanel::Target(const std::vector<int>& checked)
{
    CDesignTarget target;
    target.m_ePeriod = m_pPeriod->currentIndex() == 1 ? EPeriod::kNight : EPeriod::kDay;
    if (!m_pTarget->text().trimmed().isEmpty()) {
        double value = 0;
        CFormReader reader(this);
        if (!reader.Double(m_pTarget, value))
            return std::nullopt;
        target.m_dTarget = value;
    }
    if (Kind() == kBuilding) {
        target.m_eKind = CDesignTarget::EKind::kBuilding;
        target.m_nBuilding = m_pBuilding->currentIndex();
        target.m_nFirstFloor = m_pFirstFloor->value();
        target.m_nLastFloor = m_pLastFloor->value();
    } else {
        target.m_arrReceiver = checked;
    }
    return target;
}
