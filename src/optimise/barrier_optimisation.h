#pragma once

// The barrier optimisation: from the longest straight barrier allowed, shorten it
// symmetrically step by step and, at each length, lower it step by step, evaluating every
// candidate with a prediction for the one receiver; keep the shortest (then lowest)
// candidate whose level lies at most the target and less than 2 dB below it.
//
// A worker thread runs RunOptimisation; the window that drives it calls
// CheckOptimisationStart and PrepareOptimisation before and FinishOptimisation after, on
// its own thread. Only the CRunProgress is shared while the worker runs.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "model/entities.h"
#include "model/run_progress.h"

class CMyTalvoDoc;

// The design condition entered by the user.
struct COptDesign {
    double m_dStartX = 0, m_dStartY = 0;  // the longest barrier allowed
    double m_dEndX = 0, m_dEndY = 0;
    double m_dMaxHeight = 0;   // H_max, m
    double m_dLengthStep = 0;  // Δl, m
    double m_dHeightStep = 0;  // Δh, m
};

// A barrier as the result fields show it.
struct COptBarrierResult {
    double m_dStartX = 0, m_dStartY = 0, m_dEndX = 0, m_dEndY = 0, m_dHeight = 0;
};

struct COptOutcome {
    bool m_bFound = false;          // at least one candidate met the condition
    bool m_bCannotSatisfy = false;  // the full barrier at maximum height fails the target
    bool m_bCancelled = false;
    COptBarrierResult m_best;  // valid when found
    int m_nEvaluations = 0;    // predictions run
};

// Runs the calculate command on doc in optimisation mode and returns the overall level
// it leaves at the receiver (m_dOptLevel).
using OptEvaluation = std::function<double(CMyTalvoDoc&)>;

// The calculate command of the engine as the evaluation.
OptEvaluation CalculateCommandEvaluation();

inline constexpr const char* kMsgRunPredictionFirst = "소음예측 계산을 먼저 실행하여 주십시오.";
inline constexpr const char* kMsgLengthStep = "길이방향 계산간격은 0보다 커야 합니다.";
inline constexpr const char* kMsgHeightStep = "높이방향 계산간격은 0보다 커야 합니다.";
inline constexpr const char* kMsgMaxHeight = "설치가능 최대높이는 0보다 커야 합니다.";
inline constexpr const char* kMsgCannotSatisfy = "입력하신 조건에서는 최적방음벽 조건을 만족할수 없습니다.";
inline constexpr const char* kMsgNoNeedToCalculate = "방음벽을 계산할 필요가 없습니다.";

// Most candidates one search may evaluate (each is a prediction): steps finer than this
// allows would keep the search running for hours.
inline constexpr double kMaxOptCandidates = 1e6;

// The search never evaluates a barrier shorter than this, m.
inline constexpr double kMinBarrierLength = 10.0;
// The height passes stop once a candidate is lower than this, m.
inline constexpr double kMinBarrierHeight = 0.5;

// How many steps of `step` fit in `range` (truncated; 0 when none or not a number).
std::int64_t StepCount(double range, double step);

// The design's full barrier at its maximum height: the first candidate of a search.
CBarrier_Stage FullDesignBarrier(const COptDesign& design);

// Takes Δl/2 off each end of the candidate (its direction stays), leaving it `length` long,
// and restores the maximum height.
void ShortenSymmetrically(CBarrier_Stage& candidate, double length, const COptDesign& design);

// The candidates the design means at most: lengths (L / Δl) times heights (H_max / Δh),
// each at least 1.
double CandidateCount(const COptDesign& design);

inline std::string TooManyCandidatesMessage(double candidates)
{
    char count[64];
    std::snprintf(count, sizeof count, "%.0f", candidates);
    return std::string("계산간격이 너무 작습니다. 후보 방음벽이 ") + count +
           "개나 되어 계산이 끝나지 않습니다. 후보는 1000000개까지 계산할 수 있으니 길이방향·높이방향 계산간격을 "
           "넓혀 주십시오.";
}

// The steps and height of a design, and its number of candidates; empty when they hold.
std::string CheckDesignSteps(const COptDesign& design);

// Empty when an optimisation may start for receiver receiverIndex (-1: not exactly one
// chosen); otherwise the first refusal, checked in the order the window shows them (a
// model changed since the calculation right after no calculation at all), and
// last steps so fine that the candidates exceed kMaxOptCandidates.
std::string CheckOptimisationStart(const CMyTalvoDoc& doc, int receiverIndex, const COptDesign& design);

// Sets the candidate barrier (the full design at maximum height), the steps, the receiver
// and its target level as the criterion.
void PrepareOptimisation(CMyTalvoDoc& doc, int receiverIndex, const COptDesign& design);

// The worker's body: the progress total is the number of lengths; one is counted at the end
// of every length step, where a requested cancel also takes effect. Leaves doc in
// optimisation mode for FinishOptimisation.
COptOutcome RunOptimisation(CMyTalvoDoc& doc, const COptDesign& design, CRunProgress& progress,
                            const OptEvaluation& evaluate);

// Leaves optimisation mode, resets the progress counter, fills fields (the best barrier,
// or zeros) and returns the message to show (empty when there is none).
std::string FinishOptimisation(CMyTalvoDoc& doc, CRunProgress& progress, const COptOutcome& outcome,
                               COptBarrierResult& fields);
