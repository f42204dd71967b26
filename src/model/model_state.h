#pragma once

// What the user has entered into a project, apart from the engine's results and work
// lists: every entity list with its baseline, the settings and the barriers left out of
// the next calculation. Undo and redo swap whole states; the results are not part of it,
// so an undone change leaves the last calculation's results in place, current only when
// they were computed for the state put back.

#include <cstdint>
#include <vector>

#include "model/building.h"
#include "model/engine_records.h"
#include "model/entities.h"
#include "model/project_settings.h"

class CMyTalvoDoc;

struct CModelState {
    std::vector<CRoad> roads, roadBase;
    std::vector<CBarrier_Stage> barriers, barrierBase;
    std::vector<CReceiverPoint> receivers, receiverBase;
    std::vector<CSungto> embankments, embankmentBase;
    std::vector<CJulto> cuttings, cuttingBase;
    std::vector<CTunnel> tunnels;
    std::vector<CBuilding> buildings;
    std::vector<int> excludedBarriers;
    CProjectSettings settings;
    // The terrain section records built from these earthworks (empty when stale).
    std::vector<CSurface_info> embankmentSection, cuttingSection;
    std::vector<CPoint_info> embankmentOutline, cuttingOutline;
    // Whether the document's results were current for this model, and which results they
    // were: putting the state back makes them current again only if no calculation came
    // in between, and stale otherwise.
    bool resultsCurrent = false;
    std::uint64_t resultsRevision = 0;

    static CModelState Of(const CMyTalvoDoc& doc);
    // Puts the state into doc. The receivers shown or not is the user's view preference
    // and stays.
    void ApplyTo(CMyTalvoDoc& doc) const;
};
