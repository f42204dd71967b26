#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "model/document.h"
#include "optimise/barrier_optimisation.h"
#include "optimise/search_run_inputs.h"
#include "test_tolerances.h"

namespace {

constexpr double kTarget = 60.0;

struct TriedBarrier {
    double startX, startY, endX, endY, height;
    double Length() const { return std::hypot(endX - startX, endY - startY); }
};

// A document ready for an optimisation of receiver 0 with the target kTarget; the fake
// evaluation records every candidate and answers levelOf(candidate).
struct OptFixture {
    CMyTalvoDoc doc;
    CRunProgress progress;
    std::vector<TriedBarrier> tried;
    std::function<double(const TriedBarrier&)> levelOf = [](const TriedBarrier&) { return kTarget - 1.0; };

    explicit OptFixture()
    {
        doc.m_arrSegment.resize(3);
        doc.m_arrReceiver.resize(2);
        doc.m_arrReceiver[0].m_dTargetLevel = kTarget;
    }

    COptOutcome Run(const COptDesign& design)
    {
        EXPECT_EQ(CheckOptimisationStart(doc, 0, design), "");
        PrepareOptimisation(doc, 0, design);
        const OptEvaluation evaluate = [this](CMyTalvoDoc& d) {
            EXPECT_TRUE(d.m_bOptimising);
            const CBarrier_Stage& b = d.m_OptBarrier;
            const CRunInputs run = SearchRunInputs(d);  // what the engine is given
            EXPECT_TRUE(run.IsOptimisation() && run.m_candidate->m_dHeight == b.m_dHeight);
            EXPECT_EQ(run.m_nOptimisedReceiver, 0);
            tried.push_back({b.m_dStartX, b.m_dStartY, b.m_dEndX, b.m_dEndY, b.m_dHeight});
            d.m_dOptLevel = levelOf(tried.back());
            return d.m_dOptLevel;
        };
        return RunOptimisation(doc, design, progress, evaluate);
    }
};

COptDesign Design(double endX, double endY, double maxHeight, double lengthStep, double heightStep)
{
    return {0, 0, endX, endY, maxHeight, lengthStep, heightStep};
}

}  // namespace

TEST(BarrierOptimisation, ShortensSymmetricallyAndNeverBelowTenMetres)
{
    // L0 = 25 along (0.6, 0.8): N = 2; lengths 25 and 15, the second 5 m in from each end.
    OptFixture f;
    const COptOutcome out = f.Run(Design(15, 20, 1.0, 10, 1.0));
    ASSERT_EQ(f.tried.size(), 2u);
    EXPECT_NEAR(f.tried[1].startX, 3.0, kCoordTol);
    EXPECT_NEAR(f.tried[1].startY, 4.0, kCoordTol);
    EXPECT_NEAR(f.tried[1].endX, 12.0, kCoordTol);
    EXPECT_NEAR(f.tried[1].endY, 16.0, kCoordTol);
    EXPECT_NEAR(f.tried[1].height, 1.0, kCoordTol);  // back at the maximum height
    EXPECT_EQ(f.progress.Total(), 2);
    EXPECT_EQ(f.progress.Done(), 1);  // the step to 5 m is not taken
    ASSERT_TRUE(out.m_bFound);
    EXPECT_NEAR(out.m_best.m_dStartX, 3.0, kCoordTol);
    EXPECT_NEAR(out.m_best.m_dEndY, 16.0, kCoordTol);

    COptBarrierResult fields;
    EXPECT_EQ(FinishOptimisation(f.doc, f.progress, out, fields), "");
    EXPECT_NEAR(fields.m_dEndX, 12.0, kCoordTol);
    EXPECT_FALSE(f.doc.m_bOptimising);
    EXPECT_EQ(f.progress.Done(), 0);

    // A length of exactly 10 m is still evaluated.
    OptFixture g;
    g.Run(Design(30, 0, 1.0, 10, 1.0));
    ASSERT_EQ(g.tried.size(), 3u);
    EXPECT_NEAR(g.tried[2].Length(), 10.0, kCoordTol);
}

TEST(BarrierOptimisation, ConditionIsStrictTwoDecibelsBelowAndInclusiveAtTheTarget)
{
    // 25 m gives exactly 2 dB below the target (fails), 15 m exactly the target (meets).
    OptFixture f;
    f.levelOf = [](const TriedBarrier& c) { return c.Length() > 20 ? kTarget - 2.0 : kTarget; };
    const COptOutcome out = f.Run(Design(25, 0, 3.0, 10, 1.0));
    ASSERT_TRUE(out.m_bFound);
    EXPECT_NEAR(out.m_best.m_dStartX, 5.0, kCoordTol);
    EXPECT_NEAR(out.m_best.m_dEndX, 20.0, kCoordTol);
    // At 25 m the failed pass ends the passes; at 15 m heights 3, 2 and 1 all meet.
    ASSERT_EQ(f.tried.size(), 4u);
    EXPECT_NEAR(f.tried[0].height, 3.0, kCoordTol);
    EXPECT_NEAR(f.tried[3].height, 1.0, kCoordTol);
    EXPECT_NEAR(out.m_best.m_dHeight, 1.0, kCoordTol);
}

TEST(BarrierOptimisation, HeightPassesAreCountedAndStopBelowHalfAMetre)
{
    // H_max 2, Δh 0.8: C = 2; heights 2.0 and 1.2 at each length.
    OptFixture f;
    const COptOutcome out = f.Run(Design(25, 0, 2.0, 10, 0.8));
    ASSERT_EQ(f.tried.size(), 4u);
    EXPECT_NEAR(f.tried[0].height, 2.0, kCoordTol);
    EXPECT_NEAR(f.tried[1].height, 1.2, kCoordTol);
    EXPECT_NEAR(f.tried[2].height, 2.0, kCoordTol);
    EXPECT_NEAR(out.m_best.m_dHeight, 1.2, kCoordTol);

    // H_max 1, Δh 0.3: C = 3, but after 1.0 and 0.7 the height is 0.4, below 0.5.
    OptFixture g;
    g.Run(Design(15, 0, 1.0, 10, 0.3));
    ASSERT_EQ(g.tried.size(), 2u);
    EXPECT_NEAR(g.tried[1].height, 0.7, kCoordTol);

    // H_max below Δh: C = 0, nothing is evaluated and no barrier is needed.
    OptFixture h;
    const COptOutcome none = h.Run(Design(25, 0, 0.5, 10, 0.8));
    EXPECT_TRUE(h.tried.empty());
    COptBarrierResult fields{1, 1, 1, 1, 1};
    EXPECT_EQ(FinishOptimisation(h.doc, h.progress, none, fields), kMsgNoNeedToCalculate);
    EXPECT_EQ(fields.m_dHeight, 0.0);
}

TEST(BarrierOptimisation, FullBarrierAboveTheTargetCannotBeSatisfied)
{
    OptFixture f;
    f.levelOf = [](const TriedBarrier&) { return kTarget + 0.01; };
    const COptOutcome out = f.Run(Design(100, 0, 4.0, 10, 1.0));
    EXPECT_EQ(f.tried.size(), 1u);
    EXPECT_TRUE(out.m_bCannotSatisfy);
    COptBarrierResult fields{1, 1, 1, 1, 1};
    EXPECT_EQ(FinishOptimisation(f.doc, f.progress, out, fields),
              "입력하신 조건에서는 최적방음벽 조건을 만족할수 없습니다.");
    EXPECT_EQ(fields.m_dStartX, 0.0);
}

TEST(BarrierOptimisation, NoCandidateMeetingTheConditionNeedsNoBarrier)
{
    OptFixture f;
    f.levelOf = [](const TriedBarrier&) { return kTarget - 5.0; };
    const COptOutcome out = f.Run(Design(100, 0, 4.0, 10, 1.0));
    EXPECT_EQ(f.tried.size(), 10u);  // one pass per length: 100, 90, ..., 10
    COptBarrierResult fields;
    EXPECT_EQ(FinishOptimisation(f.doc, f.progress, out, fields), "방음벽을 계산할 필요가 없습니다.");

    // Start and end closer than Δl: N = 0 and no prediction runs.
    OptFixture g;
    const COptOutcome empty = g.Run(Design(5, 0, 4.0, 10, 1.0));
    EXPECT_TRUE(g.tried.empty());
    EXPECT_EQ(FinishOptimisation(g.doc, g.progress, empty, fields), kMsgNoNeedToCalculate);
}

TEST(BarrierOptimisation, CancelTakesEffectAtTheEndOfTheLengthStep)
{
    for (const double level : {kTarget - 1.0, kTarget - 5.0}) {
        OptFixture f;
        f.levelOf = [&](const TriedBarrier&) {
            f.progress.RequestCancel();
            return level;
        };
        const COptOutcome out = f.Run(Design(100, 0, 2.0, 10, 1.0));
        EXPECT_TRUE(out.m_bCancelled);
        EXPECT_EQ(f.progress.Done(), 1);
        COptBarrierResult fields;
        EXPECT_EQ(FinishOptimisation(f.doc, f.progress, out, fields), "");  // no message after a cancel
        if (level == kTarget - 1.0) {
            EXPECT_EQ(f.tried.size(), 2u);  // both heights at the first length
            EXPECT_NEAR(fields.m_dEndX, 100.0, kCoordTol);
            EXPECT_NEAR(fields.m_dHeight, 1.0, kCoordTol);
        } else {
            EXPECT_EQ(fields.m_dEndX, 0.0);
        }
    }
}

TEST(BarrierOptimisation, StartChecksRefuseInOrder)
{
    CMyTalvoDoc doc;
    doc.m_arrReceiver.resize(1);
    const COptDesign bad = Design(25, 0, 0, 0, 0);
    EXPECT_EQ(CheckOptimisationStart(doc, -1, bad), "소음예측 계산을 먼저 실행하여 주십시오.");
    doc.m_arrSegment.resize(1);
    EXPECT_EQ(CheckOptimisationStart(doc, -1, bad), "하나의 수음점을 선택하세요.");
    EXPECT_EQ(CheckOptimisationStart(doc, 1, bad), "하나의 수음점을 선택하세요.");
    EXPECT_EQ(CheckOptimisationStart(doc, 0, bad), "길이방향 계산간격은 0보다 커야 합니다.");
    EXPECT_EQ(CheckOptimisationStart(doc, 0, Design(25, 0, 0, 10, -1)), "높이방향 계산간격은 0보다 커야 합니다.");
    EXPECT_EQ(CheckOptimisationStart(doc, 0, Design(25, 0, 0, 10, 1)), "설치가능 최대높이는 0보다 커야 합니다.");
    EXPECT_EQ(CheckOptimisationStart(doc, 0, Design(25, 0, 3, 10, 1)), "");
}
