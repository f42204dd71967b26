#include "engine/calc_scene_data.h"

#include <algorithm>
#include <cmath>

#include "engine/period_levels.h"
#include "engine/source_pieces.h"
#include "model/document.h"

namespace {

CObstacle MakeObstacle(double sx, double sy, double ex, double ey, double bottom, double top, int kind, int index,
                       int attenuator)
{
    CObstacle o;
    o.m_vStart = CMVector(sx, sy, 0.0);
    o.m_vEnd = CMVector(ex, ey, 0.0);
    o.m_dBottom = bottom;
    o.m_dTop = top;
    o.m_nKind = kind;
    o.m_nIndex = index;
    o.m_nAttenuator = attenuator;
    return o;
}

// A barrier stands from 0 up to its height.
CObstacle BarrierObstacle(const CBarrier_Stage& b, int kind, int index)
{
    return MakeObstacle(b.m_dStartX, b.m_dStartY, b.m_dEndX, b.m_dEndY, 0.0, b.m_dHeight, kind, index, b.m_nAttenuator);
}

// An embankment stands from 0 up to its height above the base height.
CObstacle EmbankmentObstacle(const CSungto& e, int index, double base)
{
    return MakeObstacle(e.m_dStartX, e.m_dStartY, e.m_dEndX, e.m_dEndY, 0.0, e.m_dHeight - base, kObstacleEmbankment,
                        index, 0);
}

// A cutting spans from its rim (absolute ground 0, -base) down to 0; the rim is its edge.
CObstacle CuttingObstacle(const CJulto& c, int index, double base)
{
    return MakeObstacle(c.m_dStartX, c.m_dStartY, c.m_dEndX, c.m_dEndY, 0.0, -base, kObstacleCutting, index, 0);
}

bool IsExcluded(const CMyTalvoDoc& doc, int barrier)
{
    const auto& ex = doc.m_arrExcludedBarrier;
    return std::find(ex.begin(), ex.end(), barrier) != ex.end();
}

// Obstacles in the order of the screening: free-standing barriers not excluded,
// cuttings, embankments, bridge-road barriers, the candidate barrier while optimising.
std::vector<CObstacle> BuildObstacles(const CMyTalvoDoc& doc, const std::vector<CBarrier_Stage>& bridge,
                                      const CRunInputs& run)
{
    const double base = doc.m_settings.m_dBaseHeight;
    std::vector<CObstacle> list;
    for (int i = 0; i < static_cast<int>(doc.m_arrBarrier.size()); ++i)
        if (!IsExcluded(doc, i))
            list.push_back(BarrierObstacle(doc.m_arrBarrier[i], kObstacleBarrier, i));
    for (int i = 0; i < static_cast<int>(doc.m_arrCutting.size()); ++i)
        list.push_back(CuttingObstacle(doc.m_arrCutting[i], i, base));
    for (int i = 0; i < static_cast<int>(doc.m_arrEmbankment.size()); ++i)
        list.push_back(EmbankmentObstacle(doc.m_arrEmbankment[i], i, base));
    for (int i = 0; i < static_cast<int>(bridge.size()); ++i)
        list.push_back(BarrierObstacle(bridge[i], kObstacleBridgeBarrier, i));
    if (run.IsOptimisation())
        list.push_back(BarrierObstacle(*run.m_candidate, kObstacleOptBarrier, 0));
    return list;
}

int FindObstacle(const std::vector<CObstacle>& obstacles, int kind, int index)
{
    for (int i = 0; i < static_cast<int>(obstacles.size()); ++i)
        if (obstacles[i].m_nKind == kind && obstacles[i].m_nIndex == index)
            return i;
    return -1;
}

CReflector MakeReflector(const CObstacle& rect, const Bands& absorption, const std::vector<CObstacle>& obstacles)
{
    CReflector reflector;
    reflector.m_rect = rect;
    reflector.m_dAbsorption = absorption;
    reflector.m_nObstacle = FindObstacle(obstacles, rect.m_nKind, rect.m_nIndex);
    PrepareReflector(reflector);
    return reflector;
}

// Reflectors in the order of the reflector lists: every free-standing barrier (the
// exclusion list does not apply), the candidate barrier while optimising, cuttings,
// embankments, bridge-road barriers.
std::vector<CReflector> BuildReflectors(const CMyTalvoDoc& doc, const std::vector<CBarrier_Stage>& bridge,
                                        const CRunInputs& run, const std::vector<CObstacle>& obstacles)
{
    const double base = doc.m_settings.m_dBaseHeight;
    std::vector<CReflector> list;
    for (int i = 0; i < static_cast<int>(doc.m_arrBarrier.size()); ++i) {
        const CBarrier_Stage& b = doc.m_arrBarrier[i];
        list.push_back(MakeReflector(BarrierObstacle(b, kObstacleBarrier, i), b.m_dAbsorption, obstacles));
    }
    if (run.IsOptimisation())
        list.push_back(MakeReflector(BarrierObstacle(*run.m_candidate, kObstacleOptBarrier, 0),
                                     run.m_candidate->m_dAbsorption, obstacles));
    for (int i = 0; i < static_cast<int>(doc.m_arrCutting.size()); ++i)
        list.push_back(
            MakeReflector(CuttingObstacle(doc.m_arrCutting[i], i, base), doc.m_arrCutting[i].m_dAbsorption, obstacles));
    for (int i = 0; i < static_cast<int>(doc.m_arrEmbankment.size()); ++i)
        list.push_back(MakeReflector(EmbankmentObstacle(doc.m_arrEmbankment[i], i, base),
                                     doc.m_arrEmbankment[i].m_dAbsorption, obstacles));
    for (int i = 0; i < static_cast<int>(bridge.size()); ++i)
        list.push_back(
            MakeReflector(BarrierObstacle(bridge[i], kObstacleBridgeBarrier, i), bridge[i].m_dAbsorption, obstacles));
    return list;
}

// Source lines by piece road index: the roads, then start and end mouth of each tunnel
// (its pair of corners, right to left).
std::vector<CSourceLine> BuildSourceLines(const CMyTalvoDoc& doc)
{
    const double base = doc.m_settings.m_dBaseHeight;
    std::vector<CSourceLine> lines;
    for (const CRoad& r : doc.m_arrRoad) {
        const CMVector start(r.m_dStartX, r.m_dStartY, r.m_dStartZ - base);
        const CMVector end(r.m_dEndX, r.m_dEndY, r.m_dEndZ - base);
        lines.push_back({start, end - start});
    }
    const auto& corners = doc.m_arrVector;
    for (std::size_t c = 0; c + 1 < corners.size(); c += 2)
        lines.push_back({corners[c], corners[c + 1] - corners[c]});
    return lines;
}

Bands HighestPowers(const std::vector<CRoad_Segment>& pieces)
{
    Bands top;
    top.fill(kNoEnergy);
    for (const CRoad_Segment& piece : pieces)
        for (int j = 0; j < kBandCount; ++j)
            if (HasEnergy(piece.m_dPowerLevel[j]))
                top[j] = std::max(top[j], piece.m_dPowerLevel[j]);
    for (double& p : top)
        p = HasEnergy(p) ? p : 0.0;
    return top;
}

// Each piece's source, its share of the source's power and whether it sounds at all.
void DescribePieces(const CMyTalvoDoc& doc, CSceneData& s)
{
    const int roads = static_cast<int>(doc.m_arrRoad.size());
    s.m_nSourceCount = roads + static_cast<int>(doc.m_arrTunnel.size());
    for (const CRoad_Segment& piece : s.m_arrPiece) {
        int source = PieceSource(piece, roads);
        int perLine = 0;
        if (source >= 0 && source < roads)
            perLine = doc.m_arrRoad[source].m_nSourceCount;
        else if (source >= roads && source < s.m_nSourceCount)
            perLine = doc.m_arrTunnel[source - roads].m_nLaneCount;
        if (perLine <= 0)
            source = -1;  // not a piece of this document's sources
        s.m_arrPieceSource.push_back(source);
        s.m_arrPieceShare.push_back(perLine > 0 ? 1.0 / perLine : 0.0);
        bool sounds = false;
        for (double p : piece.m_dPowerLevel)
            sounds = sounds || HasEnergy(p);
        s.m_arrPieceSounds.push_back(static_cast<char>(sounds));
    }
}

// For each piece, what turns its energy relative to the reference powers into its source's
// transfer (CSceneData::m_arrPieceTransferScale).
std::vector<Bands> TransferScales(const CSceneData& s)
{
    std::vector<Bands> scales(s.m_arrPiece.size(), Bands{});
    for (std::size_t k = 0; k < s.m_arrPiece.size(); ++k) {
        const Bands& power = s.m_arrPiece[k].m_dPowerLevel;
        if (!std::all_of(power.begin(), power.end(), [](double p) { return HasEnergy(p); }))
            continue;
        bool finite = true;
        for (int j = 0; j < kBandCount; ++j) {
            scales[k][j] = s.m_arrPieceShare[k] * std::pow(10.0, (s.m_dReferencePower[j] - power[j]) / 10.0);
            finite = finite && std::isfinite(scales[k][j]);
        }
        if (!finite)  // powers thousands of dB apart: summed from the path instead
            scales[k] = Bands{};
    }
    return scales;
}

int FirstReflecting(const std::vector<CReflector>& reflectors)
{
    int i = 0;
    while (i < static_cast<int>(reflectors.size()) && !reflectors[i].m_bReflectsSomeBand)
        ++i;
    return i;
}

}  // namespace

double HighestRoadEnd(const CMyTalvoDoc& doc, double current)
{
    const double base = doc.m_settings.m_dBaseHeight;
    for (const CRoad& r : doc.m_arrRoad)
        current = std::max({current, r.m_dStartZ - base, r.m_dEndZ - base});
    return current;
}

CSceneData BuildSceneData(const CMyTalvoDoc& doc, const std::vector<CBarrier_Stage>& bridgeBarriers,
                          double maxRoadHeight, const CRunInputs& run, EPeriod period)
{
    CSceneData s;
    const CProjectSettings& set = doc.m_settings;
    s.m_air = PrepareAirTables(set.m_dTemperature, set.m_dHumidity, set.m_dPressure);
    s.m_arrPiece = PeriodPieces(doc, period);
    DescribePieces(doc, s);
    s.m_dReferencePower = HighestPowers(s.m_arrPiece);
    s.m_arrPieceTransferScale = TransferScales(s);
    for (const CRoad_Segment& piece : s.m_arrPiece)
        s.m_arrPieceTrig.push_back(HeadingTrig(CPieceBox{piece.m_dWidth, piece.m_dPieceLength, piece.m_dAngle}));
    s.m_arrSourceLine = BuildSourceLines(doc);
    s.m_arrObstacle = BuildObstacles(doc, bridgeBarriers, run);
    s.m_arrReflector = BuildReflectors(doc, bridgeBarriers, run, s.m_arrObstacle);
    // The buildings' walls come after every other kind, in both lists.
    const std::vector<CObstacle> walls = BuildWallObstacles(doc.m_arrBuilding);
    const std::vector<CReflector> wallReflectors =
        BuildWallReflectors(doc.m_arrBuilding, static_cast<int>(s.m_arrObstacle.size()));
    s.m_arrObstacle.insert(s.m_arrObstacle.end(), walls.begin(), walls.end());
    s.m_arrReflector.insert(s.m_arrReflector.end(), wallReflectors.begin(), wallReflectors.end());
    s.m_footprints = CFootprintSet(doc.m_arrBuilding);
    s.m_nFirstReflecting = FirstReflecting(s.m_arrReflector);
    s.m_dMaxRoadHeight = maxRoadHeight;
    s.m_dBaseHeight = set.m_dBaseHeight;
    s.m_arrEmbankment = doc.m_arrEmbankment;
    s.m_arrCutting = doc.m_arrCutting;
    s.m_settings = set;
    return s;
}
