// Stored values that are not numbers (a damaged file's nan, inf or 1e400) never reach a
// source position, a terrain height or a sum: the builders leave such entities out and
// the calculate command's check names the first one.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/input_check.h"
#include "engine/source_pieces.h"
#include "engine/terrain_section.h"
#include "model/document.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

CRoad PiecedRoad(int pieces)
{
    CRoad road;
    road.SetGeometry(0, 0, 100, 0, 0, 0, 8.0, 0.0, pieces);
    road.m_dLength = road.Length3D();
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(80.0);
    return road;
}

CTunnel Tunnel(int lanes)
{
    CTunnel t;
    t.m_dEndX = 200;
    t.m_dLength = 200;
    t.m_dWidth = 10;
    t.m_dHeight = 6;
    t.m_nLaneCount = lanes;
    t.m_dUserPowerLevel.fill(90.0);
    t.ComputeAngle();
    return t;
}

CSungto Embankment(double height)
{
    CSungto s;
    s.SetGeometry(0, 100, 1000, 100, height, 20, 0);
    s.m_dLength = s.PlanLength();
    s.ComputeAngle();
    return s;
}

bool AllPiecesFinite(const std::vector<CRoad_Segment>& pieces)
{
    for (const CRoad_Segment& p : pieces)
        if (!std::isfinite(p.m_dX) || !std::isfinite(p.m_dY) || !std::isfinite(p.m_dZ))
            return false;
    return true;
}

}  // namespace

TEST(NonFiniteInput, RoadsWithNonFiniteGeometryOrPowerYieldNoPieces)
{
    std::vector<CRoad> roads(6, PiecedRoad(4));
    roads[1].m_dEndX = kInf;  // length and heading follow, as a reader computes them
    roads[1].m_dLength = roads[1].Length3D();
    roads[1].ComputeAngle();
    roads[2].m_dStartZ = kNaN;
    roads[3].m_dUserPowerLevel[5] = kNaN;
    roads[4].m_dUserPowerLevel[0] = kInf;
    roads[5].m_dUserPowerLevel[0] = -kInf;  // "no energy" in one band is an ordinary source
    const auto pieces = BuildRoadPieces(roads, 0.0);
    ASSERT_EQ(pieces.size(), 8u);
    EXPECT_EQ(pieces.front().m_nRoadIndex, 0);
    EXPECT_EQ(pieces.back().m_nRoadIndex, 5);
    EXPECT_TRUE(AllPiecesFinite(pieces));
    EXPECT_TRUE(BuildRoadPiecesOf(PiecedRoad(4), 0, kNaN).empty());
}

TEST(NonFiniteInput, SourceCountsBeyondTheLimitYieldNoPieces)
{
    EXPECT_EQ(BuildRoadPiecesOf(PiecedRoad(kMaxDiscreteSources), 0, 0.0).size(), 100000u);
    EXPECT_TRUE(BuildRoadPiecesOf(PiecedRoad(kMaxDiscreteSources + 1), 0, 0.0).empty());
    EXPECT_TRUE(BuildRoadPiecesOf(PiecedRoad(std::numeric_limits<int>::max()), 0, 0.0).empty());
    const CTunnelMouths mouths = BuildTunnelMouths({Tunnel(kMaxDiscreteSources + 1), Tunnel(2)}, 0, 0.0);
    EXPECT_EQ(mouths.m_arrCorner.size(), 8u);
    ASSERT_EQ(mouths.m_arrPiece.size(), 4u);
    EXPECT_EQ(mouths.m_arrPiece.front().m_nRoadIndex, 2);  // the second tunnel's start mouth
}

TEST(NonFiniteInput, TunnelsWithInfiniteWidthKeepTheirCornersButYieldNoPieces)
{
    std::vector<CTunnel> tunnels{Tunnel(2), Tunnel(2)};
    tunnels[0].m_dWidth = kInf;
    tunnels[1].m_dUserPowerLevel[3] = kNaN;
    const CTunnelMouths mouths = BuildTunnelMouths(tunnels, 0, 0.0);
    EXPECT_EQ(mouths.m_arrCorner.size(), 8u);
    EXPECT_TRUE(mouths.m_arrPiece.empty());
}

TEST(NonFiniteInput, BridgeRoadsWithNonFiniteBarrierHeightsGetNoDeckBarriers)
{
    std::vector<CRoad> roads(2, PiecedRoad(1));
    roads[0].m_nRoadInfo = roads[1].m_nRoadInfo = 1;
    roads[0].m_dCentreBarrierHeight = kNaN;
    const auto barriers = BuildBridgeBarriers(roads, 0.0);
    ASSERT_EQ(barriers.size(), 3u);
    for (const CBarrier_Stage& b : barriers)
        EXPECT_TRUE(std::isfinite(b.m_dHeight));
}

TEST(NonFiniteInput, BodiesWithNonFiniteValuesLeaveTheGroundAlone)
{
    CProjectSettings settings;
    std::vector<CSungto> fills{Embankment(kInf), Embankment(4.0)};
    fills[1].m_dStartY = fills[1].m_dEndY = 300;
    CTerrainSection section;
    section.Build(500, fills, {}, settings);
    ASSERT_EQ(section.EmbankmentIntervals().size(), 1u);
    EXPECT_DOUBLE_EQ(section.GroundHeight(110), 0.0);  // where the infinite fill would stand
    EXPECT_DOUBLE_EQ(section.GroundHeight(310), 2.0);  // half the fill's height
}

TEST(NonFiniteInput, CheckNamesTheFirstUnusableEntity)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad = {PiecedRoad(4), PiecedRoad(4)};
    doc.m_arrTunnel = {Tunnel(2)};
    doc.m_arrEmbankment = {Embankment(3)};
    doc.m_arrReceiver.resize(2);
    EXPECT_EQ(FindUnusableInput(doc), "");

    doc.m_arrReceiver[1].m_dZ = kNaN;
    EXPECT_EQ(FindUnusableInput(doc), "수음점 2의 값 중 올바른 숫자가 아닌 것이 있습니다 (nan 또는 무한대).");
    doc.m_arrEmbankment[0].m_dWidth = -kInf;
    EXPECT_EQ(FindUnusableInput(doc).rfind("성토 1의 값 중", 0), 0u);
    doc.m_arrTunnel[0].m_nLaneCount = 100001;
    EXPECT_EQ(FindUnusableInput(doc), "터널 1의 이산소음원(차선) 수가 100000개를 넘습니다.");
    doc.m_arrRoad[1].m_dUserPowerLevel[7] = kInf;
    EXPECT_EQ(FindUnusableInput(doc).rfind("도로 2의 값 중", 0), 0u);
    doc.m_settings.m_dAreaEndX = kNaN;
    EXPECT_EQ(FindUnusableInput(doc).rfind("계산 영역", 0), 0u);
}

TEST(NonFiniteInput, CheckRefusesMoreThanAMillionPiecesNamingTheNumber)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.assign(10, PiecedRoad(kMaxDiscreteSources));
    EXPECT_EQ(FindUnusableInput(doc), "");
    doc.m_arrTunnel = {Tunnel(1)};  // two mouth pieces more
    EXPECT_EQ(FindUnusableInput(doc),
              "이산소음원이 모두 1000002개로 너무 많습니다. 한 번의 계산에는 1000000개까지 쓸 수 있습니다.");
}
