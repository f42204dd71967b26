#pragma once

// Applies what the user does in the pane's "평가 기준": the criterion, the project's zone and
// the user-defined limits change how the levels are judged, not the levels, so the result
// table, the per-floor table and the views judge them anew at once; the night traffic ratio
// changes the night powers, and with them the levels. Each change is one undo step,
// consecutive edits of one field one step.

#include <functional>

#include <QObject>
#include <QString>

#include "model/noise_limits.h"

class CCriterionGroup;
class CMyTalvoDoc;
class CPlan_View;

class CCriterionController : public QObject {
    Q_OBJECT
public:
    // Merge keys of the undo steps, beyond those of the pane's other fields.
    enum EChange { kCriterionChange = 1100, kZoneChange, kUserDayChange, kUserNightChange, kNightRatioChange };

    // record is told the step's name and its merge key after the settings changed.
    CCriterionController(CCriterionGroup* group, CMyTalvoDoc* doc, CPlan_View* plan,
                         std::function<void(const QString&, int)> record, QObject* parent = nullptr);

    static QString StepName(EChange change);

private:
    void OnCriterion(int criterion);
    void OnZone(const QString& zone);
    void OnUserLimit(EPeriod period, const QString& text);
    void OnNightRatio(const QString& text);
    void Judged(EChange change);

    CCriterionGroup* m_pGroup;
    CMyTalvoDoc* m_pDoc;
    CPlan_View* m_pPlanView;
    std::function<void(const QString&, int)> m_record;
};
