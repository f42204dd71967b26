#include "model/document.h"

void CMyTalvoDoc::ClearModel()
{
    m_arrBarrier.clear();
    m_arrReceiver.clear();
    m_arrReceiverBase.clear();
    m_arrRoad.clear();
    m_arrSegment.clear();
    m_arrBarrierBase.clear();
    m_arrRoadBase.clear();
    m_arrEmbankment.clear();
    m_arrEmbankmentBase.clear();
    m_arrCutting.clear();
    m_arrCuttingBase.clear();
    m_arrTunnel.clear();
    m_arrBuilding.clear();
    m_arrBarrierWork.clear();
    m_arrEmbankmentSection.clear();
    m_arrCuttingSection.clear();
    m_arrEmbankmentOutline.clear();
    m_arrCuttingOutline.clear();
    m_arrAttenuation.clear();
    m_arrFacade.clear();
    m_transfers.Clear();
    m_arrDiffraction.clear();
}

void CMyTalvoDoc::NewProject()
{
    ClearModel();
    m_settings.ResetToDefaults();
    m_nCalculatedInFile = 0;
    ResultsMadeCurrent();
    m_dFileVersion = 0;
    m_arrExcludedBarrier.clear();
    m_bModified = false;
}

void CMyTalvoDoc::MakeBaselineCopies()
{
    m_arrRoadBase = m_arrRoad;
    m_arrBarrierBase = m_arrBarrier;
    m_arrEmbankmentBase = m_arrEmbankment;
    m_arrCuttingBase = m_arrCutting;
    m_arrReceiverBase = m_arrReceiver;
}

void CMyTalvoDoc::CommitModelChange()
{
    m_bModified = true;
    MarkResultsStale();
}

void CMyTalvoDoc::MarkResultsStale()
{
    if (HasResults() || !m_arrSegment.empty())
        m_bResultsStale = true;
}
