// Work a damaged project could make endless or unbounded is refused up front with a
// message that says why: a calculation over values that are not numbers or over more
// than a million source pieces, an export of more than ten million grid points.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "io/receiver_grid.h"
#include "model/document.h"

namespace {

CMyTalvoDoc OneRoadOneReceiver()
{
    CMyTalvoDoc doc;
    CRoad road;
    road.SetGeometry(-100, 0, 100, 0, 0, 0, 8, 0, 10);
    road.m_dLength = road.Length3D();
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(90.0);
    doc.m_arrRoad.push_back(road);
    CReceiverPoint r;
    r.SetPosition(0, 50, 1.5);
    doc.m_arrReceiver.push_back(r);
    return doc;
}

CReceiverGrid BoundedGrid(double endX, double endY, double spacing)
{
    CReceiverGrid grid;
    grid.m_dEndX = endX;
    grid.m_dEndY = endY;
    grid.m_dSpacing = spacing;
    return grid;
}

}  // namespace

TEST(BoundedWork, CalculationRefusesNonFiniteInputByNameAndBuildsNoPieces)
{
    CMyTalvoDoc doc = OneRoadOneReceiver();
    ASSERT_EQ(Calculate(doc), std::vector<std::string>{"계산 종료"});
    doc.m_arrRoad[0].m_dEndY = HUGE_VAL;  // what a file's "1e400" reads as
    EXPECT_EQ(Calculate(doc),
              std::vector<std::string>{"도로 1의 값 중 올바른 숫자가 아닌 것이 있습니다 (nan 또는 무한대)."});
    EXPECT_TRUE(doc.m_arrSegment.empty());
    EXPECT_FALSE(doc.IsCalculated());
}

TEST(BoundedWork, CalculationRefusesMoreThanAMillionPieces)
{
    CMyTalvoDoc doc = OneRoadOneReceiver();
    doc.m_arrRoad[0].m_nSourceCount = kMaxDiscreteSources;
    doc.m_arrRoad.resize(11, doc.m_arrRoad[0]);
    const auto messages = Calculate(doc);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("1100000개"), std::string::npos) << messages[0];
    EXPECT_TRUE(doc.m_arrSegment.empty());
}

TEST(BoundedWork, ExportGridsOfMoreThanTenMillionPointsAreRefusedNamingTheNumber)
{
    // 3163 x 3163 = 10,004,569 points; every axis alone is small.
    EXPECT_EQ(
        CheckReceiverGrid(BoundedGrid(3162, 3162, 1)),
        "수음점이 10004569개로 너무 많습니다. 한 번에 10000000개까지 저장할 수 있습니다. 수음점 간격을 넓혀 주십시오.");
    EXPECT_EQ(CheckReceiverGrid(BoundedGrid(3161, 3161, 1)), "");  // 9,998,244 points
    // Two axes of ten million values each: 10^14 points, counted without overflow.
    EXPECT_NE(CheckReceiverGrid(BoundedGrid(9999999, 9999999, 1)).find("100000000000000개"), std::string::npos);
}
