#include <gtest/gtest.h>

#include <cmath>

#include "model/building_check.h"
#include "model/footprint.h"

namespace {

std::vector<CMVector> Ring(std::initializer_list<std::pair<double, double>> xy)
{
    std::vector<CMVector> r;
    for (auto [x, y] : xy)
        r.emplace_back(x, y, 0.0);
    return r;
}

}  // namespace

TEST(Footprint, CleaningDropsTheClosingVertexAndZeroLengthEdges)
{
    const auto clean = CleanFootprint(Ring({{0, 0}, {0, 0}, {10, 0}, {10, 5}, {10, 5}, {0, 5}, {0, 0}}));
    ASSERT_EQ(clean.size(), 4u);
    EXPECT_TRUE(HasArea(clean));
    EXPECT_FALSE(HasArea(CleanFootprint(Ring({{0, 0}, {5, 0}, {10, 0}}))));  // on one line
    EXPECT_FALSE(HasArea(CleanFootprint(Ring({{0, 0}, {5, 0}, {0, 0}}))));
}

TEST(Footprint, CrossingAndFoldingRingsAreFound)
{
    EXPECT_FALSE(SelfCrosses(Ring({{0, 0}, {10, 0}, {10, 5}, {0, 5}})));
    EXPECT_FALSE(SelfCrosses(Ring({{0, 0}, {10, 0}, {10, 10}, {5, 3}, {0, 10}})));  // concave
    EXPECT_TRUE(SelfCrosses(Ring({{0, 0}, {10, 5}, {10, 0}, {0, 5}})));             // a bow tie
    EXPECT_TRUE(SelfCrosses(Ring({{0, 0}, {10, 0}, {5, 0}, {5, 5}})));              // folds back
    EXPECT_TRUE(SelfCrosses(Ring({{0, 0}, {10, 0}, {10, 10}, {5, 0}, {0, 10}})));   // touches an edge
}

TEST(Footprint, InsideOnAndOutsideWithOutwardNormals)
{
    const auto ring = Ring({{0, 0}, {10, 0}, {10, 10}, {5, 3}, {0, 10}});
    EXPECT_TRUE(StrictlyInside(ring, {5, 1, 0}));
    EXPECT_FALSE(StrictlyInside(ring, {5, 5, 0}));  // in the notch
    EXPECT_TRUE(InsideOrOnFootprint(ring, {10, 4, 0}));
    EXPECT_FALSE(StrictlyInside(ring, {10, 4, 0}));
    for (double orientation : {SignedDoubleArea(ring), -SignedDoubleArea(ring)}) {
        std::vector<CMVector> r = ring;
        if (orientation < 0)
            r.assign(ring.rbegin(), ring.rend());
        const CMVector n = OutwardNormal(r[0], r[1], SignedDoubleArea(r));
        const CMVector mid = (r[0] + r[1]) * 0.5;
        EXPECT_FALSE(InsideOrOnFootprint(r, mid + n * 0.5));
        EXPECT_TRUE(StrictlyInside(r, mid - n * 0.5));
    }
}

TEST(Footprint, OverlapButNotTouching)
{
    const auto a = Ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_FALSE(FootprintsOverlap(a, Ring({{10, 0}, {20, 0}, {20, 10}, {10, 10}})));  // wall to wall
    EXPECT_FALSE(FootprintsOverlap(a, Ring({{10, 10}, {20, 10}, {20, 20}})));          // a corner
    EXPECT_TRUE(FootprintsOverlap(a, Ring({{5, 5}, {15, 5}, {15, 15}, {5, 15}})));
    EXPECT_TRUE(FootprintsOverlap(a, Ring({{2, 2}, {4, 2}, {4, 4}})));              // inside
    EXPECT_TRUE(FootprintsOverlap(a, Ring({{0, 10}, {10, 10}, {10, 0}, {0, 0}})));  // the same ring
    EXPECT_TRUE(FootprintsOverlap(a, Ring({{0, 0}, {10, 0}, {10, 10}})));           // half of it, edges shared
}

TEST(BuildingCheck, EachProblemIsNamedWithTheBuilding)
{
    CBuilding a;
    a.m_pName = "101동";
    a.m_arrFootprint = Ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    CBuilding b = a;
    b.m_pName.clear();
    b.m_arrFootprint = Ring({{20, 0}, {30, 0}, {30, 10}, {20, 10}});
    std::vector<CBuilding> all{a, b};
    EXPECT_EQ(FindUnusableBuilding(all), "");

    all[1].m_arrFootprint = Ring({{5, 5}, {15, 5}, {15, 15}});
    EXPECT_EQ(FindUnusableBuilding(all), "건물 1 (101동)이(가) 건물 2와(과) 겹칩니다.");
    all[1].m_arrFootprint = Ring({{20, 0}, {30, 10}, {30, 0}, {20, 10}});
    EXPECT_EQ(FindUnusableBuilding(all), "건물 2의 평면이 스스로 교차합니다.");
    all[1].m_arrFootprint = Ring({{20, 0}, {30, 0}, {20, 0}});
    EXPECT_NE(FindUnusableBuilding(all).find("건물 2의 평면은"), std::string::npos);
    all[1] = b;
    all[1].m_nFloors = 0;
    EXPECT_NE(FindUnusableBuilding(all).find("건물 2의 층수"), std::string::npos);
    all[1].m_nFloors = 3;
    all[1].m_dFloorHeight = std::nan("");
    EXPECT_NE(FindUnusableBuilding(all).find("건물 2의 층고"), std::string::npos);
    // 1,000 floors of 1e306 m stand infinitely high; 1,000 of 10 m is the highest allowed.
    all[1].m_nFloors = kMaxBuildingFloors;
    all[1].m_dFloorHeight = 1e306;
    EXPECT_EQ(FindUnusableBuilding(all), "건물 2의 높이(층수 × 층고)가 10000 m를 넘습니다.");
    all[1].m_dFloorHeight = 10.0;
    EXPECT_EQ(FindUnusableBuilding(all), "");
}
