#include "optimise/design_limits.h"

#include <cmath>
#include <limits>
#include <string>

#include "model/building.h"
#include "model/entities.h"
#include "model/project_settings.h"

namespace {

std::optional<double> CriterionLimit(const std::string& ownZone, const CProjectSettings& settings, EPeriod period)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    const std::string& zone = ownZone.empty() ? settings.m_strZone : ownZone;
    return LimitOf(static_cast<ECriterion>(settings.m_nCriterion), zone, period,
                   settings.m_dUserDayLimit.value_or(none), settings.m_dUserNightLimit.value_or(none));
}

}  // namespace

std::optional<double> DesignReceiverLimit(const CReceiverPoint& receiver, const CProjectSettings& settings,
                                          EPeriod period)
{
    // A target of 0 is "not set"; a damaged file's nan or infinity is none either.
    if (receiver.m_dTargetLevel > 0.0 && std::isfinite(receiver.m_dTargetLevel))
        return receiver.m_dTargetLevel;
    return CriterionLimit(receiver.m_strZone, settings, period);
}

std::optional<double> DesignBuildingLimit(const CBuilding& building, const CProjectSettings& settings, EPeriod period)
{
    return CriterionLimit(building.m_strZone, settings, period);
}
