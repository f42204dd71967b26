#pragma once

// "가져오기": the choices of an import from a GIS or CAD file (what the geometry becomes,
// first chosen from the layer's shapes and attributes; the layer, the coordinate system,
// the entity to copy the other values from, for buildings the attribute holding the floors)
// with a preview of what will be added, in words and on a small plan of the project, kept
// up to date as the choices change. OK stays off
// while the file would be refused; the preview then shows why.

#include <QDialog>

#include "gis/gis_import.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class CImportPlanPreview;

class CImportDialog : public QDialog {
    Q_OBJECT
public:
    CImportDialog(const CMyTalvoDoc& base, const QString& path, QWidget* parent = nullptr);

    // What the current choices read from the file.
    const CImportResult& Preview() const { return m_preview; }

    QComboBox* KindBox() const { return m_pKind; }
    QLineEdit* LayerField() const { return m_pLayer; }
    QLineEdit* CrsField() const { return m_pCrs; }
    QSpinBox* LikeBox() const { return m_pLike; }
    QLineEdit* FloorsField() const { return m_pFloorsField; }
    QPushButton* OkButton() const { return m_pOk; }
    QLabel* PreviewLabel() const { return m_pPreviewText; }
    CImportPlanPreview* PlanPreview() const { return m_pPlan; }

private:
    void UpdatePreview();
    void SuggestKind();

    const CMyTalvoDoc& m_base;
    QString m_path;
    CImportResult m_preview;
    QComboBox* m_pKind;
    QLineEdit* m_pLayer;
    QLineEdit* m_pCrs;
    QSpinBox* m_pLike;
    QLineEdit* m_pFloorsField;
    QLabel* m_pPreviewText;
    QLabel* m_pLayerText;  // what the layer holds
    CImportPlanPreview* m_pPlan;
    QPushButton* m_pOk;
};

// The preview's text: what will be added, or why the file is refused.
QString ImportPreviewText(const CImportResult& result);
