#pragma once

// An apartment block or any other building: a footprint polygon standing on the project's
// reference height, N floors of equal height. Its walls screen and reflect; its façades
// carry the receivers of every floor, derived at each calculation and never stored.

#include <string>
#include <vector>

#include "model/bands.h"
#include "model/mvector.h"

// Most vertices of one footprint and most floors of one building: far beyond any real
// block; the footprint checks compare every pair of walls.
constexpr int kMaxFootprintVertices = 10000;
constexpr int kMaxBuildingFloors = 1000;
// Highest a building may stand (floors times floor height) and highest a façade receiver may
// stand above its floor, m: as high as any height a layer file may give.
constexpr double kMaxBuildingHeight = 10000.0;

class CBuilding {
public:
    // The outer ring in plan (z = 0), closed implicitly: the last vertex joins the first.
    // Wall k (1-based) runs from vertex k to vertex k + 1.
    std::vector<CMVector> m_arrFootprint;
    int m_nFloors = 1;
    double m_dFloorHeight = 3.0;  // m
    std::string m_pName;
    // Ground factors of the façade receivers, as a receiver's: between source and
    // receiver (Gm) and of the receiver region (Gr).
    double m_dGroundFactor = 1.0;
    double m_dAreaFactor = 1.0;
    // Walls with windows and small additions reflect 0.8 of the energy (ISO 9613-2, Table 4).
    Bands m_dAbsorption{0.2, 0.2, 0.2, 0.2, 0.2, 0.2, 0.2, 0.2};
    std::string m_pAbsorptionDesc;
    // The zone of the project's criterion its façades are judged by; empty: the project's.
    std::string m_strZone;

    // N times the floor height, m above the reference height.
    double Height() const { return m_nFloors * m_dFloorHeight; }
    int WallCount() const { return static_cast<int>(m_arrFootprint.size()); }
    // Start and end of wall k (0-based).
    const CMVector& WallStart(int k) const { return m_arrFootprint[k]; }
    const CMVector& WallEnd(int k) const { return m_arrFootprint[(k + 1) % m_arrFootprint.size()]; }
    bool operator==(const CBuilding&) const = default;
};
