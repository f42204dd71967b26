#pragma once

// The barrier optimisation for a design set (several receivers, or floors of a building):
// the shortest, then lowest, barrier on the design line with which every row meets its limit
// (design_limits.h). The candidates are those of the one-receiver search (from the full
// barrier, shorter by the length step, never under 10 m; at each length lower by the height
// step while the set is met), evaluated by a CCandidateEvaluator. First the full barrier at
// its maximum height is evaluated: rows still above their limits with it are named and left
// out of the test (they need another measure); rows without a limit are never tested.
//
// Runs on a worker thread; only the CRunProgress is shared while it runs.

#include <string>
#include <vector>

#include "model/run_progress.h"
#include "optimise/barrier_optimisation.h"
#include "optimise/design_table.h"
#include "optimise/design_target.h"

class CMyTalvoDoc;

struct CSetOutcome {
    // Found, cancelled and the best barrier; cannot-satisfy: every tested row is out of reach.
    COptOutcome m_run;
    bool m_bNoNeed = false;            // every tested row within reach meets its limit without a barrier
    std::vector<int> m_arrOutOfReach;  // rows left out, in row order
    CDesignSet m_set;
    CDesignTable m_table;  // after the best barrier when one was found
};

// Empty when the search may start: the checks of the one-receiver search (a current
// calculation, the steps, the height, the number of candidates), then the target's, then
// that some row has a limit.
std::string CheckSetOptimisationStart(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptDesign& design);

// The worker's body. The progress total is the number of lengths and one step for the
// calculation of the set without a barrier and with the full one; a requested cancel takes
// effect at the end of a step. doc is only read. threads: as for CCandidateEvaluator.
CSetOutcome RunSetOptimisation(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptDesign& design,
                               CRunProgress& progress, int threads = 0);

// Resets the progress counter, fills fields (the best barrier, or zeros) and returns the
// message to show (empty when there is none): that the set cannot be met, that no barrier
// is needed, or which rows were left out of the test.
std::string FinishSetOptimisation(CRunProgress& progress, const CSetOutcome& outcome, COptBarrierResult& fields);
