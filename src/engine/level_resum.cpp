#include "engine/level_resum.h"

#include "engine/input_check.h"
#include "engine/period_levels.h"
#include "engine/source_pieces.h"
#include "model/document.h"

bool CanResumLevels(const CMyTalvoDoc& doc)
{
    const CLevelTransfers& t = doc.m_transfers;
    const std::size_t sources = doc.m_arrRoad.size() + doc.m_arrTunnel.size();
    return doc.IsCalculated() && !t.Empty() && t.m_nSources == static_cast<int>(sources) &&
           t.m_arrReceiver.size() == doc.m_arrReceiver.size() * sources &&
           t.m_arrFacade.size() == doc.m_arrFacade.size() * sources && CPropagationInputs::Of(doc) == t.m_inputs;
}

bool ResumLevels(CMyTalvoDoc& doc)
{
    if (!CanResumLevels(doc) || !FindUnusableInput(doc).empty())
        return false;
    MakeSourcePieces(doc);
    StoreLevelsOfBothPeriods(doc);
    doc.ResultsMadeCurrent();
    return true;
}
