#pragma once

// Source pieces and the barriers carried on bridge decks.
//
// Before every calculation each road and each tunnel mouth is replaced by a row of
// point sources (CRoad_Segment) at the centres of N equal parts of its source line,
// each carrying the source's band power less 10*lg(N). Every height here is relative
// to the project's base height (m_dBaseHeight, never above 0).
//
// Thread safety: the Build* functions are pure (they read their arguments only) and
// may run on any thread; the Make* wrappers write the document and belong to the
// thread that owns it.

#include <vector>

#include "model/engine_records.h"
#include "model/entities.h"
#include "model/mvector.h"

class CMyTalvoDoc;

// The band power of one of n equal pieces of a source of band power total: total - 10 lg n.
Bands PiecePower(const Bands& total, int n);

// The source a piece belongs to, counting every road in order and then every tunnel: its
// road index, or for a mouth piece the road count plus its tunnel's position.
int PieceSource(const CRoad_Segment& piece, int roadCount);

// Pieces of one road, tagged with roadIndex. None when the road's start and end
// coincide, its source count is 0 or less or above kMaxDiscreteSources, or a value
// the pieces are made of is not a number (IsUsableSource).
std::vector<CRoad_Segment> BuildRoadPiecesOf(const CRoad& road, int roadIndex, double baseHeight);

// Pieces of every road in list order.
std::vector<CRoad_Segment> BuildRoadPieces(const std::vector<CRoad>& roads, double baseHeight);

// The mouths of every tunnel: four corners per tunnel (start mouth right, start mouth
// left, end mouth right, end mouth left; right = -width/2 in the tunnel's own frame)
// and the mouth pieces, alternating start and end mouth. A tunnel of zero width, no
// lanes, more than kMaxDiscreteSources lanes or values that are not numbers keeps its
// four corners but yields no pieces.
struct CTunnelMouths {
    std::vector<CMVector> m_arrCorner;
    std::vector<CRoad_Segment> m_arrPiece;
};
CTunnelMouths BuildTunnelMouths(const std::vector<CTunnel>& tunnels, int roadCount, double baseHeight);

// The three deck barriers of one bridge road, in the order right, left, centre.
// In the road's own frame x runs along the road and y to the left of travel, so the
// right barrier stands at y = -width/2, the left one at +width/2, the centre one at 0.
// Each top lies at the road's start height above the base height plus the barrier's
// own height.
std::vector<CBarrier_Stage> BuildDeckBarriers(const CRoad& road, double baseHeight);

// Deck barriers of every road whose kind is bridge, in road order; a road whose
// geometry or barrier heights are not finite numbers gets none.
std::vector<CBarrier_Stage> BuildBridgeBarriers(const std::vector<CRoad>& roads, double baseHeight);

// Replaces doc.m_arrSegment (road pieces, then tunnel mouth pieces) and
// doc.m_arrVector (tunnel mouth corners).
void MakeSourcePieces(CMyTalvoDoc& doc);

// Replaces doc.m_arrBarrierWork by the deck barriers of the bridge roads.
void MakeBridgeBarriers(CMyTalvoDoc& doc);
