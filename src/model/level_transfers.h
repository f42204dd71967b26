#pragma once

// What a calculation keeps so that the levels can be summed again for other band powers
// without propagating anything: per receiver and per source (every road in order, then
// every tunnel), the energy that reaches the receiver per unit of the source's stored
// power in each band, its pieces and their reflections together. The level of any powers
// P_s is then 10 lg sum_s 10^(P_s/10) T_s in each band.
//
// The transfers hold only while the paths do: the model they were computed for is kept
// beside them without what changes no path (traffic, powers, names, results, criteria).

#include <vector>

#include "model/bands.h"
#include "model/building.h"
#include "model/entities.h"
#include "model/project_settings.h"

class CMyTalvoDoc;

// The model as the propagation sees it. Two models with equal inputs give the same paths:
// they differ at most in the sources' traffic and powers, in texts, in the receivers'
// results, targets and zones, and in settings no path reads (name, night traffic ratio,
// criterion, the receiver grid, the section line, the coordinate system).
struct CPropagationInputs {
    std::vector<CRoad> roads;
    std::vector<CTunnel> tunnels;
    std::vector<CBarrier_Stage> barriers;
    std::vector<CSungto> embankments;
    std::vector<CJulto> cuttings;
    std::vector<CBuilding> buildings;
    std::vector<CReceiverPoint> receivers;
    std::vector<int> excludedBarriers;
    CProjectSettings settings;

    static CPropagationInputs Of(const CMyTalvoDoc& doc);
    bool operator==(const CPropagationInputs&) const = default;
};

struct CLevelTransfers {
    int m_nSources = 0;                // roads, then tunnels
    std::vector<Bands> m_arrReceiver;  // receiver i, source s at i * m_nSources + s
    std::vector<Bands> m_arrFacade;    // façade receiver i likewise
    CPropagationInputs m_inputs;       // the model the transfers belong to

    bool Empty() const { return m_arrReceiver.empty() && m_arrFacade.empty(); }
    void Clear() { *this = CLevelTransfers(); }
};
