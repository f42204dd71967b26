#pragma once

// The noise maps of a report: the plan map at the project's receiver height over the
// calculation area and the section map along the section line, computed with the engine
// as "소음지도" and talvo-cli map compute them.

#include <string>

#include "render/noise_map_renderer.h"

class CMyTalvoDoc;

// Fills map for a calculated doc with grids of the given spacing (m) and band (0 overall,
// 1..8); returns an empty text, or the message refusing the map (no calculation, a wrong
// spacing, area or receiver height). The section grid takes the project's section spacing,
// or the default that follows `spacing`. Both are refined where the classes of the map's
// style change. Runs on every core; blocks until done.
std::string ComputeReportMaps(const CMyTalvoDoc& doc, double spacing, int band, CNoiseMap& map);
