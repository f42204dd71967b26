#pragma once

// The environment pane docked at the left of the main window: project name, air
// conditions, calculation area, receiver grid, section position and view controls.
// It only shows settings and reports what the user did; the main frame applies it.

#include <QWidget>
#include <string>

#include "model/environment_rules.h"

class CCriterionGroup;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

enum class ENavigation { PanUp, PanDown, PanLeft, PanRight, Centre, ZoomIn, ZoomReset, ZoomOut };

class CEnvironmentBox : public QWidget {
    Q_OBJECT
public:
    explicit CEnvironmentBox(QWidget* parent = nullptr);

    // Fills every field from settings without reporting edits.
    void ShowSettings(const CProjectSettings& settings);
    // Shows one number field's stored value again (after a clamp), "%.2f".
    void ShowNumber(EEnvField field, double value);
    // The section spacing as stored: empty for the default.
    void ShowSectionSpacing(double value);
    // A warning under the section spacing; empty hides it.
    void ShowSectionSpacingWarning(const QString& text);
    QLabel* SectionSpacingWarning() const { return m_pSectionSpacingWarning; }
    // A warning under the façade receiver settings; empty hides it.
    void ShowFacadeWarning(const QString& text);
    QLabel* FacadeWarning() const { return m_pFacadeWarning; }
    // "외벽 층": the floor whose façade receivers the plan view draws; 0 shows "최고층".
    QSpinBox* FacadeFloorBox() const { return m_pFacadeFloor; }

    QLineEdit* Field(EEnvField field) const;
    // The project's coordinate system as shown: its code and name, or local metres.
    QLineEdit* CrsField() const { return m_pCrs; }
    QPushButton* CrsButton() const { return m_pCrsButton; }
    // "평가 기준": the criterion, the zone, the user's limits and the night traffic ratio.
    CCriterionGroup* CriterionGroup() const { return m_pCriterion; }
    int ActiveView() const;  // 0 plan view, 1 section view

signals:
    void fieldEdited(EEnvField field, const QString& text);
    void fieldFinished(EEnvField field);
    void showReceiversClicked();
    // "변경" beside the coordinate system: the main frame asks for a new code.
    void crsChangeRequested();
    void sectionAxisChosen(int axis);
    void activeViewChosen(int view);
    void navigationRequested(ENavigation step);
    // A view preference, not part of the project: 0 for each building's top floor.
    void facadeFloorChosen(int floor);

private:
    QWidget* BuildProjectGroup();
    void ShowCrs(const std::string& code);
    QWidget* BuildAirGroup();
    QWidget* BuildAreaGroup();
    QWidget* BuildPlanGroup();
    QWidget* BuildFacadeGroup();
    QWidget* BuildSectionGroup();
    QWidget* BuildNavigationGroup();
    QLineEdit* MakeField(EEnvField field, const char* objectName);
    QPushButton* MakeNavButton(const QString& text, ENavigation step, const char* objectName);

    QList<QLineEdit*> m_fields;  // indexed by EEnvField
    QPushButton* m_pShowReceivers = nullptr;
    QLabel* m_pSectionSpacingWarning = nullptr;
    QLabel* m_pFacadeWarning = nullptr;
    QSpinBox* m_pFacadeFloor = nullptr;
    QLineEdit* m_pCrs = nullptr;
    QPushButton* m_pCrsButton = nullptr;
    CCriterionGroup* m_pCriterion = nullptr;
    QButtonGroup* m_pAxisGroup = nullptr;
    QButtonGroup* m_pViewGroup = nullptr;
};
