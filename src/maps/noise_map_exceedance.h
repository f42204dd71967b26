#pragma once

// Exceedance maps: the level of a map minus the limit of the project's criterion in its own
// zone for one period, node by node, drawn on the diverging scale of the difference maps.
// Only the overall level in dB(A) is judged by a limit. Plain functions of their arguments.

#include <optional>
#include <string>

#include "maps/noise_map_refine.h"
#include "model/noise_limits.h"
#include "model/noise_map_grid.h"

struct CProjectSettings;

inline constexpr const char* kMapMsgExceedanceBand = "초과 지도는 전체 소음레벨(dB(A))로만 그립니다.";

// The limit a map node is judged by: the project criterion's limit of the project's zone in
// the period; none without a criterion or when the criterion has no limit then.
std::optional<double> MapLimit(const CProjectSettings& settings, EPeriod period);

// "평가 기준에 야간 기준이 없습니다. ..." for a period MapLimit has no limit of.
std::string NoMapLimitMessage(EPeriod period);

// level - limit at every node with energy; a node without energy keeps none.
void SubtractLimit(CNoiseMapGrid& grid, double limit);

// The exact exceedance the refinement of an exceedance map computes at a point: level - limit
// where energy arrives; no energy, and a point the level function does not map (NaN), as
// they are.
CMapLevelAt ExceedanceLevelAt(CMapLevelAt level, double limit);
