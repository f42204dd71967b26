// --period night of the commands that print or write levels: each gives what the day would
// give for a copy of the project whose day powers are the night powers.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cli_run_support.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"
#include "model/period_powers.h"

using clitest::CliRun;
using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

// The example with a night traffic ratio of 0.4 and, for its first road, night powers of
// its own, saved as night.tlv; its copy with the night powers as day powers as day.tlv.
struct NightPair {
    std::string night, day;
};

template <class Source>
void NightIntoDay(Source& s, const CProjectSettings& settings)
{
    s.m_dUserPowerLevel = NightPowerLevels(s, settings).value();
}

NightPair SavePair(const ScratchDir& dir, const std::string& example)
{
    CMyTalvoDoc doc;
    EXPECT_TRUE(OpenProject(doc, std::string(TALVO_EXAMPLES) + "/" + example).ok);
    doc.m_settings.m_dNightTrafficRatio = 0.4;
    CRoad& first = doc.m_arrRoad.front();
    first.m_bNightPower = true;
    for (int j = 0; j < kBandCount; ++j)
        first.m_dNightPowerLevel[j] = first.m_dUserPowerLevel[j] - 2.0 - j;
    NightPair pair{dir.File("night.tlv"), dir.File("day.tlv")};
    EXPECT_TRUE(SaveProject(doc, pair.night).ok);
    for (CRoad& r : doc.m_arrRoad)
        NightIntoDay(r, doc.m_settings);
    for (CTunnel& t : doc.m_arrTunnel)
        NightIntoDay(t, doc.m_settings);
    EXPECT_TRUE(SaveProject(doc, pair.day).ok);
    return pair;
}

}  // namespace

// The night façade levels are summed from the day's paths; the copy's are propagated: equal
// but for the last rounding of a printed level.
TEST(CliPeriod, NightFacadeTablesAreTheDayTablesOfTheNightPowers)
{
    ScratchDir dir;
    const NightPair pair = SavePair(dir, "highway-apartments.tlv");
    for (const std::string floors : {"", " --floors"}) {
        const CliRun night = RunCli("facade " + Quoted(pair.night) + floors + " --period night", dir);
        ASSERT_EQ(night.status, 0) << night.err;
        const CliRun day = RunCli("facade " + Quoted(pair.day) + floors, dir);
        ASSERT_EQ(day.status, 0) << day.err;
        clitest::ExpectSameTable(night.out, day.out, 0.0101);
    }
}

// A night grid propagates the night powers themselves: the same bytes as the copy's day grid.
TEST(CliPeriod, NightGridIsTheDayGridOfTheNightPowers)
{
    ScratchDir dir;
    const NightPair pair = SavePair(dir, "valley-crossing.tlv");
    const std::string common = " --spacing 100 --threads 1";
    ASSERT_EQ(
        RunCli("grid " + Quoted(pair.night) + " -o " + Quoted(dir.File("n.txt")) + common + " --period night", dir)
            .status,
        0);
    ASSERT_EQ(RunCli("grid " + Quoted(pair.day) + " -o " + Quoted(dir.File("d.txt")) + common, dir).status, 0);
    const std::string grid = iotest::ReadBytes(dir.File("n.txt"));
    EXPECT_FALSE(grid.empty());
    EXPECT_EQ(grid, iotest::ReadBytes(dir.File("d.txt")));
}
