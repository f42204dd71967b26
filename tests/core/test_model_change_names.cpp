// Undo steps are named after what a commit changed: the field of one entity, the entity,
// or how many were added, deleted or changed, numbered from 1 as the windows show them.

#include <gtest/gtest.h>

#include <vector>

#include "model/bands.h"
#include "model/model_change_names.h"

namespace {

std::vector<CBarrier_Stage> ThreeBarrierStages()
{
    std::vector<CBarrier_Stage> barriers(3);
    for (int i = 0; i < 3; ++i)
        barriers[i].SetGeometry(10.0 * i, 0, 10.0 * i + 5, 0, 3, 0);
    return barriers;
}

}  // namespace

TEST(ModelChangeNames, NameOneFieldOfEachKind)
{
    std::vector<CRoad> roads(2), roads2 = roads;
    roads2[1].m_nSourceCount = 40;
    EXPECT_EQ(ChangeName(roads, roads2), "도로 2 이산 소음원 개수 변경");
    std::vector<CBarrier_Stage> barriers = ThreeBarrierStages(), barriers2 = barriers;
    barriers2[1].m_dHeight = 4.5;
    EXPECT_EQ(ChangeName(barriers, barriers2), "방음벽 2 높이 변경");
    std::vector<CSungto> embankments(1), embankments2 = embankments;
    embankments2[0].m_nDirection = 1;
    EXPECT_EQ(ChangeName(embankments, embankments2), "성토 1 방향 변경");
    std::vector<CJulto> cuttings(1), cuttings2 = cuttings;
    cuttings2[0].m_dWidth = 12;
    EXPECT_EQ(ChangeName(cuttings, cuttings2), "절토 1 너비 변경");
    std::vector<CTunnel> tunnels(1), tunnels2 = tunnels;
    tunnels2[0].m_nWallMaterial = 2;
    EXPECT_EQ(ChangeName(tunnels, tunnels2), "터널 1 벽면 재질 변경");
    std::vector<CReceiverPoint> receivers(2), receivers2 = receivers;
    receivers2[0].m_dAreaFactor = 0.5;
    EXPECT_EQ(ChangeName(receivers, receivers2), "수음점 1 수음영역 지면계수 변경");
    EXPECT_EQ(ChangeName(EEnvField::ReceiverHeight), "수음점 높이 변경");
    EXPECT_EQ(ChangeName(EEnvField::Temperature), "온도 변경");
}

// A road's length and whole-length levels follow its ends: moving an end names the end
// only, since the window's levels per metre stay; a value the window rounds to the same
// two decimals is no change.
TEST(ModelChangeNames, ValuesCountAsTheWindowsShowThem)
{
    std::vector<CRoad> roads(1);
    roads[0].m_dEndX = 100;
    roads[0].m_dLength = 100;
    roads[0].m_dUserPowerLevel.fill(60 + LengthTerm(100));
    std::vector<CRoad> moved = roads;
    moved[0].m_dEndX = 200;
    moved[0].m_dLength = 200;
    moved[0].m_dAngle = 0.1;
    moved[0].m_dUserPowerLevel.fill(60 + LengthTerm(200));
    EXPECT_EQ(ChangeName(roads, moved), "도로 1 종료점 X 변경");
    std::vector<CBarrier_Stage> barriers = ThreeBarrierStages(), rounded = barriers;
    rounded[2].m_dHeight = 3.001;
    EXPECT_EQ(ChangeName(barriers, rounded), "방음벽 변경");
}

TEST(ModelChangeNames, SeveralFieldsOrEntitiesAdditionsAndDeletions)
{
    const std::vector<CBarrier_Stage> barriers = ThreeBarrierStages();
    std::vector<CBarrier_Stage> changed = barriers;
    changed[1].m_dHeight = 5;
    changed[1].m_nAttenuator = 2;
    EXPECT_EQ(ChangeName(barriers, changed), "방음벽 2 변경");
    changed = barriers;
    changed[0].m_dHeight = 5;
    changed[2].m_pDescription = "north";
    EXPECT_EQ(ChangeName(barriers, changed), "방음벽 2개 변경");

    changed = barriers;
    changed.push_back(barriers[0]);
    changed.back().m_dStartX = 99;
    EXPECT_EQ(ChangeName(barriers, changed), "방음벽 4 추가");
    changed.push_back(changed.back());
    EXPECT_EQ(ChangeName(barriers, changed), "방음벽 2개 추가");
    changed = barriers;
    changed.erase(changed.begin() + 1);
    EXPECT_EQ(ChangeName(barriers, changed), "방음벽 2 삭제");
    EXPECT_EQ(ChangeName(barriers, {}), "방음벽 3개 삭제");
    changed = barriers;  // one changed and one added: the kind alone
    changed[1].m_dHeight = 8;
    changed.push_back(changed[1]);
    EXPECT_EQ(ChangeName(barriers, changed), "방음벽 변경");
}
