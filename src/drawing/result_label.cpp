#include "drawing/result_label.h"

#include "model/bands.h"
#include "model/entities.h"

std::string ResultLabel(const CReceiverPoint& receiver, int band)
{
    if (band >= 1 && band <= kBandCount)
        return FormatLevel(receiver.m_dLevel[std::size_t(band - 1)]);
    return FormatLevel(EnergySum(receiver.m_dLevel));
}
