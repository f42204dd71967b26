#pragma once

// The small form of "소음지도": the band the map shows (the overall level or one octave
// band) and how it is refined (CMapRefineFields). "확인" refuses a finest size that is no
// positive number, through the message-box interface.

#include <QDialog>

#include "maps/noise_map_refine.h"

class CMapRefineFields;
class QComboBox;

// The bands a map may show: "Overall (dBA)", "63 Hz", ..., "8K Hz" (index = band).
QComboBox* MapBandCombo(QWidget* parent);

class CNoiseMapDialog : public QDialog {
    Q_OBJECT
public:
    CNoiseMapDialog(const CRefineRequest& refine, QWidget* parent = nullptr);

    int Band() const;
    // Valid once the form was accepted.
    const CRefineRequest& Refine() const { return m_refine; }

    QComboBox* BandBox() const { return m_pBand; }
    CMapRefineFields* RefineFields() const { return m_pRefine; }

public slots:
    void accept() override;

private:
    QComboBox* m_pBand;
    CMapRefineFields* m_pRefine;
    CRefineRequest m_refine;
};
