#include "drawing/result_label.h"

#include <cstdio>

#include "model/bands.h"
#include "model/entities.h"

namespace {

double LevelOf(const Bands& levels, int band)
{
    return band >= 1 && band <= kBandCount ? levels[std::size_t(band - 1)] : EnergySum(levels);
}

std::string OneDecimal(double level)
{
    if (!HasEnergy(level))
        return kNoEnergyMark;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", level);
    return buf;
}

}  // namespace

std::string ResultLabel(const CReceiverPoint& receiver, int band)
{
    if (!HasEnergy(EnergySum(receiver.m_dNightLevel)))
        return FormatLevel(LevelOf(receiver.m_dLevel, band));
    return OneDecimal(LevelOf(receiver.m_dLevel, band)) + " / " + OneDecimal(LevelOf(receiver.m_dNightLevel, band));
}
