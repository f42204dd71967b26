#include "optimise/period_pieces.h"

#include <cmath>
#include <optional>

#include "engine/input_check.h"
#include "model/document.h"
#include "model/period_powers.h"

namespace {

// The night band power of one of n pieces; no energy without a usable night power. The
// share is computed as the pieces' builder computes it, so that a night power equal to the
// day's gives the day's piece power to the last bit.
Bands NightShare(const std::optional<Bands>& night, int n)
{
    Bands piece = NoEnergyBands();
    if (!night || !IsUsablePower(*night) || n < 1)
        return piece;
    const double share = 10.0 * std::log10(static_cast<double>(n));
    for (int j = 0; j < kBandCount; ++j)
        piece[j] = (*night)[j] - share;
    return piece;
}

Bands NightPiecePower(const CMyTalvoDoc& doc, const CRoad_Segment& piece)
{
    const int roads = static_cast<int>(doc.m_arrRoad.size());
    const int index = piece.m_nRoadIndex;
    if (index >= 0 && index < roads) {
        const CRoad& road = doc.m_arrRoad[static_cast<std::size_t>(index)];
        return NightShare(NightPowerLevels(road, doc.m_settings), road.m_nSourceCount);
    }
    const int tunnel = (index - roads) / 2;  // each tunnel has a start and an end mouth
    if (index < roads || tunnel >= static_cast<int>(doc.m_arrTunnel.size()))
        return NoEnergyBands();
    const CTunnel& t = doc.m_arrTunnel[static_cast<std::size_t>(tunnel)];
    return NightShare(NightPowerLevels(t, doc.m_settings), t.m_nLaneCount);
}

}  // namespace

bool HasNightPowers(const CMyTalvoDoc& doc)
{
    for (const CRoad& road : doc.m_arrRoad)
        if (NightPowerLevels(road, doc.m_settings))
            return true;
    for (const CTunnel& tunnel : doc.m_arrTunnel)
        if (NightPowerLevels(tunnel, doc.m_settings))
            return true;
    return false;
}

std::vector<CRoad_Segment> PeriodPieces(const CMyTalvoDoc& doc, EPeriod period)
{
    std::vector<CRoad_Segment> pieces = doc.m_arrSegment;
    if (period == EPeriod::kNight)
        for (CRoad_Segment& piece : pieces)
            piece.m_dPowerLevel = NightPiecePower(doc, piece);
    return pieces;
}
