#pragma once

// An immutable snapshot of everything the propagation of one path reads: source
// pieces, bridge-road barriers, obstacles, reflectors and air tables. Prepared once;
// PointLevels is thread-safe (each call keeps its own scratch).

#include <memory>

#include "engine/run_inputs.h"
#include "model/bands.h"
#include "model/noise_limits.h"

class CMyTalvoDoc;
struct CSceneData;

class CCalcScene {
public:
    // Uses the source pieces of the document's last calculate command; generates the
    // bridge-road barriers afresh and reads the exclusion list as it is now; run's
    // optimisation candidate, if any, stands with the barriers. The pieces carry the powers
    // of the period (at night, the pieces of a source without night powers carry none). The
    // scene keeps copies: the document may change later.
    explicit CCalcScene(const CMyTalvoDoc& doc, const CRunInputs& run = {}, EPeriod period = EPeriod::kDay);
    ~CCalcScene();
    CCalcScene(const CCalcScene&) = delete;
    CCalcScene& operator=(const CCalcScene&) = delete;

    // Band levels at (x, y, z), z absolute as stored in a receiver; middleFactor and
    // areaFactor are the point's ground factors (Gm, Gr). A band without any energy
    // is kNoEnergy; so is every band of a point inside a building's footprint or on its
    // boundary. Thread-safe.
    Bands PointLevels(double x, double y, double z, double middleFactor = 0.0, double areaFactor = 0.0) const;

    // Number of source pieces: the paths of one PointLevels call.
    int PieceCount() const;

    const CSceneData& Data() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
