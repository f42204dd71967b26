#pragma once

// Difference maps: the level of one map minus that of another on the same grid, node by
// node, and the diverging scale they are drawn in. Thread-safe: plain functions of their
// arguments.

#include <string>
#include <vector>

#include "maps/noise_map_refine.h"
#include "maps/noise_map_shapes.h"
#include "model/noise_map_grid.h"

struct CProjectSettings;

inline constexpr const char* kMapMsgOtherGrid = "두 소음지도의 격자(영역, 간격, 높이, 종류, 밴드)가 다릅니다.";
inline constexpr const char* kMapMsgOtherArea = "두 프로젝트의 계산영역이 다릅니다.";

// Steps of the diverging scale, dB.
inline constexpr double kDifferenceStepFine = 1.0;
inline constexpr double kDifferenceStepCoarse = 3.0;

// Empty when the two grids have the same kind, band, extent and nodes (a section also the
// same line), so their nodes may be subtracted one by one; otherwise the message refusing it.
std::string CheckSameMapGrid(const CNoiseMapGrid& a, const CNoiseMapGrid& b);

// The exact difference of two maps' levels at a point, for refining a difference map:
// no energy where either has none, NaN where either does not map the point.
CMapLevelAt DifferenceLevelAt(CMapLevelAt minuend, CMapLevelAt subtrahend);

// True when both projects map the same calculation area (so A's grid layout fits B).
bool SameCalculationArea(const CProjectSettings& a, const CProjectSettings& b);

// a's grid with level(a) - level(b) at every node, dB; a node without energy in either map
// has none in the difference. `difference` is left alone and the refusal returned when the
// grids differ.
std::string SubtractMapGrids(const CNoiseMapGrid& a, const CNoiseMapGrid& b, CNoiseMapGrid& difference);

// The diverging scale of a difference map in steps of 1 or 3 dB: edges at +-step, +-2 step,
// ... out to +-10 dB (1 dB) or +-18 dB (3 dB), no edge at 0, so the neutral band
// [-step, +step) holds "no change" and its surroundings; blues darken towards the largest
// reductions, reds towards the largest increases. Another step is taken as 1 dB.
bool IsDifferenceStep(double step);
CMapScale DifferenceMapScale(double step);

// The legend text of every band of a scale, lowest first: "< -10", "-10 ~ -9", ...,
// "-1 ~ +1", ..., ">= +10" (signed, as a difference reads).
std::vector<std::string> DifferenceScaleLabels(const CMapScale& scale);
