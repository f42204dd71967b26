#include <gtest/gtest.h>

#include "model/building.h"
#include "model/compliance.h"
#include "model/criterion_rules.h"
#include "model/entities.h"
#include "model/project_settings.h"

TEST(CriterionRules, ChosenCriterionKeepsAKnownZoneElseTakesItsFirst)
{
    CProjectSettings s;
    ChooseCriterion(s, ECriterion::kRoadsideStandard);
    EXPECT_EQ(s.m_nCriterion, static_cast<int>(ECriterion::kRoadsideStandard));
    EXPECT_EQ(s.m_strZone, "가");
    s.m_strZone = "다";
    ChooseCriterion(s, ECriterion::kTrafficManagement);  // knows 가 and 나 only
    EXPECT_EQ(s.m_strZone, "가");
    s.m_strZone = "나";
    ChooseCriterion(s, ECriterion::kRoadsideStandard);
    EXPECT_EQ(s.m_strZone, "나");
    ChooseCriterion(s, ECriterion::kNone);
    EXPECT_EQ(s.m_strZone, "");
}

TEST(CriterionRules, TypedValuesAreTakenWholeOrNotAtAll)
{
    CProjectSettings s;
    EXPECT_TRUE(ApplyUserLimit(s, EPeriod::kDay, " 62.5 "));
    EXPECT_EQ(s.m_dUserDayLimit, 62.5);
    EXPECT_FALSE(s.m_dUserNightLimit);
    for (const char* bad : {"62,5", "62.5dB", "nan", "inf", "1e999", "-"}) {
        EXPECT_FALSE(ApplyUserLimit(s, EPeriod::kDay, bad)) << bad;
        EXPECT_EQ(s.m_dUserDayLimit, 62.5) << bad;
    }
    EXPECT_TRUE(ApplyUserLimit(s, EPeriod::kDay, ""));
    EXPECT_FALSE(s.m_dUserDayLimit);

    EXPECT_TRUE(ApplyNightTrafficRatio(s, "0.3"));
    EXPECT_EQ(s.m_dNightTrafficRatio, 0.3);
    EXPECT_FALSE(ApplyNightTrafficRatio(s, "-0.1"));
    EXPECT_EQ(s.m_dNightTrafficRatio, 0.3);
    EXPECT_TRUE(ApplyNightTrafficRatio(s, "0"));  // no night traffic at all is a ratio
    EXPECT_EQ(s.m_dNightTrafficRatio, 0.0);
    EXPECT_TRUE(ApplyNightTrafficRatio(s, "\t"));
    EXPECT_FALSE(s.m_dNightTrafficRatio);
}

TEST(CriterionRules, OnlyTargetsAndZonesLeaveLevelsStanding)
{
    CReceiverPoint r;
    r.SetPosition(1, 2, 3);
    std::vector<CReceiverPoint> before = {r}, after = before;
    after[0].m_dTargetLevel = 60;
    after[0].m_strZone = "나";
    EXPECT_TRUE(OnlyLimitsDiffer(before, after));
    after[0].m_dZ = 3.5;
    EXPECT_FALSE(OnlyLimitsDiffer(before, after));
    EXPECT_FALSE(OnlyLimitsDiffer(before, {r, r}));

    CBuilding b;
    b.m_arrFootprint = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    std::vector<CBuilding> buildings = {b}, zoned = buildings;
    zoned[0].m_strZone = "다";
    EXPECT_TRUE(OnlyLimitsDiffer(buildings, zoned));
    zoned[0].m_nFloors += 1;
    EXPECT_FALSE(OnlyLimitsDiffer(buildings, zoned));
    zoned = buildings;
    zoned[0].m_dAbsorption[3] = 0.5;
    EXPECT_FALSE(OnlyLimitsDiffer(buildings, zoned));
}
