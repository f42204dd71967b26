#include "engine/building_walls.h"

#include <algorithm>

#include "model/footprint.h"

namespace {

CObstacle WallObstacle(const CBuilding& b, int wall, int index)
{
    CObstacle o;
    o.m_vStart = CMVector(b.WallStart(wall).x, b.WallStart(wall).y, 0.0);
    o.m_vEnd = CMVector(b.WallEnd(wall).x, b.WallEnd(wall).y, 0.0);
    o.m_dBottom = 0.0;
    o.m_dTop = b.Height();
    o.m_nKind = kObstacleWall;
    o.m_nIndex = index;
    return o;
}

}  // namespace

std::vector<CObstacle> BuildWallObstacles(const std::vector<CBuilding>& buildings)
{
    std::vector<CObstacle> walls;
    int index = 0;
    for (const CBuilding& b : buildings)
        for (int w = 0; w < b.WallCount(); ++w, ++index) {
            const CObstacle o = WallObstacle(b, w, index);
            if (o.PlanLength() > 0.0)
                walls.push_back(o);
        }
    return walls;
}

std::vector<CReflector> BuildWallReflectors(const std::vector<CBuilding>& buildings, int firstObstacle)
{
    std::vector<CReflector> reflectors;
    int index = 0;
    int obstacle = firstObstacle;
    for (const CBuilding& b : buildings) {
        const double orientation = SignedDoubleArea(b.m_arrFootprint);
        for (int w = 0; w < b.WallCount(); ++w, ++index) {
            CReflector r;
            r.m_rect = WallObstacle(b, w, index);
            if (!(r.m_rect.PlanLength() > 0.0))
                continue;
            r.m_dAbsorption = b.m_dAbsorption;
            r.m_nObstacle = obstacle++;
            r.m_bOuterFaceOnly = true;
            r.m_vOuter = OutwardNormal(r.m_rect.m_vStart, r.m_rect.m_vEnd, orientation);
            PrepareReflector(r);
            reflectors.push_back(r);
        }
    }
    return reflectors;
}
