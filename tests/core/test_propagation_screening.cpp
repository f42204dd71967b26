// Screening: diffraction records, the top and lateral path cases, the caps, the
// flat-path term and the top-device rule, against values worked out by hand from
// ISO 9613-2, eqs. (14), (15) and (18).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/propagation_air.h"
#include "engine/propagation_diffraction.h"
#include "engine/propagation_screening.h"
#include "test_tolerances.h"

namespace {

const Bands kWavelength = PrepareAirTables(20.0, 70.0, 101.325).m_dWavelength;  // c = 343.2 m/s
const Bands kNoGround{};

CObstacle Wall(double sx, double sy, double ex, double ey, double height, int attenuator = 0)
{
    static int count = 0;
    CObstacle o;
    o.m_nIndex = count++;
    o.m_vStart = {sx, sy, 0};
    o.m_vEnd = {ex, ey, 0};
    o.m_dTop = height;
    o.m_nAttenuator = attenuator;
    return o;
}

}  // namespace

TEST(Screening, NoObstacleGivesTheFlatPathTerm)
{
    // Three open paths: -10 lg 3 = -4.77, raised to 0, then 4.8 - 0 for a level path.
    CScreeningScratch scratch;
    const Bands a = Screening({0, 0, 1}, {100, 0, 1}, {}, -1, kWavelength, kNoGround, scratch);
    for (double v : a)
        EXPECT_NEAR(v, 4.8, kLevelTol);
    // d_h = 100, dz = 1: 4.8 - (34 + 6) * 1 / 100 = 4.4.
    EXPECT_NEAR(FlatPathTerm({0, 0, 0}, {100, 0, 1}), 4.4, kLevelTol);
    // Steep path: the term is not applied; straight above: undefined, not applied.
    EXPECT_EQ(FlatPathTerm({0, 0, 0}, {10, 0, 5}), 0.0);
    EXPECT_EQ(FlatPathTerm({0, 0, 0}, {0, 0, 5}), 0.0);
}

TEST(Screening, SingleTopEdgeOnTheLineOfSightGivesTenLgThreeLessGround)
{
    CPathPoints p;
    p.m_bFound = true;
    p.m_vD1 = p.m_vD2 = {5, 0, 0};
    const CTopResult top = TopPathAttenuation({0, 0, 0}, {10, 0, 0}, p, 0.3432, -3.0);
    EXPECT_EQ(top.m_eCase, ETopCase::kSingleAbove);
    EXPECT_NEAR(top.m_dValue, 4.7712 + 3.0, kLevelTol);
}

TEST(Screening, EdgesBelowTheLineOfSight)
{
    CPathPoints p;
    p.m_bFound = true;
    p.m_dRank1 = p.m_dRank2 = -0.04;
    // z = 100 - 2 * sqrt(2500 + 4) = -0.07987; 20/0.3432 * z = -4.65 < -1: no screening.
    p.m_vD1 = p.m_vD2 = {50, 0, 0};
    const CTopResult far = TopPathAttenuation({0, 0, 2}, {100, 0, 2}, p, 0.3432, 0.0);
    EXPECT_EQ(far.m_eCase, ETopCase::kSingleBelow);
    EXPECT_EQ(far.m_dValue, 0.0);
    // 63 Hz, lambda = 5.4476: x = -0.2932, D_T = 10 lg(2.7068) = 4.3246.
    const CTopResult low = TopPathAttenuation({0, 0, 2}, {100, 0, 2}, p, 343.2 / 63.0, 0.0);
    EXPECT_NEAR(low.m_dValue, 4.3246, kLevelTol);
    // Two edges below: z = 100 - (2 * sqrt(1600 + 4) + 20) = -0.09994, C3 = 1.30468 at 63 Hz:
    // x = 20 / 5.4476 * 1.30468 * -0.09994 = -0.47869, D_T = 10 lg(2.52131) = 4.0163.
    p.m_vD1 = {40, 0, 0};
    p.m_vD2 = {60, 0, 0};
    const CTopResult two = TopPathAttenuation({0, 0, 2}, {100, 0, 2}, p, 343.2 / 63.0, 0.0);
    EXPECT_EQ(two.m_eCase, ETopCase::kTwoBelow);
    EXPECT_NEAR(two.m_dValue, 4.0163, kLevelTol);
}

TEST(Screening, LateralDoubleDiffraction)
{
    // S (0,0,0), R (100,0,0), edges (40,10,0) and (60,10,0), 1 kHz (lambda 0.3432):
    // e = 20, z = 2 * 41.2311 + 20 - 100 = 2.4621, C3 = 1.007362 / 0.340695 = 2.9568,
    // D = 10 lg(3 + 58.275 * 2.9568 * 2.4621) = 26.3067.
    CPathPoints p;
    p.m_bFound = true;
    p.m_vD1 = {40, 10, 0};
    p.m_vD2 = {60, 10, 0};
    const CLateralResult lat = LateralPathAttenuation({0, 0, 0}, {100, 0, 0}, p, 0.3432);
    EXPECT_EQ(lat.m_eCase, ELateralCase::kDouble);
    EXPECT_NEAR(lat.m_dValue, 26.3067, kLevelTol);
    p.m_vD2.z = kAbsentHeight;
    EXPECT_EQ(LateralPathAttenuation({0, 0, 0}, {100, 0, 0}, p, 0.3432).m_dValue, 0.0);
}

TEST(Screening, TwoWallsScreenDoublyUpToThirtyDecibels)
{
    // Walls 20 m wide and 10 m high at x = 20 and x = 80 between S (0,0,1) and R (100,0,1).
    // Top: e = 60, z = 2 * sqrt(481) + 60 - 100 = 3.8634 with K_met; laterals: e = 60,
    // z = 2 * sqrt(500) - 40 = 4.7214. By hand (eq. 14, 15, 18), before the cap:
    // 11.0925, 14.7275, 17.9592, 21.0160, 24.0299, 27.0368, 30.0441, 33.0526.
    // Both laterals are double and the top is not single: the cap is 30, not 25.
    CScreeningScratch scratch;
    const std::vector<CObstacle> walls{Wall(20, -10, 20, 10, 10), Wall(80, -10, 80, 10, 10)};
    const Bands a = Screening({0, 0, 1}, {100, 0, 1}, walls, -1, kWavelength, kNoGround, scratch);
    const double expected[8] = {11.0925, 14.7275, 17.9592, 21.0160, 24.0299, 27.0368, 30.0, 30.0};
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_NEAR(a[j], expected[j], kLevelTol) << "band " << j;
    ASSERT_EQ(scratch.m_arrRecord.size(), 2u);
    EXPECT_NEAR(scratch.m_arrRecord[0].m_vTopD1.x, 20.0, 1e-9);
    EXPECT_NEAR(scratch.m_arrRecord[0].m_dExtentLeft1, 10.0, 1e-9);
    // One wall alone: single diffraction everywhere, capped at 25.
    const Bands one =
        Screening({0, 0, 1}, {100, 0, 1}, {Wall(50, -10, 50, 10, 30)}, -1, kWavelength, kNoGround, scratch);
    EXPECT_LE(one[7], 25.0 + 1e-12);
}

TEST(Screening, TopDeviceAddsItsInsertionValueToTheTopPath)
{
    // S (0,0,0.5), R (60,0,1.5), a wall 4 m high at x = 20 running 5 km each way.
    // Top: z = 20.3039 + 40.0780 - 60.0083 = 0.37357 with K_met; laterals nearly closed.
    // By hand, A_bar without a device and with kind 1 (3.0 dB on D_T):
    const double none[8] = {6.2390, 7.3195, 8.9152, 10.9968, 13.4558, 16.1618, 19.0115, 21.9393};
    const double kind1[8] = {9.2380, 10.3189, 11.9148, 13.9965, 16.4555, 19.1615, 22.0112, 24.9390};
    CScreeningScratch scratch;
    const Bands a0 =
        Screening({0, 0, 0.5}, {60, 0, 1.5}, {Wall(20, -5000, 20, 5000, 4, 0)}, -1, kWavelength, kNoGround, scratch);
    const Bands a1 =
        Screening({0, 0, 0.5}, {60, 0, 1.5}, {Wall(20, -5000, 20, 5000, 4, 1)}, -1, kWavelength, kNoGround, scratch);
    for (int j = 0; j < kBandCount; ++j) {
        EXPECT_NEAR(a0[j], none[j], kLevelTol) << "band " << j;
        EXPECT_NEAR(a1[j], kind1[j], kLevelTol) << "band " << j;
    }
    EXPECT_EQ(kAttenuatorInsertion[0], 0.0);
    EXPECT_EQ(kAttenuatorInsertion[10], 0.4);
}

TEST(Screening, RecordsOnlyObstaclesCrossingThePath)
{
    CScreeningScratch scratch;
    // Beside the path in plan, behind the receiver, and below the line of sight.
    const std::vector<CObstacle> walls{Wall(20, 5, 20, 15, 10), Wall(120, -10, 120, 10, 10),
                                       Wall(50, -10, 50, 10, 0.5)};
    CollectDiffractionRecords({0, 0, 1}, {100, 0, 1}, walls, -1, scratch);
    EXPECT_TRUE(scratch.m_arrRecord.empty());
    // The skipped obstacle is left out.
    CollectDiffractionRecords({0, 0, 1}, {100, 0, 1}, {Wall(50, -10, 50, 10, 5)}, 0, scratch);
    EXPECT_TRUE(scratch.m_arrRecord.empty());
}

TEST(Screening, NarrowObstacleTakesNoPartAtLowBands)
{
    // A wall 2 m wide: extents 1 + 1 = 2 m, wider than lambda only from 250 Hz (1.37 m) up.
    // At 63 and 125 Hz all three paths are open: 0, then the flat-path term 4.8.
    // At 250 Hz: laterals z = 2 sqrt(2501) - 100 = 0.02, D = 5.1737; top z = 1.6016 with
    // K_met 0.8680, D_T = 13.6773; A_bar = -10 lg(10^-1.36773 + 2 * 10^-0.51737) = 1.8673.
    CScreeningScratch scratch;
    const Bands a = Screening({0, 0, 1}, {100, 0, 1}, {Wall(50, -1, 50, 1, 10)}, -1, kWavelength, kNoGround, scratch);
    EXPECT_NEAR(a[0], 4.8, kLevelTol);
    EXPECT_NEAR(a[1], 4.8, kLevelTol);
    EXPECT_NEAR(a[2], 1.8673, kLevelTol);
}

TEST(Screening, EdgesOfEqualAngleKeepTheEarlierObstacle)
{
    // Two walls on the same line and of the same height: their top edges are seen under
    // exactly the same angles, so the earlier wall's record gives the path, and with it
    // its top device (kind 1, 3.0 dB) or none.
    CScreeningScratch scratch;
    const CObstacle device = Wall(20, -5000, 20, 5000, 4, 1), plain = Wall(20, -4000, 20, 4000, 4, 0);
    const Bands first = Screening({0, 0, 0.5}, {60, 0, 1.5}, {device, plain}, -1, kWavelength, kNoGround, scratch);
    const Bands second = Screening({0, 0, 0.5}, {60, 0, 1.5}, {plain, device}, -1, kWavelength, kNoGround, scratch);
    const Bands alone = Screening({0, 0, 0.5}, {60, 0, 1.5}, {device}, -1, kWavelength, kNoGround, scratch);
    for (int j = 0; j < kBandCount; ++j) {
        EXPECT_EQ(first[j], alone[j]) << "band " << j;
        EXPECT_LT(second[j], first[j] - 2.9) << "band " << j;
    }
}

TEST(Screening, PathGrazingAnObstacleEndIsFoundWithAndWithoutSectors)
{
    // A wall 10 m high: a crossing beyond its end by d adds 10 d to the four triangles of
    // the rectangle test, which allows 1e-5 m^2. So a path 5e-7 m beyond the end meets
    // the wall and one 1e-5 m beyond does not, with or without the receiver's sectors.
    const std::vector<CObstacle> walls{Wall(50, -10, 50, 10, 10)};
    for (const double beyond : {5e-7, 1e-5}) {
        const CMVector s(0, 10 + beyond, 1), r(100, 10 + beyond, 1);
        CObstacleSectors sectors;
        sectors.Build(walls, r);
        CScreeningScratch all, near;
        CollectDiffractionRecords(s, r, walls, -1, all);
        CollectDiffractionRecords(s, r, walls, -1, near, &sectors);
        EXPECT_EQ(all.m_arrRecord.size(), beyond < 1e-6 ? 1u : 0u);
        EXPECT_EQ(near.m_arrRecord.size(), all.m_arrRecord.size());
    }
}

TEST(Screening, SectorsListEveryObstacleAPathFromTheReceiverCanCross)
{
    // Walls all around, some passing next to the receiver or across the direction -X
    // (where the angle wraps); paths to sources everywhere, some through wall ends.
    std::vector<CObstacle> walls;
    std::uint32_t seed = 12345;
    const auto next = [&seed](double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * (seed >> 8) / 16777216.0;
    };
    for (int i = 0; i < 40; ++i) {
        const double x = next(-200, 200), y = next(-200, 200), a = next(0, 6.3), l = next(1, 60);
        walls.push_back(Wall(x, y, x + l * std::cos(a), y + l * std::sin(a), next(1, 12)));
    }
    walls.push_back(Wall(-0.5, -30, -0.5, 30, 5));    // 0.5 m from the receiver
    walls.push_back(Wall(-50, -0.01, -50, 0.01, 5));  // straight along -X
    const CMVector r(0, 0, 1.5);
    CObstacleSectors sectors;
    sectors.Build(walls, r);
    CScreeningScratch all, near;
    int crossings = 0;
    for (int k = 0; k < 3000; ++k) {
        CMVector s(next(-250, 250), next(-250, 250), next(0, 3));
        if (k % 10 == 0) {  // aim at a wall's end
            const CObstacle& w = walls[k % walls.size()];
            s = r + (w.m_vEnd - CMVector(r.x, r.y, 0)) * next(1.0, 3.0);
            s.z = 0.5;
        }
        CollectDiffractionRecords(s, r, walls, -1, all);
        CollectDiffractionRecords(s, r, walls, -1, near, &sectors);
        ASSERT_EQ(all.m_arrRecord.size(), near.m_arrRecord.size()) << "path " << k;
        for (std::size_t i = 0; i < all.m_arrRecord.size(); ++i)
            EXPECT_EQ(all.m_arrRecord[i].m_nIndex, near.m_arrRecord[i].m_nIndex);
        crossings += static_cast<int>(all.m_arrRecord.size());
    }
    EXPECT_GT(crossings, 1000);
}

TEST(Screening, EnergyFormIsTheEnergyOfTheAttenuationFromFlatPathToEitherCap)
{
    // No wall (the flat-path term), a low wall (below 0 dB in some bands), a wall in the
    // line of sight, a high wall (the 25 dB cap) and two high walls (the 30 dB cap).
    const std::vector<std::vector<CObstacle>> cases = {
        {},
        {Wall(50, -30, 50, 30, 0.8)},
        {Wall(50, -30, 50, 30, 2.0)},
        {Wall(50, -500, 50, 500, 30)},
        {Wall(40, -500, 40, 500, 40), Wall(60, -500, 60, 500, 40)},
    };
    const CMVector s{0, 0, 0.5}, r{100, 3, 4};
    Bands ground{};
    ground.fill(-2.0);
    for (std::size_t n = 0; n < cases.size(); ++n) {
        CScreeningScratch scratch;
        const Bands a = Screening(s, r, cases[n], -1, kWavelength, ground, scratch);
        const Bands e = ScreeningEnergy(s, r, cases[n], -1, kWavelength, ground, scratch);
        for (int j = 0; j < kBandCount; ++j)
            EXPECT_NEAR(-10.0 * std::log10(e[j]), a[j], 1e-9) << "case " << n << " band " << j;
    }
}

namespace {

// The rectangle test by its definition: the four triangles a point forms with the sides
// add up to the rectangle's area, within 1e-5 m^2.
bool InsideByAreas(const CObstacle& o, const CMVector& p)
{
    const CMVector v[4] = {{o.m_vStart.x, o.m_vStart.y, o.m_dBottom},
                           {o.m_vEnd.x, o.m_vEnd.y, o.m_dBottom},
                           {o.m_vEnd.x, o.m_vEnd.y, o.m_dTop},
                           {o.m_vStart.x, o.m_vStart.y, o.m_dTop}};
    double sum = 0.0;
    for (int i = 0; i < 4; ++i)
        sum += 0.5 * Length(Cross(v[i] - p, v[(i + 1) % 4] - p));
    return sum - o.PlanLength() * (o.m_dTop - o.m_dBottom) < 1e-5;
}

}  // namespace

TEST(Screening, RectangleTestAgreesWithTheAreaRuleNearEveryEdge)
{
    // Points in the plane of a slanted wall and just off it, from well inside to well beyond
    // the ends, the top and the bottom, in steps that cross each margin of the test.
    CObstacle o = Wall(10, 20, 70, 100, 9);
    o.m_dBottom = -2;
    const double len = o.PlanLength();
    const CMVector along = (o.m_vEnd - o.m_vStart) / len, normal{-along.y, along.x, 0};
    const double offsets[] = {-0.5, -0.02, -1e-3, -1e-6, -1e-9, 0.0, 1e-9, 1e-6, 1e-3, 0.02, 0.5};
    int inside = 0, total = 0;
    for (double u : offsets)
        for (double uEnd : {0.0, len})
            for (double z : {-2.0, 3.0, 9.0})
                for (double dz : offsets)
                    for (double off : {0.0, 1e-10, 1e-3}) {
                        CMVector p = o.m_vStart + along * (uEnd + u) + normal * off;
                        p.z = z + dz;
                        const bool expected = InsideByAreas(o, p);
                        EXPECT_EQ(InsideRectangle(o, p), expected) << u << " " << uEnd << " " << z << " " << dz;
                        inside += expected;
                        ++total;
                    }
    EXPECT_GT(inside, 0);
    EXPECT_LT(inside, total);
}

TEST(Screening, QuickSideTestNeverRejectsAnObstacleThePathCrossesInPlan)
{
    // Obstacles whose ends sit just beside the slanted path s->r, on one side or across it,
    // from touching the line to well clear of it: wherever CrossesInPlan finds a crossing
    // (its 0.01 m tolerance included) the quick test must leave the obstacle in.
    const CMVector s{3, -7, 1}, r{203, 93, 4};
    const CPathLine path(s, r);
    const CMVector dir = (r - s) / PlanLength(r - s), normal{-dir.y, dir.x, 0};
    const double offsets[] = {-0.2, -0.06, -0.04, -0.004, 0.0, 0.004, 0.04, 0.06, 0.2, 5.0};
    int beside = 0, crossing = 0;
    for (double along : {20.0, 120.0})
        for (double a : offsets)
            for (double b : offsets)
                for (double skew : {0.0, 3.0}) {
                    const CMVector p = s + dir * along;
                    const CMVector start = p + normal * a, end = p + normal * b + dir * skew;
                    const CObstacle o = Wall(start.x, start.y, end.x, end.y, 10);
                    const bool quick = path.PassesBeside(o), crosses = CrossesInPlan(o, s, r);
                    EXPECT_FALSE(quick && crosses) << along << " " << a << " " << b << " " << skew;
                    beside += quick;
                    crossing += crosses;
                }
    EXPECT_GT(beside, 0);
    EXPECT_GT(crossing, 0);
}

TEST(Screening, OnePassCrossingDecidesAsTheSeparateTestsToTheBit)
{
    // Walls of every heading; paths through them, past their ends within and beyond the plan
    // tolerance, just over and under their tops, along them, and from points on their lines
    // or a hair off: the one-pass test must decide as CrossesInPlan, CrossPlane,
    // InsideRectangle and LiesInPlane do, and give CrossPlane's point to the bit.
    std::uint32_t seed = 777;
    const auto next = [&seed](double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * (seed >> 8) / 16777216.0;
    };
    const double offsets[] = {0.0, 1e-7, 1e-6, 2e-6, 0.009, 0.011, 0.5};
    int agreed = 0, crossings = 0;
    for (int k = 0; k < 20000; ++k) {
        const double x = next(-100, 100), y = next(-100, 100), a = next(0, 6.3), l = next(0.05, 40);
        const CObstacle o = Wall(x, y, x + l * std::cos(a), y + l * std::sin(a), next(0.5, 12));
        const CMVector u = (o.m_vEnd - o.m_vStart) / l, n{-u.y, u.x, 0};
        const double along = k % 3 == 0 ? (k % 2 ? -1.0 : 1.0) * offsets[k % 7] + (k % 2 ? 0.0 : l) : next(0, l);
        const CMVector hit = o.m_vStart + u * along;
        const double top = o.m_dTop + (k % 5 == 0 ? (k % 2 ? 1.0 : -1.0) * offsets[k % 7] : next(-3, -0.1));
        CMVector s = hit + n * next(1, 80) + u * next(-20, 20), r = hit - (s - hit) * next(0.2, 3);
        s.z = next(0, 3);
        r.z = top + (top - s.z) * PlanLength(r - hit) / PlanLength(s - hit);
        if (k % 11 == 0)  // the source on the wall's line, or a hair off it
            s = o.m_vStart + u * next(-10, l + 10) + n * (k % 2 ? 1.0 : -1.0) * offsets[k % 7];
        if (k % 13 == 0)  // a path along the wall
            r = s + u * next(5, 50);
        const CPlaneCrossing c = CrossPlane(o, s, r);
        const bool expected = CrossesInPlan(o, s, r) && c.m_bCrosses && InsideRectangle(o, c.m_vPoint) &&
                              !LiesInPlane(o, s) && !LiesInPlane(o, r);
        CMVector point(-1, -1, -1);
        const bool found = CrossesObstacle(o, CPathLine(s, r), point);
        ASSERT_EQ(found, expected) << "path " << k;
        if (found) {
            EXPECT_EQ(point.x, c.m_vPoint.x);
            EXPECT_EQ(point.y, c.m_vPoint.y);
            EXPECT_EQ(point.z, c.m_vPoint.z);
            ++crossings;
        }
        ++agreed;
    }
    EXPECT_GT(crossings, 3000);
    EXPECT_LT(crossings, agreed - 3000);
}
