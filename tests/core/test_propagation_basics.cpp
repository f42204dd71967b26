// Air absorption, ground and divergence of one path, against values worked out by
// hand from ISO 9613-1/-2; the exponential the path energies are taken with.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include "engine/fast_exp.h"
#include "engine/propagation_air.h"
#include "engine/propagation_divergence.h"
#include "engine/propagation_ground.h"
#include "test_tolerances.h"

namespace {

constexpr double kTableRelTol = 0.02;    // published table vs the formula
constexpr double kTableRounding = 0.05;  // dB/km: the 20 degree table is printed to 0.1

void ExpectNearTable(const CAirTables& air, const double (&table)[8])
{
    for (int j = 0; j < kBandCount; ++j) {
        const double perKm = air.m_dAbsorption[j] * 1000.0;
        const double tol = std::max(kTableRelTol * table[j], kTableRounding);
        EXPECT_NEAR(perKm, table[j], tol) << "band " << j;
    }
}

}  // namespace

TEST(AirTables, AgreeWithPublishedValuesAt20And10Degrees)
{
    const double at20[8] = {0.1, 0.3, 1.1, 2.8, 5.0, 9.0, 22.9, 76.6};
    const double at10[8] = {0.12, 0.41, 1.04, 1.93, 3.66, 9.66, 32.77, 116.88};
    ExpectNearTable(PrepareAirTables(20.0, 70.0, 101.325), at20);
    ExpectNearTable(PrepareAirTables(10.0, 70.0, 101.325), at10);
    // At 8 kHz the formula itself gives 77.6 and 118.4 dB/km.
    EXPECT_NEAR(PrepareAirTables(20.0, 70.0, 101.325).m_dAbsorption[7] * 1000.0, 77.6, 0.05);
    EXPECT_NEAR(PrepareAirTables(10.0, 70.0, 101.325).m_dAbsorption[7] * 1000.0, 118.4, 0.05);
    EXPECT_NEAR(PrepareAirTables(20.0, 70.0, 101.325).m_dAbsorption[4], 0.005, 0.0001);
}

TEST(AirTables, WavelengthsUseNominalFrequenciesAndSoundSpeedAt20Degrees)
{
    EXPECT_NEAR(SpeedOfSound(20.0), 343.2, 1e-9);
    const CAirTables air = PrepareAirTables(20.0, 50.0, 101.5);
    EXPECT_NEAR(air.m_dWavelength[0], 343.2 / 63.0, 1e-9);
    EXPECT_NEAR(air.m_dWavelength[4], 0.3432, 1e-9);
    EXPECT_NEAR(air.m_dWavelength[7], 343.2 / 8000.0, 1e-9);
    EXPECT_EQ(ExactBandFrequency(0), 62.5);
    const Bands a = AirAbsorption(air, 200.0);
    EXPECT_NEAR(a[3], 200.0 * air.m_dAbsorption[3], 1e-12);
}

TEST(GroundAttenuation, HardGroundAtTheSurfaceIsMinusSixInEveryBand)
{
    // h_s = h_r = 0 gives q = 1: 63 Hz -3 - 3 = -6; the others -1.5 - 1.5 - 3 = -6.
    const Bands a = GroundAttenuation({0, 0, 0}, {100, 0, 0}, 0.0, 0.0, {0.0, 0.0});
    for (double v : a)
        EXPECT_NEAR(v, -6.0, kLevelTol);
}

TEST(GroundAttenuation, ReceiverAboveMixedGround)
{
    // d_p = 100, h_s = 0, h_r = 1.5: q = 1 - 45/100 = 0.55.
    // 63 Hz: -3 - 1.65 = -4.65. 2 kHz with Gr = 0.5, Gm = 0.5: -1.5 + (-1.5 + 0.75) - 1.65*0.5 = -3.075.
    // 125 Hz: e1 = 1 - e^-2 = 0.864665, e2 = 1 - e^-0.028 = 0.027612;
    // a'(1.5) = 1.5 + 3 e^-1.47 * e1 + 5.7 e^-0.2025 * e2 = 1.5 + 0.596425 + 0.128535 = 2.224961;
    // A = -1.5 + (-1.5 + 0.5 * 2.224961) - 0.825 = -2.712520.
    const Bands a = GroundAttenuation({0, 0, 0}, {0, 100, 1.5}, 0.0, 0.0, {0.5, 0.5});
    EXPECT_NEAR(a[0], -4.65, kLevelTol);
    EXPECT_NEAR(a[1], -2.7125, kLevelTol);
    EXPECT_NEAR(a[5], -3.075, kLevelTol);
    EXPECT_NEAR(GroundMiddleFactor(100.0, 0.0, 1.5), 0.55, 1e-12);
}

TEST(GroundAttenuation, HeightsAreTakenAboveTheSectionGroundAndSourceNotBelowIt)
{
    // Ground 2 m under the receiver at 3.5 m: the same as 1.5 m over flat ground.
    const Bands raised = GroundAttenuation({0, 0, 0}, {0, 100, 3.5}, 0.0, 2.0, {0.5, 0.5});
    const Bands flat = GroundAttenuation({0, 0, 0}, {0, 100, 1.5}, 0.0, 0.0, {0.5, 0.5});
    // A source below its ground counts as standing on it.
    const Bands sunk = GroundAttenuation({0, 0, -1}, {0, 100, 1.5}, 0.0, 0.0, {0.5, 0.5});
    for (int j = 0; j < kBandCount; ++j) {
        EXPECT_NEAR(raised[j], flat[j], 1e-12);
        EXPECT_NEAR(sunk[j], flat[j], 1e-12);
        EXPECT_GE(raised[j], -6.0);
    }
    EXPECT_LE(raised[0], 0.0);
}

TEST(Divergence, HundredMetresAcrossThePieceIsFiftyOneDecibels)
{
    // Piece 5 m long, 3.6 m wide; R 100 m across it. By hand: near edge from
    // (-2.5, 1.8) to (2.5, -1.8), D1 = 98.2318, D2 = 101.8307, rho = 81.1534,
    // theta = 0.0500058 rad: 11 - 10 lg(theta / (rho * 6.1612)) = 50.9995.
    const CDivergence d = Divergence({0, 0, 0}, {0, 100, 0}, {3.6, 5.0, 0.0});
    EXPECT_NEAR(d.m_dValue, 50.9995, kLevelTol);
    EXPECT_NEAR(d.m_dValue, 51.0, kLevelTol);
    EXPECT_FALSE(d.m_bInsideBox);
    // Turning the piece and the receiver together changes nothing.
    const double h = 0.7;
    const CDivergence turned =
        Divergence({10, 20, 0}, {10 - 100 * std::sin(h), 20 + 100 * std::cos(h), 0}, {3.6, 5.0, h});
    EXPECT_NEAR(turned.m_dValue, d.m_dValue, 1e-9);
}

TEST(Divergence, InsideTheBoxIsTheAreaSourceTerm)
{
    // 10 lg(4 * 5 * 3.6 / pi) = 13.6018.
    const CDivergence d = Divergence({0, 0, 0}, {1.0, -1.0, 0.02}, {3.6, 5.0, 0.3});
    EXPECT_NEAR(d.m_dValue, 13.6018, kLevelTol);
    EXPECT_TRUE(d.m_bInsideBox);
}

TEST(Divergence, ZeroWidthNearFieldAndAboveTheBox)
{
    // Zero width: a point source, 20 lg(max(1, d)) + 11.
    EXPECT_NEAR(Divergence({0, 0, 0}, {30, 40, 0}, {0.0, 5.0, 0.0}).m_dValue, 20.0 * std::log10(50.0) + 11.0, 1e-9);
    EXPECT_NEAR(Divergence({0, 0, 0}, {0.2, 0.1, 0}, {0.0, 5.0, 0.0}).m_dValue, 11.0, 1e-9);
    // Beside the long side within w/pi (3 m < 14/pi): 10 lg(4 * 14 * 17.2047 / pi) = 24.8668.
    EXPECT_NEAR(Divergence({0, 0, 0}, {0, 10, 0}, {14.0, 10.0, 0.0}).m_dValue, 24.8668, kLevelTol);
    // Straight above the centre, 1 m up: delta = 1 < w/pi, o = max(w, l): 10 lg(4 * 3.6 * 5 / pi).
    EXPECT_NEAR(Divergence({0, 0, 0}, {0, 0, 1}, {3.6, 5.0, 0.0}).m_dValue, 13.6018, kLevelTol);
}

// The energy form of the divergence, taken without a logarithm, is the energy of the level in
// every zone around the box: inside, above, beside within w/pi, beyond the ends, at the
// corners and far off, for a point source too. Both come from the same distances; the
// energy's own arc cosine and product round on their own, far below what any level shows.
TEST(Divergence, EnergyIsTheEnergyOfTheLevelInEveryZone)
{
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> near(-6.0, 6.0), far(-400.0, 400.0), up(-0.2, 3.0);
    const CPieceBox boxes[] = {{3.6, 5.0, 0.0}, {14.0, 10.0, 0.4}, {0.0, 5.0, 1.0}, {7.2, 0.5, -2.0}};
    for (const CPieceBox& box : boxes) {
        const CHeadingTrig trig = HeadingTrig(box);
        for (int i = 0; i < 2000; ++i) {
            const bool close = i % 2 == 0;
            const CMVector s(10.0, -20.0, 1.0);
            const CMVector r(s.x + (close ? near(gen) : far(gen)), s.y + (close ? near(gen) : far(gen)),
                             s.z + (i % 4 == 0 ? 0.0 : up(gen)));
            const double level = Divergence(s, r, box, trig).m_dValue;
            const double energy = DivergenceEnergy(s, r, box, trig);
            ASSERT_NEAR(energy / std::pow(10.0, -level / 10.0), 1.0, 1e-9) << "box " << box.m_dWidth << " point " << i;
        }
    }
    // The receiver on the piece's own point: the area term of the box inside.
    EXPECT_NEAR(DivergenceEnergy({0, 0, 0}, {0, 0, 0}, boxes[0], HeadingTrig(boxes[0])),
                std::pow(10.0, -Divergence({0, 0, 0}, {0, 0, 0}, boxes[0]).m_dValue / 10.0), 1e-15);
}

// The arc cosine of the divergence's energy form: within two units in the last place of
// std::acos where it takes its series (angles below 0.2 rad), std::acos itself elsewhere.
TEST(Divergence, ArcCosineAgreesWithTheLibrary)
{
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> angle(0.0, 0.2), any(-1.0, 1.0);
    for (int i = 0; i < 200000; ++i) {
        const double c = i % 3 ? std::cos(angle(random)) : 1.0 - std::ldexp(1.0, -(i % 53));
        const double exact = std::acos(c), fast = ArcCosine(c);
        ASSERT_LE(std::abs(fast - exact), 2.0 * (std::nextafter(exact, 4.0) - exact)) << std::hexfloat << c;
        const double other = any(random);
        if (!(other >= 0.98)) {
            ASSERT_EQ(ArcCosine(other), std::acos(other));
        }
    }
    EXPECT_EQ(ArcCosine(1.0), 0.0);
    EXPECT_TRUE(std::isnan(ArcCosine(std::nan(""))));
}

// Within one unit in the last place of std::exp over every exponent the energies meet (and
// the table's every entry); outside its range, and for 0 and NaN, what std::exp gives.
TEST(FastExp, AgreesWithTheLibraryToTheLastPlace)
{
    std::mt19937_64 random(7);
    for (const auto& [lo, hi] : {std::pair{-80.0, 5.0}, std::pair{-689.0, 708.0}}) {
        std::uniform_real_distribution<double> exponent(lo, hi);
        for (int i = 0; i < 200000; ++i) {
            const double x = exponent(random), exact = std::exp(x);
            const double ulp = std::nextafter(exact, 2.0 * exact) - exact;
            ASSERT_LE(std::abs(FastExp(x) - exact), ulp) << "x = " << x;
        }
    }
    EXPECT_EQ(FastExp(0.0), 1.0);
    for (const double x : {-700.0, -745.5, -800.0, 709.5, 720.0})
        EXPECT_EQ(FastExp(x), std::exp(x)) << x;
    EXPECT_TRUE(std::isnan(FastExp(std::numeric_limits<double>::quiet_NaN())));
}

// The eight-lane version gives each lane's FastExp to the bit, negative and positive
// exponents side by side and with a lane out of range (which sends the eight the scalar way).
TEST(FastExp, EightAtOnceEqualOneByOne)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> exponent(-689.0, 708.0), small(-30.0, 2.0);
    // Two to an instruction, four where the processor has AVX2 (the wide form declines
    // values outside the range, and every value elsewhere), and the two together.
    const auto same = [](const std::array<double, 8>& x) {
        std::array<double, 8> wide;
        const bool haveWide = FastExp8Wide(x, wide);
        const std::array<double, 8> narrow = FastExp8Narrow(x), e = FastExp8(x);
        for (int j = 0; j < 8; ++j) {
            const std::uint64_t one = std::bit_cast<std::uint64_t>(FastExp(x[j]));
            if (std::bit_cast<std::uint64_t>(narrow[j]) != one || std::bit_cast<std::uint64_t>(e[j]) != one ||
                (haveWide && std::bit_cast<std::uint64_t>(wide[j]) != one))
                return false;
        }
        return true;
    };
    for (int i = 0; i < 50000; ++i) {
        std::array<double, 8> x;
        for (double& v : x)
            v = i % 2 ? exponent(random) : small(random);
        ASSERT_TRUE(same(x)) << "draw " << i;
        const double outside[] = {-800.0, 720.0, std::numeric_limits<double>::quiet_NaN()};
        x[i % 8] = outside[i % 3];
        ASSERT_TRUE(same(x)) << "draw " << i;
    }
}
