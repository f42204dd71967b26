#include "optimise/design_limits.h"

std::optional<CLimit> DesignReceiverLimit(const CReceiverPoint& receiver, const CProjectSettings& settings,
                                          EPeriod period)
{
    return ReceiverLimit(receiver, settings, period);
}

std::optional<CLimit> DesignBuildingLimit(const CBuilding& building, const CProjectSettings& settings, EPeriod period)
{
    return BuildingLimit(building, settings, period);
}

CLimit TypedDesignLimit(double target) { return CLimit{target, false, true}; }

bool ExceedsDesignLimit(double level, const CLimit& limit) { return Judge(level, limit) == EJudgement::kExceeds; }
