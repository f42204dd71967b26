#include "optimise/set_optimisation.h"

#include <algorithm>
#include <cmath>

#include "model/document.h"
#include "optimise/barrier_apply.h"
#include "optimise/candidate_evaluator.h"
#include "optimise/design_limits.h"

namespace {

bool HasLimit(const CDesignSet& set)
{
    return std::any_of(set.m_arrRow.begin(), set.m_arrRow.end(),
                       [](const CDesignRow& r) { return r.m_limit.has_value(); });
}

// The search's state: the evaluator, the rows still tested, and the flat lists of their
// points and limits that a candidate must meet.
struct CSetSearch {
    const CDesignSet& set;
    const COptDesign& design;
    CCandidateEvaluator& eval;
    CSetOutcome& out;
    std::vector<int> points;
    std::vector<CLimit> limits;
};

std::vector<int> AllPoints(const CDesignSet& set)
{
    std::vector<int> all(set.m_arrPoint.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    return all;
}

double RowLevel(const CDesignRow& row, const std::vector<double>& levels)
{
    double top = kNoEnergy;
    for (int p : row.m_arrPoint)
        top = std::max(top, levels[static_cast<std::size_t>(p)]);
    return top;
}

// Evaluates the full barrier: rows above their limits with it are out of reach; the others
// are tested from now on. True when some tested row exceeds its limit without a barrier.
bool SortRowsByReach(CSetSearch& s, const std::vector<double>& before)
{
    s.eval.SetCandidate(FullDesignBarrier(s.design));
    const std::vector<double> full = s.eval.LevelsWith(AllPoints(s.set));
    ++s.out.m_run.m_nEvaluations;
    bool barrierNeeded = false;
    for (int r = 0; r < static_cast<int>(s.set.m_arrRow.size()); ++r) {
        const CDesignRow& row = s.set.m_arrRow[static_cast<std::size_t>(r)];
        if (!row.m_limit)
            continue;
        if (ExceedsDesignLimit(RowLevel(row, full), *row.m_limit)) {
            s.out.m_arrOutOfReach.push_back(r);
            continue;
        }
        barrierNeeded = barrierNeeded || ExceedsDesignLimit(RowLevel(row, before), *row.m_limit);
        for (int p : row.m_arrPoint) {
            s.points.push_back(p);
            s.limits.push_back(*row.m_limit);
        }
    }
    return barrierNeeded;
}

void Record(CSetSearch& s, const CBarrier_Stage& bar)
{
    s.out.m_run.m_best = {bar.m_dStartX, bar.m_dStartY, bar.m_dEndX, bar.m_dEndY, bar.m_dHeight};
    s.out.m_run.m_bFound = true;
}

// Heights from the maximum down while the set is met; the full barrier at the first length
// is known to meet it.
void RunHeightPasses(CSetSearch& s, CBarrier_Stage& bar, bool knownToMeet, std::int64_t passes)
{
    for (std::int64_t pass = 0; pass < passes; ++pass) {
        if (!(knownToMeet && pass == 0)) {
            s.eval.SetCandidate(bar);
            ++s.out.m_run.m_nEvaluations;
            if (!s.eval.AllMeet(s.points, s.limits))
                return;
        }
        Record(s, bar);
        bar.m_dHeight -= s.design.m_dHeightStep;
        if (bar.m_dHeight < kMinBarrierHeight)
            return;
    }
}

void Search(CSetSearch& s, CRunProgress& progress, std::int64_t lengths)
{
    CBarrier_Stage bar = FullDesignBarrier(s.design);
    double length = bar.PlanLength();
    // At least the maximum height is tried at every length, whatever the height step.
    const std::int64_t passes = std::max<std::int64_t>(1, StepCount(s.design.m_dMaxHeight, s.design.m_dHeightStep));
    // The full length is tried even when it is shorter than one length step.
    for (std::int64_t i = 0; i < std::max<std::int64_t>(1, lengths); ++i) {
        RunHeightPasses(s, bar, i == 0, passes);
        length -= s.design.m_dLengthStep;
        if (length < kMinBarrierLength)
            break;
        ShortenSymmetrically(bar, length, s.design);
        progress.Count();
        if (progress.CancelRequested()) {
            s.out.m_run.m_bCancelled = true;
            break;
        }
    }
}

void MakeTable(CSetSearch& s, const std::vector<double>& before, EPeriod period)
{
    std::vector<double> after;
    if (s.out.m_run.m_bFound) {
        s.eval.SetCandidate(MakeOptimisedBarrier(s.out.m_run.m_best));
        after = s.eval.LevelsWith(AllPoints(s.set));
    }
    s.out.m_table = MakeDesignTable(s.set, before, after, s.out.m_arrOutOfReach);
    s.out.m_table.m_ePeriod = period;
    s.out.m_table.m_bHasBarrier = s.out.m_run.m_bFound;
    s.out.m_table.m_barrier = s.out.m_run.m_best;
}

}  // namespace

std::string CheckSetOptimisationStart(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptDesign& design)
{
    if (doc.m_arrSegment.empty())
        return kMsgRunPredictionFirst;
    if (doc.m_bResultsStale)
        return kMsgStaleResults;
    if (std::string refusal = CheckDesignTarget(doc, target); !refusal.empty())
        return refusal;
    if (std::string refusal = CheckDesignSteps(design); !refusal.empty())
        return refusal;
    const CDesignSet set = MakeDesignSet(doc, target);
    if (set.m_arrRow.empty())
        return kMsgNoFacadePoints;
    return HasLimit(set) ? std::string() : std::string(kMsgNoLimitInSet);
}

CSetOutcome RunSetOptimisation(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptDesign& design,
                               CRunProgress& progress, int threads)
{
    CSetOutcome out;
    out.m_set = MakeDesignSet(doc, target);
    const CBarrier_Stage full = FullDesignBarrier(design);
    const std::int64_t lengths = StepCount(full.PlanLength(), design.m_dLengthStep);
    progress.Start(lengths + 1);
    CCandidateEvaluator eval(doc, out.m_set.m_arrPoint, target.m_ePeriod, full, threads);
    std::vector<double> before(out.m_set.m_arrPoint.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        before[i] = eval.LevelBefore(i);
    CSetSearch s{out.m_set, design, eval, out, {}, {}};
    const bool needed = SortRowsByReach(s, before);
    progress.Count();
    if (progress.CancelRequested())
        out.m_run.m_bCancelled = true;
    else if (s.points.empty())
        out.m_run.m_bCannotSatisfy = true;
    else if (!needed)
        out.m_bNoNeed = true;
    else
        Search(s, progress, lengths);
    MakeTable(s, before, target.m_ePeriod);
    return out;
}

std::string FinishSetOptimisation(CRunProgress& progress, const CSetOutcome& outcome, COptBarrierResult& fields)
{
    progress.ResetDone();
    fields = outcome.m_run.m_bFound ? outcome.m_run.m_best : COptBarrierResult();
    const std::string left =
        outcome.m_arrOutOfReach.empty() ? std::string() : DescribeRows(outcome.m_set, outcome.m_arrOutOfReach);
    if (outcome.m_run.m_bCannotSatisfy)
        return std::string(kMsgCannotSatisfy) + " 최대 방음벽으로도 기준을 넘는 곳: " + left;
    if (outcome.m_run.m_bCancelled)
        return {};
    std::string message = outcome.m_bNoNeed ? kMsgNoNeedToCalculate : "";
    if (!left.empty()) {
        message += message.empty() ? "" : " ";
        message += "최대 방음벽으로도 기준을 넘어 검토에서 제외한 곳: " + left + ". 이곳에는 다른 대책이 필요합니다.";
    }
    return message;
}
