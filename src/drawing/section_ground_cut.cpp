#include "drawing/section_ground_cut.h"

#include <cmath>

#include "drawing/entity_outline.h"
#include "drawing/section_geometry.h"
#include "model/document.h"

namespace {

bool Finite(const CSectionCrossing& c) { return std::isfinite(c.pos) && std::isfinite(c.height); }

// The first two crossings of a body's slope surface with the plane, when both are numbers.
template <typename Body>
std::optional<std::pair<CSectionCrossing, CSectionCrossing>> CrossSlope(const CSectionPlane& plane, const Body& body,
                                                                        bool cutting)
{
    const auto cut = CrossOutline(plane, SlopeSurface(body, cutting));
    if (!cut || !Finite(cut->first) || !Finite(cut->second))
        return std::nullopt;
    return cut;
}

// The fill between neighbouring embankment crossings, in the order of their positions.
void AddFill(std::vector<CProfileRecord> records, std::vector<CGroundPiece>& raise)
{
    SortProfile(records);
    for (std::size_t i = 1; i < records.size(); ++i)
        raise.push_back({records[i - 1].pos, records[i - 1].height, records[i].pos, records[i].height});
}

}  // namespace

CSectionGround CutSectionGround(const CSectionPlane& plane, const std::vector<CSungto>& embankments,
                                const std::vector<CJulto>& cuttings)
{
    CSectionGround ground;
    std::vector<CProfileRecord> records;
    for (const CSungto& e : embankments) {
        if (const auto cut = CrossSlope(plane, e, false)) {
            const auto& [a, b] = *cut;
            ground.m_arrRaise.push_back({a.pos, a.height, b.pos, b.height});
            records.push_back({a.pos, a.height, false});
            records.push_back({b.pos, b.height, false});
        }
    }
    AddFill(std::move(records), ground.m_arrRaise);
    for (const CJulto& c : cuttings)
        if (const auto cut = CrossSlope(plane, c, true))
            ground.m_arrCut.push_back({cut->first.pos, cut->first.height, cut->second.pos, cut->second.height});
    return ground;
}

CSectionGround DocumentSectionGround(const CMyTalvoDoc& doc)
{
    const CSectionPlane plane(doc.m_settings, doc.m_settings.m_nSectionAxis);
    return CutSectionGround(plane, doc.m_arrEmbankment, doc.m_arrCutting);
}
