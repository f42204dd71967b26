#include "model/model_state.h"

#include "model/document.h"

CModelState CModelState::Of(const CMyTalvoDoc& doc)
{
    CModelState s;
    s.roads = doc.m_arrRoad;
    s.roadBase = doc.m_arrRoadBase;
    s.barriers = doc.m_arrBarrier;
    s.barrierBase = doc.m_arrBarrierBase;
    s.receivers = doc.m_arrReceiver;
    s.receiverBase = doc.m_arrReceiverBase;
    s.embankments = doc.m_arrEmbankment;
    s.embankmentBase = doc.m_arrEmbankmentBase;
    s.cuttings = doc.m_arrCutting;
    s.cuttingBase = doc.m_arrCuttingBase;
    s.tunnels = doc.m_arrTunnel;
    s.buildings = doc.m_arrBuilding;
    s.excludedBarriers = doc.m_arrExcludedBarrier;
    s.settings = doc.m_settings;
    s.embankmentSection = doc.m_arrEmbankmentSection;
    s.cuttingSection = doc.m_arrCuttingSection;
    s.embankmentOutline = doc.m_arrEmbankmentOutline;
    s.cuttingOutline = doc.m_arrCuttingOutline;
    s.resultsCurrent = !doc.m_bResultsStale;
    s.resultsRevision = doc.m_nResultsRevision;
    return s;
}

void CModelState::ApplyTo(CMyTalvoDoc& doc) const
{
    const bool showReceivers = doc.m_settings.m_bShowReceivers;
    doc.m_arrRoad = roads;
    doc.m_arrRoadBase = roadBase;
    doc.m_arrBarrier = barriers;
    doc.m_arrBarrierBase = barrierBase;
    doc.m_arrReceiver = receivers;
    doc.m_arrReceiverBase = receiverBase;
    doc.m_arrEmbankment = embankments;
    doc.m_arrEmbankmentBase = embankmentBase;
    doc.m_arrCutting = cuttings;
    doc.m_arrCuttingBase = cuttingBase;
    doc.m_arrTunnel = tunnels;
    doc.m_arrBuilding = buildings;
    doc.m_arrExcludedBarrier = excludedBarriers;
    doc.m_settings = settings;
    doc.m_settings.m_bShowReceivers = showReceivers;
    doc.m_arrEmbankmentSection = embankmentSection;
    doc.m_arrCuttingSection = cuttingSection;
    doc.m_arrEmbankmentOutline = embankmentOutline;
    doc.m_arrCuttingOutline = cuttingOutline;
    if (resultsCurrent && resultsRevision == doc.m_nResultsRevision)
        doc.m_bResultsStale = false;
    else
        doc.MarkResultsStale();
}
