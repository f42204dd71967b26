// Levels that the last bit of a rounding must not decide: a receiver in a reflector's plane,
// a top edge on the line of sight, and edges seen under one angle.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/propagation_air.h"
#include "engine/propagation_obstacle.h"
#include "engine/propagation_reflection.h"
#include "engine/propagation_screening.h"
#include "test_tolerances.h"

namespace {

constexpr double kTenLgThree = 4.7712;

const Bands kTieWavelength = PrepareAirTables(20.0, 70.0, 101.325).m_dWavelength;
const Bands kTieNoGround{};

CObstacle TieWall(double sx, double sy, double ex, double ey, double top)
{
    CObstacle o;
    o.m_vStart = {sx, sy, 0};
    o.m_vEnd = {ex, ey, 0};
    o.m_dTop = top;
    return o;
}

Bands Screen(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& walls)
{
    CScreeningScratch scratch;
    return Screening(s, r, walls, -1, kTieWavelength, kTieNoGround, scratch);
}

}  // namespace

TEST(RoundingTies, ReceiverWithinAMicrometreOfAReflectorsPlaneGetsNoReflection)
{
    // The wall y = -10 mirrors S; a receiver 5e-7 m in front of it lies in its plane (the
    // image path would end at the wall), one 2e-6 m in front does not.
    const CObstacle wall = TieWall(-50, -10, 50, -10, 5);
    const CMVector s(0, 0, 0.5);
    EXPECT_FALSE(FindReflection(wall, s, {10, -10 + 5e-7, 1.5}).m_bHit);
    EXPECT_FALSE(FindReflection(wall, s, {10, -10, 1.5}).m_bHit);
    EXPECT_TRUE(FindReflection(wall, s, {10, -10 + 2e-6, 1.5}).m_bHit);
}

TEST(RoundingTies, TopEdgeOnTheLineOfSightCountsAsNotAboveIt)
{
    // S (0,0,0), R (100,0,z): the line of sight crosses the wall x = 50 at z/2. A top within
    // 1e-6 m of it is not above it: the single edge below the line of sight, z = 0, gives
    // 10 lg 3 and the lateral paths are left out, whatever the cosine's rounding (at z = 2
    // it comes out above 1, at 4 exactly 1, at 6 below 1). A top 2e-6 m above is above:
    // the lateral paths around the 10 m wide wall then open the screen.
    for (const double z : {2.0, 4.0, 6.0}) {
        for (const double off : {-5e-7, 0.0, 5e-7}) {
            const Bands a = Screen({0, 0, 0}, {100, 0, z}, {TieWall(50, -5, 50, 5, z / 2 + off)});
            for (int j = 0; j < kBandCount; ++j)
                EXPECT_NEAR(a[j], kTenLgThree, kLevelTol) << "z " << z << " offset " << off << " band " << j;
        }
        const Bands above = Screen({0, 0, 0}, {100, 0, z}, {TieWall(50, -5, 50, 5, z / 2 + 2e-6)});
        EXPECT_LT(above[0], kTenLgThree - 1.0) << "z " << z;
    }
}

TEST(RoundingTies, CosinePastOneStillFormsTheAngleOfAnEdgeOnTheLineOfSight)
{
    // At z = 2 the cosine between S->R and S->T computes to 1 + 2e-16: clamped to 1, the
    // edge keeps its points and lies on the line of sight (angle 0, not above).
    const CObstacle wall = TieWall(50, -5, 50, 5, 1.0);
    const CMVector s(0, 0, 0), r(100, 0, 2);
    const CDiffractionPoint rec = MakeDiffractionRecord(wall, s, r, CrossPlane(wall, s, r).m_vPoint);
    EXPECT_FALSE(IsAbsent(rec.m_vTopD1));
    EXPECT_FALSE(IsAbsent(rec.m_vTopD2));
    EXPECT_FALSE(IsAboveLineOfSight(rec.m_dTopRank1));
    EXPECT_FALSE(IsAboveLineOfSight(rec.m_dTopRank2));
    EXPECT_EQ(RankAngle(rec.m_dTopRank1), 0.0);
}

TEST(RoundingTies, EdgesSeenUnderOneAngleKeepTheRecordMetFirst)
{
    // The path S->R crosses the walls x = 30 and x = 70 at 0.3 and 0.7 of its length; their
    // tops lie on one ray from S, so their angles at S are equal, but the computed ranks
    // differ in the last bits for most h. The top at 70 m is the higher one seen from R, so
    // it is D2 either way; D1 is the record met first. Met first, the wall at 70 m makes a
    // single edge, as if alone; the wall at 30 m met first makes a double diffraction
    // (C3 > 1), several dB more. The walls reach 30 km to each side, so that their lateral
    // paths add next to nothing.
    const CMVector s(0, 0, 0.5), r(100, 37, 1.3);
    for (int k = 0; k < 24; ++k) {
        const double h = 3.0 + 0.37 * k;
        const CObstacle wall30 = TieWall(30, -3e4, 30, 3e4, h);
        const CObstacle wall70 = TieWall(70, -3e4, 70, 3e4, 0.5 + (h - 0.5) * (0.7 / 0.3));
        const Bands alone = Screen(s, r, {wall70});
        const Bands wall70First = Screen(s, r, {wall70, wall30});
        const Bands wall30First = Screen(s, r, {wall30, wall70});
        for (int j = 4; j < kBandCount; ++j) {
            EXPECT_NEAR(wall70First[j], alone[j], 1e-3) << "h " << h << " band " << j;
            EXPECT_GT(wall30First[j], alone[j] + 1.0) << "h " << h << " band " << j;
        }
    }
}

TEST(RoundingTies, RankAnglesCompareWithinANanoradian)
{
    const double a = 1.0 - std::cos(0.3);
    EXPECT_NEAR(RankAngle(a), 0.3, 1e-12);
    EXPECT_NEAR(RankAngle(-a), -0.3, 1e-12);
    EXPECT_FALSE(RanksAbove(1.0 - std::cos(0.3 + 5e-10), a));
    EXPECT_TRUE(RanksAbove(1.0 - std::cos(0.3 + 2e-9), a));
    // Near 0 a ranking value of 1e-19 is an angle of about 4.5e-10 rad: equal to 0.
    EXPECT_FALSE(RanksAbove(1e-19, 0.0));
    EXPECT_TRUE(RanksAbove(1e-17, -1e-17));
    EXPECT_FALSE(RanksAbove(kUndeterminedRank, 0.0));
    EXPECT_TRUE(RanksAbove(0.0, kUndeterminedRank));
}
