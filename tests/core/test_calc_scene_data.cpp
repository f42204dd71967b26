// The prepared scene: which bodies screen and reflect, in which order, and at which
// heights relative to the base height.
#include <gtest/gtest.h>

#include "calc_test_support.h"
#include "engine/calc_scene_data.h"

using namespace calctest;

namespace {

CSlope Body(double y, double height)
{
    CSlope b;
    b.SetGeometry(0, y, 100, y, height, 10.0, 100.0);
    b.ComputeAngle();
    return b;
}

// Two barriers (the first excluded), a cutting 6 m deep (base -6), an embankment 4 m
// high, a bridge road and an optimisation candidate.
CMyTalvoDoc Site()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dBaseHeight = -6.0;
    doc.m_arrBarrier = {Barrier(0, 10, 100, 10, 3.0), Barrier(0, 20, 100, 20, 4.0, 0.2, 5)};
    doc.m_arrExcludedBarrier = {0};
    CJulto cut;
    static_cast<CSlope&>(cut) = Body(30, -6.0);
    doc.m_arrCutting.push_back(cut);
    CSungto fill;
    static_cast<CSlope&>(fill) = Body(40, 4.0);
    doc.m_arrEmbankment.push_back(fill);
    return doc;
}

// The run of an optimisation with its candidate barrier.
CRunInputs Optimising()
{
    CRunInputs run;
    run.m_candidate = Barrier(0, 50, 100, 50, 2.5);
    return run;
}

}  // namespace

TEST(CalcSceneData, ObstaclesInScreeningOrderWithRelativeHeights)
{
    const CMyTalvoDoc doc = Site();
    const std::vector<CBarrier_Stage> bridge{Barrier(0, 60, 100, 60, 8.0)};
    const CSceneData s = BuildSceneData(doc, bridge, 0.0, Optimising());
    ASSERT_EQ(s.m_arrObstacle.size(), 5u);
    const int kinds[5] = {kObstacleBarrier, kObstacleCutting, kObstacleEmbankment, kObstacleBridgeBarrier,
                          kObstacleOptBarrier};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.m_arrObstacle[i].m_nKind, kinds[i]);
    EXPECT_EQ(s.m_arrObstacle[0].m_nIndex, 1);  // barrier 0 is excluded
    EXPECT_EQ(s.m_arrObstacle[0].m_nAttenuator, 5);
    EXPECT_EQ(s.m_arrObstacle[0].m_dTop, 4.0);   // barriers stand on the base height
    EXPECT_EQ(s.m_arrObstacle[1].m_dTop, 6.0);   // cutting rim: absolute ground 0
    EXPECT_EQ(s.m_arrObstacle[2].m_dTop, 10.0);  // embankment: 4 m above absolute 0
    EXPECT_EQ(s.m_arrObstacle[3].m_dTop, 8.0);
}

TEST(CalcSceneData, ReflectorsInListOrderIgnoringTheExclusions)
{
    const CMyTalvoDoc doc = Site();
    const std::vector<CBarrier_Stage> bridge{Barrier(0, 60, 100, 60, 8.0)};
    const CSceneData s = BuildSceneData(doc, bridge, 0.0, Optimising());
    ASSERT_EQ(s.m_arrReflector.size(), 6u);
    const int kinds[6] = {kObstacleBarrier, kObstacleBarrier,    kObstacleOptBarrier,
                          kObstacleCutting, kObstacleEmbankment, kObstacleBridgeBarrier};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.m_arrReflector[i].m_rect.m_nKind, kinds[i]);
    EXPECT_EQ(s.m_arrReflector[0].m_nObstacle, -1);  // excluded: screens nothing
    EXPECT_EQ(s.m_arrReflector[1].m_nObstacle, 0);
    EXPECT_EQ(s.m_arrReflector[2].m_nObstacle, 4);
    EXPECT_EQ(s.m_arrReflector[3].m_nObstacle, 1);
    EXPECT_EQ(s.m_arrReflector[1].m_dAbsorption[0], 0.2);
}

TEST(CalcSceneData, WithoutOptimisingTheCandidateIsNoObstacle)
{
    CMyTalvoDoc doc = Site();
    doc.m_bOptimising = true;  // the document's flag alone is no run input
    doc.m_OptBarrier = *Optimising().m_candidate;
    const CSceneData s = BuildSceneData(doc, {}, 0.0);
    EXPECT_EQ(s.m_arrObstacle.size(), 3u);
    EXPECT_EQ(s.m_arrReflector.size(), 4u);
    EXPECT_NEAR(HighestRoadEnd(doc, 1.0), 1.0, 1e-12);
    doc.m_arrRoad.push_back(Road(0, 0, 100, 0, -6.0, 0.0, 1));
    EXPECT_NEAR(HighestRoadEnd(doc, 1.0), 1.0, 1e-12);  // -6 - (-6) = 0: not higher
    doc.m_arrRoad.push_back(Road(0, 0, 100, 0, 2.0, 0.0, 1));
    EXPECT_NEAR(HighestRoadEnd(doc, 1.0), 8.0, 1e-12);
}
