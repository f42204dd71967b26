#include "engine/period_levels.h"

#include <algorithm>
#include <cmath>

#include "engine/source_pieces.h"
#include "model/document.h"
#include "model/period_powers.h"

std::vector<std::optional<Bands>> SourcePowers(const CMyTalvoDoc& doc, EPeriod period)
{
    std::vector<std::optional<Bands>> powers;
    powers.reserve(doc.m_arrRoad.size() + doc.m_arrTunnel.size());
    const bool day = period == EPeriod::kDay;
    for (const CRoad& r : doc.m_arrRoad)
        powers.push_back(day ? std::optional<Bands>(r.m_dUserPowerLevel) : NightPowerLevels(r, doc.m_settings));
    for (const CTunnel& t : doc.m_arrTunnel)
        powers.push_back(day ? std::optional<Bands>(t.m_dUserPowerLevel) : NightPowerLevels(t, doc.m_settings));
    return powers;
}

bool HasPeriodPowers(const CMyTalvoDoc& doc, EPeriod period)
{
    if (period == EPeriod::kDay)
        return true;
    const auto powers = SourcePowers(doc, period);
    return std::any_of(powers.begin(), powers.end(), [](const std::optional<Bands>& p) { return p.has_value(); });
}

std::vector<CRoad_Segment> PeriodPieces(const CMyTalvoDoc& doc, EPeriod period)
{
    std::vector<CRoad_Segment> pieces = doc.m_arrSegment;
    if (period == EPeriod::kDay)
        return pieces;
    const std::vector<std::optional<Bands>> powers = SourcePowers(doc, period);
    const int roads = static_cast<int>(doc.m_arrRoad.size());
    for (CRoad_Segment& piece : pieces) {
        const int source = PieceSource(piece, roads);
        const bool known = source >= 0 && source < static_cast<int>(powers.size());
        const int perLine = !known           ? 0
                            : source < roads ? doc.m_arrRoad[source].m_nSourceCount
                                             : doc.m_arrTunnel[source - roads].m_nLaneCount;
        piece.m_dPowerLevel =
            known && powers[source] && perLine > 0 ? PiecePower(*powers[source], perLine) : NoEnergyBands();
    }
    return pieces;
}

Bands SumTransfers(const Bands* transfers, const std::vector<std::optional<Bands>>& powers)
{
    Bands levels;
    for (int j = 0; j < kBandCount; ++j) {
        // Summed relative to the highest power, so that no level overflows the sum.
        double ref = kNoEnergy;
        for (const std::optional<Bands>& p : powers)
            if (p && HasEnergy((*p)[j]))
                ref = std::max(ref, (*p)[j]);
        double energy = 0.0;
        for (std::size_t s = 0; s < powers.size(); ++s)
            if (powers[s] && HasEnergy((*powers[s])[j]) && transfers[s][j] > 0.0)
                energy += std::pow(10.0, ((*powers[s])[j] - ref) / 10.0) * transfers[s][j];
        levels[j] = energy > 0.0 ? ref + 10.0 * std::log10(energy) : kNoEnergy;
    }
    return levels;
}

const Bands& LevelsOf(const CReceiverPoint& receiver, EPeriod period)
{
    return period == EPeriod::kNight ? receiver.m_dNightLevel : receiver.m_dLevel;
}

const Bands& LevelsOf(const CFacadeReceiver& receiver, EPeriod period)
{
    return period == EPeriod::kNight ? receiver.m_dNightLevel : receiver.m_dLevel;
}

namespace {

// Every receiver of the list gets the sum of its transfers in `levels` (a member pointer);
// receivers without transfers get no level.
template <class Receiver>
void SumInto(std::vector<Receiver>& receivers, const std::vector<Bands>& transfers, int sources,
             const std::vector<std::optional<Bands>>& powers, Bands Receiver::*levels)
{
    const bool complete = sources > 0 && transfers.size() == receivers.size() * static_cast<std::size_t>(sources);
    for (std::size_t i = 0; i < receivers.size(); ++i)
        receivers[i].*levels = complete ? SumTransfers(&transfers[i * sources], powers) : NoEnergyBands();
}

void StorePeriod(CMyTalvoDoc& doc, EPeriod period)
{
    const CLevelTransfers& t = doc.m_transfers;
    const auto powers = SourcePowers(doc, period);
    const bool night = period == EPeriod::kNight;
    SumInto(doc.m_arrReceiver, t.m_arrReceiver, t.m_nSources, powers,
            night ? &CReceiverPoint::m_dNightLevel : &CReceiverPoint::m_dLevel);
    SumInto(doc.m_arrFacade, t.m_arrFacade, t.m_nSources, powers,
            night ? &CFacadeReceiver::m_dNightLevel : &CFacadeReceiver::m_dLevel);
}

}  // namespace

void StoreNightLevels(CMyTalvoDoc& doc) { StorePeriod(doc, EPeriod::kNight); }

void StoreLevelsOfBothPeriods(CMyTalvoDoc& doc)
{
    StorePeriod(doc, EPeriod::kDay);
    StorePeriod(doc, EPeriod::kNight);
}
