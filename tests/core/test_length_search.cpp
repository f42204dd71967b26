#include <gtest/gtest.h>

#include <cmath>

#include "model/document.h"
#include "optimise/length_search.h"
#include "optimise/opt_receiver.h"
#include "test_tolerances.h"

namespace {

CRoad RoadAlongX(double y, double z, int sourceCount = 1)
{
    CRoad road;
    road.m_dStartX = -200;
    road.m_dEndX = 200;
    road.m_dStartY = road.m_dEndY = y;
    road.m_dStartZ = road.m_dEndZ = z;
    road.m_nSourceCount = sourceCount;
    return road;
}

// Stands in for the prediction: source pieces of road 0 every 10 m from fromX to toX at
// y = 10, on the road (Z 0 relative to the base height), A_div = 20 lg d + 11, recorded as
// the driver records them: only for the receiver whose stored position equals
// m_vOptReceiverPos exactly, the source point with the base height added back.
PredictionRun FakeDriver(double fromX, double toX, bool* flagSeen = nullptr)
{
    return [=](CMyTalvoDoc& doc) {
        if (flagSeen)
            *flagSeen = doc.m_bLengthSearch;
        const double base = doc.m_settings.m_dBaseHeight;
        const CReceiverPoint& r = doc.m_arrReceiver[static_cast<std::size_t>(doc.m_nOptReceiver)];
        if (CMVector(r.m_dX, r.m_dY, r.m_dZ) != doc.m_vOptReceiverPos)
            return;
        const CMVector receiver(r.m_dX, r.m_dY, r.m_dZ - base);  // as the prediction sees it
        for (double x = fromX; x <= toX; x += 10) {
            const CMVector piece(x, 10, 0);
            const double div = 20 * std::log10(Length(piece - receiver)) + 11;
            if (div >= doc.m_dDivMax)
                doc.m_dDivMax = div;
            if (div <= doc.m_dOptCriterion && div > doc.m_dDivBest) {
                doc.m_dDivBest = div;
                doc.m_vOptSourcePoint = CMVector(piece.x, piece.y, piece.z + base);
            }
        }
    };
}

// One receiver at (0, 0, z) with target 60 and one road along y = 10 at Z = 0 whose
// single source point has an overall power of 82 dB: threshold 82 - 60 + 23 = 45 dB.
CMyTalvoDoc SearchDoc(double receiverZ = 0, double baseHeight = 0)
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dBaseHeight = baseHeight;
    CReceiverPoint receiver;
    receiver.SetPosition(0, 0, receiverZ);
    receiver.m_dTargetLevel = 60;
    doc.m_arrReceiver.push_back(receiver);
    CRoad road = RoadAlongX(10, baseHeight);
    road.m_dUserPowerLevel.fill(82 - 10 * std::log10(8.0));
    doc.m_arrRoad.push_back(road);
    return doc;
}

}  // namespace

TEST(LengthSearch, NearestRoadByItsThreeDimensionalFootPointKeepsTheEarlierOnTies)
{
    const CMVector origin(0, 0, 0);
    // Nearer in plan but 20 m up: 3-D distance sqrt(25 + 400) > 10.
    const std::vector<CRoad> roads{RoadAlongX(5, 20), RoadAlongX(10, 0), RoadAlongX(-10, 0)};
    const CNearestRoad nearest = FindNearestRoad(roads, origin);
    EXPECT_EQ(nearest.m_nIndex, 1);
    EXPECT_NEAR(nearest.m_dDistance, 10.0, kCoordTol);
    EXPECT_NEAR(nearest.m_vFoot.x, 0.0, kCoordTol);
    EXPECT_NEAR(nearest.m_vFoot.y, 10.0, kCoordTol);
}

TEST(LengthSearch, ThresholdIsOneSourcePointsPowerLessTargetPlus23)
{
    CRoad road = RoadAlongX(0, 0, 10);
    road.m_dUserPowerLevel.fill(90.0);
    // 90 + 10 lg 8 - 10 lg 10 - 60 + 23 = 52.03
    EXPECT_NEAR(LengthSearchThreshold(road, 60.0), 52.03, kLevelTol);
}

TEST(LengthSearch, ReportsTheExtensionBetweenTheFarthestQualifyingPoints)
{
    // Threshold 45 dB: d <= 10^(34/20) = 50.1 m; the farthest source points within reach
    // are x = -40 and 40 (d = 41.2 m, 43.30 dB); the earlier is kept. E = 2 * 40 = 80 m.
    CMyTalvoDoc doc = SearchDoc();
    bool flagSeen = false;
    EXPECT_EQ(RunLengthSearch(doc, 0, FakeDriver(-200, 200, &flagSeen)),
              "선택한 수음점에서 방음벽의 최대 연장은 80.00m입니다.");
    EXPECT_TRUE(flagSeen);
    EXPECT_FALSE(doc.m_bLengthSearch);
    EXPECT_NEAR(doc.m_dOptCriterion, 45.0, kLevelTol);
    EXPECT_NEAR(doc.m_dDivBest, 20 * std::log10(std::sqrt(1700.0)) + 11, kLevelTol);
    EXPECT_NEAR(doc.m_vOptSourcePoint.x, -40.0, kCoordTol);
    EXPECT_EQ(doc.m_nOptRoad, 0);
    EXPECT_EQ(doc.m_nOptReceiver, 0);
}

TEST(LengthSearch, WorksInOneFrameWhenACuttingLowersTheBase)
{
    // A cutting puts the base at -6: the receiver stored at Z 0 sits 6 m above the road
    // (stored at Z -6). Source points within 50.1 m: x^2 + 100 + 36 <= 2512, so x = -40 .. 40
    // and E = 80 m, measured from the foot point (0, 10, -6) in the same frame.
    CMyTalvoDoc doc = SearchDoc(0, -6);
    EXPECT_EQ(RunLengthSearch(doc, 0, FakeDriver(-200, 200)), "선택한 수음점에서 방음벽의 최대 연장은 80.00m입니다.");
    EXPECT_NEAR(doc.m_vOptSourcePoint.z, -6.0, kCoordTol);
}

TEST(LengthSearch, NoQualifyingPointOrTooShortAStretch)
{
    CMyTalvoDoc quiet = SearchDoc();
    quiet.m_arrReceiver[0].m_dTargetLevel = 90;  // threshold 15 dB: no point qualifies
    EXPECT_EQ(RunLengthSearch(quiet, 0, FakeDriver(-200, 200)), "방음벽을 설치할 필요가 없습니다.");

    CMyTalvoDoc narrow = SearchDoc();  // every calculated point qualifies
    EXPECT_EQ(RunLengthSearch(narrow, 0, FakeDriver(-40, 40)), "계산영역을 크게 해주세요.");
}

TEST(LengthSearch, RefusesWithoutOneReceiverOrAnyRoad)
{
    EXPECT_EQ(ChooseOptReceiver({false, true, false}), 1);
    EXPECT_EQ(ChooseOptReceiver({true, true}), -1);
    EXPECT_EQ(ChooseOptReceiver({false}), -1);
    EXPECT_EQ(ChooseOptReceiver({}), -1);

    CMyTalvoDoc doc = SearchDoc();
    bool ran = false;
    const PredictionRun spy = [&](CMyTalvoDoc&) { ran = true; };
    EXPECT_EQ(RunLengthSearch(doc, 1, spy), "하나의 수음점을 선택하세요.");
    EXPECT_EQ(RunLengthSearch(doc, -1, spy), "하나의 수음점을 선택하세요.");
    doc.m_arrRoad.clear();
    EXPECT_EQ(RunLengthSearch(doc, 0, spy), kMsgNoRoadToSearch);
    EXPECT_FALSE(ran);
}
