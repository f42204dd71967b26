#pragma once

// What an open input window gives the views to draw: its working list in place of the
// document's list of the same kind, and the entity it is editing, drawn highlighted.
// The pointers are borrowed: the window that owns the working vector clears them (hands
// the views an empty CWorkingLists) before the vector goes away.

#include <vector>

#include "model/building.h"
#include "model/entities.h"

class CMyTalvoDoc;

enum class EEntityKind { None, Road, Barrier, Embankment, Cutting, Tunnel, Receiver, Building };

struct CWorkingLists {
    const std::vector<CRoad>* pRoads = nullptr;
    const std::vector<CBarrier_Stage>* pBarriers = nullptr;
    const std::vector<CSungto>* pEmbankments = nullptr;
    const std::vector<CJulto>* pCuttings = nullptr;
    const std::vector<CTunnel>* pTunnels = nullptr;
    const std::vector<CReceiverPoint>* pReceivers = nullptr;
    const std::vector<CBuilding>* pBuildings = nullptr;
    // The footprint the building window's vertex list holds while it is being edited, as far
    // as its rows read (not yet stored); nullptr when no footprint is being edited.
    const std::vector<CMVector>* pFootprintDraft = nullptr;

    // Which barriers of *pBarriers the calculation leaves out, one flag each; null: those
    // of the document's exclusion.
    const std::vector<bool>* pExcludedBarriers = nullptr;

    EEntityKind highlightKind = EEntityKind::None;
    int nHighlight = -1;  // 0-based position in the highlighted kind's list; -1: none

    bool IsHighlighted(EEntityKind kind, std::size_t index) const
    {
        return kind == highlightKind && nHighlight >= 0 && std::size_t(nHighlight) == index;
    }
};

// The lists a view draws for one paint: each working list where one is given, the
// document's list otherwise.
struct CSceneLists {
    const std::vector<CRoad>& roads;
    const std::vector<CBarrier_Stage>& barriers;
    const std::vector<CSungto>& embankments;
    const std::vector<CJulto>& cuttings;
    const std::vector<CTunnel>& tunnels;
    const std::vector<CReceiverPoint>& receivers;
    const std::vector<CBuilding>& buildings;
};

CSceneLists ResolveLists(const CMyTalvoDoc& doc, const CWorkingLists& working);

// For every barrier a view draws (ResolveLists): whether the calculation leaves it out.
std::vector<bool> ExcludedBarriersToDraw(const CMyTalvoDoc& doc, const CWorkingLists& working);
