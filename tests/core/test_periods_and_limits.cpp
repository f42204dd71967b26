#include <gtest/gtest.h>

#include <cmath>

#include "model/noise_limits.h"
#include "model/period_powers.h"

TEST(PeriodPowers, OwnNightPowersElseTheRatioElseNone)
{
    CProjectSettings s;
    CRoad road;
    road.m_dUserPowerLevel.fill(100.0);
    EXPECT_FALSE(NightPowerLevels(road, s).has_value());
    s.m_dNightTrafficRatio = 0.1;
    EXPECT_NEAR((*NightPowerLevels(road, s))[3], 90.0, 1e-12);
    s.m_dNightTrafficRatio = 0.0;
    EXPECT_FALSE(HasEnergy((*NightPowerLevels(road, s))[0]));
    road.m_bNightPower = true;
    road.m_dNightPowerLevel.fill(93.5);
    EXPECT_EQ((*NightPowerLevels(road, s))[7], 93.5);
}

TEST(NoiseLimits, ZonesPeriodsAndTheUsersValues)
{
    EXPECT_EQ(LimitOf(ECriterion::kTrafficManagement, "가", EPeriod::kDay, 0, 0), 68.0);
    EXPECT_EQ(LimitOf(ECriterion::kTrafficManagement, "나", EPeriod::kNight, 0, 0), 63.0);
    EXPECT_EQ(LimitOf(ECriterion::kRoadsideStandard, "라", EPeriod::kNight, 0, 0), 70.0);
    EXPECT_EQ(LimitOf(ECriterion::kApartmentOutdoor, "", EPeriod::kDay, 0, 0), 65.0);
    EXPECT_FALSE(LimitOf(ECriterion::kApartmentOutdoor, "", EPeriod::kNight, 0, 0));
    EXPECT_FALSE(LimitOf(ECriterion::kRoadsideStandard, "마", EPeriod::kDay, 0, 0));
    EXPECT_FALSE(LimitOf(ECriterion::kNone, "가", EPeriod::kDay, 0, 0));
    EXPECT_EQ(LimitOf(ECriterion::kUserDefined, "", EPeriod::kNight, 60, 52.5), 52.5);
    EXPECT_FALSE(LimitOf(ECriterion::kUserDefined, "", EPeriod::kNight, 60, std::nan("")));
}
