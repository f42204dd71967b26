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
// " %.3f  ||  %.3f  || ... ||  %.3f": the line a preset shows.
QString PresetLine(const Bands& absorption);

class PresetDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit PresetDataDlg(QWidget* parent = nullptr);

    QListWidget* Lines() const { return m_pLines; }
    // As a click on the preset's line.
    void Choose(int preset);

signals:
    void PresetChosen(const Bands& absorption);

private:
    QListWidget* m_pLines;
};
