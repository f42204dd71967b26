// The calculate command: messages, repeated runs, the exclusion list, the modes of
// the barrier optimisation and the point-level query.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <thread>

#include "calc_test_support.h"
#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "engine/facade_table.h"
#include "engine/propagation_air.h"
#include "engine/result_table.h"
#include "test_tolerances.h"

using namespace calctest;

namespace {

// A 400 m road of 40 pieces along X, two receivers beside it.
CMyTalvoDoc OneRoadProject()
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.push_back(Road(-200, 0, 200, 0, 0.5, 14, 40, 110));
    doc.m_arrReceiver.push_back(Receiver(0, 60, 1.5));
    doc.m_arrReceiver.push_back(Receiver(50, 120, 4.0));
    return doc;
}

}  // namespace

TEST(Calculate, MessagesOfTheThreeRefusalsAndOfTheEnd)
{
    CMyTalvoDoc empty;
    EXPECT_EQ(Calculate(empty), std::vector<std::string>{"하나 이상의 수음점과 도로를 입력하십시요"});
    CMyTalvoDoc roadsOnly = OneRoadProject();
    roadsOnly.m_arrReceiver.clear();
    EXPECT_EQ(Calculate(roadsOnly), std::vector<std::string>{"하나 이상의 수음점을 입력하십시요"});
    EXPECT_EQ(roadsOnly.m_arrSegment.size(), 40u);
    CMyTalvoDoc receiversOnly = OneRoadProject();
    receiversOnly.m_arrRoad.clear();
    EXPECT_EQ(Calculate(receiversOnly), std::vector<std::string>{"하나 이상의 도로를 입력하십시요"});
    EXPECT_FALSE(receiversOnly.IsCalculated());
    CMyTalvoDoc full = OneRoadProject();
    EXPECT_EQ(Calculate(full), std::vector<std::string>{"계산 종료"});
}

TEST(Calculate, RebuildsTheTerrainSectionAtX1000WhateverHappens)
{
    CMyTalvoDoc doc;
    CSungto fill;
    fill.SetGeometry(500, 100, 1500, 100, 4.0, 10.0, 1000.0);
    fill.ComputeAngle();
    doc.m_arrEmbankment.push_back(fill);
    Calculate(doc);  // nothing to calculate
    ASSERT_EQ(doc.m_arrEmbankmentSection.size(), 1u);
    EXPECT_EQ(doc.m_arrEmbankmentSection[0].m_dSectionX, 1000.0);
    EXPECT_NEAR(doc.m_arrEmbankmentSection[0].m_dHeight, 2.0, 1e-12);
}

TEST(Calculate, FarPointSourceFollowsTheOpenFieldFormula)
{
    // One piece of zero width at (0,0,0), R 100 m away on hard ground at height 0:
    // A_div = 20 lg 100 + 11 = 51, A_gr = -6 (q = 1), A_bar = 4.8 (flat path), so
    // L = 100 - 51 - 100 alpha + 6 - 4.8 = 50.2 - 100 alpha in every band.
    CMyTalvoDoc doc;
    doc.m_arrRoad.push_back(Road(-5, 0, 5, 0, 0.0, 0.0, 1, 100));
    doc.m_arrReceiver.push_back(Receiver(0, 100, 0.0));
    Calculate(doc);
    const CAirTables air = PrepareAirTables(20.0, 50.0, 101.5);
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_NEAR(doc.m_arrReceiver[0].m_dLevel[j], 50.2 - 100.0 * air.m_dAbsorption[j], kLevelTol);
    const CAttenuation& a = doc.m_arrAttenuation[0];
    EXPECT_NEAR(a.m_dDivergence, 51.0, kLevelTol);
    EXPECT_NEAR(a.m_dBarrier[3], 4.8, kLevelTol);
    EXPECT_NEAR(a.m_dGround[0], -6.0, kLevelTol);
    EXPECT_EQ(a.m_dReflection[3], 0.0);
}

TEST(Calculate, TwoCalculationsInARowGiveTheSameLevels)
{
    CMyTalvoDoc doc = OneRoadProject();
    Calculate(doc);
    const Bands first = doc.m_arrReceiver[1].m_dLevel;
    Calculate(doc);
    EXPECT_EQ(doc.m_arrAttenuation.size(), 2u * 40u);
    EXPECT_EQ(doc.m_arrSegment.size(), 40u);
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_NEAR(doc.m_arrReceiver[1].m_dLevel[j], first[j], 1e-9);
    // Receiver-major records: receiver i, piece k at i * P + k.
    EXPECT_EQ(doc.m_arrAttenuation[41].m_nReceiver, 1);
    EXPECT_EQ(doc.m_arrAttenuation[41].m_nSource, 1);
}

TEST(Calculate, ACalculationWithoutReceiversDoesNotDoubleThePieces)
{
    CMyTalvoDoc fresh = OneRoadProject();
    Calculate(fresh);
    CMyTalvoDoc doc = OneRoadProject();
    const auto receivers = doc.m_arrReceiver;
    doc.m_arrReceiver.clear();
    Calculate(doc);
    doc.m_arrReceiver = receivers;
    Calculate(doc);
    EXPECT_EQ(doc.m_arrSegment.size(), 40u);
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_NEAR(doc.m_arrReceiver[0].m_dLevel[j], fresh.m_arrReceiver[0].m_dLevel[j], 1e-9);
}

TEST(Calculate, ExcludedBarrierStaysLeftOutUntilTheListIsEmptied)
{
    CMyTalvoDoc open = OneRoadProject();
    Calculate(open);
    CMyTalvoDoc doc = OneRoadProject();
    doc.m_arrBarrier.push_back(Barrier(-150, 15, 150, 15, 5.0, 0.9));  // absorbing: screens only
    doc.m_arrExcludedBarrier = {0};
    for (int run = 0; run < 2; ++run) {
        Calculate(doc);
        EXPECT_EQ(doc.m_arrExcludedBarrier, std::vector<int>{0});
        EXPECT_NEAR(doc.m_arrReceiver[0].m_dLevel[4], open.m_arrReceiver[0].m_dLevel[4], 1e-9);
    }
    doc.m_arrExcludedBarrier.clear();
    Calculate(doc);
    EXPECT_LT(doc.m_arrReceiver[0].m_dLevel[4], open.m_arrReceiver[0].m_dLevel[4] - 5.0);
}

TEST(Calculate, OptimisationComputesOnlyItsReceiverWithTheCandidate)
{
    CMyTalvoDoc doc = OneRoadProject();
    Calculate(doc);
    const Bands open = doc.m_arrReceiver[1].m_dLevel;
    CRunInputs run;
    run.m_candidate = Barrier(-150, 15, 150, 15, 5.0);
    run.m_nOptimisedReceiver = 1;
    doc.m_arrExcludedBarrier = {3};
    EXPECT_TRUE(Calculate(doc, run).empty());
    EXPECT_EQ(doc.m_arrAttenuation.size(), 40u);
    EXPECT_EQ(doc.m_arrExcludedBarrier, std::vector<int>{3});
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_EQ(doc.m_arrReceiver[0].m_dLevel[j], 0.0);
    EXPECT_LT(doc.m_arrReceiver[1].m_dLevel[4], open[4] - 5.0);
    EXPECT_NEAR(doc.m_dOptLevel, EnergySum(doc.m_arrReceiver[1].m_dLevel), 1e-9);
}

TEST(Calculate, LengthSearchRecordsTheDivergenceOfTheNearestRoad)
{
    CMyTalvoDoc doc = OneRoadProject();
    CRunInputs run;
    run.m_bRecordDivergence = true;
    doc.m_nOptRoad = 0;
    doc.m_vOptReceiverPos = CMVector(0, 60, 1.5);
    doc.m_dOptCriterion = 55.0;
    doc.m_arrExcludedBarrier = {0};
    EXPECT_TRUE(Calculate(doc, run).empty());
    EXPECT_EQ(doc.m_arrExcludedBarrier, std::vector<int>{0});
    // Pieces of 10 m at x = -195 .. 195: the farthest at 200.6 m gives about 57 dB, the
    // nearest about 46.6 dB; the best is the farthest piece still at or below 55 dB.
    double most = 0, best = 0;
    for (int k = 0; k < 40; ++k) {
        const double div = doc.m_arrAttenuation[k].m_dDivergence;
        most = std::max(most, div);
        if (div <= 55.0)
            best = std::max(best, div);
    }
    EXPECT_EQ(doc.m_dDivMax, most);
    EXPECT_EQ(doc.m_dDivBest, best);
    EXPECT_GT(most, 56.0);
    EXPECT_GT(std::abs(doc.m_vOptSourcePoint.x), 100.0);
    EXPECT_EQ(doc.m_vOptSourcePoint.y, 0.0);
}

TEST(PointLevel, AgreesWithTheCalculatedReceiverAndFormatsTheSelection)
{
    CMyTalvoDoc doc = OneRoadProject();
    Calculate(doc);
    CReceiverPoint p = Receiver(50, 120, 4.0);
    EXPECT_EQ(PointLevel(doc, p, 0), FormatLevel(EnergySum(doc.m_arrReceiver[1].m_dLevel)));
    EXPECT_EQ(PointLevel(doc, p, 5), FormatLevel(doc.m_arrReceiver[1].m_dLevel[4]));
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_NEAR(p.m_dLevel[j], doc.m_arrReceiver[1].m_dLevel[j], 1e-9);
    CMyTalvoDoc none;
    CReceiverPoint q = Receiver(0, 0, 0);
    EXPECT_EQ(PointLevel(none, q, 0), kNoEnergyMark);  // no pieces: no energy, never "-inf"
}

TEST(PointLevel, ManyThreadsGetTheSameLevelsAsOne)
{
    CMyTalvoDoc doc = OneRoadProject();
    doc.m_arrBarrier.push_back(Barrier(-100, 20, 100, 20, 4.0, 0.3));
    Calculate(doc);
    const CCalcScene scene(doc);
    constexpr int kPoints = 24;
    std::vector<Bands> alone(kPoints), together(kPoints);
    for (int i = 0; i < kPoints; ++i)
        alone[i] = scene.PointLevels(-120 + 10.0 * i, 40 + 3.0 * i, 2.0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = t; i < kPoints; i += 4)
                together[i] = scene.PointLevels(-120 + 10.0 * i, 40 + 3.0 * i, 2.0);
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(alone, together);
}

TEST(ResultTable, BandsWithoutEnergyShowTheMarkAndAddNothing)
{
    CMyTalvoDoc doc = OneRoadProject();
    doc.m_arrRoad[0].m_dUserPowerLevel[0] = kNoEnergy;  // no traffic in the 63 Hz band
    Calculate(doc);
    const CReceiverPoint& r = doc.m_arrReceiver[0];
    EXPECT_FALSE(HasEnergy(r.m_dLevel[0]));
    const std::string row = ResultRowText(r, 1);
    EXPECT_EQ(row.rfind("1\t0.00\t60.00\t1.50\t-\t", 0), 0u) << row;
    EXPECT_TRUE(HasEnergy(EnergySum(r.m_dLevel)));
    EXPECT_EQ(row.find("inf"), std::string::npos);
    EXPECT_EQ(row.find("nan"), std::string::npos);
    EXPECT_EQ(ResultTableText(doc).substr(0, 3), "ID\t");
}

TEST(ResultTable, CoordinatesAreWrittenWholeHoweverLong)
{
    // 74 digits before the point: far beyond any buffer a number of a table was cut to.
    char x[128];
    std::snprintf(x, sizeof x, "%.2f", 1e73);
    const CReceiverPoint r = Receiver(1e73, -2.5, 1.5);
    EXPECT_EQ(ResultRowText(r, 7).rfind(std::string("7\t") + x + "\t-2.50\t1.50\t", 0), 0u);
    CFacadeReceiver f;
    f.m_vPos = {1e73, 0.0, 4.5};
    const std::string table = FacadeTableText({f});
    EXPECT_NE(table.find(std::string("\t") + x + "\t0.00\t4.50\t"), std::string::npos) << table;
}

TEST(Calculate, NonsenseGeometryNeverCrashesNorPrintsNan)
{
    CMyTalvoDoc doc = OneRoadProject();
    doc.m_arrRoad.push_back(Road(NAN, 0, 10, NAN, 0.0, -3.0, 5, 90));
    doc.m_arrBarrier.push_back(Barrier(5, 5, 5, 5, -2.0));  // zero length, negative height
    CSungto fill;
    fill.SetGeometry(0, 30, 0, 30, NAN, 10.0, 0.0);
    doc.m_arrEmbankment.push_back(fill);
    doc.m_arrReceiver.push_back(Receiver(0, 0, 0.5));  // on the road
    Calculate(doc);
    for (const CReceiverPoint& r : doc.m_arrReceiver) {
        const std::string row = ResultRowText(r, 1);
        EXPECT_EQ(row.find("nan"), std::string::npos) << row;
        EXPECT_EQ(row.find("inf"), std::string::npos) << row;
    }
}
