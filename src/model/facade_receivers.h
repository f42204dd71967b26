#pragma once

// Receivers in front of the buildings' walls, one per floor at every point along a wall.
// They are derived from the buildings and the façade settings at every calculation and
// never stored with the project.

#include <vector>

#include "model/bands.h"
#include "model/mvector.h"

class CBuilding;
struct CProjectSettings;

struct CFacadeReceiver {
    int m_nBuilding = 0;           // 0-based position in the document's buildings
    int m_nWall = 1;               // 1-based, in vertex order
    int m_nPoint = 1;              // 1-based along the wall, counted before points inside a footprint are left out
    int m_nFloor = 1;              // 1-based
    CMVector m_vPos;               // absolute height
    double m_dGroundFactor = 1.0;  // Gm, the building's
    double m_dAreaFactor = 1.0;    // Gr, the building's
    Bands m_dLevel{};              // day (주간) levels, filled by a calculation
    Bands m_dNightLevel = NoEnergyBands();  // night (야간) levels; kNoEnergy in every band when there are none
};

// Every façade receiver, in the order building, wall, point along the wall, floor. On a wall
// of plan length L, n = max(1, ceil(L / spacing)) points sit at the centres of n equal parts,
// moved `distance` outward along the wall's plan normal; floor f has its receiver at
// base height + (f - 1) * floor height + height above the floor. Points inside or on any
// footprint are left out. Footprints are used as stored (cleaned on entry).
std::vector<CFacadeReceiver> DeriveFacadeReceivers(const std::vector<CBuilding>& buildings,
                                                   const CProjectSettings& settings);

// One row per building and floor of the per-floor table.
struct CFloorSummary {
    int m_nBuilding = 0;  // 0-based
    int m_nFloor = 1;
    int m_nPoints = 0;
    double m_dMax = kNoEnergy;  // overall levels; kNoEnergy when no point has energy
    int m_nMaxWall = 0, m_nMaxPoint = 0;
    double m_dMin = kNoEnergy;
};

// Rows for every floor of every building that has façade points, in building then floor order;
// the place of the highest level is the first point met (building, wall, point order) with it.
std::vector<CFloorSummary> SummariseFloors(const std::vector<CFacadeReceiver>& receivers);
