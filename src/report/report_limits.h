#pragma once

// What the report judges each level by, per period: a receiver's own target (day only),
// else the limit of the project's criterion for the receiver's zone (its own, else the
// project's); a building's floors by the criterion's limit for the building's zone.
// Nothing when neither applies: such a level is never reported as meeting a limit.

#include <optional>
#include <string>

#include "model/noise_limits.h"

class CBuilding;
class CMyTalvoDoc;
class CReceiverPoint;
struct CProjectSettings;

std::optional<double> ReportReceiverLimit(const CProjectSettings& settings, const CReceiverPoint& receiver,
                                          EPeriod period);
std::optional<double> ReportBuildingLimit(const CProjectSettings& settings, const CBuilding& building, EPeriod period);

// True when the level carries energy and lies above the limit (the unrounded level).
bool ExceedsLimit(double level, const std::optional<double>& limit);

// True when the last calculation gave some receiver or façade receiver a night level.
bool HasNightLevels(const CMyTalvoDoc& doc);

// The project's criterion in words: its name, the project's zone and its limits per period
// ("도로교통소음 관리기준, 주거지역 등: 주간 68, 야간 58 dB(A)"), or "기준 없음".
std::string CriterionText(const CProjectSettings& settings);
