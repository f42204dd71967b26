#include "app/criterion_controller.h"

#include "dialogs/criterion_group.h"
#include "model/criterion_rules.h"
#include "model/document.h"
#include "views/plan_view.h"

namespace {

const QString kBadLimit = QStringLiteral("기준은 숫자로 입력하거나 비워 두십시오.");
const QString kBadRatio = QStringLiteral("야간 교통량 비율은 0 이상의 숫자로 입력하거나 비워 두십시오.");

}  // namespace

CCriterionController::CCriterionController(CCriterionGroup* group, CMyTalvoDoc* doc, CPlan_View* plan,
                                           std::function<void(const QString&, int)> record, QObject* parent)
    : QObject(parent), m_pGroup(group), m_pDoc(doc), m_pPlanView(plan), m_record(std::move(record))
{
    connect(group, &CCriterionGroup::criterionChosen, this, &CCriterionController::OnCriterion);
    connect(group, &CCriterionGroup::zoneChosen, this, &CCriterionController::OnZone);
    connect(group, &CCriterionGroup::userLimitEdited, this, &CCriterionController::OnUserLimit);
    connect(group, &CCriterionGroup::nightRatioEdited, this, &CCriterionController::OnNightRatio);
}

QString CCriterionController::StepName(EChange change)
{
    switch (change) {
    case kCriterionChange: return QStringLiteral("평가 기준 변경");
    case kZoneChange: return QStringLiteral("지역 변경");
    case kUserDayChange: return QStringLiteral("주간 기준 변경");
    case kUserNightChange: return QStringLiteral("야간 기준 변경");
    case kNightRatioChange: return QStringLiteral("야간 교통량 비율 변경");
    }
    return {};
}

// The levels stay; only what they are judged by changed.
void CCriterionController::Judged(EChange change)
{
    m_pGroup->ShowWarning({});
    m_pPlanView->RefreshJudgement();
    m_record(StepName(change), change);
}

void CCriterionController::OnCriterion(int criterion)
{
    const int before = m_pDoc->m_settings.m_nCriterion;
    ChooseCriterion(m_pDoc->m_settings, static_cast<ECriterion>(criterion));
    m_pGroup->ShowSettings(m_pDoc->m_settings);  // the zones of the new criterion
    if (m_pDoc->m_settings.m_nCriterion != before)
        Judged(kCriterionChange);
}

void CCriterionController::OnZone(const QString& zone)
{
    if (m_pDoc->m_settings.m_strZone == zone.toStdString())
        return;
    m_pDoc->m_settings.m_strZone = zone.toStdString();
    Judged(kZoneChange);
}

void CCriterionController::OnUserLimit(EPeriod period, const QString& text)
{
    if (!ApplyUserLimit(m_pDoc->m_settings, period, text.toStdString())) {
        m_pGroup->ShowWarning(kBadLimit);
        return;
    }
    Judged(period == EPeriod::kDay ? kUserDayChange : kUserNightChange);
}

// Other night powers, other night levels: the main window sums them again from the last
// calculation's transfers when it records the step.
void CCriterionController::OnNightRatio(const QString& text)
{
    const auto before = m_pDoc->m_settings.m_dNightTrafficRatio;
    if (!ApplyNightTrafficRatio(m_pDoc->m_settings, text.toStdString())) {
        m_pGroup->ShowWarning(kBadRatio);
        return;
    }
    m_pGroup->ShowWarning({});
    if (m_pDoc->m_settings.m_dNightTrafficRatio == before)
        return;
    m_pDoc->CommitModelChange();
    m_pPlanView->ShowResultState();
    m_record(StepName(kNightRatioChange), kNightRatioChange);
}
