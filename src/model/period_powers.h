#pragma once

// The band powers of a road or tunnel in each period. The day's (주간) are the stored ones;
// the night's (야간) are the source's own when it has them, else the day's scaled by the
// project's night traffic ratio.

#include <optional>

#include "model/bands.h"
#include "model/entities.h"
#include "model/project_settings.h"

// Own night powers, else day + 10 lg(ratio) in every band (a ratio of 0 gives no energy);
// none when the source has no night powers and the project no ratio.
std::optional<Bands> NightPowerLevels(const CRoad& road, const CProjectSettings& settings);
std::optional<Bands> NightPowerLevels(const CTunnel& tunnel, const CProjectSettings& settings);
