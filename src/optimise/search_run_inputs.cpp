#include "optimise/search_run_inputs.h"

#include "model/document.h"

CRunInputs SearchRunInputs(const CMyTalvoDoc& doc)
{
    CRunInputs run;
    run.m_bRecordDivergence = doc.m_bLengthSearch;
    if (doc.m_bOptimising) {
        run.m_candidate = doc.m_OptBarrier;
        run.m_nOptimisedReceiver = doc.m_nOptReceiver;
    }
    return run;
}
