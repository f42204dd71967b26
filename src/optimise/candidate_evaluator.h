#pragma once

// The levels at the receivers of a barrier design with one candidate barrier standing,
// computed without going again over the paths a candidate cannot change.
//
// Every candidate of a design lies within the largest one (the design's full barrier at its
// maximum height): the same plan line, shortened, lowered. A candidate changes a path's
// contribution only when it screens the direct path or an image path (a plan line from the
// source, or from the source's image in a reflector, to the receiver crossing the candidate),
// or reflects the source itself. So the paths of every receiver are computed once without a
// candidate, and those whose plan lines pass near the largest barrier are kept with the
// lines ("probes"); for a candidate only the paths whose probes pass near it are computed
// again, in the scene with the candidate, and the others keep their energy. The probes are
// conservative (they ignore heights and allow a margin far above the engine's tolerances), so
// the levels are those of a full prediction with the candidate, up to the order of the sum.
//
// A point's levels are the day's or the night's (the period's source powers, PeriodPieces).
// SetCandidate is not thread-safe; between two calls every other member may be used from any
// number of threads (the evaluator spreads its own work over threads).

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#include "model/compliance.h"
#include "model/entities.h"
#include "model/noise_limits.h"
#include "optimise/design_target.h"

class CMyTalvoDoc;

class CCandidateEvaluator {
public:
    // doc must hold the source pieces of a calculation of the model as it stands. threads:
    // how many to use, <= 0 for one per core. Computes every path of every point once.
    CCandidateEvaluator(const CMyTalvoDoc& doc, const std::vector<CDesignPoint>& points, EPeriod period,
                        const CBarrier_Stage& largest, int threads = 0);
    ~CCandidateEvaluator();
    CCandidateEvaluator(const CCandidateEvaluator&) = delete;
    CCandidateEvaluator& operator=(const CCandidateEvaluator&) = delete;

    std::size_t PointCount() const;
    // Overall level without a candidate, dB(A); kNoEnergy when no band has energy.
    double LevelBefore(std::size_t point) const;

    // Puts the candidate in place of the last one; it must lie within the largest barrier.
    void SetCandidate(const CBarrier_Stage& candidate);
    // Overall level at each of the points with the candidate standing.
    std::vector<double> LevelsWith(const std::vector<int>& points) const;
    // No one of the points exceeds its limit (limits[i] for points[i]) as ExceedsDesignLimit
    // judges. Stops at the first point over its limit; the point that failed is tried first
    // next time.
    bool AllMeet(const std::vector<int>& points, const std::vector<CLimit>& limits) const;
    // The level computed from every path of the scene with the candidate: what LevelsWith
    // must equal, for checks and measurements.
    double LevelWithEveryPath(std::size_t point) const;

    // Paths computed for candidates so far (each one source piece at one point).
    long long PathsComputed() const { return m_nPaths; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    int m_nThreads;
    mutable std::atomic<long long> m_nPaths{0};
    mutable std::atomic<int> m_nLastFailed{-1};
};
