// Day and night levels from one propagation: the night level is the level of the same
// project with the night powers in place of the day's, the day level does not move, and a
// traffic-only change is summed again from the kept transfers.
#include <gtest/gtest.h>

#include <string>

#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "engine/emission.h"
#include "engine/input_check.h"
#include "engine/level_resum.h"
#include "engine/period_levels.h"
#include "io/project_file.h"
#include "model/document.h"
#include "model/model_state.h"
#include "model/period_powers.h"

namespace {

// The transfers sum the same energies as the paths in another order: equal but for rounding.
constexpr double kSumTol = 1e-9;  // dB

CMyTalvoDoc Example(const std::string& name)
{
    CMyTalvoDoc doc;
    EXPECT_TRUE(OpenProject(doc, std::string(TALVO_EXAMPLES) + "/" + name).ok);
    return doc;
}

// The first road with night powers of its own (quieter and tilted across the bands); the
// other sources from the ratio when one is given.
CMyTalvoDoc WithNight(CMyTalvoDoc doc, std::optional<double> ratio)
{
    CRoad& first = doc.m_arrRoad.front();
    first.m_bNightPower = true;
    for (int j = 0; j < kBandCount; ++j)
        first.m_dNightPowerLevel[j] = first.m_dUserPowerLevel[j] - 4.0 - 0.5 * j;
    doc.m_settings.m_dNightTrafficRatio = ratio;
    return doc;
}

// The same project with every source's night powers as its day powers (none: no energy).
template <class Source>
void PutNightIntoDay(Source& s, const CProjectSettings& settings)
{
    const std::optional<Bands> night = NightPowerLevels(s, settings);
    s.m_dUserPowerLevel = night ? *night : NoEnergyBands();
}

CMyTalvoDoc NightAsDay(CMyTalvoDoc doc)
{
    for (CRoad& r : doc.m_arrRoad)
        PutNightIntoDay(r, doc.m_settings);
    for (CTunnel& t : doc.m_arrTunnel)
        PutNightIntoDay(t, doc.m_settings);
    return doc;
}

void ExpectNear(const Bands& actual, const Bands& expected, const std::string& where)
{
    for (int j = 0; j < kBandCount; ++j) {
        if (!HasEnergy(expected[j]))
            EXPECT_FALSE(HasEnergy(actual[j])) << where << " band " << j;
        else
            EXPECT_NEAR(actual[j], expected[j], kSumTol) << where << " band " << j;
    }
}

// Every receiver's and façade receiver's levels of `period` in a against the day levels of b.
void ExpectLevelsOf(const CMyTalvoDoc& a, EPeriod period, const CMyTalvoDoc& b)
{
    ASSERT_EQ(a.m_arrReceiver.size(), b.m_arrReceiver.size());
    for (std::size_t i = 0; i < a.m_arrReceiver.size(); ++i)
        ExpectNear(LevelsOf(a.m_arrReceiver[i], period), b.m_arrReceiver[i].m_dLevel, "receiver " + std::to_string(i));
    ASSERT_EQ(a.m_arrFacade.size(), b.m_arrFacade.size());
    for (std::size_t i = 0; i < a.m_arrFacade.size(); ++i)
        ExpectNear(LevelsOf(a.m_arrFacade[i], period), b.m_arrFacade[i].m_dLevel, "façade " + std::to_string(i));
}

}  // namespace

// Roads, a bridge with its deck barriers, a tunnel's mouths, earthworks, reflecting barriers
// and apartment blocks (façade receivers); with a ratio every source sounds at night, without
// one only the first road.
TEST(PeriodLevels, NightLevelIsTheLevelOfTheProjectWithTheNightPowersAsDayPowers)
{
    for (const char* name : {"valley-crossing.tlv", "highway-apartments.tlv"})
        for (const std::optional<double> ratio : {std::optional<double>(0.3), std::optional<double>()}) {
            SCOPED_TRACE(std::string(name) + (ratio ? " with a ratio" : " without a ratio"));
            CMyTalvoDoc doc = WithNight(Example(name), ratio);
            CMyTalvoDoc copy = NightAsDay(doc);
            Calculate(doc);
            Calculate(copy);
            ExpectLevelsOf(doc, EPeriod::kNight, copy);
            // A night map's nodes: the night scene is the copy's scene, to the last bit.
            const CCalcScene night(doc, {}, EPeriod::kNight), copied(copy);
            const CReceiverPoint& r = doc.m_arrReceiver.front();
            EXPECT_EQ(night.PointLevels(r.m_dX, r.m_dY, r.m_dZ), copied.PointLevels(r.m_dX, r.m_dY, r.m_dZ));
            ExpectNear(night.PointLevels(r.m_dX, r.m_dY, r.m_dZ, r.m_dGroundFactor, r.m_dAreaFactor), r.m_dNightLevel,
                       "night scene at receiver 1");
        }
}

// A road silent in a band by day but not at night, and one whose day power in a band lies
// thousands of dB below the others: their night paths still count in full.
TEST(PeriodLevels, NightPathsOfSourcesSilentOrFarQuieterByDayStillCount)
{
    CMyTalvoDoc doc = Example("valley-crossing.tlv");
    for (int n : {0, 1}) {
        CRoad& r = doc.m_arrRoad[n];
        r.m_bNightPower = true;
        r.m_dNightPowerLevel = r.m_dUserPowerLevel;
    }
    doc.m_arrRoad[0].m_dUserPowerLevel[0] = kNoEnergy;
    doc.m_arrRoad[1].m_dUserPowerLevel[3] -= 4000.0;
    CMyTalvoDoc copy = NightAsDay(doc);
    Calculate(doc);
    Calculate(copy);
    ExpectLevelsOf(doc, EPeriod::kNight, copy);
}

TEST(PeriodLevels, DayLevelsAreThoseOfTheProjectWithoutNightValues)
{
    CMyTalvoDoc plain = Example("highway-apartments.tlv");
    CMyTalvoDoc night = WithNight(plain, 0.2);
    Calculate(plain);
    Calculate(night);
    for (std::size_t i = 0; i < plain.m_arrReceiver.size(); ++i)
        EXPECT_EQ(night.m_arrReceiver[i].m_dLevel, plain.m_arrReceiver[i].m_dLevel);
    for (std::size_t i = 0; i < plain.m_arrFacade.size(); ++i)
        EXPECT_EQ(night.m_arrFacade[i].m_dLevel, plain.m_arrFacade[i].m_dLevel);
    // Without night powers anywhere there is no night level at all.
    EXPECT_FALSE(HasPeriodPowers(plain, EPeriod::kNight));
    EXPECT_EQ(plain.m_arrReceiver[0].m_dNightLevel, NoEnergyBands());
    EXPECT_EQ(plain.m_arrFacade[0].m_dNightLevel, NoEnergyBands());
    // With a ratio alone, night is day + 10 lg(ratio) everywhere.
    CMyTalvoDoc ratioOnly = Example("highway-apartments.tlv");
    ratioOnly.m_settings.m_dNightTrafficRatio = 0.5;
    Calculate(ratioOnly);
    EXPECT_NEAR(EnergySum(ratioOnly.m_arrFacade[7].m_dNightLevel),
                EnergySum(ratioOnly.m_arrFacade[7].m_dLevel) - 3.0103, 1e-4);
}

// A traffic-only change: the levels of both periods follow at once and equal a new
// calculation; the results are current again under a new revision. A moved barrier is not
// summed: only a new calculation brings its results.
TEST(LevelResum, TrafficChangeIsSummedAgainAsANewCalculationWouldGiveIt)
{
    CMyTalvoDoc doc = WithNight(Example("valley-crossing.tlv"), 0.3);
    Calculate(doc);
    const CModelState before = CModelState::Of(doc);
    for (double& p : doc.m_arrRoad[1].m_dUserPowerLevel)
        p += 6.0;
    doc.m_arrTunnel[0].m_bNightPower = true;
    doc.m_arrTunnel[0].m_dNightPowerLevel.fill(80.0);
    doc.m_arrRoad[0].m_dSpeed[0] = 77.0;  // traffic the emission reads, no path
    doc.CommitModelChange();
    const std::uint64_t revision = doc.m_nResultsRevision;
    ASSERT_TRUE(doc.m_bResultsStale);
    ASSERT_TRUE(ResumLevels(doc));
    EXPECT_FALSE(doc.m_bResultsStale);
    EXPECT_GT(doc.m_nResultsRevision, revision);
    CMyTalvoDoc fresh = doc;
    Calculate(fresh);
    ExpectLevelsOf(doc, EPeriod::kDay, fresh);
    CMyTalvoDoc freshNight = NightAsDay(doc);
    Calculate(freshNight);
    ExpectLevelsOf(doc, EPeriod::kNight, freshNight);
    // The pieces carry the new powers, so that a map drawn now is of them.
    EXPECT_EQ(CCalcScene(doc).PointLevels(500, 300, 4), CCalcScene(fresh).PointLevels(500, 300, 4));

    // Undo to the model before: the results are stale by the revision, and summing brings
    // back that model's levels.
    before.ApplyTo(doc);
    EXPECT_TRUE(doc.m_bResultsStale);
    ASSERT_TRUE(ResumLevels(doc));
    CMyTalvoDoc first = WithNight(Example("valley-crossing.tlv"), 0.3);
    Calculate(first);
    ExpectLevelsOf(doc, EPeriod::kDay, first);

    doc.m_arrBarrier[0].m_dHeight += 1.0;
    doc.CommitModelChange();
    const CReceiverPoint kept = doc.m_arrReceiver[0];
    EXPECT_FALSE(CanResumLevels(doc));
    EXPECT_FALSE(ResumLevels(doc));
    EXPECT_TRUE(doc.m_bResultsStale);
    EXPECT_EQ(doc.m_arrReceiver[0].m_dLevel, kept.m_dLevel);
}

TEST(LevelResum, NothingIsSummedWithoutACalculationOrWithValuesTheCalculationRefuses)
{
    CMyTalvoDoc doc = Example("highway-village.tlv");
    EXPECT_FALSE(ResumLevels(doc));  // opened, never calculated here
    Calculate(doc);
    ASSERT_TRUE(CanResumLevels(doc));
    doc.m_arrRoad[0].m_bNightPower = true;
    doc.m_arrRoad[0].m_dNightPowerLevel[2] = std::nan("");
    EXPECT_EQ(FindUnusableInput(doc), "도로 1의 값 중 올바른 숫자가 아닌 것이 있습니다 (nan 또는 무한대).");
    EXPECT_FALSE(ResumLevels(doc));
    doc.m_arrRoad[0].m_bNightPower = false;
    doc.m_settings.m_dNightTrafficRatio = -0.5;
    EXPECT_EQ(FindUnusableInput(doc), "야간 교통량 비율은 0 이상의 숫자여야 합니다.");
}

// Halving every class's count lowers each band by 10 lg 2, and the night powers are stored
// as the day's: per metre plus 10 lg of the road's length.
TEST(NightEmission, NightTrafficGivesThePowersOfTheSameComputation)
{
    CMyTalvoDoc doc = Example("highway-village.tlv");
    CRoad road = doc.m_arrRoad[0];
    EXPECT_EQ(NightPowersFromTraffic(road).message, kMsgNoNightTraffic);
    road.m_bNightTraffic = true;
    road.m_dNightSpeed = road.m_dSpeed;
    for (int k = 0; k < kVehicleClassCount; ++k)
        road.m_dNightVolume[k] = 0.5 * road.m_dVolume[k];
    const CEmissionResult day = ComputeEmission(EmissionInputOf(road));
    const CNightPowers night = NightPowersFromTraffic(road);
    ASSERT_TRUE(day.ok && night.ok) << night.message;
    for (int j = 0; j < kBandCount; ++j)
        EXPECT_NEAR(night.m_dPowerLevel[j], day.m_dLevel[j] - 3.0103 + LengthTerm(road.m_dLength), 1e-4);
}
