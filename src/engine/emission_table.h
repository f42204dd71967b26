#pragma once

// Constant tables of the road emission: per-vehicle band coefficients, bridge
// structure constants and tunnel wall absorption. Read-only; safe from any thread.

#include <array>
#include <optional>

#include "model/bands.h"

constexpr int kPavementRowCount = 10;  // rows of the coefficient table per vehicle class
constexpr int kBridgeTypeCount = 5;
constexpr int kWallMaterialCount = 3;

// One vehicle stream at speed v (km/h) radiates A[j] + B[j] * lg(v) in band j, dB(A).
struct CEmissionCoefficients {
    Bands m_dA;
    Bands m_dB;
};

using EmissionTable = std::array<std::array<CEmissionCoefficients, kPavementRowCount>, 5 /* vehicle classes */>;

// Indexed [class][row]; classes large trucks, medium trucks, small trucks, buses, cars.
const EmissionTable& VehicleEmissionTable();

// Row of the table for a pavement state (0 asphalt, 1 concrete, 2 low-noise) and its
// detail: asphalt DGA, BSMA, PMA, SMA -> rows 0..3; concrete H30, ARG, L18, L25, RAND
// -> rows 4..8; low-noise POR -> row 9 whatever the detail. Empty when the pair names
// no pavement.
std::optional<int> PavementRow(int state, int detail);

// Structure noise constant C (dB) of bridge type 0..4 (steel girder, concrete, concrete
// deck on steel girders, concrete deck on steel plate girders, concrete I-girder).
double BridgeConstant(int bridgeType);

// Absorption coefficients of a tunnel wall material 0..2 (concrete, absorptive side
// walls, absorptive all over).
const Bands& WallAbsorption(int material);
