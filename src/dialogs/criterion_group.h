#pragma once

// "평가 기준" in the environment pane: the criterion the levels are judged by, the project's
// zone of it, the day and night limits of a user-defined criterion, and the night traffic
// ratio ("야간 교통량 비율") that gives night powers to roads and tunnels without their own.
// It only shows settings and reports what the user did; CCriterionController applies it.

#include <QGroupBox>
#include <QString>

#include "model/noise_limits.h"

class QComboBox;
class QLabel;
class QLineEdit;
struct CProjectSettings;

class CCriterionGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit CCriterionGroup(QWidget* parent = nullptr);

    // Fills every field from settings without reporting edits.
    void ShowSettings(const CProjectSettings& settings);
    // A warning under the fields; empty hides it.
    void ShowWarning(const QString& text);

    QComboBox* CriterionBox() const { return m_pCriterion; }
    QComboBox* ZoneBox() const { return m_pZone; }
    QLineEdit* UserLimitField(EPeriod period) const { return period == EPeriod::kDay ? m_pUserDay : m_pUserNight; }
    QLineEdit* NightRatioField() const { return m_pNightRatio; }
    QLabel* Warning() const { return m_pWarning; }

signals:
    void criterionChosen(int criterion);  // ECriterion
    void zoneChosen(const QString& zone);
    void userLimitEdited(EPeriod period, const QString& text);
    void nightRatioEdited(const QString& text);

private:
    void FillZones(ECriterion criterion, const std::string& zone);
    void EnableUserLimits(ECriterion criterion);

    QComboBox* m_pCriterion = nullptr;
    QComboBox* m_pZone = nullptr;
    QLineEdit* m_pUserDay = nullptr;
    QLineEdit* m_pUserNight = nullptr;
    QLineEdit* m_pNightRatio = nullptr;
    QLabel* m_pWarning = nullptr;
};
