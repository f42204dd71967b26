#include <gtest/gtest.h>

#include <limits>

#include "model/building.h"
#include "model/compliance.h"
#include "model/entities.h"
#include "model/project_settings.h"

namespace {

CReceiverPoint ReceiverAt(double dayOverall, double nightOverall)
{
    // One band carrying the whole level makes the overall level that band's.
    CReceiverPoint r;
    r.m_dLevel = NoEnergyBands();
    r.m_dLevel[4] = dayOverall;
    r.m_dNightLevel[4] = nightOverall;
    return r;
}

CProjectSettings Criterion(ECriterion criterion, const std::string& zone)
{
    CProjectSettings s;
    s.m_nCriterion = static_cast<int>(criterion);
    s.m_strZone = zone;
    return s;
}

}  // namespace

TEST(Compliance, TargetInTheDayElseTheCriterionOfTheOwnOrProjectZone)
{
    CProjectSettings s = Criterion(ECriterion::kRoadsideStandard, "다");
    CReceiverPoint r = ReceiverAt(60, 50);
    EXPECT_EQ(ReceiverLimit(r, s, EPeriod::kDay)->m_dValue, 70.0);
    EXPECT_EQ(ReceiverLimit(r, s, EPeriod::kNight)->m_dValue, 60.0);
    r.m_strZone = "라";
    EXPECT_EQ(ReceiverLimit(r, s, EPeriod::kNight)->m_dValue, 70.0);
    r.m_dTargetLevel = 58.5;
    const std::optional<CLimit> day = ReceiverLimit(r, s, EPeriod::kDay);
    EXPECT_EQ(day->m_dValue, 58.5);
    EXPECT_TRUE(day->m_bTarget);
    // The target is a day design level: the night keeps the criterion's.
    EXPECT_EQ(ReceiverLimit(r, s, EPeriod::kNight)->m_dValue, 70.0);
    s.m_nCriterion = 0;
    EXPECT_FALSE(ReceiverLimit(r, s, EPeriod::kNight));
    // Out-of-range criteria in a file are no criterion, and a target that is no number no target.
    s.m_nCriterion = 99;
    EXPECT_FALSE(ReceiverLimit(ReceiverAt(60, 50), s, EPeriod::kDay));
    r.m_dTargetLevel = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ReceiverLimit(r, s, EPeriod::kDay));

    // Apartment blocks keep the housing rule when the project names no criterion.
    CBuilding b;
    EXPECT_EQ(BuildingLimit(b, s, EPeriod::kDay)->m_dValue, 65.0);
    EXPECT_TRUE(BuildingLimit(b, s, EPeriod::kDay)->m_bBelow);
    EXPECT_FALSE(BuildingLimit(b, s, EPeriod::kNight));
    s = Criterion(ECriterion::kTrafficManagement, "가");
    EXPECT_EQ(BuildingLimit(b, s, EPeriod::kNight)->m_dValue, 58.0);
    b.m_strZone = "나";
    EXPECT_EQ(BuildingLimitAt({b}, 0, s, EPeriod::kDay)->m_dValue, 73.0);
    EXPECT_FALSE(BuildingLimitAt({b}, 1, s, EPeriod::kDay));
}

TEST(Compliance, JudgedAsShownAndTheHousingRuleWantsLevelsBelowIt)
{
    const CLimit atOrBelow{68.0, false, false};
    EXPECT_EQ(Judge(68.004, atOrBelow), EJudgement::kMeets);  // shown as 68.00
    EXPECT_EQ(Judge(68.005, atOrBelow), EJudgement::kExceeds);
    const std::optional<CLimit> housing =
        CriterionLimit(Criterion(ECriterion::kApartmentOutdoor, ""), "", EPeriod::kDay);
    EXPECT_EQ(Judge(64.994, housing), EJudgement::kMeets);
    EXPECT_EQ(Judge(65.0, housing), EJudgement::kExceeds);
    EXPECT_EQ(Judge(70.0, std::nullopt), EJudgement::kNoLimit);
    EXPECT_EQ(Judge(kNoEnergy, atOrBelow), EJudgement::kNoLevel);
    EXPECT_NEAR(*Exceedance(66.5, atOrBelow), -1.5, 1e-12);
    EXPECT_FALSE(Exceedance(kNoEnergy, atOrBelow));
    // A user-defined criterion without a night value has no night limit.
    CProjectSettings user = Criterion(ECriterion::kUserDefined, "");
    user.m_dUserDayLimit = 60.0;
    EXPECT_EQ(CriterionLimit(user, "", EPeriod::kDay)->m_dValue, 60.0);
    EXPECT_FALSE(CriterionLimit(user, "", EPeriod::kNight));
}

TEST(Compliance, SummariesNeverCountReceiversWithoutALimitAsMeeting)
{
    CProjectSettings none;
    std::vector<CReceiverPoint> receivers = {ReceiverAt(70, 60), ReceiverAt(50, 40)};
    EXPECT_EQ(ExceedingSummary(JudgeReceivers(receivers, none, EPeriod::kDay)), "기준 없음");
    receivers[1].m_dTargetLevel = 55;
    EXPECT_EQ(ExceedingSummary(JudgeReceivers(receivers, none, EPeriod::kDay)), "없음 (기준 없음: 1)");
    receivers[0].m_dTargetLevel = 65;
    EXPECT_EQ(ExceedingSummary(JudgeReceivers(receivers, none, EPeriod::kDay)), "1");

    const CProjectSettings s = Criterion(ECriterion::kTrafficManagement, "가");
    EXPECT_EQ(ExceedingSummary(JudgeReceivers(receivers, s, EPeriod::kNight)), "1");
    for (CReceiverPoint& r : receivers)
        r.m_dNightLevel = NoEnergyBands();
    EXPECT_EQ(ExceedingSummary(JudgeReceivers(receivers, s, EPeriod::kNight)), "결과 없음");

    std::vector<CReceiverPoint> many(40, ReceiverAt(80, 70));
    EXPECT_NE(ExceedingSummary(JudgeReceivers(many, s, EPeriod::kDay)).find("30 외 10개"), std::string::npos);
}

TEST(Compliance, FloorsOfEachPeriodJudgedByTheirBuildingsZone)
{
    CFacadeReceiver low, high;
    low.m_nFloor = 1;
    high.m_nFloor = 2;
    low.m_dLevel = high.m_dLevel = NoEnergyBands();
    low.m_dLevel[4] = 66.0;
    low.m_dNightLevel[4] = 57.0;
    high.m_dLevel[4] = 69.0;
    high.m_dNightLevel[4] = 59.0;
    CBuilding b;
    b.m_pName = "101동";
    const CProjectSettings s = Criterion(ECriterion::kTrafficManagement, "가");
    const std::vector<CFloorSummary> night = SummariseFloors({low, high}, EPeriod::kNight);
    ASSERT_EQ(night.size(), 2u);
    EXPECT_EQ(night[1].m_dMax, 59.0);
    const CPeriodJudgement j = JudgeFloors(night, {b}, s, EPeriod::kNight);
    EXPECT_EQ(j.m_arrExceeding, std::vector<std::string>{"101동 2층"});
    EXPECT_EQ(j.m_arrMeeting, std::vector<std::string>{"101동 1층"});
    b.m_strZone = "나";
    EXPECT_EQ(ExceedingSummary(JudgeFloors(SummariseFloors({low, high}, EPeriod::kDay), {b}, s, EPeriod::kDay)),
              "없음");
}
