// Buildings in the engine: walls screen as barriers standing on the footprint do and reflect
// on their outer face only, façade receivers are receivers like any other, no point inside a
// footprint has a level, and the input check refuses what no calculation can use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc_test_support.h"
#include "engine/building_walls.h"
#include "engine/calc_scene.h"
#include "engine/calc_scene_data.h"
#include "engine/calculation.h"
#include "engine/facade_levels.h"
#include "engine/input_check.h"

using namespace calctest;

namespace {

// A block 40 x 12 m of 5 floors of 3 m (15 m high) at x 40..80, y 30..42, its vertices
// clockwise from the south-west corner (or anticlockwise).
CBuilding Block(double absorption, bool clockwise = true)
{
    CBuilding b;
    b.m_arrFootprint = {{40, 30, 0}, {40, 42, 0}, {80, 42, 0}, {80, 30, 0}};
    if (!clockwise)
        std::reverse(b.m_arrFootprint.begin(), b.m_arrFootprint.end());
    b.m_nFloors = 5;
    b.m_pName = "101동";
    b.m_dAbsorption.fill(absorption);
    return b;
}

// A road along y = 0 and receivers behind the block, beside it and in front of it.
CMyTalvoDoc RoadProject()
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.push_back(Road(-100, 0, 200, 0, 0.5, 3.6, 30, 100));
    for (const auto& [x, y, z] : {std::tuple{60.0, 70.0, 1.5}, {95.0, 50.0, 4.0}, {20.0, 45.0, 7.0}, {60, 20, 1.5}})
        doc.m_arrReceiver.push_back(Receiver(x, y, z));
    return doc;
}

CBarrier_Stage WallAsBarrier(const CBuilding& b, int wall)
{
    return Barrier(b.WallStart(wall).x, b.WallStart(wall).y, b.WallEnd(wall).x, b.WallEnd(wall).y, b.Height(),
                   b.m_dAbsorption[0]);
}

}  // namespace

TEST(BuildingEngine, WallsScreenAsBarriersStandingOnTheFootprintDo)
{
    // Absorption 1: nothing reflects, so the walls differ from four barriers only in kind.
    // The barrier exclusion list names barriers, never walls.
    CMyTalvoDoc building = RoadProject(), barriers = RoadProject(), open = RoadProject();
    building.m_arrBuilding.push_back(Block(1.0));
    building.m_arrExcludedBarrier = {0, 1, 2, 3};
    for (int w = 0; w < 4; ++w)
        barriers.m_arrBarrier.push_back(WallAsBarrier(building.m_arrBuilding[0], w));
    for (CMyTalvoDoc* doc : {&building, &barriers, &open})
        Calculate(*doc);
    for (std::size_t i = 0; i < building.m_arrReceiver.size(); ++i)
        EXPECT_EQ(building.m_arrReceiver[i].m_dLevel, barriers.m_arrReceiver[i].m_dLevel) << "receiver " << i + 1;
    EXPECT_LT(EnergySum(building.m_arrReceiver[0].m_dLevel), EnergySum(open.m_arrReceiver[0].m_dLevel) - 2.0);
}

TEST(BuildingEngine, WallsReflectOnTheirOuterFaceOnly)
{
    // The north wall (y = 42, from (40,42) to (80,42) clockwise) faces north. A source south
    // of it, on the footprint's side, gets no reflection from it, though a barrier there
    // would send one through the block to a receiver beside it; a source north of it does
    // to a receiver north of it.
    for (const bool clockwise : {true, false}) {
        const std::vector<CReflector> walls = BuildWallReflectors({Block(0.0, clockwise)}, 7);
        ASSERT_EQ(walls.size(), 4u);
        const auto north = std::find_if(walls.begin(), walls.end(), [](const CReflector& r) {
            return r.m_rect.m_vStart.y == 42 && r.m_rect.m_vEnd.y == 42;
        });
        ASSERT_NE(north, walls.end());
        EXPECT_EQ(north->m_vOuter.y, 1.0);
        EXPECT_EQ(north->m_nObstacle, 7 + (north - walls.begin()));
        const CMVector south(0, 0, 0.5), beside(90, 36, 1.5);
        EXPECT_TRUE(FindReflection(north->m_rect, south, beside).m_bHit);
        EXPECT_FALSE(FindReflection(*north, south, beside).m_bHit);
        EXPECT_TRUE(FindReflection(*north, {60, 80, 0.5}, {70, 50, 1.5}).m_bHit);
    }
}

TEST(BuildingEngine, FacadeReceiversHaveTheLevelsOfOrdinaryReceiversAtTheirPoints)
{
    // No ordinary receiver: the façade receivers alone make a calculation. Walls of 40 m
    // and 12 m carry 4 and 2 points 10 m apart at most, 12 points of 5 floors.
    CMyTalvoDoc doc = RoadProject();
    doc.m_arrReceiver.clear();
    doc.m_arrBuilding.push_back(Block(0.2));
    doc.m_arrBuilding[0].m_dGroundFactor = 0.3;
    doc.m_arrBuilding[0].m_dAreaFactor = 0.7;
    EXPECT_EQ(Calculate(doc), std::vector<std::string>{"계산 종료"});
    ASSERT_EQ(doc.m_arrFacade.size(), 60u);

    // The same points as ordinary receivers with the building's ground factors.
    CMyTalvoDoc ordinary = doc;
    for (const CFacadeReceiver& f : doc.m_arrFacade) {
        CReceiverPoint r = Receiver(f.m_vPos.x, f.m_vPos.y, f.m_vPos.z);
        r.m_dGroundFactor = 0.3;
        r.m_dAreaFactor = 0.7;
        ordinary.m_arrReceiver.push_back(r);
    }
    Calculate(ordinary);
    // (summed as grid points are, relative to the highest piece power: the same to 1e-9 dB)
    for (std::size_t i = 0; i < doc.m_arrFacade.size(); ++i)
        for (int j = 0; j < kBandCount; ++j)
            EXPECT_NEAR(doc.m_arrFacade[i].m_dLevel[j], ordinary.m_arrReceiver[i].m_dLevel[j], 1e-9)
                << "façade receiver " << i + 1 << " band " << j;

    // Any number of threads gives the same levels.
    const CSceneData scene = BuildSceneData(doc, {}, HighestRoadEnd(doc, 0.0));
    for (const int threads : {1, 3}) {
        std::vector<CFacadeReceiver> again = DeriveFacadeReceivers(doc.m_arrBuilding, doc.m_settings);
        ComputeFacadeLevels(scene, again, threads);
        for (std::size_t i = 0; i < again.size(); ++i)
            EXPECT_EQ(again[i].m_dLevel, doc.m_arrFacade[i].m_dLevel) << threads << " threads, receiver " << i + 1;
    }
}

TEST(BuildingEngine, NoPointInsideAFootprintOrOnItsWallsHasALevel)
{
    CMyTalvoDoc doc = RoadProject();
    doc.m_arrBuilding.push_back(Block(0.2));
    Calculate(doc);
    const CCalcScene scene(doc);
    for (const auto& [x, y] : {std::pair{60.0, 36.0}, {40.0, 30.0}, {60.0, 42.0}, {80.0, 35.0}})
        for (double level : scene.PointLevels(x, y, 1.5))
            EXPECT_FALSE(HasEnergy(level)) << x << ", " << y;
    EXPECT_TRUE(HasEnergy(EnergySum(scene.PointLevels(60.0, 42.5, 1.5))));
}

TEST(BuildingInputCheck, RefusesReceiversInBuildingsAndUnusableBuildingsByName)
{
    const auto problem = [](auto edit) {
        CMyTalvoDoc doc = RoadProject();
        doc.m_arrBuilding.push_back(Block(0.2));
        edit(doc);
        return FindUnusableInput(doc);
    };
    EXPECT_EQ(problem([](CMyTalvoDoc&) {}), "");
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_arrReceiver[1].SetPosition(80, 36, 1.5); }),
              "수음점 2이(가) 건물 1 (101동) 안에 있습니다. 건물 안이나 외벽 위의 수음점은 계산할 수 없습니다.");
    EXPECT_EQ(
        problem([](CMyTalvoDoc& d) { d.m_arrBuilding[0].m_arrFootprint.resize(2); }).rfind("건물 1 (101동)의 평면", 0),
        0u);
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_arrBuilding[0].m_nFloors = 0; }).rfind("건물 1 (101동)의 층수", 0), 0u);
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_arrBuilding[0].m_dAbsorption[3] = std::nan(""); }),
              "건물 1 (101동)의 값 중 올바른 숫자가 아닌 것이 있습니다 (nan 또는 무한대).");
    EXPECT_EQ(problem([](CMyTalvoDoc& d) {
                  d.m_arrBuilding.push_back(Block(0.2));
                  d.m_arrBuilding[1].m_pName.clear();
              }),
              "건물 1 (101동)이(가) 건물 2와(과) 겹칩니다.");
    // Blocks built wall to wall do not overlap; one reaching 10 m into the other does.
    for (const auto& [shift, expected] :
         {std::pair{40.0, ""}, {30.0, "건물 1 (101동)이(가) 건물 2 (101동)와(과) 겹칩니다."}})
        EXPECT_EQ(problem([shift](CMyTalvoDoc& d) {
                      CBuilding next = Block(0.2);
                      for (CMVector& v : next.m_arrFootprint)
                          v.x += shift;
                      d.m_arrBuilding.push_back(next);
                  }),
                  expected)
            << shift;
    const std::string badFacade =
        "외벽 수음점의 간격과 외벽에서의 거리는 0보다 큰 숫자, 층 바닥에서의 높이는 0 이상의 숫자여야 합니다.";
    for (const double bad : {0.0, -1.0, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(problem([bad](CMyTalvoDoc& d) { d.m_settings.m_dFacadeDistance = bad; }), badFacade);
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_settings.m_dFacadeHeight = -0.1; }), badFacade);
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_settings.m_dFacadeHeight = 0.0; }), "");
    const std::string farFacade = "외벽 수음점의 외벽에서의 거리는 1000 m, 층 바닥에서의 높이는 10000 m를 넘을 수 없습니다.";
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_settings.m_dFacadeDistance = 1e306; }), farFacade);
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_settings.m_dFacadeHeight = 1e306; }), farFacade);
    // 40 m walls at 1e-4 m: 400,000 points each, two walls, 5 floors; at 1e-310 m too many to count.
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_settings.m_dFacadeSpacing = 1e-4; }).rfind("외벽 수음점이 모두 ", 0),
              0u);
    EXPECT_EQ(problem([](CMyTalvoDoc& d) { d.m_settings.m_dFacadeSpacing = 1e-310; }).rfind("외벽 수음점이 너무", 0),
              0u);
    // Without buildings the façade settings are not used.
    CMyTalvoDoc none = RoadProject();
    none.m_settings.m_dFacadeSpacing = 0.0;
    EXPECT_EQ(FindUnusableInput(none), "");
}

TEST(BuildingInputCheck, RefusedCalculationLeavesNoFacadeLevels)
{
    CMyTalvoDoc doc = RoadProject();
    doc.m_arrBuilding.push_back(Block(0.2));
    Calculate(doc);
    ASSERT_FALSE(doc.m_arrFacade.empty());
    doc.m_arrReceiver[0].SetPosition(40, 30, 1.5);  // on a corner
    const std::vector<std::string> messages = Calculate(doc);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("수음점 1이(가) 건물 1 (101동) 안에", 0), 0u);
    EXPECT_TRUE(doc.m_arrFacade.empty());
    EXPECT_FALSE(doc.IsCalculated());
}
