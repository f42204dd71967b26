#pragma once

// The propagation of every source piece of a scene to one receiver: air absorption,
// ground, divergence, reflections and screening, combined into one CAttenuation per
// piece. One CPathEvaluator serves one receiver on one thread; the scene is only read.

#include <array>

#include "engine/calc_scene_data.h"
#include "engine/propagation_ground.h"
#include "engine/propagation_screening.h"
#include "engine/terrain_section.h"
#include "model/engine_records.h"

struct CPathResult {
    CAttenuation m_att;
    bool m_bInsideBox = false;  // the receiver stood inside the piece's box
    // The reflected level of each side (left, right) relative to the piece's power: what
    // a piece of any power reflects to the receiver. kNoEnergy where a side reflects
    // nothing in that band.
    Bands m_dReflectedGain[2] = {NoEnergyBands(), NoEnergyBands()};
};

// Per band, the energy the path brings to the receiver per unit of the piece's power:
// 10^(-A/10) of the direct path plus the reflections of both sides.
Bands PathTransfer(const CPathResult& path);

class CPathEvaluator {
public:
    // r is the receiver position relative to the base height; terrain is the section
    // cut through it. The evaluator keeps references to all four arguments.
    CPathEvaluator(const CSceneData& scene, const CTerrainSection& terrain, const CGroundFactors& factors,
                   const CMVector& r, CScreeningScratch& scratch);

    CPathResult Evaluate(int index) const;
    // Per band the energy the piece brings, reflections included, relative to the reference
    // levels: 10^((Lw - A - reference)/10), the sum of terms Evaluate gives as levels.
    Bands Energies(int index, const Bands& reference) const;

private:
    // The reflector that wins each side (left, right) of the source line, and its hit.
    struct CReflectionWinners {
        const CReflector* reflector[2] = {nullptr, nullptr};
        CReflectionHit hit[2];
    };
    struct CImagePathTerms {
        std::array<bool, kBandCount> valid{};
        Bands air{}, ground{};
        double div = 0;  // the divergence of the image path: its level, or its energy 10^(-A_div/10)
    };
    std::size_t PieceIndex(const CRoad_Segment& piece) const;
    void FindWinners(const CRoad_Segment& piece, const CMVector& s, CReflectionWinners& w) const;
    Bands Reflections(const CRoad_Segment& piece, const CMVector& s, Bands (&gain)[2]) const;
    bool ImagePath(const CRoad_Segment& piece, const CReflector& reflector, const CMVector& s,
                   const CReflectionHit& hit, CImagePathTerms& t, bool divergenceEnergy) const;
    Bands ReflectedLevels(const CRoad_Segment& piece, const CReflector& reflector, const CMVector& s,
                          const CReflectionHit& hit, Bands& gain) const;
    Bands ReflectedEnergies(const CRoad_Segment& piece, const CReflector& reflector, const CMVector& s,
                            const CReflectionHit& hit, const Bands& reference) const;

    const CSceneData& m_scene;
    const CTerrainSection& m_terrain;
    CGroundFactors m_factors;
    CMVector m_r;
    CScreeningScratch& m_scratch;
    CReceiverHeightTerms m_receiverGround;  // made once for the receiver
};

// Band levels at r (relative to the base height; terrain cut through it) from every piece
// of the scene: the energies of the contributions, relative to the scene's reference power,
// summed in piece order, with one logarithm per band at the end. A band without any energy
// is kNoEnergy. Pieces without power in any band are passed over. With transfers (the
// scene's m_nSourceCount of them, zero on entry), each piece's PathTransfer, times its share
// of its source's power, is added to its source's.
Bands SumPointLevels(const CSceneData& scene, const CTerrainSection& terrain, const CGroundFactors& factors,
                     const CMVector& r, CScreeningScratch& scratch, Bands* transfers = nullptr);

// Adds the piece's PathTransfer, times its share of its source's power, to its source's
// transfer (transfers: the scene's m_nSourceCount of them).
void AddPieceTransfer(const CSceneData& scene, int piece, const CPathResult& path, Bands* transfers);
// The same from the energies of the path's contribution relative to the scene's reference
// powers, as SumPointLevels sums them, sparing the path's own exponentials.
void AddPieceTransfer(const CSceneData& scene, int piece, const CPathResult& path, const Bands& energy,
                      Bands* transfers);

// Energy sum per band of the contributions of the records.
Bands SumContributions(const std::vector<CAttenuation>& records);

// The piece's position relative to the base height.
CMVector PiecePosition(const CRoad_Segment& piece);
