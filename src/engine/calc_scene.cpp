#include "engine/calc_scene.h"

#include <algorithm>
#include <cmath>

#include "engine/calc_scene_data.h"
#include "engine/propagation_path.h"
#include "engine/source_pieces.h"
#include "model/document.h"

namespace {

// Per band the highest power of any piece: the energy of a point is summed relative to it,
// so that no level, however high, overflows the sum.
Bands HighestPowers(const std::vector<CRoad_Segment>& pieces)
{
    Bands top;
    top.fill(kNoEnergy);
    for (const CRoad_Segment& piece : pieces)
        for (int j = 0; j < kBandCount; ++j)
            if (HasEnergy(piece.m_dPowerLevel[j]))
                top[j] = std::max(top[j], piece.m_dPowerLevel[j]);
    for (double& p : top)
        p = HasEnergy(p) ? p : 0.0;
    return top;
}

}  // namespace

struct CCalcScene::Impl {
    CSceneData data;
    Bands reference{};  // HighestPowers of the pieces
};

CCalcScene::CCalcScene(const CMyTalvoDoc& doc, const CRunInputs& run) : m_impl(std::make_unique<Impl>())
{
    const double base = doc.m_settings.m_dBaseHeight;
    const std::vector<CBarrier_Stage> bridge = BuildBridgeBarriers(doc.m_arrRoad, base);
    m_impl->data = BuildSceneData(doc, bridge, HighestRoadEnd(doc, doc.m_dMaxRoadHeight), run);
    m_impl->reference = HighestPowers(m_impl->data.m_arrPiece);
}

CCalcScene::~CCalcScene() = default;

int CCalcScene::PieceCount() const { return static_cast<int>(m_impl->data.m_arrPiece.size()); }

const CSceneData& CCalcScene::Data() const { return m_impl->data; }

Bands CCalcScene::PointLevels(double x, double y, double z, double middleFactor, double areaFactor) const
{
    const CSceneData& d = m_impl->data;
    Bands levels;
    if (d.m_footprints.BuildingAt({x, y, 0.0}) >= 0) {  // no level inside a building or on its walls
        levels.fill(kNoEnergy);
        return levels;
    }
    CTerrainSection terrain;
    terrain.Build(x, d.m_arrEmbankment, d.m_arrCutting, d.m_settings);
    CScreeningScratch scratch;
    const CMVector r(x, y, z - d.m_dBaseHeight);
    const CPathEvaluator eval(d, terrain, {areaFactor, middleFactor}, r, scratch);
    // Energy relative to the reference level, summed over the pieces; one logarithm per band.
    const Bands& ref = m_impl->reference;
    Bands energy{};
    for (int k = 0; k < PieceCount(); ++k) {
        const CAttenuation a = eval.Evaluate(k).m_att;
        for (int j = 0; j < kBandCount; ++j)
            if (HasEnergy(a.m_dContribution[j]))
                energy[j] += std::pow(10.0, (a.m_dContribution[j] - ref[j]) / 10.0);
    }
    for (int j = 0; j < kBandCount; ++j)
        levels[j] = energy[j] > 0.0 ? ref[j] + 10.0 * std::log10(energy[j]) : kNoEnergy;
    return levels;
}
