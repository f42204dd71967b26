#include "optimise/barrier_optimisation.h"

#include <cmath>
#include <cstdint>

#include "engine/calculation.h"
#include "model/document.h"
#include "optimise/opt_receiver.h"
#include "optimise/search_run_inputs.h"

namespace {

// A candidate meets the target when its level is at most the target but less than 2 dB below.
constexpr double kTargetMargin = 2.0;
// Step counts beyond this are cut: no search could run that many predictions anyway.
constexpr double kMaxStepCount = 1e12;

// The state of the candidate barrier while the worker runs.
struct CSearch {
    CMyTalvoDoc& doc;
    const COptDesign& design;
    const OptEvaluation& evaluate;
    COptOutcome outcome;
    double length = 0;      // L, m
    double bestLength = 0;  // B, m
};

bool MeetsTarget(double level, double target) { return level <= target && target - level < kTargetMargin; }

void RecordBest(CSearch& s)
{
    const CBarrier_Stage& bar = s.doc.m_OptBarrier;
    s.bestLength = s.length;
    s.outcome.m_best = {bar.m_dStartX, bar.m_dStartY, bar.m_dEndX, bar.m_dEndY, bar.m_dHeight};
    s.outcome.m_bFound = true;
}

// One evaluation of the candidate as it stands.
double Evaluate(CSearch& s)
{
    ++s.outcome.m_nEvaluations;
    return s.evaluate(s.doc);
}

// The height passes at the current length, from H_max down in steps of Δh while every pass
// meets the condition. A pass that fails leaves the height as it is, so the passes after it
// would repeat the same evaluation with the same outcome; they are skipped.
void RunHeightPasses(CSearch& s, std::int64_t lengthStep, std::int64_t passes)
{
    const double target = s.doc.m_dOptCriterion;
    for (std::int64_t pass = 0; pass < passes; ++pass) {
        const double level = Evaluate(s);
        if (lengthStep == 0 && pass == 0 && level > target) {
            s.outcome.m_bCannotSatisfy = true;
            return;
        }
        if (!MeetsTarget(level, target) || s.length > s.bestLength)
            return;
        RecordBest(s);
        s.doc.m_OptBarrier.m_dHeight -= s.design.m_dHeightStep;
        if (s.doc.m_OptBarrier.m_dHeight < kMinBarrierHeight)
            return;
    }
}

}  // namespace

std::int64_t StepCount(double range, double step)
{
    const double count = range / step;
    if (!(count > 0))
        return 0;
    return static_cast<std::int64_t>(std::fmin(count, kMaxStepCount));
}

CBarrier_Stage FullDesignBarrier(const COptDesign& design)
{
    CBarrier_Stage bar;
    bar.SetGeometry(design.m_dStartX, design.m_dStartY, design.m_dEndX, design.m_dEndY, design.m_dMaxHeight,
                    bar.m_nAttenuator);
    bar.ComputeAngle();
    return bar;
}

void ShortenSymmetrically(CBarrier_Stage& bar, double length, const COptDesign& design)
{
    const double ux = std::cos(bar.m_dAngle), uy = std::sin(bar.m_dAngle);
    const double half = design.m_dLengthStep / 2.0;
    bar.m_dStartX += half * ux;
    bar.m_dStartY += half * uy;
    bar.m_dEndX = bar.m_dStartX + length * ux;
    bar.m_dEndY = bar.m_dStartY + length * uy;
    bar.m_dHeight = design.m_dMaxHeight;
}

OptEvaluation CalculateCommandEvaluation()
{
    return [](CMyTalvoDoc& doc) {
        Calculate(doc, SearchRunInputs(doc));
        return doc.m_dOptLevel;
    };
}

double CandidateCount(const COptDesign& design)
{
    const double length = std::hypot(design.m_dEndX - design.m_dStartX, design.m_dEndY - design.m_dStartY);
    const double lengths = std::floor(length / design.m_dLengthStep);
    const double passes = std::floor(design.m_dMaxHeight / design.m_dHeightStep);
    return std::fmax(lengths, 1.0) * std::fmax(passes, 1.0);
}

std::string CheckDesignSteps(const COptDesign& design)
{
    if (!(design.m_dLengthStep > 0))
        return kMsgLengthStep;
    if (!(design.m_dHeightStep > 0))
        return kMsgHeightStep;
    if (!(design.m_dMaxHeight > 0))
        return kMsgMaxHeight;
    if (const double candidates = CandidateCount(design); !(candidates <= kMaxOptCandidates))
        return TooManyCandidatesMessage(candidates);
    return {};
}

std::string CheckOptimisationStart(const CMyTalvoDoc& doc, int receiverIndex, const COptDesign& design)
{
    if (doc.m_arrSegment.empty())
        return kMsgRunPredictionFirst;
    if (doc.m_bResultsStale)
        return kMsgStaleResults;
    if (receiverIndex < 0 || receiverIndex >= static_cast<int>(doc.m_arrReceiver.size()))
        return kMsgSelectOneReceiver;
    return CheckDesignSteps(design);
}

void PrepareOptimisation(CMyTalvoDoc& doc, int receiverIndex, const COptDesign& design)
{
    doc.m_OptBarrier = FullDesignBarrier(design);
    doc.m_nOptReceiver = receiverIndex;
    doc.m_dLengthStep = design.m_dLengthStep;
    doc.m_dHeightStep = design.m_dHeightStep;
    doc.m_dOptCriterion = doc.m_arrReceiver[static_cast<std::size_t>(receiverIndex)].m_dTargetLevel;
}

COptOutcome RunOptimisation(CMyTalvoDoc& doc, const COptDesign& design, CRunProgress& progress,
                            const OptEvaluation& evaluate)
{
    CSearch s{doc, design, evaluate, {}, doc.m_OptBarrier.PlanLength(), 0};
    const std::int64_t lengths = StepCount(s.length, design.m_dLengthStep);            // N
    const std::int64_t passes = StepCount(design.m_dMaxHeight, design.m_dHeightStep);  // C
    s.bestLength = s.length + 1.0;
    progress.Start(lengths);
    doc.m_bOptimising = true;
    doc.m_dOptLevel = -1;
    for (std::int64_t i = 0; i < lengths; ++i) {
        RunHeightPasses(s, i, passes);
        if (s.outcome.m_bCannotSatisfy)
            break;
        s.length -= design.m_dLengthStep;
        if (s.length < kMinBarrierLength)
            break;
        ShortenSymmetrically(doc.m_OptBarrier, s.length, design);
        progress.Count();
        if (progress.CancelRequested()) {
            s.outcome.m_bCancelled = true;
            break;
        }
    }
    return s.outcome;
}

std::string FinishOptimisation(CMyTalvoDoc& doc, CRunProgress& progress, const COptOutcome& outcome,
                               COptBarrierResult& fields)
{
    doc.m_bOptimising = false;
    progress.ResetDone();
    if (outcome.m_bFound) {
        fields = outcome.m_best;
        return {};
    }
    fields = {};
    if (outcome.m_bCannotSatisfy)
        return kMsgCannotSatisfy;
    return outcome.m_bCancelled ? std::string() : std::string(kMsgNoNeedToCalculate);
}
