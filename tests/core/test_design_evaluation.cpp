// The levels of a barrier design's receivers with a candidate standing: the paths the
// candidate cannot change are kept, the others computed again, and the result is what the
// engine computes with the candidate; night levels are predictions with the night powers;
// the rows are judged by the limits and the rule of the result tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "design_test_support.h"
#include "engine/run_inputs.h"
#include "model/criterion_rules.h"
#include "model/document.h"
#include "optimise/candidate_evaluator.h"
#include "optimise/design_limits.h"
#include "optimise/design_table.h"
#include "optimise/design_target.h"

using namespace designtest;

namespace {

constexpr double kReorderTol = 1e-9;  // the same paths summed in another order

CDesignTarget NightBuilding()
{
    CDesignTarget t;
    t.m_eKind = CDesignTarget::EKind::kBuilding;
    t.m_nBuilding = 0;
    t.m_ePeriod = EPeriod::kNight;
    return t;
}

// The façade points of the block in the calculation's order, then the three receivers.
std::vector<CDesignPoint> AllPoints(const CMyTalvoDoc& doc)
{
    std::vector<CDesignPoint> points;
    for (const CFacadeReceiver& f : doc.m_arrFacade)
        points.push_back({f.m_vPos, f.m_dGroundFactor, f.m_dAreaFactor});
    for (const CReceiverPoint& r : doc.m_arrReceiver)
        points.push_back({CMVector(r.m_dX, r.m_dY, r.m_dZ), r.m_dGroundFactor, r.m_dAreaFactor});
    return points;
}

// The overall level the calculate command gives receiver `index` with the candidate standing.
double EngineLevel(CMyTalvoDoc doc, const CBarrier_Stage& candidate, int index)
{
    CRunInputs run;
    run.m_candidate = candidate;
    run.m_nOptimisedReceiver = index;
    Calculate(doc, run);
    return doc.m_dOptLevel;
}

}  // namespace

TEST(DesignEvaluation, CandidateLevelsAreTheEnginesComputingOnlyThePathsItChanges)
{
    const CMyTalvoDoc doc = DesignProject();
    const std::vector<CDesignPoint> points = AllPoints(doc);
    const std::size_t facade = doc.m_arrFacade.size(), receivers = doc.m_arrReceiver.size();
    ASSERT_EQ(points.size(), facade + receivers);
    CCandidateEvaluator eval(doc, points, EPeriod::kDay, Candidate(-40, 140, 8), 2);
    for (std::size_t i = 0; i < facade; ++i)
        ASSERT_NEAR(eval.LevelBefore(i), EnergySum(doc.m_arrFacade[i].m_dLevel), kReorderTol) << i;
    for (std::size_t i = 0; i < receivers; ++i)
        ASSERT_NEAR(eval.LevelBefore(facade + i), EnergySum(doc.m_arrReceiver[i].m_dLevel), kReorderTol);

    std::vector<int> all(points.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    const CBarrier_Stage candidates[] = {Candidate(-40, 140, 8), Candidate(0, 100, 5), Candidate(-40, 140, 1.5),
                                         Candidate(70, 90, 3)};
    for (const CBarrier_Stage& c : candidates) {
        eval.SetCandidate(c);
        const std::vector<double> levels = eval.LevelsWith(all);
        for (std::size_t i = 0; i < all.size(); ++i)
            ASSERT_NEAR(levels[i], eval.LevelWithEveryPath(i), kReorderTol) << c.m_dStartX << " " << i;
        for (std::size_t i = 0; i < receivers; ++i)
            EXPECT_NEAR(levels[facade + i], EngineLevel(doc, c, static_cast<int>(i)), kReorderTol);
    }
    // The full candidate screens the block's road side, and changes what the block's wall
    // reflects to the receiver south of the road (its image paths cross the candidate).
    eval.SetCandidate(candidates[0]);
    const std::vector<double> full = eval.LevelsWith(all);
    EXPECT_LT(full[0], eval.LevelBefore(0) - 3.0);
    EXPECT_GT(std::abs(full[facade + 2] - eval.LevelBefore(facade + 2)), 0.3);
    // A short candidate computes again only the few paths that pass near it.
    const long long before = eval.PathsComputed();
    eval.SetCandidate(candidates[3]);
    eval.LevelsWith(all);
    EXPECT_GT(eval.PathsComputed(), before);
    EXPECT_LT(eval.PathsComputed() - before, static_cast<long long>(all.size() * doc.m_arrSegment.size()) / 4);
}

TEST(DesignEvaluation, NightLevelsArePredictionsWithTheNightPowers)
{
    CMyTalvoDoc doc = DesignProject();
    const CDesignTarget night = NightBuilding();
    EXPECT_EQ(CheckDesignTarget(doc, night), kMsgNoNightPowers);
    doc.m_settings.m_dNightTrafficRatio = 0.1;  // every band 10 dB down
    EXPECT_EQ(CheckDesignTarget(doc, night), "");
    {
        CCandidateEvaluator day(doc, AllPoints(doc), EPeriod::kDay, Candidate(-40, 140, 8), 1);
        CCandidateEvaluator tenth(doc, AllPoints(doc), EPeriod::kNight, Candidate(-40, 140, 8), 1);
        for (std::size_t i = 0; i < day.PointCount(); i += 7)
            EXPECT_NEAR(tenth.LevelBefore(i), day.LevelBefore(i) - 10.0, kReorderTol);
    }
    // Own night powers of another shape: the night level is the level of a copy whose day
    // powers are the night ones, with and without the candidate.
    CRoad& road = doc.m_arrRoad[0];
    road.m_bNightPower = true;
    road.m_dNightPowerLevel = {80, 84, 88, 92, 95, 91, 85, 79};
    CMyTalvoDoc copy = doc;
    copy.m_arrRoad[0].m_dUserPowerLevel = road.m_dNightPowerLevel;
    Calculate(copy);
    const std::vector<CDesignPoint> points = AllPoints(doc);
    CCandidateEvaluator atNight(doc, points, EPeriod::kNight, Candidate(-40, 140, 8), 2);
    CCandidateEvaluator copyDay(copy, points, EPeriod::kDay, Candidate(-40, 140, 8), 2);
    for (std::size_t i = 0; i < copy.m_arrFacade.size(); i += 5)
        EXPECT_NEAR(atNight.LevelBefore(i), EnergySum(copy.m_arrFacade[i].m_dLevel), kReorderTol);
    atNight.SetCandidate(Candidate(0, 100, 4));
    copyDay.SetCandidate(Candidate(0, 100, 4));
    const std::vector<int> some = {0, 11, 23, static_cast<int>(points.size()) - 1};
    const std::vector<double> a = atNight.LevelsWith(some), b = copyDay.LevelsWith(some);
    for (std::size_t i = 0; i < some.size(); ++i)
        EXPECT_NEAR(a[i], b[i], kReorderTol);
}

TEST(DesignLimits, TheTargetElseTheCriterionOfTheOwnOrTheProjectsZone)
{
    const auto value = [](const std::optional<CLimit>& limit) {
        return limit ? std::optional<double>(limit->m_dValue) : std::nullopt;
    };
    CProjectSettings s;
    CReceiverPoint r;
    CBuilding b;
    EXPECT_FALSE(DesignReceiverLimit(r, s, EPeriod::kDay));
    s.m_nCriterion = static_cast<int>(ECriterion::kTrafficManagement);
    s.m_strZone = "가";
    EXPECT_EQ(value(DesignReceiverLimit(r, s, EPeriod::kNight)), 58.0);
    r.m_strZone = "나";
    EXPECT_EQ(value(DesignReceiverLimit(r, s, EPeriod::kDay)), 73.0);
    r.m_dTargetLevel = 61.5;  // a target judges the day only
    EXPECT_EQ(value(DesignReceiverLimit(r, s, EPeriod::kDay)), 61.5);
    EXPECT_EQ(value(DesignReceiverLimit(r, s, EPeriod::kNight)), 63.0);
    EXPECT_EQ(value(DesignBuildingLimit(b, s, EPeriod::kDay)), 68.0);
    s.m_nCriterion = static_cast<int>(ECriterion::kApartmentOutdoor);
    EXPECT_EQ(value(DesignBuildingLimit(b, s, EPeriod::kDay)), 65.0);
    EXPECT_FALSE(DesignBuildingLimit(b, s, EPeriod::kNight));
    s.m_nCriterion = static_cast<int>(ECriterion::kUserDefined);
    s.m_dUserDayLimit = 63.0;
    EXPECT_EQ(value(DesignBuildingLimit(b, s, EPeriod::kDay)), 63.0);
    EXPECT_FALSE(DesignBuildingLimit(b, s, EPeriod::kNight));
}

// The rows of a design carry the limits the result table and the per-floor table judge by,
// in every criterion and period, and are judged as those tables judge.
TEST(DesignLimits, RowsTakeTheTablesLimitsAndJudgement)
{
    CMyTalvoDoc doc = DesignProject();
    doc.m_settings.m_dNightTrafficRatio = 0.1;
    doc.m_arrReceiver[0].m_dTargetLevel = 61.5;
    doc.m_arrReceiver[1].m_strZone = "나";
    const auto same = [](const std::optional<CLimit>& a, const std::optional<CLimit>& b) {
        return a.has_value() == b.has_value() && (!a || (a->m_dValue == b->m_dValue && a->m_bBelow == b->m_bBelow));
    };
    for (ECriterion criterion : {ECriterion::kNone, ECriterion::kTrafficManagement, ECriterion::kApartmentOutdoor}) {
        ChooseCriterion(doc.m_settings, criterion);
        for (EPeriod period : {EPeriod::kDay, EPeriod::kNight}) {
            CDesignTarget receivers;
            receivers.m_arrReceiver = {0, 1, 2};
            receivers.m_ePeriod = period;
            const CDesignSet set = MakeDesignSet(doc, receivers);
            for (const CDesignRow& row : set.m_arrRow) {
                const CReceiverPoint& p = doc.m_arrReceiver[static_cast<std::size_t>(row.m_nReceiver)];
                EXPECT_TRUE(same(row.m_limit, ReceiverLimit(p, doc.m_settings, period))) << row.m_strName;
            }
            CDesignTarget floors = NightBuilding();
            floors.m_ePeriod = period;
            for (const CDesignRow& row : MakeDesignSet(doc, floors).m_arrRow)
                EXPECT_TRUE(same(row.m_limit, BuildingLimit(doc.m_arrBuilding[0], doc.m_settings, period)));
        }
    }
    // Without a criterion a receiver's target judges its day only, and the floors are held
    // to the housing rule: below 65 dB(A) in the day.
    ChooseCriterion(doc.m_settings, ECriterion::kNone);
    CDesignTarget receiver;
    receiver.m_arrReceiver = {0};
    receiver.m_ePeriod = EPeriod::kNight;
    EXPECT_FALSE(MakeDesignSet(doc, receiver).m_arrRow[0].m_limit);
    CDesignTarget floors = NightBuilding();
    floors.m_ePeriod = EPeriod::kDay;
    const std::optional<CLimit> housing = MakeDesignSet(doc, floors).m_arrRow[0].m_limit;
    ASSERT_TRUE(housing);
    EXPECT_EQ(housing->m_dValue, 65.0);
    EXPECT_TRUE(housing->m_bBelow);

    // A floor shown at 65.00 exceeds 65 "미만"; one shown at 65.00 meets 65 "이하".
    CDesignSet set;
    set.m_arrRow.push_back({"101동 1층", -1, 0, 1, CLimit{65.0, true, false}, {0}});
    set.m_arrRow.push_back({"101동 2층", -1, 0, 2, CLimit{65.0, false, false}, {1}});
    set.m_arrRow.push_back({"101동 3층", -1, 0, 3, CLimit{65.0, false, false}, {2}});
    const CDesignTable table = MakeDesignTable(set, {64.996, 65.004, 65.006}, {}, {});
    EXPECT_EQ(table.m_arrRow[0].m_eCheck, EDesignCheck::kExceeds);
    EXPECT_EQ(table.m_arrRow[1].m_eCheck, EDesignCheck::kMet);
    EXPECT_EQ(table.m_arrRow[2].m_eCheck, EDesignCheck::kExceeds);
}
