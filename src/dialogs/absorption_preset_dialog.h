#pragma once

// "방음벽 재질의 흡음률": the absorption coefficients of standard barrier materials,
// offered while a barrier's absorption row is being edited. Clicking a material's line
// emits its eight coefficients (63 ... 8000 Hz). Modeless; it belongs to the row editing
// of the barrier window and lives only while that lasts.

#include <array>
#include <vector>

#include <QDialog>

#include "model/bands.h"

class QListWidget;

struct CAbsorptionPreset {
    const char* m_szMaterial;
    Bands m_dAbsorption;
};

// "콘크리트 반사형 방음벽" and "알루미늄 흡음형 방음벽", in this order.
const std::vector<CAbsorptionPreset>& AbsorptionPresets();
// Building walls after the reflection losses of ISO 9613-2, Table 4 (an absorption of
// 1 - rho in every band): flat hard walls, walls with windows and small additions, and
// factory walls half openings, installations or pipes.
const std::vector<CAbsorptionPreset>& BuildingAbsorptionPresets();
// " %.3f  ||  %.3f  || ... ||  %.3f": the line a preset shows.
QString PresetLine(const Bands& absorption);

class PresetDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit PresetDataDlg(QWidget* parent = nullptr);
    // Another caption and list of materials (which must outlive the picker).
    PresetDataDlg(const QString& title, const std::vector<CAbsorptionPreset>& presets, QWidget* parent = nullptr);

    QListWidget* Lines() const { return m_pLines; }
    // As a click on the preset's line.
    void Choose(int preset);

signals:
    void PresetChosen(const Bands& absorption);

private:
    const std::vector<CAbsorptionPreset>& m_presets;
    QListWidget* m_pLines;
};
