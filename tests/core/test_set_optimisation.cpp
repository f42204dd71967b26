// The barrier search for several receivers or a building's floors: the shortest, then
// lowest, candidate with which every tested row meets its limit; rows even the full barrier
// leaves above their limits are named and left out; the table of rows before and after.
#include <gtest/gtest.h>

#include <algorithm>

#include "design_test_support.h"
#include "model/document.h"
#include "optimise/set_optimisation.h"

using namespace designtest;

namespace {

CDesignTarget Floors(int first, int last, std::optional<double> target)
{
    CDesignTarget t;
    t.m_eKind = CDesignTarget::EKind::kBuilding;
    t.m_nBuilding = 0;
    t.m_nFirstFloor = first;
    t.m_nLastFloor = last;
    t.m_dTarget = target;
    return t;
}

CSetOutcome Search(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptDesign& design)
{
    EXPECT_EQ(CheckSetOptimisationStart(doc, target, design), "");
    CRunProgress progress;
    return RunSetOptimisation(doc, target, design, progress);
}

// Rows above their limits (left-out rows aside) with the barrier standing.
int RowsExceeding(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptBarrierResult& barrier,
                  const std::vector<int>& leftOut)
{
    const CDesignTable table = ComputeDesignTable(doc, target, barrier);
    int exceeding = 0;
    for (int r = 0; r < static_cast<int>(table.m_arrRow.size()); ++r)
        if (std::find(leftOut.begin(), leftOut.end(), r) == leftOut.end() &&
            table.m_arrRow[static_cast<std::size_t>(r)].m_eCheck == EDesignCheck::kExceeds)
            ++exceeding;
    return exceeding;
}

}  // namespace

TEST(SetOptimisation, KeepsTheShortestThenLowestBarrierMeetingEveryFloorWithinReach)
{
    const CMyTalvoDoc doc = DesignProject();
    const CDesignTarget target = Floors(0, 0, 60.0);
    const COptDesign design = Design(4.0, 20.0, 0.5);
    const CSetOutcome out = Search(doc, target, design);
    ASSERT_TRUE(out.m_run.m_bFound);
    const COptBarrierResult& best = out.m_run.m_best;

    // The rows left out are exactly those above the limit with the full barrier.
    const COptBarrierResult full{-40, 10, 140, 10, 4.0};
    const CDesignTable fullTable = ComputeDesignTable(doc, target, full);
    std::vector<int> above;
    for (int r = 0; r < static_cast<int>(fullTable.m_arrRow.size()); ++r)
        if (fullTable.m_arrRow[static_cast<std::size_t>(r)].m_eCheck == EDesignCheck::kExceeds)
            above.push_back(r);
    EXPECT_EQ(out.m_arrOutOfReach, above);
    ASSERT_FALSE(above.empty());  // the upper floors look over the barrier
    ASSERT_LT(above.size(), out.m_set.m_arrRow.size());

    // It meets; one length step shorter at full height, or one height step lower, does not.
    EXPECT_EQ(RowsExceeding(doc, target, best, above), 0);
    const double length = best.m_dEndX - best.m_dStartX;
    ASSERT_GE(length - 20.0, 10.0);
    const COptBarrierResult shorter{best.m_dStartX + 10, 10, best.m_dEndX - 10, 10, 4.0};
    EXPECT_GT(RowsExceeding(doc, target, shorter, above), 0);
    ASSERT_GE(best.m_dHeight - 0.5, 0.5);
    const COptBarrierResult lower{best.m_dStartX, 10, best.m_dEndX, 10, best.m_dHeight - 0.5};
    EXPECT_GT(RowsExceeding(doc, target, lower, above), 0);

    // The table: before and after the barrier, out-of-reach rows marked.
    const CDesignTable& table = out.m_table;
    ASSERT_EQ(table.m_arrRow.size(), 6u);
    EXPECT_TRUE(table.m_bHasBarrier);
    EXPECT_EQ(table.m_arrRow[0].m_strName, "101동 1층");
    for (int r : above)
        EXPECT_EQ(table.m_arrRow[static_cast<std::size_t>(r)].m_eCheck, EDesignCheck::kOutOfReach);
    EXPECT_EQ(table.m_arrRow[1].m_eCheck, EDesignCheck::kMet);
    EXPECT_GT(table.m_arrRow[1].m_dBefore, 60.0);
    EXPECT_NEAR(table.m_arrRow[1].InsertionLoss(), table.m_arrRow[1].m_dBefore - table.m_arrRow[1].m_dAfter, 1e-12);
    CRunProgress progress;
    COptBarrierResult fields;
    const std::string message = FinishSetOptimisation(progress, out, fields);
    EXPECT_NE(message.find(DescribeRows(out.m_set, above)), std::string::npos);
    EXPECT_EQ(fields.m_dHeight, best.m_dHeight);
}

TEST(SetOptimisation, SaysWhenNoBarrierIsNeededOrNoneSuffices)
{
    const CMyTalvoDoc doc = DesignProject();
    CRunProgress progress;
    COptBarrierResult fields{1, 2, 3, 4, 5};
    const CSetOutcome quiet = Search(doc, Floors(1, 3, 90.0), Design());
    EXPECT_TRUE(quiet.m_bNoNeed);
    EXPECT_FALSE(quiet.m_run.m_bFound);
    EXPECT_EQ(FinishSetOptimisation(progress, quiet, fields), kMsgNoNeedToCalculate);
    EXPECT_EQ(fields.m_dHeight, 0.0);
    EXPECT_EQ(quiet.m_table.m_arrRow[2].m_eCheck, EDesignCheck::kMet);

    const CSetOutcome loud = Search(doc, Floors(2, 4, 20.0), Design());
    EXPECT_TRUE(loud.m_run.m_bCannotSatisfy);
    EXPECT_EQ(FinishSetOptimisation(progress, loud, fields),
              std::string(kMsgCannotSatisfy) + " 최대 방음벽으로도 기준을 넘는 곳: 101동 2~4층");
}

TEST(SetOptimisation, RefusesWhatItCannotDesignFor)
{
    CMyTalvoDoc doc = DesignProject();
    CDesignTarget receivers;
    receivers.m_arrReceiver = {0, 2};
    EXPECT_EQ(CheckSetOptimisationStart(doc, receivers, Design()), kMsgNoLimitInSet);
    doc.m_arrReceiver[2].m_dTargetLevel = 55.0;  // one row with a limit is enough
    EXPECT_EQ(CheckSetOptimisationStart(doc, receivers, Design()), "");
    EXPECT_EQ(CheckSetOptimisationStart(doc, receivers, Design(8.0, 0.0)), kMsgLengthStep);
    receivers.m_arrReceiver = {};
    EXPECT_EQ(CheckSetOptimisationStart(doc, receivers, Design()), kMsgChooseReceivers);
    EXPECT_NE(CheckSetOptimisationStart(doc, Floors(5, 7, 60.0), Design()).find("6층"), std::string::npos);
    EXPECT_EQ(CheckSetOptimisationStart(doc, Floors(4, 3, 60.0), Design()).empty(), false);
    CDesignTarget night = Floors(0, 0, 60.0);
    night.m_ePeriod = EPeriod::kNight;
    EXPECT_EQ(CheckSetOptimisationStart(doc, night, Design()), kMsgNoNightPowers);
    doc.CommitModelChange();
    EXPECT_EQ(CheckSetOptimisationStart(doc, Floors(0, 0, 60.0), Design()), kMsgStaleResults);
    doc.m_arrSegment.clear();
    EXPECT_EQ(CheckSetOptimisationStart(doc, Floors(0, 0, 60.0), Design()), kMsgRunPredictionFirst);
}

TEST(SetOptimisation, NamesConsecutiveFloorsOfABuildingAsOneRange)
{
    CDesignSet set;
    for (int floor : {1, 2, 3, 5, 7, 8})
        set.m_arrRow.push_back({"101동 " + std::to_string(floor) + "층", -1, 0, floor, CLimit{65.0}, {}});
    set.m_arrRow.push_back({"수음점 4", 3, -1, 0, CLimit{65.0}, {}});
    EXPECT_EQ(DescribeRows(set, {0, 1, 2, 3, 4, 5, 6}), "101동 1~3층, 101동 5층, 101동 7~8층, 수음점 4");
}
