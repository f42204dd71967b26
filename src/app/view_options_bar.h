#pragma once

// The toolbar of view preferences (not part of the project): whether the plan view shows
// receivers at every height as it shows those at the pane's receiver height, and how many
// times the section view draws heights larger than distances (five to begin with).

#include <QToolBar>

class QCheckBox;
class QComboBox;
class CPlan_View;
class CSection_View;

class CViewOptionsBar : public QToolBar {
    Q_OBJECT
public:
    CViewOptionsBar(CPlan_View* plan, CSection_View* section, QWidget* parent = nullptr);

    QCheckBox* AllHeightsBox() const { return m_pAllHeights; }
    QComboBox* ExaggerationBox() const { return m_pExaggeration; }

private:
    QCheckBox* m_pAllHeights;
    QComboBox* m_pExaggeration;
};
