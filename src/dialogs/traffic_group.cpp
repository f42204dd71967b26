#include "dialogs/traffic_group.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/number_fields.h"

CTrafficGroup::CTrafficGroup(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* modeRow = new QHBoxLayout;
    m_pMode = new QComboBox(this);
    m_pMode->addItems({QStringLiteral("2차종 분류"), QStringLiteral("5차종 분류")});
    modeRow->addWidget(new QLabel(QStringLiteral("차종 분류"), this));
    modeRow->addWidget(m_pMode, 1);
    layout->addLayout(modeRow);
    m_pFiveRows = MakeRows({QStringLiteral("대형화물차"), QStringLiteral("중형화물차"), QStringLiteral("소형화물차"),
                            QStringLiteral("버       스"), QStringLiteral("승  용  차")},
                           m_fiveSpeed, m_fiveVolume);
    m_pTwoRows = MakeRows({QStringLiteral("대형차량"), QStringLiteral("소형차량")}, m_twoSpeed, m_twoVolume);
    layout->addWidget(m_pFiveRows);
    layout->addWidget(m_pTwoRows);
    connect(m_pMode, &QComboBox::currentIndexChanged, this, [this](int) { SetMode(Mode()); });
    Reset();
}

QWidget* CTrafficGroup::MakeRows(const QStringList& labels, std::array<QLineEdit*, kVehicleClassCount>& speed,
                                 std::array<QLineEdit*, kVehicleClassCount>& volume)
{
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("속도(km/h)"), rows), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("차량수(대수/h)"), rows), 0, 2);
    for (int k = 0; k < labels.size(); ++k) {
        const auto slot = static_cast<std::size_t>(k);
        speed[slot] = new QLineEdit(rows);
        volume[slot] = new QLineEdit(rows);
        grid->addWidget(new QLabel(labels[k], rows), k + 1, 0);
        grid->addWidget(speed[slot], k + 1, 1);
        grid->addWidget(volume[slot], k + 1, 2);
    }
    return rows;
}

int CTrafficGroup::Mode() const { return m_pMode->currentIndex() == kFiveClassMode ? kFiveClassMode : kTwoClassMode; }

void CTrafficGroup::SetMode(int mode)
{
    const bool five = mode == kFiveClassMode;
    m_pMode->setCurrentIndex(five ? kFiveClassMode : kTwoClassMode);
    m_pFiveRows->setVisible(five);
    m_pTwoRows->setVisible(!five);
}

int CTrafficGroup::ShownClasses() const { return Mode() == kFiveClassMode ? kVehicleClassCount : 2; }

QLineEdit* CTrafficGroup::SpeedField(int vehicleClass) const
{
    return (Mode() == kFiveClassMode ? m_fiveSpeed : m_twoSpeed)[static_cast<std::size_t>(vehicleClass)];
}

QLineEdit* CTrafficGroup::VolumeField(int vehicleClass) const
{
    return (Mode() == kFiveClassMode ? m_fiveVolume : m_twoVolume)[static_cast<std::size_t>(vehicleClass)];
}

void CTrafficGroup::Reset()
{
    for (auto* fields : {&m_fiveSpeed, &m_fiveVolume, &m_twoSpeed, &m_twoVolume})
        for (QLineEdit* field : *fields)
            if (field)
                field->setText(QStringLiteral("0"));
    SetMode(kFiveClassMode);
}

bool CTrafficGroup::Read(CFormReader& reader, ClassArray& speed, ClassArray& volume) const
{
    speed = {};
    volume = {};
    for (int k = 0; k < ShownClasses(); ++k) {
        const auto slot = static_cast<std::size_t>(k);
        if (!reader.Double(SpeedField(k), speed[slot]) || !reader.Double(VolumeField(k), volume[slot]))
            return false;
    }
    return true;
}

void CTrafficGroup::Show(const ClassArray& speed, const ClassArray& volume)
{
    for (int k = 0; k < ShownClasses(); ++k) {
        SpeedField(k)->setText(Fixed2(speed[static_cast<std::size_t>(k)]));
        VolumeField(k)->setText(Fixed2(volume[static_cast<std::size_t>(k)]));
    }
}
