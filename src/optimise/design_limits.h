#pragma once

// The level a receiver of a barrier design must not exceed in one period: its own target
// level when it has one (the target serves both periods), else the limit of the project's
// criterion for its zone (a receiver or building naming no zone takes the project's).

#include <optional>

#include "model/noise_limits.h"

class CBuilding;
class CReceiverPoint;
struct CProjectSettings;

// None when the receiver has no target and the criterion no limit for it in the period.
std::optional<double> DesignReceiverLimit(const CReceiverPoint& receiver, const CProjectSettings& settings,
                                          EPeriod period);

// The limit of every façade receiver of the building (buildings carry no target).
std::optional<double> DesignBuildingLimit(const CBuilding& building, const CProjectSettings& settings, EPeriod period);
