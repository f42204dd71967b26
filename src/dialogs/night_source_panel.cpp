#include "dialogs/night_source_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/input_form_helpers.h"
#include "dialogs/number_fields.h"
#include "ui/message_box.h"

CNightSourcePanel::CNightSourcePanel(QWidget* parent) : QGroupBox(QStringLiteral("야간 (22-06시)"), parent)
{
    setObjectName(QStringLiteral("nightPanel"));
    auto* layout = new QVBoxLayout(this);
    m_pTrafficBox = new QCheckBox(QStringLiteral("야간 교통량"), this);
    m_pTraffic = new CTrafficGroup(this);
    m_pTraffic->ModeList()->setEnabled(false);  // the day's class mode holds for the night
    m_pCompute = new QPushButton(QStringLiteral("야간 단위길이당 음향파워레벨 산정"), this);
    m_pCompute->setAutoDefault(false);
    m_pPowerBox = new QCheckBox(QStringLiteral("야간 사용자 정의 음향파워레벨 (dBA/m)"), this);
    m_pLevels = new CBandRowWidget(QString(), CBandRowWidget::EOverall::Shown, QString(), this);
    for (QWidget* w :
         {static_cast<QWidget*>(m_pTrafficBox), static_cast<QWidget*>(m_pTraffic), static_cast<QWidget*>(m_pCompute),
          static_cast<QWidget*>(m_pPowerBox), static_cast<QWidget*>(m_pLevels)})
        layout->addWidget(w);
    layout->addStretch(1);
    connect(m_pTrafficBox, &QCheckBox::toggled, this, &CNightSourcePanel::EnableParts);
    connect(m_pPowerBox, &QCheckBox::toggled, this, &CNightSourcePanel::EnableParts);
    connect(m_pCompute, &QPushButton::clicked, this, &CNightSourcePanel::computeRequested);
    connect(m_pLevels, &CBandRowWidget::EditingChanged, this, &CNightSourcePanel::editingChanged);
    Reset();
}

void CNightSourcePanel::EnableParts()
{
    m_pTraffic->setEnabled(m_pTrafficBox->isChecked());
    m_pCompute->setEnabled(m_pTrafficBox->isChecked());
    m_pLevels->setEnabled(m_pPowerBox->isChecked());
}

void CNightSourcePanel::Reset() { Show({}); }

void CNightSourcePanel::Show(const CNightValues& values)
{
    m_pTrafficBox->setChecked(values.m_bTraffic);
    m_pTraffic->Show(values.m_dSpeed, values.m_dVolume);
    m_pPowerBox->setChecked(values.m_bPower);
    m_pLevels->SetValues(values.m_dPerMetre);
    EnableParts();
}

std::optional<CNightValues> CNightSourcePanel::Read(QWidget* parent, CFormReader& reader) const
{
    CNightValues values;
    values.m_bTraffic = m_pTrafficBox->isChecked();
    if (values.m_bTraffic && !m_pTraffic->Read(reader, values.m_dSpeed, values.m_dVolume))
        return std::nullopt;
    values.m_bPower = m_pPowerBox->isChecked();
    if (values.m_bPower) {
        const std::optional<Bands> perMetre = ReadBandRow(parent, m_pLevels);
        if (!perMetre)
            return std::nullopt;
        values.m_dPerMetre = *perMetre;
    }
    return values;
}

void CNightSourcePanel::ShowComputed(const ClassArray& speed, const ClassArray& volume, const Bands& perMetre)
{
    m_pTraffic->Show(speed, volume);
    m_pLevels->SetValues(perMetre);
    m_pPowerBox->setChecked(true);
}

void CNightSourcePanel::ShowEmission(QWidget* parent, const CEmissionInput& input, const ClassArray& volume)
{
    const CEmissionResult result = ComputeEmission(input);
    if (!result.ok) {
        MessageBoxes().Information(parent, QString::fromStdString(result.message));
        return;
    }
    ShowComputed(result.m_dSpeed, volume, result.m_dLevel);
}
