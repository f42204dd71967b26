#pragma once

// The per-row table of a barrier design: for every receiver, or every floor of the
// building, its limit, its level before and after the designed barrier (a floor's level is
// its loudest façade point's), the insertion loss (before less after) and how it stands.
// The optimisation window, talvo-cli optimise and the report's design page show it.

#include <optional>
#include <string>
#include <vector>

#include "model/bands.h"
#include "model/noise_limits.h"
#include "optimise/barrier_optimisation.h"
#include "optimise/design_target.h"

class CMyTalvoDoc;

enum class EDesignCheck {
    kMet,         // within its limit (after the barrier; before it when there is none)
    kExceeds,     // above its limit
    kOutOfReach,  // above its limit even with the full barrier at maximum height: left out of the search
    kNoLimit,     // neither a target nor a limit of the criterion: not tested
};

struct CDesignTableRow {
    std::string m_strName;  // "수음점 3", "101동 12층"
    int m_nReceiver = -1;   // 0-based, for a receiver's row
    int m_nBuilding = -1;   // 0-based, for a floor's row
    int m_nFloor = 0;       // from 1, for a floor's row
    int m_nPoints = 1;      // façade points of the floor
    std::optional<CLimit> m_limit;
    double m_dBefore = kNoEnergy;  // overall, dB(A)
    double m_dAfter = kNoEnergy;   // kNoEnergy when there is no designed barrier
    EDesignCheck m_eCheck = EDesignCheck::kNoLimit;

    // Before less after; kNoEnergy unless both have energy.
    double InsertionLoss() const;
};

struct CDesignTable {
    EPeriod m_ePeriod = EPeriod::kDay;
    bool m_bHasBarrier = false;
    COptBarrierResult m_barrier;  // valid when m_bHasBarrier
    std::vector<CDesignTableRow> m_arrRow;
};

// The table of set's rows from the levels of its points before and, when there is a
// barrier, after it (empty otherwise); outOfReach lists rows left out of the search.
CDesignTable MakeDesignTable(const CDesignSet& set, const std::vector<double>& before, const std::vector<double>& after,
                             const std::vector<int>& outOfReach);

// The table of a target with a barrier standing (none: the levels as they are), computed on
// doc, which must hold the source pieces of a calculation of the model as it stands and
// accept the target (CheckDesignTarget). No row is out of reach here: the search alone knows.
CDesignTable ComputeDesignTable(const CMyTalvoDoc& doc, const CDesignTarget& target,
                                const std::optional<COptBarrierResult>& barrier);

// "만족", "초과", "제외", "기준 없음".
const char* DesignCheckText(EDesignCheck check);

// The table as talvo-cli prints it, tab separated, each line ended by "\n", after a header:
// floors "building floor points limit before after loss check", receivers "receiver limit
// before after loss check"; numbers "%.2f", "-" for no value, numbers of buildings and
// receivers from 1.
std::string DesignTableText(const CDesignTable& table);
