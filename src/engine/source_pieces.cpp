#include "engine/source_pieces.h"

#include <cmath>

#include "engine/input_check.h"
#include "model/document.h"
#include "model/trans_matrix.h"

namespace {

constexpr double kMouthWidth = 0.1;    // width of a tunnel mouth's source line, m
constexpr double kMouthSetback = 0.5;  // mouth lines stand this far outside the portals, m

// Parameter of the centre of part k of n equal parts of [0, 1].
double PieceCentre(int k, int n) { return (2.0 * k + 1.0) / (2.0 * n); }

CRoad_Segment PieceAt(const CMVector& p, const Bands& power, int index, double width, double pieceLength, double angle)
{
    CRoad_Segment s;
    s.m_dX = p.x;
    s.m_dY = p.y;
    s.m_dZ = p.z;
    s.m_dPowerLevel = power;
    s.m_nRoadIndex = index;
    s.m_dWidth = width;
    s.m_dPieceLength = pieceLength;
    s.m_dAngle = angle;
    return s;
}

struct MouthCorners {
    CMVector startRight, startLeft, endRight, endLeft;
};

MouthCorners CornersOf(const CTunnel& t)
{
    const double half = 0.5 * t.m_dWidth;
    const double endX = t.m_dLength + kMouthSetback;
    auto place = [&t](double x, double y) {
        return PlaceLocal(t.m_dStartX, t.m_dStartY, t.m_dAngle, CMVector(x, y, 0.0));
    };
    return {place(-kMouthSetback, -half), place(-kMouthSetback, half), place(endX, -half), place(endX, half)};
}

// Appends the pieces of both mouths of a tunnel, alternating start and end mouth;
// start-mouth pieces carry startIndex, end-mouth pieces startIndex + 1.
void AppendMouthPieces(const CTunnel& t, const MouthCorners& c, int startIndex, double baseHeight,
                       std::vector<CRoad_Segment>& out)
{
    const int n = t.m_nLaneCount;
    const CMVector across = c.startLeft - c.startRight;
    const CMVector endAcross = c.endLeft - c.endRight;
    const double heading = PlanHeading(across.x, across.y);
    const double zStart = 0.5 * t.m_dStartZ - baseHeight;
    const double zEnd = 0.5 * t.m_dEndZ - baseHeight;
    const Bands power = PiecePower(t.m_dUserPowerLevel, n);
    const double pieceLength = t.m_dWidth / n;
    for (int k = 0; k < n; ++k) {
        const double u = PieceCentre(k, n);
        CMVector a = c.startRight + across * u;
        CMVector b = c.endRight + endAcross * u;
        a.z = zStart;
        b.z = zEnd;
        out.push_back(PieceAt(a, power, startIndex, kMouthWidth, pieceLength, heading));
        out.push_back(PieceAt(b, power, startIndex + 1, kMouthWidth, pieceLength, heading));
    }
}

CBarrier_Stage DeckBarrier(const CRoad& road, double across, double topHeight, const Bands& absorption, int attenuator)
{
    const CMVector a = PlaceLocal(road.m_dStartX, road.m_dStartY, road.m_dAngle, {0.0, across, 0.0});
    const CMVector b = PlaceLocal(road.m_dStartX, road.m_dStartY, road.m_dAngle, {road.m_dLength, across, 0.0});
    CBarrier_Stage barrier;
    barrier.SetGeometry(a.x, a.y, b.x, b.y, topHeight, attenuator);
    barrier.SetAbsorption(absorption);
    barrier.ComputeAngle();
    barrier.m_pKey = barrier.MakeIdentity();
    return barrier;
}

// Every value a deck barrier's position and top are made of is a finite number.
bool HasFiniteDeck(const CRoad& road, double baseHeight)
{
    return HasFiniteGeometry(road) && std::isfinite(baseHeight) && std::isfinite(road.m_dLeftBarrierHeight) &&
           std::isfinite(road.m_dCentreBarrierHeight) && std::isfinite(road.m_dRightBarrierHeight);
}

}  // namespace

Bands PiecePower(const Bands& total, int n)
{
    const double share = 10.0 * std::log10(static_cast<double>(n));
    Bands piece{};
    for (int j = 0; j < kBandCount; ++j)
        piece[j] = total[j] - share;
    return piece;
}

int PieceSource(const CRoad_Segment& piece, int roadCount)
{
    const int index = piece.m_nRoadIndex;
    return index < roadCount ? index : roadCount + (index - roadCount) / 2;
}

std::vector<CRoad_Segment> BuildRoadPiecesOf(const CRoad& road, int roadIndex, double baseHeight)
{
    std::vector<CRoad_Segment> pieces;
    const CMVector start(road.m_dStartX, road.m_dStartY, road.m_dStartZ - baseHeight);
    const CMVector end(road.m_dEndX, road.m_dEndY, road.m_dEndZ - baseHeight);
    const CMVector delta = end - start;
    const int n = road.m_nSourceCount;
    if (!IsUsableSource(road) || !std::isfinite(baseHeight) || !(Length(delta) > 0.0))
        return pieces;
    const Bands power = PiecePower(road.m_dUserPowerLevel, n);
    const double pieceLength = road.m_dLength / n;
    pieces.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        pieces.push_back(
            PieceAt(start + delta * PieceCentre(k, n), power, roadIndex, road.m_dWidth, pieceLength, road.m_dAngle));
    return pieces;
}

std::vector<CRoad_Segment> BuildRoadPieces(const std::vector<CRoad>& roads, double baseHeight)
{
    std::vector<CRoad_Segment> pieces;
    for (std::size_t i = 0; i < roads.size(); ++i) {
        auto own = BuildRoadPiecesOf(roads[i], static_cast<int>(i), baseHeight);
        pieces.insert(pieces.end(), own.begin(), own.end());
    }
    return pieces;
}

CTunnelMouths BuildTunnelMouths(const std::vector<CTunnel>& tunnels, int roadCount, double baseHeight)
{
    CTunnelMouths mouths;
    for (std::size_t ti = 0; ti < tunnels.size(); ++ti) {
        const CTunnel& t = tunnels[ti];
        const MouthCorners c = CornersOf(t);
        mouths.m_arrCorner.insert(mouths.m_arrCorner.end(), {c.startRight, c.startLeft, c.endRight, c.endLeft});
        if (!IsUsableSource(t) || !std::isfinite(baseHeight) || !(PlanLength(c.startLeft - c.startRight) > 0.0))
            continue;
        AppendMouthPieces(t, c, roadCount + 2 * static_cast<int>(ti), baseHeight, mouths.m_arrPiece);
    }
    return mouths;
}

std::vector<CBarrier_Stage> BuildDeckBarriers(const CRoad& road, double baseHeight)
{
    // The deck lies at the road's start height; tops are measured from the base height
    // like every other height of the engine.
    const double deck = road.m_dStartZ - baseHeight;
    const double half = 0.5 * road.m_dWidth;
    return {
        DeckBarrier(road, -half, deck + road.m_dRightBarrierHeight, road.m_dRightAbsorption, road.m_nRightAttenuator),
        DeckBarrier(road, half, deck + road.m_dLeftBarrierHeight, road.m_dLeftAbsorption, road.m_nLeftAttenuator),
        DeckBarrier(road, 0.0, deck + road.m_dCentreBarrierHeight, road.m_dCentreAbsorption, road.m_nCentreAttenuator),
    };
}

std::vector<CBarrier_Stage> BuildBridgeBarriers(const std::vector<CRoad>& roads, double baseHeight)
{
    constexpr int kBridge = 1;
    std::vector<CBarrier_Stage> barriers;
    for (const CRoad& road : roads) {
        if (road.m_nRoadInfo != kBridge || !HasFiniteDeck(road, baseHeight))
            continue;
        auto own = BuildDeckBarriers(road, baseHeight);
        barriers.insert(barriers.end(), own.begin(), own.end());
    }
    return barriers;
}

void MakeSourcePieces(CMyTalvoDoc& doc)
{
    const double base = doc.m_settings.m_dBaseHeight;
    doc.m_arrSegment = BuildRoadPieces(doc.m_arrRoad, base);
    CTunnelMouths mouths = BuildTunnelMouths(doc.m_arrTunnel, static_cast<int>(doc.m_arrRoad.size()), base);
    doc.m_arrSegment.insert(doc.m_arrSegment.end(), mouths.m_arrPiece.begin(), mouths.m_arrPiece.end());
    doc.m_arrVector = std::move(mouths.m_arrCorner);
}

void MakeBridgeBarriers(CMyTalvoDoc& doc)
{
    doc.m_arrBarrierWork = BuildBridgeBarriers(doc.m_arrRoad, doc.m_settings.m_dBaseHeight);
}
