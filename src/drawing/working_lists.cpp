#include "drawing/working_lists.h"

#include "model/barrier_exclusion.h"
#include "model/document.h"

namespace {

template <typename T>
const std::vector<T>& Pick(const std::vector<T>* working, const std::vector<T>& document)
{
    return working ? *working : document;
}

}  // namespace

CSceneLists ResolveLists(const CMyTalvoDoc& doc, const CWorkingLists& w)
{
    return {Pick(w.pRoads, doc.m_arrRoad),
            Pick(w.pBarriers, doc.m_arrBarrier),
            Pick(w.pEmbankments, doc.m_arrEmbankment),
            Pick(w.pCuttings, doc.m_arrCutting),
            Pick(w.pTunnels, doc.m_arrTunnel),
            Pick(w.pReceivers, doc.m_arrReceiver),
            Pick(w.pBuildings, doc.m_arrBuilding)};
}

std::vector<bool> ExcludedBarriersToDraw(const CMyTalvoDoc& doc, const CWorkingLists& w)
{
    if (w.pBarriers && w.pExcludedBarriers && w.pExcludedBarriers->size() == w.pBarriers->size())
        return *w.pExcludedBarriers;
    return ExcludedBarrierFlags(doc, Pick(w.pBarriers, doc.m_arrBarrier));
}
