#include "dialogs/absorption_preset_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

const std::vector<CAbsorptionPreset>& AbsorptionPresets()
{
    static const std::vector<CAbsorptionPreset> presets = {
        {"콘크리트 반사형 방음벽", {0.01, 0.01, 0.01, 0.015, 0.02, 0.02, 0.02, 0.02}},
        {"알루미늄 흡음형 방음벽", {0.15, 0.27, 0.9, 0.99, 0.87, 0.683, 0.57, 0.4}},
    };
    return presets;
}

const std::vector<CAbsorptionPreset>& BuildingAbsorptionPresets()
{
    static const std::vector<CAbsorptionPreset> presets = {
        {"평탄한 단단한 벽 (개구부 없음)", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"창과 작은 부착물이 있는 건물 벽", {0.2, 0.2, 0.2, 0.2, 0.2, 0.2, 0.2, 0.2}},
        {"개구부, 설비, 배관이 절반인 공장 벽", {0.6, 0.6, 0.6, 0.6, 0.6, 0.6, 0.6, 0.6}},
    };
    return presets;
}

QString PresetLine(const Bands& a)
{
    return QString::asprintf(" %.3f  ||  %.3f  ||  %.3f  ||  %.3f  ||  %.3f  ||  %.3f  ||  %.3f  ||  %.3f", a[0], a[1],
                             a[2], a[3], a[4], a[5], a[6], a[7]);
}

PresetDataDlg::PresetDataDlg(QWidget* parent)
    : PresetDataDlg(QStringLiteral("방음벽 재질의 흡음률"), AbsorptionPresets(), parent)
{
}

PresetDataDlg::PresetDataDlg(const QString& title, const std::vector<CAbsorptionPreset>& presets, QWidget* parent)
    : QDialog(parent), m_presets(presets)
{
    setWindowTitle(title);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_pLines = new QListWidget(this);
    for (const CAbsorptionPreset& preset : m_presets) {
        layout->addWidget(new QLabel(QString::fromUtf8(preset.m_szMaterial), this));
        m_pLines->addItem(PresetLine(preset.m_dAbsorption));
    }
    layout->addWidget(m_pLines);
    connect(m_pLines, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Choose(m_pLines->row(item)); });
}

void PresetDataDlg::Choose(int preset)
{
    const auto& presets = m_presets;
    if (preset < 0 || preset >= static_cast<int>(presets.size()))
        return;
    emit PresetChosen(presets[static_cast<std::size_t>(preset)].m_dAbsorption);
}
