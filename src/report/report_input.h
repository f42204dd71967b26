#pragma once

// What an assessment report is made of: a calculated project, its noise maps, the date it
// is written and, when the user has one, the barrier design of an optimisation.

#include <QDateTime>
#include <optional>
#include <vector>

#include "model/bands.h"
#include "model/noise_limits.h"
#include "optimise/barrier_optimisation.h"
#include "render/noise_map_renderer.h"

class CMyTalvoDoc;

// One floor of a barrier designed for a building: the highest level of its façade points
// without and with the barrier, and the limit the design was made for.
struct CReportDesignFloor {
    int building = 0;                              // 0-based
    int floor = 1;                                 // from 1
    double before = kNoEnergy, after = kNoEnergy;  // dB(A)
    std::optional<double> limit;                   // nothing: no limit
    bool outOfReach = false;                       // even the full design barrier cannot bring it to its limit
};

// An optimised barrier and what it was designed for: a receiver (index from 0), or the
// floors of a building, in a period.
struct CReportDesign {
    COptBarrierResult barrier;
    int receiver = -1;  // -1: none (a design for floors)
    std::vector<CReportDesignFloor> floors;
    EPeriod period = EPeriod::kDay;
};

struct CReportInput {
    const CMyTalvoDoc* doc = nullptr;  // calculated; never null when a report is painted
    const CNoiseMap* map = nullptr;    // nullptr: the maps page says that no map was computed
    QDateTime date;
    std::optional<CReportDesign> design;
};
