#include "report/report_limits.h"

#include <cstdio>
#include <limits>

#include "model/compliance.h"
#include "model/document.h"

namespace {

ECriterion CriterionOf(const CProjectSettings& s)
{
    const int n = s.m_nCriterion;
    return n >= int(ECriterion::kNone) && n <= int(ECriterion::kUserDefined) ? ECriterion(n) : ECriterion::kNone;
}

std::optional<double> ReportZoneLimit(const CProjectSettings& s, const std::string& ownZone, EPeriod period)
{
    const std::string& zone = ownZone.empty() ? s.m_strZone : ownZone;
    const double none = std::numeric_limits<double>::quiet_NaN();
    return LimitOf(CriterionOf(s), zone, period, s.m_dUserDayLimit.value_or(none), s.m_dUserNightLimit.value_or(none));
}

bool AnyNightEnergy(const Bands& levels) { return HasEnergy(EnergySum(levels)); }

std::string LimitText(const std::optional<double>& limit)
{
    if (!limit)
        return "없음";
    char text[32];
    std::snprintf(text, sizeof text, "%g", *limit);
    return text;
}

}  // namespace

// The limits are those every table and label shows (model/compliance.h).
std::optional<CLimit> ReportReceiverLimit(const CProjectSettings& settings, const CReceiverPoint& receiver,
                                          EPeriod period)
{
    return ReceiverLimit(receiver, settings, period);
}

std::optional<CLimit> ReportBuildingLimit(const CProjectSettings& settings, const CBuilding& building, EPeriod period)
{
    return BuildingLimit(building, settings, period);
}

bool ExceedsLimit(double level, const std::optional<CLimit>& limit)
{
    return Judge(level, limit) == EJudgement::kExceeds;
}

bool HasNightLevels(const CMyTalvoDoc& doc)
{
    for (const CReceiverPoint& r : doc.m_arrReceiver)
        if (AnyNightEnergy(r.m_dNightLevel))
            return true;
    for (const CFacadeReceiver& f : doc.m_arrFacade)
        if (AnyNightEnergy(f.m_dNightLevel))
            return true;
    return false;
}

std::string CriterionText(const CProjectSettings& s)
{
    const ECriterion criterion = CriterionOf(s);
    if (criterion == ECriterion::kNone)
        return CriterionName(criterion);
    std::string text = CriterionName(criterion);
    for (const CZoneLimit& zone : CriterionZones(criterion))
        if (s.m_strZone == zone.m_pZone || (s.m_strZone.empty() && CriterionZones(criterion).size() == 1))
            text += std::string(", ") + zone.m_pDescription;
    const std::optional<double> day = ReportZoneLimit(s, {}, EPeriod::kDay);
    const std::optional<double> night = ReportZoneLimit(s, {}, EPeriod::kNight);
    return text + ": 주간 " + LimitText(day) + ", 야간 " + LimitText(night) + " dB(A)";
}
