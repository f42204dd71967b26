#pragma once

// What an assessment report is made of: a calculated project, its noise maps, the date it
// is written and, when the user has one, the barrier design of an optimisation.

#include <QDateTime>
#include <optional>

#include "optimise/barrier_optimisation.h"
#include "render/noise_map_renderer.h"

class CMyTalvoDoc;

// An optimised barrier and the receiver (index from 0) it was designed for.
struct CReportDesign {
    COptBarrierResult barrier;
    int receiver = -1;
};

struct CReportInput {
    const CMyTalvoDoc* doc = nullptr;  // calculated; never null when a report is painted
    const CNoiseMap* map = nullptr;    // nullptr: the maps page says that no map was computed
    QDateTime date;
    std::optional<CReportDesign> design;
};
