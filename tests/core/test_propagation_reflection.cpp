// Reflections by an image source (ISO 9613-2, 7.5), worked by hand for one point
// source 10 m in front of a reflecting wall.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

#include "calc_test_support.h"
#include "engine/calculation.h"
#include "engine/propagation_air.h"
#include "engine/propagation_reflection.h"
#include "engine/reflector_bounds.h"
#include "test_tolerances.h"

using namespace calctest;

namespace {

// One piece of zero width at S (0,0,0.5), power 100 dB per band; R at (0,50,1.5);
// a wall 5 m high along y = -10 from x = -50 to 50 behind the source.
CMyTalvoDoc WallProject(double absorption)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.push_back(Road(-5, 0, 5, 0, 0.5, 0.0, 1, 100));
    doc.m_arrReceiver.push_back(Receiver(0, 50, 1.5));
    doc.m_arrBarrier.push_back(Barrier(-50, -10, 50, -10, 5.0, absorption));
    return doc;
}

Bands Reflection(CMyTalvoDoc doc)
{
    Calculate(doc);
    return doc.m_arrAttenuation.at(0).m_dReflection;
}

}  // namespace

TEST(Reflection, ReflectedLevelOfTheImageSource)
{
    // S' = (0,-20,0.5), |S'R| = sqrt(70^2 + 1) = 70.00714.
    // A_div = 20 lg 70.00714 + 11 = 47.9031; q = 1 - 30 * 2 / 70 = 0.142857, so at 1 kHz
    // A_gr = -3 - 3q = -3.42857; A_bar: flat path 4.8 - (34 + 600/70) / 70 = 4.19184.
    // L = 100 + 10 lg(1 - 0) - (70.00714 alpha + 47.9031 - 3.42857 + 4.19184).
    const CAirTables air = PrepareAirTables(20.0, 50.0, 101.5);
    const Bands refl = Reflection(WallProject(0.0));
    EXPECT_NEAR(refl[4], 51.3336 - 70.00714 * air.m_dAbsorption[4], kLevelTol);
}

TEST(Reflection, FresnelConditionDiscardsTheLowBands)
{
    // l_min = 5 (the plan length 100 is not below 5 - 0), cos beta = 0.99898,
    // d_so d_or / (d_so + d_or) = 10.001 * 60.006 / 70.007 = 8.572:
    // 2 lambda / (5 cos beta)^2 * 8.572 < 1 only for lambda < 1.455 m, from 250 Hz up.
    const Bands refl = Reflection(WallProject(0.0));
    EXPECT_EQ(refl[0], 0.0);
    EXPECT_EQ(refl[1], 0.0);
    for (int j = 2; j < kBandCount; ++j)
        EXPECT_NE(refl[j], 0.0) << "band " << j;
}

TEST(Reflection, AbsorptionLowersTheReflectionAndAbove0point8RemovesIt)
{
    const Bands hard = Reflection(WallProject(0.0));
    const Bands half = Reflection(WallProject(0.5));
    for (int j = 2; j < kBandCount; ++j)
        EXPECT_NEAR(half[j], hard[j] + 10.0 * std::log10(0.5), kLevelTol);
    const Bands absorbing = Reflection(WallProject(0.9));
    for (double v : absorbing)
        EXPECT_EQ(v, 0.0);
    EXPECT_FALSE(ReflectionValid(0.01, 100.0, 1.0, 10.0, 10.0, 0.9));
}

TEST(Reflection, TwoSidesAddAsEnergy)
{
    CMyTalvoDoc right = WallProject(0.0);
    CMyTalvoDoc left = right;
    left.m_arrBarrier[0] = Barrier(-50, 80, 50, 80, 5.0, 0.0);  // behind the receiver
    CMyTalvoDoc both = right;
    both.m_arrBarrier.push_back(left.m_arrBarrier[0]);
    const Bands r = Reflection(right), l = Reflection(left), b = Reflection(both);
    // The far wall reflects only from 1 kHz up (Fresnel condition); below, one side alone.
    for (int j = 2; j < 4; ++j) {
        EXPECT_EQ(l[j], 0.0);
        EXPECT_EQ(b[j], r[j]);
    }
    for (int j = 4; j < kBandCount; ++j)
        EXPECT_NEAR(b[j], 10.0 * std::log10(std::pow(10.0, r[j] / 10.0) + std::pow(10.0, l[j] / 10.0)), 1e-9);
    // A second wall on the same side, nearer the source, replaces the first: only the
    // last of a side counts.
    CMyTalvoDoc nearer = right;
    nearer.m_arrBarrier[0] = Barrier(-50, -5, 50, -5, 5.0, 0.5);
    CMyTalvoDoc twice = right;
    twice.m_arrBarrier.push_back(nearer.m_arrBarrier[0]);
    const Bands n = Reflection(nearer), t = Reflection(twice);
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_EQ(t[j], n[j]);
}

TEST(Reflection, SidesAndCombination)
{
    const CSourceLine line{{0, 0, 0}, {10, 0, 0}};
    EXPECT_TRUE(LeftOfSourceLine(line, {5, 3, 0}));
    EXPECT_FALSE(LeftOfSourceLine(line, {5, -3, 0}));
    EXPECT_EQ(CombineSides(0.0, 0.0), 0.0);
    EXPECT_EQ(CombineSides(40.0, 0.0), 40.0);
    EXPECT_NEAR(CombineSides(40.0, 40.0), 43.0103, kLevelTol);
    // A wall the image path misses (the receiver beside its end) reflects nothing.
    const CReflectionHit miss =
        FindReflection(CObstacle{{100, -10, 0}, {200, -10, 0}, 0, 5, 0, 0, 0}, {0, 0, 0.5}, {0, 50, 1.5});
    EXPECT_FALSE(miss.m_bHit);
}

TEST(Reflection, BandsAboveZeroPoint8AbsorptionAreInvalidAloneAndTheLastOfASideStillWins)
{
    // Absorption above 0.8 in some bands only: those bands reflect nothing, the others
    // are the hard wall's level less 10 lg(1 - alpha).
    const Bands hard = Reflection(WallProject(0.0));
    CMyTalvoDoc mixed = WallProject(0.0);
    mixed.m_arrBarrier[0].m_dAbsorption = {0.0, 0.0, 0.9, 0.0, 0.95, 0.2, 0.5, 0.81};
    const Bands m = Reflection(mixed);
    for (int j : {0, 1, 2, 4, 7})  // 63 and 125 Hz fail the Fresnel condition
        EXPECT_EQ(m[j], 0.0) << "band " << j;
    for (int j : {3, 5, 6})
        EXPECT_NEAR(m[j], hard[j] + 10.0 * std::log10(1.0 - mixed.m_arrBarrier[0].m_dAbsorption[j]), 1e-9);

    // A wall absorbing every band still takes its side's slot when it is the last
    // reflector hit on that side: no reflection. Listed first, the hard wall wins.
    CMyTalvoDoc absorbingLast = WallProject(0.0);
    absorbingLast.m_arrBarrier.push_back(Barrier(-50, -5, 50, -5, 5.0, 0.9));
    for (double v : Reflection(absorbingLast))
        EXPECT_EQ(v, 0.0);
    CMyTalvoDoc hardLast = absorbingLast;
    std::swap(hardLast.m_arrBarrier[0], hardLast.m_arrBarrier[1]);
    const Bands h = Reflection(hardLast);
    for (int j = 2; j < kBandCount; ++j)
        EXPECT_GT(h[j], 0.0) << "band " << j;
}

namespace {

// A bridge 200 m long carrying its pieces on the axis of its reflecting centre barrier,
// with a receiver 40 m to its left, the whole turned by 'heading' about (1000, 300).
CMyTalvoDoc TurnedBridge(double heading)
{
    const double c = std::cos(heading), s = std::sin(heading);
    const auto snap = [](double v) { return std::round(v * 1e6) / 1e6; };  // -X: exactly (1100, 300) to (900, 300)
    const auto turn = [&](double x, double y) {
        return CMVector(snap(1000 + x * c - y * s), snap(300 + x * s + y * c), 0);
    };
    const CMVector a = turn(-100, 0), b = turn(100, 0), rx = turn(10, 40);
    CMyTalvoDoc doc;
    CRoad bridge = Road(a.x, a.y, b.x, b.y, 8.0, 12.0, 20, 100);
    bridge.m_nRoadInfo = 1;
    bridge.m_dLeftBarrierHeight = bridge.m_dRightBarrierHeight = 1.0;
    bridge.m_dCentreBarrierHeight = 1.5;  // absorption 0 everywhere: a hard mirror
    doc.m_arrRoad.push_back(bridge);
    doc.m_arrReceiver.push_back(Receiver(rx.x, rx.y, 1.5));
    return doc;
}

double OverallLevel(CMyTalvoDoc doc)
{
    Calculate(doc);
    return EnergySum(doc.m_arrReceiver[0].m_dLevel);
}

}  // namespace

TEST(Reflection, BridgeCentreBarrierIsNoMirrorForItsOwnPieces)
{
    // Along +X the pieces lie exactly in the centre barrier's plane; turned, rounding puts
    // them about 1e-14 m off it, which must neither make the barrier mirror them at full
    // strength (some 3 dB more) nor screen them (up to 3.6 dB less at 0.01 rad).
    const double alongX = OverallLevel(TurnedBridge(0.0));
    EXPECT_NEAR(OverallLevel(TurnedBridge(0.01)), alongX, kLevelTol);
    EXPECT_NEAR(OverallLevel(TurnedBridge(0.6457)), alongX, kLevelTol);
    EXPECT_NEAR(OverallLevel(TurnedBridge(std::numbers::pi)), alongX, kLevelTol);  // heading -X
}

TEST(Reflection, BoundsPassEveryReflectionFindReflectionFindsAndRefuseMost)
{
    // Barriers (both faces) and walls (outer face only) all around, some short, some
    // grazed; receivers and sources everywhere: no hit is ever passed over, and most
    // reflectors that cannot reflect a source are already passed over for its run.
    std::uint32_t seed = 2024;
    const auto next = [&seed](double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * (seed >> 8) / 16777216.0;
    };
    std::vector<CReflector> reflectors;
    for (int i = 0; i < 150; ++i) {  // more than 64 kept for some receivers
        CReflector f;
        const double x = next(-150, 150), y = next(-150, 150), a = next(0, 6.3), l = next(0.5, 60);
        f.m_rect = CObstacle{{x, y, 0}, {x + l * std::cos(a), y + l * std::sin(a), 0}, 0, next(0.5, 30), 0, i, 0};
        f.m_bOuterFaceOnly = i % 2 == 1;
        f.m_vOuter = CMVector(std::sin(a), -std::cos(a), 0);
        PrepareReflector(f);
        reflectors.push_back(f);
    }
    int hits = 0, refused = 0, tested = 0;
    for (int k = 0; k < 40; ++k) {
        const CMVector r(next(-200, 200), next(-200, 200), next(0, 20));
        // Sources in runs about one place, as a road's pieces lie.
        std::vector<CRoad_Segment> pieces(200);
        for (std::size_t m = 0; m < pieces.size(); ++m) {
            const CMVector near = m % CReflectorBounds::kRunLength == 0
                                      ? CMVector(next(-250, 250), next(-250, 250), 0)
                                      : CMVector(pieces[m - 1].m_dX, pieces[m - 1].m_dY, 0);
            pieces[m].m_dX = near.x + next(-15, 15);
            pieces[m].m_dY = near.y + next(-15, 15);
            pieces[m].m_dZ = next(0, 5);
        }
        CReflectorBounds bounds;
        bounds.Build(reflectors, 0, r);
        bounds.BuildRuns(pieces);
        for (std::size_t m = 0; m < pieces.size(); ++m) {
            const CMVector s(pieces[m].m_dX, pieces[m].m_dY, pieces[m].m_dZ);
            std::size_t n = 0;
            for (int i = 0; i < static_cast<int>(reflectors.size()); ++i) {
                const bool kept = n < bounds.Candidates().size() && bounds.Candidates()[n] == i;
                const bool hit = FindReflection(reflectors[i], s, r).m_bHit;
                const bool may = kept && bounds.MayReflect(n, s);
                const bool inRun = kept && ((bounds.RunBits(m, n / 64) >> (n % 64)) & 1) != 0;
                n += kept ? 1 : 0;
                ASSERT_TRUE(!hit || may) << "reflector " << i << " receiver " << k << " source " << m;
                ASSERT_TRUE(!may || inRun) << "reflector " << i << " receiver " << k << " source " << m;
                hits += hit;
                refused += !inRun;
                ++tested;
            }
        }
    }
    EXPECT_GT(hits, 1000);
    EXPECT_GT(refused, tested * 3 / 4);
}
