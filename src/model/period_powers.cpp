#include "model/period_powers.h"

#include <cmath>

namespace {

std::optional<Bands> NightOf(bool own, const Bands& night, const Bands& day, const CProjectSettings& settings)
{
    if (own)
        return night;
    if (!settings.m_dNightTrafficRatio)
        return std::nullopt;
    const double ratio = *settings.m_dNightTrafficRatio;
    if (!(ratio >= 0.0) || !std::isfinite(ratio))
        return std::nullopt;
    const double shift = ratio > 0.0 ? 10.0 * std::log10(ratio) : kNoEnergy;
    Bands out = day;
    for (double& v : out)
        v += shift;
    return out;
}

}  // namespace

std::optional<Bands> NightPowerLevels(const CRoad& road, const CProjectSettings& settings)
{
    return NightOf(road.m_bNightPower, road.m_dNightPowerLevel, road.m_dUserPowerLevel, settings);
}

std::optional<Bands> NightPowerLevels(const CTunnel& tunnel, const CProjectSettings& settings)
{
    return NightOf(tunnel.m_bNightPower, tunnel.m_dNightPowerLevel, tunnel.m_dUserPowerLevel, settings);
}
