#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/source_pieces.h"
#include "model/document.h"
#include "test_tolerances.h"

namespace {

CRoad StraightRoad(double sx, double sy, double ex, double ey, double z, int pieces)
{
    CRoad road;
    road.SetGeometry(sx, sy, ex, ey, z, z, 8.0, 0.0, pieces);
    road.m_dLength = road.Length3D();
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(80.0);
    return road;
}

CTunnel StraightTunnel(double length, double width, int lanes)
{
    CTunnel t;
    t.m_dEndX = length;
    t.m_dLength = length;
    t.m_dWidth = width;
    t.m_dHeight = 6.0;
    t.m_dStartZ = 4.0;
    t.m_dEndZ = 10.0;
    t.m_nLaneCount = lanes;
    t.m_dUserPowerLevel.fill(90.0);
    t.ComputeAngle();
    return t;
}

}  // namespace

TEST(RoadPieces, FourPiecesSitAtTheCentresOfFourEqualPartsWithAQuarterOfThePower)
{
    const auto pieces = BuildRoadPieces({StraightRoad(0, 0, 100, 0, 0, 4)}, 0.0);
    ASSERT_EQ(pieces.size(), 4u);
    const double expectedX[] = {12.5, 37.5, 62.5, 87.5};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(pieces[k].m_dX, expectedX[k], kPosTol);
        EXPECT_NEAR(pieces[k].m_dY, 0.0, kPosTol);
        EXPECT_NEAR(pieces[k].m_dPowerLevel[0], 80.0 - 6.02, kLevelTol);
        EXPECT_NEAR(pieces[k].m_dPowerLevel[7], 80.0 - 6.02, kLevelTol);
        EXPECT_NEAR(pieces[k].m_dPieceLength, 25.0, kPosTol);
        EXPECT_EQ(pieces[k].m_dWidth, 8.0);
        EXPECT_EQ(pieces[k].m_nRoadIndex, 0);
    }
}

TEST(RoadPieces, OnePieceSitsAtTheMidpointWithTheFullPower)
{
    const auto pieces = BuildRoadPieces({StraightRoad(0, 0, 0, 60, 0, 1)}, 0.0);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_NEAR(pieces[0].m_dY, 30.0, kPosTol);
    EXPECT_NEAR(pieces[0].m_dPowerLevel[3], 80.0, kLevelTol);
    EXPECT_NEAR(pieces[0].m_dAngle, std::numbers::pi / 2, kPosTol);
}

TEST(RoadPieces, HeightsAreMeasuredFromTheBaseHeightAndFollowASlope)
{
    CRoad road = StraightRoad(0, 0, 100, 0, 0, 2);
    road.m_dStartZ = 2.0;
    road.m_dEndZ = 6.0;
    const auto pieces = BuildRoadPieces({road}, -3.0);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_NEAR(pieces[0].m_dZ, 3.0 + 3.0, kPosTol);  // 2 + (6 - 2) / 4 above absolute 0
    EXPECT_NEAR(pieces[1].m_dZ, 5.0 + 3.0, kPosTol);
}

TEST(RoadPieces, DegenerateRoadsYieldNothingAndKeepTheIndicesOfTheOthers)
{
    const CRoad point = StraightRoad(5, 5, 5, 5, 0, 4);
    const CRoad noPieces = StraightRoad(0, 0, 100, 0, 0, 0);
    const CRoad negative = StraightRoad(0, 0, 100, 0, 0, -2);
    const auto pieces = BuildRoadPieces({point, noPieces, negative, StraightRoad(0, 0, 10, 0, 0, 1)}, 0.0);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].m_nRoadIndex, 3);
}

TEST(TunnelMouths, TwoLanesGiveFourPiecesAlternatingStartAndEndMouth)
{
    const CTunnelMouths mouths = BuildTunnelMouths({StraightTunnel(50.0, 10.0, 2)}, 3, -2.0);
    ASSERT_EQ(mouths.m_arrCorner.size(), 4u);
    EXPECT_NEAR(mouths.m_arrCorner[0].x, -0.5, kPosTol);  // start mouth, right (-B/2)
    EXPECT_NEAR(mouths.m_arrCorner[0].y, -5.0, kPosTol);
    EXPECT_NEAR(mouths.m_arrCorner[1].y, 5.0, kPosTol);
    EXPECT_NEAR(mouths.m_arrCorner[2].x, 50.5, kPosTol);  // end mouth, right
    EXPECT_NEAR(mouths.m_arrCorner[3].y, 5.0, kPosTol);

    ASSERT_EQ(mouths.m_arrPiece.size(), 4u);
    const double x[] = {-0.5, 50.5, -0.5, 50.5};
    const double y[] = {-2.5, -2.5, 2.5, 2.5};
    const int index[] = {3, 4, 3, 4};
    for (int k = 0; k < 4; ++k) {
        const CRoad_Segment& p = mouths.m_arrPiece[k];
        EXPECT_NEAR(p.m_dX, x[k], kPosTol);
        EXPECT_NEAR(p.m_dY, y[k], kPosTol);
        EXPECT_EQ(p.m_nRoadIndex, index[k]);
        EXPECT_NEAR(p.m_dZ, (k % 2 == 0 ? 2.0 : 5.0) + 2.0, kPosTol);  // half the portal Z
        EXPECT_NEAR(p.m_dPowerLevel[4], 90.0 - 3.01, kLevelTol);
        EXPECT_NEAR(p.m_dPieceLength, 5.0, kPosTol);
        EXPECT_NEAR(p.m_dWidth, 0.1, kPosTol);
        EXPECT_NEAR(p.m_dAngle, std::numbers::pi / 2, kPosTol);  // heading across the mouth
    }
}

TEST(TunnelMouths, ATunnelWithoutWidthOrLanesKeepsItsCornersButYieldsNoPieces)
{
    const CTunnelMouths mouths = BuildTunnelMouths(
        {StraightTunnel(50.0, 0.0, 2), StraightTunnel(50.0, 10.0, 0), StraightTunnel(80.0, 10.0, 1)}, 0, 0.0);
    EXPECT_EQ(mouths.m_arrCorner.size(), 12u);
    ASSERT_EQ(mouths.m_arrPiece.size(), 2u);
    EXPECT_EQ(mouths.m_arrPiece[0].m_nRoadIndex, 4);  // third tunnel, start mouth
    EXPECT_EQ(mouths.m_arrPiece[1].m_nRoadIndex, 5);
    EXPECT_NEAR(mouths.m_arrPiece[1].m_dX, 80.5, kPosTol);
}

TEST(SourcePieces, DocumentGetsRoadPiecesThenMouthPiecesAndFreshCorners)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad = {StraightRoad(0, 0, 100, 0, 0, 4)};
    doc.m_arrTunnel = {StraightTunnel(50.0, 10.0, 1)};
    doc.m_arrVector.assign(7, CMVector(1, 1, 1));  // left from an earlier calculation
    MakeSourcePieces(doc);
    ASSERT_EQ(doc.m_arrSegment.size(), 6u);
    EXPECT_EQ(doc.m_arrSegment[3].m_nRoadIndex, 0);
    EXPECT_EQ(doc.m_arrSegment[4].m_nRoadIndex, 1);
    EXPECT_EQ(doc.m_arrSegment[5].m_nRoadIndex, 2);
    EXPECT_EQ(doc.m_arrVector.size(), 4u);
}

TEST(BridgeBarriers, ZeroHeightsStillGiveThreeBarriersTopAtTheDeck)
{
    CRoad road = StraightRoad(10, 20, 110, 20, 5.0, 4);
    road.m_nRoadInfo = 1;
    road.m_dRightAbsorption.fill(0.3);
    road.m_nLeftAttenuator = 4;
    const auto barriers = BuildBridgeBarriers({StraightRoad(0, 0, 50, 0, 0, 1), road}, 0.0);
    ASSERT_EQ(barriers.size(), 3u);
    const double y[] = {16.0, 24.0, 20.0};  // right, left, centre
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(barriers[k].m_dStartX, 10.0, kPosTol);
        EXPECT_NEAR(barriers[k].m_dEndX, 110.0, kPosTol);
        EXPECT_NEAR(barriers[k].m_dStartY, y[k], kPosTol);
        EXPECT_NEAR(barriers[k].m_dEndY, y[k], kPosTol);
        EXPECT_NEAR(barriers[k].m_dHeight, 5.0, kPosTol);
        EXPECT_NEAR(barriers[k].PlanLength(), 100.0, kPosTol);
    }
    EXPECT_EQ(barriers[0].m_pKey, "10.0016.00110.0016.00");
    EXPECT_EQ(barriers[0].m_dAbsorption[2], 0.3);
    EXPECT_EQ(barriers[1].m_nAttenuator, 4);
    EXPECT_EQ(barriers[2].m_nAttenuator, 0);
}

TEST(BridgeBarriers, RightIsTheRightHandSideOfTravel)
{
    CRoad road = StraightRoad(0, 0, 0, 100, 0.0, 1);  // travelling north
    road.m_nRoadInfo = 1;
    const auto barriers = BuildBridgeBarriers({road}, 0.0);
    ASSERT_EQ(barriers.size(), 3u);
    EXPECT_NEAR(barriers[0].m_dStartX, 4.0, kPosTol);   // right = east
    EXPECT_NEAR(barriers[1].m_dStartX, -4.0, kPosTol);  // left = west
    EXPECT_NEAR(barriers[0].m_dAngle, std::numbers::pi / 2, kPosTol);
}

TEST(BridgeBarriers, DeckBarriersStayOnTheDeckWhenACuttingLowersTheBaseHeight)
{
    CMyTalvoDoc doc;
    CJulto cutting;
    cutting.SetGeometry(0, 200, 100, 200, -4.0, 20.0, 100.0);
    doc.m_arrCutting = {cutting};
    doc.m_settings.m_dBaseHeight = -4.0;
    CRoad road = StraightRoad(0, 0, 100, 0, 5.0, 1);
    road.m_nRoadInfo = 1;
    road.m_dRightBarrierHeight = 3.0;
    doc.m_arrRoad = {road};
    doc.m_arrBarrierWork.assign(2, CBarrier_Stage());
    MakeBridgeBarriers(doc);
    ASSERT_EQ(doc.m_arrBarrierWork.size(), 3u);
    // Deck at 5 m absolute = 9 m above the base; the 3 m barrier tops out at 12 m.
    EXPECT_NEAR(doc.m_arrBarrierWork[0].m_dHeight, 12.0, kPosTol);
    EXPECT_NEAR(doc.m_arrBarrierWork[1].m_dHeight, 9.0, kPosTol);
}
