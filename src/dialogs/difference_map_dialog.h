#pragma once

// The small form of "차이 지도": what is subtracted from this project's map (another
// project file on the same area, or this project with the barriers chosen in the exclusion
// selector left out), the step of the diverging scale and the band, and a line saying
// whether the exclusion applies. "확인" refuses another project without a file named,
// through the message-box interface.

#include <QDialog>
#include <QString>

#include "maps/noise_map_refine.h"

class CMapRefineFields;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

struct CDifferenceMapChoice {
    bool withoutExcludedBarriers = false;  // else the other project file
    QString otherProject;
    double step = 1.0;      // dB, 1 or 3
    int band = 0;           // 0 overall, 1..8 the octave bands
    CRefineRequest refine;  // without edges: the scale's
};

class CDifferenceMapDialog : public QDialog {
    Q_OBJECT
public:
    // excludedBarriers: the barriers the exclusion selector has chosen ("방음벽 1, 3");
    // without any (empty), the variant without them cannot be chosen.
    // refine: how the map is refined when the form opens.
    explicit CDifferenceMapDialog(const QString& excludedBarriers, QWidget* parent = nullptr,
                                  const CRefineRequest& refine = {});

    CDifferenceMapChoice Choice() const;

    QRadioButton* OtherProjectButton() const { return m_pOther; }
    QRadioButton* WithoutBarriersButton() const { return m_pWithout; }
    QLineEdit* PathField() const { return m_pPath; }
    QComboBox* StepBox() const { return m_pStep; }
    QComboBox* BandBox() const { return m_pBand; }
    QLabel* ExclusionLine() const { return m_pExclusion; }
    CMapRefineFields* RefineFields() const { return m_pRefine; }

public slots:
    void accept() override;

private slots:
    void OnBrowse();
    void OnVariantChanged();

private:
    QRadioButton* m_pOther;
    QRadioButton* m_pWithout;
    QLineEdit* m_pPath;
    QPushButton* m_pBrowse;
    QComboBox* m_pStep;
    QComboBox* m_pBand;
    QLabel* m_pExclusion;
    QString m_strExcluded;
    CMapRefineFields* m_pRefine;
};
