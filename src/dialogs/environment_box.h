#pragma once

// The environment pane docked at the left of the main window: project name, air
// conditions, calculation area, receiver grid, section position and view controls.
// It only shows settings and reports what the user did; the main frame applies it.

#include <QWidget>

#include "model/environment_rules.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;

enum class ENavigation { PanUp, PanDown, PanLeft, PanRight, Centre, ZoomIn, ZoomReset, ZoomOut };

class CEnvironmentBox : public QWidget {
    Q_OBJECT
public:
    explicit CEnvironmentBox(QWidget* parent = nullptr);

    // Fills every field from settings without reporting edits.
    void ShowSettings(const CProjectSettings& settings);
    // Shows one number field's stored value again (after a clamp), "%.2f".
    void ShowNumber(EEnvField field, double value);

    QLineEdit* Field(EEnvField field) const;
    int ActiveView() const;  // 0 plan view, 1 section view

signals:
    void fieldEdited(EEnvField field, const QString& text);
    void fieldFinished(EEnvField field);
    void showReceiversClicked();
    void sectionAxisChosen(int axis);
    void activeViewChosen(int view);
    void navigationRequested(ENavigation step);

private:
    QWidget* BuildProjectGroup();
    QWidget* BuildAirGroup();
    QWidget* BuildAreaGroup();
    QWidget* BuildPlanGroup();
    QWidget* BuildSectionGroup();
    QWidget* BuildNavigationGroup();
    QLineEdit* MakeField(EEnvField field, const char* objectName);
    QPushButton* MakeNavButton(const QString& text, ENavigation step, const char* objectName);

    QList<QLineEdit*> m_fields;  // indexed by EEnvField
    QPushButton* m_pShowReceivers = nullptr;
    QButtonGroup* m_pAxisGroup = nullptr;
    QButtonGroup* m_pViewGroup = nullptr;
};
