#include <gtest/gtest.h>

#include "model/entities.h"
#include "model/model_change_names.h"

TEST(NightChangeNames, TheNightPanelsPartsNameTheStep)
{
    CRoad road;
    road.m_dLength = 100;
    road.m_dUserPowerLevel.fill(90);
    std::vector<CRoad> before = {road}, after = before;
    after[0].m_bNightTraffic = true;
    after[0].m_dNightVolume[4] = 300;
    EXPECT_EQ(ChangeName(before, after), "도로 1 야간 교통량 변경");
    before = after;
    after[0].m_bNightPower = true;
    after[0].m_dNightPowerLevel.fill(85);
    EXPECT_EQ(ChangeName(before, after), "도로 1 야간 음향파워레벨 변경");
    // Night values kept while their part is not ticked change nothing the window shows.
    before[0].m_bNightTraffic = after[0].m_bNightTraffic = false;
    after[0].m_dNightVolume[4] = 10;
    after[0].m_bNightPower = before[0].m_bNightPower;
    EXPECT_EQ(ChangeName(before, after), "도로 변경");

    std::vector<CTunnel> tunnels(1), changed(1);
    changed[0].m_bNightPower = true;
    EXPECT_EQ(ChangeName(tunnels, changed), "터널 1 야간 음향파워레벨 변경");
}
