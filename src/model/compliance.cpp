#include "model/compliance.h"

#include <cmath>
#include <cstdio>

#include "model/building.h"
#include "model/entities.h"
#include "model/project_settings.h"

namespace {

// Names listed in one summary line before the rest is counted.
constexpr std::size_t kMaxListedNames = 30;

double ShownLevel(double level) { return std::round(level * 100.0) / 100.0; }

std::string NameList(const std::vector<std::string>& names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kMaxListedNames; ++i)
        text += (i ? ", " : "") + names[i];
    if (names.size() > kMaxListedNames)
        text += " 외 " + std::to_string(names.size() - kMaxListedNames) + "개";
    return text;
}

void Sort(CPeriodJudgement& out, EJudgement judgement, std::string name)
{
    switch (judgement) {
    case EJudgement::kExceeds: out.m_arrExceeding.push_back(std::move(name)); break;
    case EJudgement::kMeets: out.m_arrMeeting.push_back(std::move(name)); break;
    case EJudgement::kNoLimit: out.m_arrNoLimit.push_back(std::move(name)); break;
    case EJudgement::kNoLevel: out.m_arrNoLevel.push_back(std::move(name)); break;
    }
}

std::string FloorName(const std::vector<CBuilding>& buildings, const CFloorSummary& row)
{
    const bool known = row.m_nBuilding >= 0 && static_cast<std::size_t>(row.m_nBuilding) < buildings.size();
    const std::string name = known ? buildings[static_cast<std::size_t>(row.m_nBuilding)].m_pName : std::string();
    return (name.empty() ? "건물 " + std::to_string(row.m_nBuilding + 1) : name) + " " + std::to_string(row.m_nFloor) +
           "층";
}

}  // namespace

const char* PeriodName(EPeriod period) { return period == EPeriod::kNight ? "야간" : "주간"; }

ECriterion ProjectCriterion(const CProjectSettings& settings)
{
    const int n = settings.m_nCriterion;
    return n >= 0 && n <= static_cast<int>(ECriterion::kUserDefined) ? static_cast<ECriterion>(n) : ECriterion::kNone;
}

std::string JudgedZone(const std::string& own, const CProjectSettings& settings)
{
    return own.empty() ? settings.m_strZone : own;
}

std::optional<CLimit> CriterionLimit(const CProjectSettings& settings, const std::string& zone, EPeriod period)
{
    const ECriterion criterion = ProjectCriterion(settings);
    const double none = std::nan("");
    const std::optional<double> value = LimitOf(criterion, zone, period, settings.m_dUserDayLimit.value_or(none),
                                                settings.m_dUserNightLimit.value_or(none));
    if (!value)
        return std::nullopt;
    // The housing rule asks for levels below 65 dB(A); the others allow the limit itself.
    return CLimit{*value, criterion == ECriterion::kApartmentOutdoor, false};
}

std::optional<CLimit> ReceiverLimit(const CReceiverPoint& receiver, const CProjectSettings& settings, EPeriod period)
{
    // A target of 0 is "not set"; a damaged file's nan or infinity is none either.
    if (period == EPeriod::kDay && receiver.m_dTargetLevel > 0 && std::isfinite(receiver.m_dTargetLevel))
        return CLimit{receiver.m_dTargetLevel, false, true};
    return CriterionLimit(settings, JudgedZone(receiver.m_strZone, settings), period);
}

std::optional<CLimit> BuildingLimit(const CBuilding& building, const CProjectSettings& settings, EPeriod period)
{
    if (ProjectCriterion(settings) != ECriterion::kNone)
        return CriterionLimit(settings, JudgedZone(building.m_strZone, settings), period);
    CProjectSettings housing = settings;
    housing.m_nCriterion = static_cast<int>(ECriterion::kApartmentOutdoor);
    return CriterionLimit(housing, "", period);
}

std::optional<CLimit> BuildingLimitAt(const std::vector<CBuilding>& buildings, int building,
                                      const CProjectSettings& settings, EPeriod period)
{
    if (building < 0 || static_cast<std::size_t>(building) >= buildings.size())
        return std::nullopt;
    return BuildingLimit(buildings[static_cast<std::size_t>(building)], settings, period);
}

double PeriodLevel(const CReceiverPoint& receiver, EPeriod period)
{
    return EnergySum(period == EPeriod::kNight ? receiver.m_dNightLevel : receiver.m_dLevel);
}

double PeriodLevel(const CFacadeReceiver& receiver, EPeriod period)
{
    return EnergySum(period == EPeriod::kNight ? receiver.m_dNightLevel : receiver.m_dLevel);
}

EJudgement Judge(double level, const std::optional<CLimit>& limit)
{
    if (!limit)
        return EJudgement::kNoLimit;
    if (!HasEnergy(level))
        return EJudgement::kNoLevel;
    const double shown = ShownLevel(level);
    const bool over = limit->m_bBelow ? shown >= limit->m_dValue : shown > limit->m_dValue;
    return over ? EJudgement::kExceeds : EJudgement::kMeets;
}

std::optional<double> Exceedance(double level, const std::optional<CLimit>& limit)
{
    if (!limit || !HasEnergy(level))
        return std::nullopt;
    return level - limit->m_dValue;
}

std::string FormatExceedance(const std::optional<double>& exceedance)
{
    if (!exceedance)
        return kNoEnergyMark;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%+.2f", *exceedance);
    return buf;
}

std::string FormatLimit(const std::optional<CLimit>& limit)
{
    return limit ? FormatLevel(limit->m_dValue) : std::string(kNoEnergyMark);
}

std::vector<CFloorSummary> SummariseFloors(const std::vector<CFacadeReceiver>& receivers, EPeriod period)
{
    if (period == EPeriod::kDay)
        return SummariseFloors(receivers);
    std::vector<CFacadeReceiver> night = receivers;
    for (CFacadeReceiver& r : night)
        r.m_dLevel = r.m_dNightLevel;
    return SummariseFloors(night);
}

CPeriodJudgement JudgeReceivers(const std::vector<CReceiverPoint>& receivers, const CProjectSettings& settings,
                                EPeriod period)
{
    CPeriodJudgement out;
    for (std::size_t i = 0; i < receivers.size(); ++i)
        Sort(out, Judge(PeriodLevel(receivers[i], period), ReceiverLimit(receivers[i], settings, period)),
             std::to_string(i + 1));
    return out;
}

CPeriodJudgement JudgeFloors(const std::vector<CFloorSummary>& rows, const std::vector<CBuilding>& buildings,
                             const CProjectSettings& settings, EPeriod period)
{
    CPeriodJudgement out;
    for (const CFloorSummary& row : rows)
        Sort(out, Judge(row.m_dMax, BuildingLimitAt(buildings, row.m_nBuilding, settings, period)),
             FloorName(buildings, row));
    return out;
}

std::string ExceedingSummary(const CPeriodJudgement& j)
{
    const bool judged = !j.m_arrExceeding.empty() || !j.m_arrMeeting.empty();
    if (!judged && j.m_arrNoLevel.empty() && !j.m_arrNoLimit.empty())
        return "기준 없음";
    if (!judged && j.m_arrNoLimit.empty() && !j.m_arrNoLevel.empty())
        return "결과 없음";
    std::string text;
    if (judged)
        text = j.m_arrExceeding.empty() ? "없음" : NameList(j.m_arrExceeding);
    const auto add = [&text](const char* what, const std::vector<std::string>& names) {
        if (!names.empty())
            text += (text.empty() ? "" : " (") + std::string(what) + ": " + NameList(names) + (text.empty() ? "" : ")");
    };
    add("기준 없음", j.m_arrNoLimit);
    add("결과 없음", j.m_arrNoLevel);
    return text.empty() ? "없음" : text;
}

std::string ReceiverExceedanceLine(const std::vector<CReceiverPoint>& receivers, const CProjectSettings& settings)
{
    return "주간 초과 수음점: " + ExceedingSummary(JudgeReceivers(receivers, settings, EPeriod::kDay)) +
           " · 야간 초과 수음점: " + ExceedingSummary(JudgeReceivers(receivers, settings, EPeriod::kNight));
}

bool OnlyLimitsDiffer(const std::vector<CReceiverPoint>& a, const std::vector<CReceiverPoint>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const CReceiverPoint &x = a[i], &y = b[i];
        if (x.m_dX != y.m_dX || x.m_dY != y.m_dY || x.m_dZ != y.m_dZ || x.m_dGroundFactor != y.m_dGroundFactor ||
            x.m_dAreaFactor != y.m_dAreaFactor)
            return false;
    }
    return true;
}

bool OnlyLimitsDiffer(const std::vector<CBuilding>& a, const std::vector<CBuilding>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const CBuilding &x = a[i], &y = b[i];
        if (x.m_arrFootprint != y.m_arrFootprint || x.m_nFloors != y.m_nFloors ||
            x.m_dFloorHeight != y.m_dFloorHeight || x.m_dGroundFactor != y.m_dGroundFactor ||
            x.m_dAreaFactor != y.m_dAreaFactor || x.m_dAbsorption != y.m_dAbsorption || x.m_pName != y.m_pName ||
            x.m_pAbsorptionDesc != y.m_pAbsorptionDesc)
            return false;
    }
    return true;
}
