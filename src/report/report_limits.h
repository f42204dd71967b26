#pragma once

// What the report judges each level by, per period: the limits of model/compliance.h (a
// receiver's own target by day, else the criterion's limit of its zone; a building's floors
// by the criterion's limit of its zone, else the housing rule). Nothing when neither
// applies: such a level is never reported as meeting a limit.

#include <optional>
#include <string>

#include "model/compliance.h"
#include "model/noise_limits.h"

class CMyTalvoDoc;

std::optional<CLimit> ReportReceiverLimit(const CProjectSettings& settings, const CReceiverPoint& receiver,
                                          EPeriod period);
std::optional<CLimit> ReportBuildingLimit(const CProjectSettings& settings, const CBuilding& building, EPeriod period);

// True when the level carries energy and is judged over the limit as the result table judges
// it: to two decimals, a limit to stay below ("미만") exceeded when it is reached.
bool ExceedsLimit(double level, const std::optional<CLimit>& limit);

// True when the last calculation gave some receiver or façade receiver a night level.
bool HasNightLevels(const CMyTalvoDoc& doc);

// The project's criterion in words: its name, the project's zone and its limits per period
// ("도로교통소음 관리기준, 주거지역 등: 주간 68, 야간 58 dB(A)"), or "기준 없음".
std::string CriterionText(const CProjectSettings& settings);
