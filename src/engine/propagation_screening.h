#pragma once

// Screening of one path by the obstacles between source and receiver (ISO 9613-2,
// 7.4): the top path and the two lateral paths, with caps of 25 and 30 dB, a floor
// of 0 and the flat-path term. Thread-safe when every thread has its own scratch.

#include <vector>

#include "engine/obstacle_sectors.h"
#include "engine/propagation_obstacle.h"
#include "engine/reflector_bounds.h"
#include "model/bands.h"

// Insertion value in dB of each top-device kind 0..10, added to the top path.
extern const double kAttenuatorInsertion[11];

// What the screening keeps beside a record: the obstacle's extent across the path at the D1
// and D2 points (it takes part in a band when wider than the wavelength) and its top-device
// kind.
struct CRecordPart {
    double m_dWidth1 = 0, m_dWidth2 = 0;
    int m_nAttenuator = 0;
};

// Work lists of one screening, owned by the calling thread: parts[i] belongs to records[i].
struct CScreeningScratch {
    std::vector<CDiffractionPoint> m_arrRecord;
    std::vector<CRecordPart> m_arrPart;
    double m_dPathLength = 0;    // |s - r| of the path the records were collected for
    CObstacleSectors m_sectors;  // of the receiver being evaluated, when the caller builds them
    // The reflectors that may reflect to that receiver, for the path evaluator's reflections.
    CReflectorBounds m_reflectors;
};

// Fills scratch with one record per obstacle met by s->r (obstacles in their order;
// skip: position in obstacles left out, -1 for none). With sectors (built for r from the
// same obstacles) only the obstacles listed for the path's direction are tested.
void CollectDiffractionRecords(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                               CScreeningScratch& scratch, const CObstacleSectors* sectors = nullptr);

// A_bar of every band from the records in scratch, collected for the same s and r; ground is
// A_gr of the path.
Bands BarrierAttenuation(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch,
                         const Bands& wavelength, const Bands& ground);

// 10^(-A_bar/10) of every band, as BarrierAttenuation would give it, without its logarithms.
Bands BarrierEnergy(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch, const Bands& wavelength,
                    const Bands& ground);

// Collect, then attenuate.
Bands Screening(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                const Bands& wavelength, const Bands& ground, CScreeningScratch& scratch,
                const CObstacleSectors* sectors = nullptr);

// Collect, then BarrierEnergy.
Bands ScreeningEnergy(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                      const Bands& wavelength, const Bands& ground, CScreeningScratch& scratch,
                      const CObstacleSectors* sectors = nullptr);

// The flat-path term applied to a band whose A_bar is exactly 0.
double FlatPathTerm(const CMVector& s, const CMVector& r);
