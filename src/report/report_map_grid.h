#pragma once

// The grid the report's noise maps are computed on when none is asked for. The receiver
// spacing serves the result table and the grid file, not a map printed 18 cm wide: a map
// from a 50 m grid shows its squares. The report's grid puts about kReportMapNodesAcross
// nodes across the longer side of the calculation area, so that a band is never drawn
// from fewer nodes than that across the area; the spacing is a round number of metres.

#include "model/project_settings.h"

inline constexpr double kReportMapNodesAcross = 200.0;

// The largest of 1, 2, 2.5, 4 and 5 times a power of ten that puts at least
// kReportMapNodesAcross nodes across the area's longer side; the receiver spacing when the
// area has no extent.
double ReportMapSpacing(const CProjectSettings& settings);
