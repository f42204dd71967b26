#include "maps/noise_map_exceedance.h"

#include "model/bands.h"
#include "model/compliance.h"
#include "model/project_settings.h"

std::optional<double> MapLimit(const CProjectSettings& settings, EPeriod period)
{
    const std::optional<CLimit> limit = CriterionLimit(settings, settings.m_strZone, period);
    if (!limit)
        return std::nullopt;
    return limit->m_dValue;
}

std::string NoMapLimitMessage(EPeriod period)
{
    return std::string("평가 기준에 ") + PeriodName(period) +
           " 기준이 없습니다. 환경 데이터의 \"평가 기준\"에서 기준과 지역을 고르십시오.";
}

CMapLevelAt ExceedanceLevelAt(CMapLevelAt level, double limit)
{
    return [level = std::move(level), limit](double u, double v) {
        const double l = level(u, v);
        return HasEnergy(l) ? l - limit : l;
    };
}

void SubtractLimit(CNoiseMapGrid& grid, double limit)
{
    for (double& level : grid.m_arrLevel)
        if (HasEnergy(level))
            level -= limit;
}
