#pragma once

// Whether the levels of a calculation meet the limits they are judged by, per period.
// Every table, label, map, report page and command-line column that shows a limit or an
// exceedance asks here, so that they all agree.
//
// A receiver is judged in the day by its own target level when it has one, else by the
// project criterion's limit of its zone (its own zone, else the project's); at night by
// the criterion alone (a target is a design level for the day). A building's floors are
// judged by the criterion's limit of the building's zone; without a project criterion by
// the housing rule, which holds for apartment blocks whatever else applies (65 dB(A) in the
// day, nothing at night). Without a limit nothing is said to meet one.

#include <optional>
#include <string>
#include <vector>

#include "model/facade_receivers.h"
#include "model/noise_limits.h"

class CBuilding;
class CReceiverPoint;
struct CProjectSettings;

struct CLimit {
    double m_dValue = 0;     // dB(A)
    bool m_bBelow = false;   // the level must stay below it ("65 dB(A) 미만"); else at or below
    bool m_bTarget = false;  // the receiver's own target level, not the criterion's
};

enum class EJudgement {
    kNoLimit,  // neither a target nor a criterion's limit: never reported as meeting one
    kNoLevel,  // a limit, but no level in this period (no sources at night)
    kMeets,
    kExceeds,
};

// "주간" or "야간".
const char* PeriodName(EPeriod period);

ECriterion ProjectCriterion(const CProjectSettings& settings);
// The zone an entity is judged by: its own, else the project's.
std::string JudgedZone(const std::string& own, const CProjectSettings& settings);
// The project criterion's limit of a zone in a period.
std::optional<CLimit> CriterionLimit(const CProjectSettings& settings, const std::string& zone, EPeriod period);

std::optional<CLimit> ReceiverLimit(const CReceiverPoint& receiver, const CProjectSettings& settings, EPeriod period);
std::optional<CLimit> BuildingLimit(const CBuilding& building, const CProjectSettings& settings, EPeriod period);
// A façade receiver's or a floor's building (0-based); none for a building not in the list.
std::optional<CLimit> BuildingLimitAt(const std::vector<CBuilding>& buildings, int building,
                                      const CProjectSettings& settings, EPeriod period);

// The overall level of a period; kNoEnergy when it has none.
double PeriodLevel(const CReceiverPoint& receiver, EPeriod period);
double PeriodLevel(const CFacadeReceiver& receiver, EPeriod period);

// Levels are judged as they are shown, to two decimals: a level shown as the limit meets it.
EJudgement Judge(double level, const std::optional<CLimit>& limit);
// Level minus limit (negative: the margin below it); none without a level or a limit.
std::optional<double> Exceedance(double level, const std::optional<CLimit>& limit);

// "%+.2f" of an exceedance, kNoEnergyMark for none.
std::string FormatExceedance(const std::optional<double>& exceedance);
// "%.2f" of a limit, kNoEnergyMark for none.
std::string FormatLimit(const std::optional<CLimit>& limit);

// The per-floor rows of a period: highest and lowest of that period's levels.
std::vector<CFloorSummary> SummariseFloors(const std::vector<CFacadeReceiver>& receivers, EPeriod period);

// What a period's judgement found, as 1-based receiver numbers (or floor labels).
struct CPeriodJudgement {
    std::vector<std::string> m_arrExceeding;
    std::vector<std::string> m_arrMeeting;
    std::vector<std::string> m_arrNoLimit;
    std::vector<std::string> m_arrNoLevel;
};

CPeriodJudgement JudgeReceivers(const std::vector<CReceiverPoint>& receivers, const CProjectSettings& settings,
                                EPeriod period);
// Floors named "건물 2 (동 이름) 5층"; rows as SummariseFloors gives them for the period.
CPeriodJudgement JudgeFloors(const std::vector<CFloorSummary>& rows, const std::vector<CBuilding>& buildings,
                             const CProjectSettings& settings, EPeriod period);

// The exceeding ones of a judgement in one line: "2, 5", "없음", or "기준 없음" when none
// had a limit; the ones without a limit are named after the others ("없음 (기준 없음: 3)"),
// so that they are never read as meeting one. "결과 없음" when nothing had a level.
std::string ExceedingSummary(const CPeriodJudgement& judgement);

// "주간 초과 수음점: 2, 5 · 야간 초과 수음점: 없음": both periods' ExceedingSummary of the receivers.
std::string ReceiverExceedanceLine(const std::vector<CReceiverPoint>& receivers, const CProjectSettings& settings);

// Whether two lists differ at most in how their entries are judged (targets, zones): levels
// computed for one hold for the other.
bool OnlyLimitsDiffer(const std::vector<CReceiverPoint>& a, const std::vector<CReceiverPoint>& b);
bool OnlyLimitsDiffer(const std::vector<CBuilding>& a, const std::vector<CBuilding>& b);
