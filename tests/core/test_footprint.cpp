#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "model/building_check.h"
#include "model/footprint.h"
#include "model/footprint_set.h"

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

// The set files the footprints in cells; it must answer as testing every footprint in
// order does: blocks wall to wall (the first wins on the shared wall), a long diagonal one
// covering many cells, one with an infinite vertex, points on walls and corners, points
// far outside and not numbers.
TEST(FootprintSet, AnswersAsTestingEveryFootprintInOrder)
{
    std::vector<CBuilding> buildings;
    auto add = [&buildings](std::vector<CMVector> ring) {
        buildings.emplace_back();
        buildings.back().m_arrFootprint = std::move(ring);
    };
    for (int i = 0; i < 30; ++i)
        for (int j = 0; j < 30; ++j)
            add(Ring({{i * 10.0, j * 12.0},
                      {i * 10.0 + 10, j * 12.0},
                      {i * 10.0 + 10, j * 12.0 + 8},
                      {i * 10.0, j * 12.0 + 8}}));
    add(Ring({{-50, -60}, {400, 350}, {401, 349}, {-49, -61}}));
    add(Ring({{1000, 0}, {std::numeric_limits<double>::infinity(), 0}, {1000, 5}}));
    add(Ring({{600, 600}, {610, 600}, {605, 609}}));
    const CFootprintSet set(buildings);
    auto everyFootprint = [&buildings](const CMVector& p) {
        for (std::size_t i = 0; i < buildings.size(); ++i)
            if (InsideOrOnFootprint(buildings[i].m_arrFootprint, p))
                return static_cast<int>(i);
        return -1;
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(-100, 700);
    std::vector<CMVector> points = {{10, 4, 0},    {20, 12, 0}, {300, 360, 0},       {0, 0, 0},
                                    {605, 609, 0}, {1e9, 0, 0}, {std::nan(""), 5, 0}};
    for (int k = 0; k < 20000; ++k)
        points.emplace_back(x(random), x(random), 0.0);
    for (int k = 0; k < 2000; ++k)  // on the walls of the blocks
        points.emplace_back(std::floor(x(random) / 10) * 10, x(random), 0.0);
    int inside = 0;
    for (const CMVector& p : points) {
        const int expected = everyFootprint(p);
        inside += expected >= 0;
        ASSERT_EQ(set.BuildingAt(p), expected) << p.x << ", " << p.y;
    }
    EXPECT_EQ(set.BuildingAt({10, 4, 0}), 0);  // the wall shared by blocks 1 and 2
    EXPECT_GT(inside, 2000);
    EXPECT_EQ(CFootprintSet().BuildingAt({0, 0, 0}), -1);
}

// The whole check sweeps the boxes in order instead of comparing every pair; it must name
// the same building and the same other one as asking building by building does.
TEST(BuildingCheck, TheWholeCheckNamesWhatAskingOneByOneNames)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> at(0, 400), size(2, 30);
    for (int round = 0; round < 40; ++round) {
        std::vector<CBuilding> buildings(60);
        for (CBuilding& b : buildings) {
            const double x = at(random), y = at(random), w = size(random), h = size(random);
            b.m_arrFootprint = Ring({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}});
            if (random() % 25 == 0)  // a bow tie, refused for its shape
                std::swap(b.m_arrFootprint[1], b.m_arrFootprint[2]);
        }
        std::string oneByOne;
        for (std::size_t i = 0; i < buildings.size() && oneByOne.empty(); ++i)
            oneByOne = BuildingProblem(buildings, i);
        ASSERT_EQ(FindUnusableBuilding(buildings), oneByOne) << "round " << round;
    }
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
