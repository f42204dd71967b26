#include "app/period_document.h"

#include "engine/source_pieces.h"
#include "model/document.h"
#include "model/period_powers.h"

namespace {

template <class Source>
void TakeNightPowers(std::vector<Source>& sources, const CProjectSettings& settings)
{
    for (Source& source : sources)
        source.m_dUserPowerLevel = NightPowerLevels(source, settings).value_or(NoEnergyBands());
}

}  // namespace

std::unique_ptr<CMyTalvoDoc> NightDocument(const CMyTalvoDoc& doc)
{
    if (!HasNightPowers(doc))
        return nullptr;
    auto night = std::make_unique<CMyTalvoDoc>(doc);
    TakeNightPowers(night->m_arrRoad, night->m_settings);
    TakeNightPowers(night->m_arrTunnel, night->m_settings);
    night->m_arrSegment.clear();
    MakeSourcePieces(*night);
    return night;
}
