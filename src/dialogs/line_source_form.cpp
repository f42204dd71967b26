#include "dialogs/line_source_form.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/input_form_helpers.h"
#include "dialogs/number_fields.h"
#include "dialogs/traffic_group.h"
#include "engine/emission.h"
#include "ui/message_box.h"

void AddEndRows(QGridLayout* grid, QWidget* parent, const QString& startLabel, const QString& endLabel,
                CEndFields& start, CEndFields& end)
{
    const QStringList axes = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    grid->addWidget(new QLabel(startLabel, parent), 0, 0);
    grid->addWidget(new QLabel(endLabel, parent), 1, 0);
    for (int a = 0; a < 3; ++a) {
        start[static_cast<std::size_t>(a)] = AddLabelledField(grid, 0, 1 + 2 * a, axes[a], parent);
        end[static_cast<std::size_t>(a)] = AddLabelledField(grid, 1, 1 + 2 * a, axes[a], parent);
    }
}

void AddLevelRows(QBoxLayout* layout, QWidget* parent, QPushButton*& compute, CBandRowWidget*& levels)
{
    compute = new QPushButton(QStringLiteral("단위길이당 음향파워레벨 산정"), parent);
    compute->setAutoDefault(false);
    layout->addWidget(compute);
    layout->addWidget(new QLabel(QStringLiteral("사용자 정의 음향파워레벨 (dBA/m)"), parent));
    levels = new CBandRowWidget(QString(), CBandRowWidget::EOverall::Shown, QString(), parent);
    layout->addWidget(levels);
}

void ReadEnds(CFormReader& reader, const CEndFields& start, const CEndFields& end,
              const std::array<double*, 3>& startValues, const std::array<double*, 3>& endValues)
{
    for (std::size_t a = 0; a < 3; ++a) {
        reader.Double(start[a], *startValues[a]);
        reader.Double(end[a], *endValues[a]);
    }
}

void ShowEnds(const CEndFields& start, const CEndFields& end, const std::array<double, 3>& startValues,
              const std::array<double, 3>& endValues)
{
    for (std::size_t a = 0; a < 3; ++a) {
        start[a]->setText(Fixed2(startValues[a]));
        end[a]->setText(Fixed2(endValues[a]));
    }
}

void ClearEnds(const CEndFields& start, const CEndFields& end)
{
    for (std::size_t a = 0; a < 3; ++a) {
        start[a]->setText(QStringLiteral("0"));
        end[a]->setText(QStringLiteral("0"));
    }
}

std::optional<Bands> WholeLengthLevels(QWidget* parent, const Bands& perMetre, bool ignored, double length,
                                       const char* noLengthMessage)
{
    if (ignored)
        return perMetre;
    if (!(length > 0.0)) {
        MessageBoxes().Information(parent, QString::fromUtf8(noLengthMessage));
        return std::nullopt;
    }
    Bands stored{};
    for (std::size_t j = 0; j < kBandCount; ++j)
        stored[j] = perMetre[j] + LengthTerm(length);
    return stored;
}

void ShowComputedLevels(QWidget* parent, const CEmissionInput& input, CTrafficGroup* traffic, CBandRowWidget* levels)
{
    const CEmissionResult result = ComputeEmission(input);
    if (!result.ok) {
        MessageBoxes().Information(parent, QString::fromUtf8(result.message.c_str()));
        return;
    }
    traffic->Show(result.m_dSpeed, input.m_dVolume);
    levels->SetValues(result.m_dLevel);
}
