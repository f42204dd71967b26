#pragma once

// The buildings in the plan view: footprints filled with their floor count written inside,
// the footprint the building window is editing, and after a calculation the façade
// receivers of one floor coloured by their level's 5 dB class. Shared by the views and
// the noise-map pictures.

#include <vector>

#include <QPainter>

#include "drawing/view_projection.h"
#include "drawing/working_lists.h"
#include "model/building.h"
#include "model/facade_receivers.h"

// Which façade receivers the plan view draws: one floor of every building, and the floor
// of one building that the per-floor table has selected, drawn larger over the others.
struct CFacadeDisplay {
    static constexpr int kTopFloor = 0;
    int m_nFloor = kTopFloor;      // 1..: that floor; kTopFloor: each building's top floor
    int m_nSelectedBuilding = -1;  // 0-based; -1: no floor selected
    int m_nSelectedFloor = 0;

    bool HasSelection() const { return m_nSelectedBuilding >= 0; }
};

// Footprints in their fill colour with a darker edge (the edited one highlighted), and
// "N층" (with the name when there is one) inside each that is wide enough on screen.
// Over a noise map the edges get a light halo.
void PaintPlanBuildings(QPainter& painter, const CViewProjection& proj, const std::vector<CBuilding>& buildings,
                        const CWorkingLists& working, bool overMap);

// The footprint being edited, as far as its rows read: a dashed closed outline in the
// highlight colour with its vertices numbered from 1.
void PaintFootprintDraft(QPainter& painter, const CViewProjection& proj, const std::vector<CMVector>& draft);

// The façade receivers the display chooses, each a square in its overall level's class
// colour (muted while the results are stale); receivers without energy are left out.
// Returns whether any was drawn.
bool PaintFacadePoints(QPainter& painter, const CViewProjection& proj, const std::vector<CFacadeReceiver>& receivers,
                       const CFacadeDisplay& display, bool stale);

// The note under the class legend beside façade points: "외벽 최고층" or "외벽 3층".
QString FacadeLegendNote(const CFacadeDisplay& display);
