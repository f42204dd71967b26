#include "engine/calc_scene.h"

#include "engine/calc_scene_data.h"
#include "engine/propagation_path.h"
#include "engine/source_pieces.h"
#include "model/document.h"

struct CCalcScene::Impl {
    CSceneData data;
};

CCalcScene::CCalcScene(const CMyTalvoDoc& doc, const CRunInputs& run, EPeriod period) : m_impl(std::make_unique<Impl>())
{
    const double base = doc.m_settings.m_dBaseHeight;
    const std::vector<CBarrier_Stage> bridge = BuildBridgeBarriers(doc.m_arrRoad, base);
    m_impl->data = BuildSceneData(doc, bridge, HighestRoadEnd(doc, doc.m_dMaxRoadHeight), run, period);
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
    return SumPointLevels(d, terrain, {areaFactor, middleFactor}, {x, y, z - d.m_dBaseHeight}, scratch);
}
