// Refining a noise map where its classes change: the refined bands still tile the grid,
// the iso-lines follow a jump of the level within the finest size, nothing is computed
// where no energy arrives or in the soil, and the result is the same on any number of
// threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>

#include "isoband_test_support.h"
#include "maps/noise_map_isobands.h"
#include "maps/noise_map_isolines.h"
#include "maps/noise_map_refine.h"
#include "maps/noise_map_refinement.h"
#include "maps/noise_map_shapes.h"
#include "model/bands.h"
#include "test_tolerances.h"

using namespace bandtest;

namespace {

const std::vector<double> kEdges{50, 55, 60, 65, 70};

// A disc of 72 dB (centre (93, 71), radius 47 m) on a gentle slope of 52 .. 58 dB: the
// level jumps across the circle, as it does at the edge of a barrier's shadow.
double Disc(double u, double v) { return std::hypot(u - 93, v - 71) < 47 ? 72.0 : 52 + 0.03 * u; }

// A ridge of 72 dB 2.4 m wide (narrower than the grid's squares) along v = 0.37 u + 31.
double Ridge(double u, double v) { return std::fabs(v - (0.37 * u + 31)) < 1.2 ? 72.0 : 52 + 0.03 * u; }

// A 21 x 16 grid 10 m apart over 0..200 x 0..150 with levels from `field`.
template <class Field>
CNoiseMapGrid RefineGrid(Field field)
{
    CNoiseMapGrid g;
    for (int i = 0; i <= 20; ++i)
        g.m_arrU.push_back(10.0 * i);
    for (int j = 0; j <= 15; ++j)
        g.m_arrV.push_back(10.0 * j);
    for (double u : g.m_arrU)
        for (double v : g.m_arrV)
            g.m_arrLevel.push_back(field(u, v));
    g.m_dEndU = 200;
    g.m_dEndV = 150;
    return g;
}

CNoiseMapGrid Refined(double (*field)(double, double), int threads, std::atomic<int>* calls = nullptr)
{
    CNoiseMapGrid g = RefineGrid(field);
    CRunProgress progress;
    const CMapLevelAt levelAt = [field, calls](double u, double v) {
        if (calls)
            ++*calls;
        return field(u, v);
    };
    EXPECT_EQ(RefineNoiseMap(g, levelAt, {true, 0, kEdges}, progress, threads, 1'000'000), ERefineResult::Refined);
    EXPECT_EQ(progress.Done(), progress.Total());
    return g;
}

double RingsArea(const std::vector<CIsoband>& bands)
{
    double area = 0;
    for (const CIsoband& b : bands)
        for (const CMapPolygon& p : b.polygons) {
            area += RingArea(p.exterior);
            for (const CMapRing& hole : p.holes)
                area += RingArea(hole);
        }
    return area;
}

}  // namespace

TEST(NoiseMapRefine, DivisionsFollowTheFinestSizeAsPowersOfTwo)
{
    const CNoiseMapGrid g = RefineGrid(Disc);  // 10 m spacing
    EXPECT_EQ(RefineDivisions(g, 0), 16);      // spacing / 16
    EXPECT_EQ(RefineDivisions(g, 1.0), 16);    // 0.625 m: the largest size not above 1 m
    EXPECT_EQ(RefineDivisions(g, 0.625), 16);
    EXPECT_EQ(RefineDivisions(g, 0.01), 128);  // 0.078 m; 0.039 would lie below 0.05 m
    EXPECT_EQ(RefineDivisions(g, 20), 1);      // no finer than the grid: not refined
    EXPECT_DOUBLE_EQ(FinestSize(g, 16), 0.625);
}

TEST(NoiseMapRefine, RefinedBandsTileTheGridAndIsoLinesFollowTheJump)
{
    std::atomic<int> calls{0};
    const CNoiseMapGrid g = Refined(Disc, 2, &calls);
    ASSERT_TRUE(g.m_pRefinement);
    const double finest = FinestSize(g, g.m_pRefinement->Divisions());
    // Far fewer points than a uniform grid as fine: 321 x 241 nodes.
    EXPECT_EQ(std::size_t(calls), g.m_pRefinement->Evaluations());
    EXPECT_LT(g.m_pRefinement->Evaluations(), 321u * 241u / 10u);

    const std::vector<CIsoband> bands = Isobands(g, kEdges);
    EXPECT_NEAR(RingsArea(bands), 200.0 * 150.0, kAreaTol);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> ru(0, 200), rv(0, 150);
    for (int n = 0; n < 2000; ++n) {
        const double u = ru(random), v = rv(random);
        const std::vector<std::size_t> holding = BandsHolding(bands, u, v);
        ASSERT_EQ(holding.size(), 1u) << "overlap or gap at " << u << "," << v;
        // Away from the circle the band is the level's own (the slope is linear, so the
        // squares interpolate it exactly).
        const CIsoband& band = bands[holding[0]];
        if (std::fabs(std::hypot(u - 93, v - 71) - 47) > 2 * finest) {
            EXPECT_TRUE(Disc(u, v) >= band.lower && Disc(u, v) < band.upper) << u << "," << v;
        }
    }
    // Every iso-line of the jump runs along the circle, within the finest size.
    for (double edge : {60.0, 65.0, 70.0}) {
        const std::vector<CIsoSegment> line = IsoSegments(g, edge);
        ASSERT_FALSE(line.empty());
        for (const CIsoSegment& s : line)
            for (const auto& [u, v] : {std::pair{s.u0, s.v0}, std::pair{s.u1, s.v1}})
                EXPECT_LT(std::fabs(std::hypot(u - 93, v - 71) - 47), finest * std::sqrt(2.0)) << edge;
    }
}

TEST(NoiseMapRefine, ARidgeNarrowerThanTheSquaresIsFollowedFromEndToEnd)
{
    // Few nodes lie on the ridge; the squares between them are divided because their sides
    // carry the ridge's points where a neighbour divided, and so on along it.
    const CNoiseMapGrid g = Refined(Ridge, 2);
    const std::vector<CIsoband> bands = Isobands(g, kEdges);
    for (double u = 0.5; u < 200; u += 0.5) {
        const double v = 0.37 * u + 31;
        if (v > 149.5)
            break;
        const std::vector<std::size_t> holding = BandsHolding(bands, u, v);
        ASSERT_EQ(holding.size(), 1u);
        EXPECT_EQ(bands[holding[0]].lower, 70.0) << "the ridge is lost at u = " << u;
    }
}

TEST(NoiseMapRefine, TheSameRefinementAndShapesOnAnyNumberOfThreads)
{
    const CNoiseMapGrid one = Refined(Disc, 1), three = Refined(Disc, 3);
    ASSERT_TRUE(one.m_pRefinement && three.m_pRefinement);
    EXPECT_TRUE(std::ranges::equal(one.m_pRefinement->Keys(), three.m_pRefinement->Keys()));
    EXPECT_TRUE(std::ranges::equal(one.m_pRefinement->Levels(), three.m_pRefinement->Levels()));
    const std::vector<CIsoband> a = Isobands(one, kEdges, 1), b = Isobands(one, kEdges, 3);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        ASSERT_EQ(a[k].polygons.size(), b[k].polygons.size());
        for (std::size_t p = 0; p < a[k].polygons.size(); ++p) {
            const CMapRing &ra = a[k].polygons[p].exterior, &rb = b[k].polygons[p].exterior;
            ASSERT_EQ(ra.size(), rb.size());
            for (std::size_t q = 0; q < ra.size(); ++q)
                EXPECT_TRUE(ra[q].u == rb[q].u && ra[q].v == rb[q].v);
        }
    }
    // The iso-lines of every edge in one pass, on any number of threads, are those of each
    // edge one after the other (the screen's lines and the isolines layer agree).
    std::vector<CIsoSegment> each;
    for (double edge : kEdges) {
        const std::vector<CIsoSegment> part = IsoSegments(one, edge, 1);
        each.insert(each.end(), part.begin(), part.end());
    }
    for (int threads : {1, 3}) {
        const std::vector<CIsoSegment> all = IsoSegments(one, kEdges, threads);
        ASSERT_EQ(all.size(), each.size());
        for (std::size_t k = 0; k < all.size(); ++k)
            EXPECT_TRUE(all[k].u0 == each[k].u0 && all[k].v0 == each[k].v0 && all[k].u1 == each[k].u1 &&
                        all[k].v1 == each[k].v1 && all[k].level == each[k].level);
    }
}

TEST(NoiseMapRefine, NothingIsComputedWhereNoEnergyArrivesNorInTheSoil)
{
    // A block without energy (a building) across the disc's edge: never refined into.
    const auto building = [](double u, double v) {
        return u > 118 && u < 162 && v > 48 && v < 92 ? kNoEnergy : Disc(u, v);
    };
    CNoiseMapGrid plan = RefineGrid(building);
    std::atomic<int> inBlock = 0;  // the level function runs on both workers
    CRunProgress progress;
    const CMapLevelAt planLevel = [&](double u, double v) {
        inBlock += u > 118 && u < 162 && v > 48 && v < 92;
        return building(u, v);
    };
    ASSERT_EQ(RefineNoiseMap(plan, planLevel, {true, 0, kEdges}, progress, 2, 1'000'000), ERefineResult::Refined);
    ASSERT_TRUE(plan.m_pRefinement);
    EXPECT_EQ(inBlock.load(), 0);
    EXPECT_TRUE(BandsHolding(MapShapes(plan, ClassMapScale()).bands, 140, 70).empty());

    // Below v = 20 + u / 10 lies the soil of a section: the level function does not map it,
    // so the points there are interpolated, and the bands still reach down into it for the
    // ground line to clip them.
    const auto ground = [](double u) { return 20 + u / 10; };
    CNoiseMapGrid section = RefineGrid([&](double u, double v) { return v < ground(u) ? kNoEnergy : Disc(u, v); });
    section.m_kind = CNoiseMapGrid::EKind::Section;
    for (double u : section.m_arrU)
        section.m_arrGround.push_back(ground(u));
    std::atomic<int> inSoil = 0;
    const CMapLevelAt sectionLevel = [&](double u, double v) {
        if (v >= ground(u))
            return Disc(u, v);
        ++inSoil;
        return std::nan("");
    };
    ASSERT_EQ(RefineNoiseMap(section, sectionLevel, {true, 0, kEdges}, progress, 2, 1'000'000), ERefineResult::Refined);
    ASSERT_TRUE(section.m_pRefinement);
    EXPECT_GT(inSoil.load(), 0);
    EXPECT_EQ(section.m_pRefinement->Evaluations() + std::size_t(inSoil.load()), section.m_pRefinement->Keys().size());
    EXPECT_EQ(BandsHolding(SectionMapShapes(section, ClassMapScale()).bands, 100, 28).size(), 1u);
}

TEST(NoiseMapRefine, TooManyPointsOrAUniformRequestLeaveTheGridUnrefined)
{
    CNoiseMapGrid g = RefineGrid(Disc);
    CRunProgress progress;
    const CMapLevelAt levelAt = [](double u, double v) { return Disc(u, v); };
    EXPECT_EQ(RefineNoiseMap(g, levelAt, {true, 0, kEdges}, progress, 2, 2000), ERefineResult::TooManyPoints);
    EXPECT_FALSE(g.m_pRefinement);
    EXPECT_EQ(RefineNoiseMap(g, levelAt, {false, 0, kEdges}, progress, 2, 1'000'000), ERefineResult::Refined);
    EXPECT_FALSE(g.m_pRefinement);
    // Unrefined, the shapes are those of the nodes alone.
    EXPECT_EQ(IsoSegments(g, 65).size(), IsoSegments(RefineGrid(Disc), 65).size());
    progress.RequestCancel();
    EXPECT_EQ(RefineNoiseMap(g, levelAt, {true, 0, kEdges}, progress, 2, 1'000'000), ERefineResult::Cancelled);
    EXPECT_FALSE(g.m_pRefinement);
}
