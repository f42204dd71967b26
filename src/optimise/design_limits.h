#pragma once

// The limits the rows of a barrier design are tested against in the design's period. They
// are those of the result table and the per-floor table (model/compliance.h), and a row is
// judged as those tables judge it, so that a design never calls a row met that a table
// shows in red: a receiver by its own target in the day, else by the criterion's limit of its
// zone; a building's floors by the criterion's limit of its zone, else the housing rule.

#include <optional>

#include "model/compliance.h"

// None when the receiver has neither a target (in the day) nor a criterion's limit.
std::optional<CLimit> DesignReceiverLimit(const CReceiverPoint& receiver, const CProjectSettings& settings,
                                          EPeriod period);

// The limit of every façade receiver of the building (buildings carry no target).
std::optional<CLimit> DesignBuildingLimit(const CBuilding& building, const CProjectSettings& settings, EPeriod period);

// A target level typed for every row of a design: the level may reach it.
CLimit TypedDesignLimit(double target);

// The level (kNoEnergy for none) is over the limit, as the tables show it: rounded to two
// decimals, and a limit to stay below is exceeded when it is reached.
bool ExceedsDesignLimit(double level, const CLimit& limit);
