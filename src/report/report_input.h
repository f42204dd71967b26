#pragma once

// What an assessment report is made of: a calculated project, its noise maps, the date it
// is written and, when the user has one, the barrier design of an optimisation.

#include <QDateTime>
#include <optional>
#include <vector>

#include "model/bands.h"
#include "model/compliance.h"
#include "model/noise_limits.h"
#include "optimise/barrier_optimisation.h"
#include "optimise/design_table.h"
#include "render/noise_map_renderer.h"

class CMyTalvoDoc;

// One row of a barrier designed for a set: a floor of a building (the highest level of its
// façade points) or one of several receivers, without and with the barrier, and the limit
// the design was made for.
struct CReportDesignFloor {
    int building = 0;                              // 0-based; a receiver's row: -1
    int floor = 1;                                 // from 1
    double before = kNoEnergy, after = kNoEnergy;  // dB(A)
    std::optional<CLimit> limit;                   // nothing: no limit
    bool outOfReach = false;                       // even the full design barrier cannot bring it to its limit
    int receiver = -1;                             // 0-based, for a receiver's row
};

// An optimised barrier and what it was designed for: a receiver (index from 0), or a set
// (several receivers, or floors of a building), in a period.
struct CReportDesign {
    COptBarrierResult barrier;
    int receiver = -1;  // -1: none (a design for a set)
    std::vector<CReportDesignFloor> floors;
    EPeriod period = EPeriod::kDay;
};

// The report's design of a set from its design table: the table's barrier, period and rows.
CReportDesign ReportDesignOf(const CDesignTable& table);

struct CReportInput {
    const CMyTalvoDoc* doc = nullptr;  // calculated; never null when a report is painted
    const CNoiseMap* map = nullptr;    // nullptr: the maps page says that no map was computed
    QDateTime date;
    std::optional<CReportDesign> design;
};
