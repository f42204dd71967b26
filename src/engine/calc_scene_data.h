#pragma once

// Everything the propagation of one path reads, copied out of the document once per
// calculation: air tables, source pieces and their source lines, obstacles of the
// screening, reflectors, the buildings' footprints and the bodies the terrain section is
// cut from. Never changed
// after it is built, so any number of threads may read it at once.

#include <vector>

#include "engine/building_walls.h"
#include "engine/propagation_air.h"
#include "engine/propagation_divergence.h"
#include "engine/propagation_obstacle.h"
#include "engine/propagation_reflection.h"
#include "engine/run_inputs.h"
#include "model/engine_records.h"
#include "model/entities.h"
#include "model/footprint_set.h"
#include "model/noise_limits.h"
#include "model/project_settings.h"

class CMyTalvoDoc;

struct CSceneData {
    CAirTables m_air;
    // The source pieces with the powers of the scene's period.
    std::vector<CRoad_Segment> m_arrPiece;
    // Per piece: its source (roads, then tunnels; PieceSource), its share of the source's
    // power (1 / the source's pieces per line), and whether it has power in any band.
    std::vector<int> m_arrPieceSource;
    std::vector<double> m_arrPieceShare;
    std::vector<char> m_arrPieceSounds;
    // Per piece and band: its share over 10^((P - reference)/10), which turns the energy of
    // its contribution relative to the reference power into its source's transfer; all 0
    // when the piece has no power in some band (the transfer is then summed from the path).
    std::vector<Bands> m_arrPieceTransferScale;
    int m_nSourceCount = 0;  // roads and tunnels of the document
    // Per band the highest power of any piece (0 when none has energy): the energy at a
    // point is summed relative to it, so that no level, however high, overflows the sum.
    Bands m_dReferencePower{};
    std::vector<CHeadingTrig> m_arrPieceTrig;  // of each piece's heading
    std::vector<CSourceLine> m_arrSourceLine;  // indexed by a piece's m_nRoadIndex
    std::vector<CObstacle> m_arrObstacle;      // in the order of the screening, buildings' walls last
    std::vector<CReflector> m_arrReflector;    // in the order of the reflector lists, buildings' walls last
    CFootprintSet m_footprints;                // no point inside or on one has a level
    int m_nFirstReflecting = 0;                // the first reflector reflecting some band; the count when none does
    double m_dMaxRoadHeight = 0;
    double m_dBaseHeight = 0;
    std::vector<CSungto> m_arrEmbankment;
    std::vector<CJulto> m_arrCutting;
    CProjectSettings m_settings;  // calculation area and base height of the terrain section
};

// The scene of doc's source pieces, with bridgeBarriers standing for the barriers of the
// bridge roads and maxRoadHeight for the highest road end above the base height; an
// optimisation run adds its candidate barrier. The pieces carry the powers of the period
// (PeriodPieces).
CSceneData BuildSceneData(const CMyTalvoDoc& doc, const std::vector<CBarrier_Stage>& bridgeBarriers,
                          double maxRoadHeight, const CRunInputs& run = {}, EPeriod period = EPeriod::kDay);

// The highest road end above the base height, never below 'current'.
double HighestRoadEnd(const CMyTalvoDoc& doc, double current);
