#include "engine/prediction_driver.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "engine/calc_scene_data.h"
#include "engine/facade_levels.h"
#include "engine/period_levels.h"
#include "engine/propagation_path.h"
#include "engine/source_pieces.h"
#include "model/document.h"

namespace {

// The receivers of this run: only the optimised one while optimising.
std::vector<int> ReceiversToProcess(const CMyTalvoDoc& doc, const CRunInputs& run)
{
    const int count = static_cast<int>(doc.m_arrReceiver.size());
    if (run.IsOptimisation()) {
        if (run.m_nOptimisedReceiver >= 0 && run.m_nOptimisedReceiver < count)
            return {run.m_nOptimisedReceiver};
        return {};
    }
    std::vector<int> all(count);
    for (int i = 0; i < count; ++i)
        all[i] = i;
    return all;
}

struct RunState {
    const CSceneData& scene;
    const CMyTalvoDoc& doc;
    const std::vector<int>& receivers;
    std::vector<CAttenuation>& records;  // slot order*P + k, filled in place
    std::vector<char>& insideBox;        // the same slots
    std::vector<CDiffractionPoint>& lastRecords;
    Bands* transfers;  // order*sources + source, zero on entry; null: none kept
    std::atomic<int> next{0};
};

// One receiver against every piece, into its P slots.
void ProcessReceiver(RunState& st, int order, CScreeningScratch& scratch)
{
    const int i = st.receivers[order];
    const CReceiverPoint& rp = st.doc.m_arrReceiver[i];
    const CMVector r(rp.m_dX, rp.m_dY, rp.m_dZ - st.scene.m_dBaseHeight);
    CTerrainSection terrain;
    terrain.Build(r.x, st.scene.m_arrEmbankment, st.scene.m_arrCutting, st.scene.m_settings);
    const CPathEvaluator eval(st.scene, terrain, {rp.m_dAreaFactor, rp.m_dGroundFactor}, r, scratch);
    const int pieces = static_cast<int>(st.scene.m_arrPiece.size());
    Bands* transfers =
        st.transfers ? st.transfers + static_cast<std::size_t>(order) * st.scene.m_nSourceCount : nullptr;
    for (int k = 0; k < pieces; ++k) {
        CPathResult res = eval.Evaluate(k);
        if (transfers)
            AddPieceTransfer(st.scene, k, res, transfers);
        res.m_att.m_nReceiver = i;
        st.records[static_cast<std::size_t>(order) * pieces + k] = res.m_att;
        st.insideBox[static_cast<std::size_t>(order) * pieces + k] = static_cast<char>(res.m_bInsideBox);
    }
    if (order + 1 == static_cast<int>(st.receivers.size()))
        st.lastRecords = scratch.m_arrRecord;
}

void Worker(RunState& st)
{
    CScreeningScratch scratch;
    for (int order = st.next++; order < static_cast<int>(st.receivers.size()); order = st.next++)
        ProcessReceiver(st, order, scratch);
}

void RunAll(RunState& st)
{
    const unsigned hw = std::max(1u, std::thread::hardware_concurrency());
    const unsigned count = std::min<unsigned>(hw, static_cast<unsigned>(st.receivers.size()));
    std::vector<std::thread> threads;
    try {
        for (unsigned t = 1; t < count; ++t)
            threads.emplace_back(Worker, std::ref(st));
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started and this one share the work.
    }
    Worker(st);
    for (std::thread& t : threads)
        t.join();
}

// Barrier-length search: the divergence of every piece of the nearest road seen from
// the receiver under search (its stored position, compared exactly). The source point
// is kept in absolute heights, like the foot point it is compared with.
void RecordDivergence(CMyTalvoDoc& doc, const CRunInputs& run, const CAttenuation& a, bool insideBox)
{
    if (!run.m_bRecordDivergence || insideBox)
        return;
    const CRoad_Segment& piece = doc.m_arrSegment[a.m_nSource];
    const CReceiverPoint& rp = doc.m_arrReceiver[a.m_nReceiver];
    if (piece.m_nRoadIndex != doc.m_nOptRoad || CMVector(rp.m_dX, rp.m_dY, rp.m_dZ) != doc.m_vOptReceiverPos)
        return;
    const double div = a.m_dDivergence;
    if (div >= doc.m_dDivMax)
        doc.m_dDivMax = div;
    if (div <= doc.m_dOptCriterion && div > doc.m_dDivBest) {
        doc.m_dDivBest = div;
        doc.m_vOptSourcePoint = CMVector(piece.m_dX, piece.m_dY, piece.m_dZ + doc.m_settings.m_dBaseHeight);
    }
}

void Summation(CMyTalvoDoc& doc, const CRunInputs& run, const std::vector<int>& receivers, int pieces)
{
    if (run.IsOptimisation()) {
        doc.m_dOptLevel = kNoEnergy;
        if (receivers.empty())
            return;
        CReceiverPoint& rp = doc.m_arrReceiver[receivers.front()];
        rp.m_dLevel = SumContributions(doc.m_arrAttenuation);
        doc.m_dOptLevel = EnergySum(rp.m_dLevel);
        return;
    }
    for (std::size_t order = 0; order < receivers.size(); ++order) {
        const auto first = doc.m_arrAttenuation.begin() + static_cast<std::ptrdiff_t>(order * pieces);
        const std::vector<CAttenuation> own(first, first + pieces);
        doc.m_arrReceiver[receivers[order]].m_dLevel = SumContributions(own);
    }
}

}  // namespace

void RunPrediction(CMyTalvoDoc& doc, const CRunInputs& run, std::vector<std::string>& messages)
{
    MakeBridgeBarriers(doc);
    doc.m_dMaxRoadHeight = HighestRoadEnd(doc, doc.m_dMaxRoadHeight);
    const CSceneData scene = BuildSceneData(doc, doc.m_arrBarrierWork, doc.m_dMaxRoadHeight, run);
    const std::vector<int> receivers = ReceiversToProcess(doc, run);
    const int pieces = static_cast<int>(scene.m_arrPiece.size());

    std::vector<CAttenuation> records(receivers.size() * pieces);
    std::vector<char> inside(records.size(), 0);
    // The transfers of a calculation of the whole model stay with it; an optimisation
    // candidate's belong to another model.
    const bool keepTransfers = !run.IsOptimisation();
    std::vector<Bands> transfers(keepTransfers ? receivers.size() * scene.m_nSourceCount : 0, Bands{});
    RunState st{
        scene, doc, receivers, records, inside, doc.m_arrDiffraction, keepTransfers ? transfers.data() : nullptr};
    RunAll(st);
    for (std::size_t n = 0; n < records.size(); ++n) {
        RecordDivergence(doc, run, records[n], inside[n] != 0);
        doc.m_attWork = records[n];
        doc.m_arrAttenuation.push_back(records[n]);
    }
    Summation(doc, run, receivers, pieces);
    if (keepTransfers) {
        CLevelTransfers& kept = doc.m_transfers;
        kept.m_nSources = scene.m_nSourceCount;
        kept.m_arrReceiver = std::move(transfers);
        ComputeFacadeLevels(scene, doc.m_arrFacade, 0, &kept.m_arrFacade);
        kept.m_inputs = CPropagationInputs::Of(doc);
        StoreNightLevels(doc);
    } else {
        ComputeFacadeLevels(scene, doc.m_arrFacade);
    }

    if (run.IsOrdinary())
        messages.emplace_back("계산 종료");
}
