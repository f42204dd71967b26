#include "optimise/barrier_apply.h"

#include "model/document.h"

namespace {

std::string ReversedIdentity(const CBarrier_Stage& b)
{
    return FormatFixed2(b.m_dEndX) + FormatFixed2(b.m_dEndY) + FormatFixed2(b.m_dStartX) + FormatFixed2(b.m_dStartY);
}

bool StandsAlready(const CMyTalvoDoc& doc, const std::string& identity)
{
    for (const CBarrier_Stage& existing : doc.m_arrBarrier)
        if (existing.MakeIdentity() == identity || ReversedIdentity(existing) == identity)
            return true;
    return false;
}

}  // namespace

CBarrier_Stage MakeOptimisedBarrier(const COptBarrierResult& fields)
{
    CBarrier_Stage barrier;
    barrier.SetGeometry(fields.m_dStartX, fields.m_dStartY, fields.m_dEndX, fields.m_dEndY, fields.m_dHeight,
                        barrier.m_nAttenuator);
    barrier.ComputeAngle();
    barrier.m_pKey = barrier.MakeIdentity();
    return barrier;
}

std::string ApplyOptimisedBarrier(CMyTalvoDoc& doc, const COptBarrierResult& fields, bool hasResult)
{
    if (!hasResult)
        return kMsgNoOptimisedBarrier;
    CBarrier_Stage barrier = MakeOptimisedBarrier(fields);
    if (StandsAlready(doc, barrier.m_pKey))
        return kMsgBarrierExists;
    doc.m_arrBarrier.push_back(std::move(barrier));
    return {};
}

void ClearOptBarrier(CMyTalvoDoc& doc) { doc.m_OptBarrier = CBarrier_Stage(); }
