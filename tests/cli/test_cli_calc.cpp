// talvo-cli calc on the acceptance projects, whose expected tables come from an
// independent calculation: every number within 0.02, every other field equal.
#include <gtest/gtest.h>

#include <string>

#include "cli_run_support.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"
#include "test_tolerances.h"

using clitest::CliRun;
using clitest::Quoted;
using iotest::ScratchDir;

namespace {

CliRun RunCalc(const std::string& args, const ScratchDir& dir) { return clitest::RunCli("calc " + args, dir); }

// The table of `calc PROJECT.tlv OPTIONS` against EXPECTED.calc.txt.
void CheckAcceptance(const std::string& project, const std::string& options = "", const std::string& expected = "")
{
    ScratchDir dir;
    const CliRun r = RunCalc(Quoted(iotest::DataPath("acceptance/" + project + ".tlv")) + options, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "계산 종료\n");
    const std::string table = (expected.empty() ? project : expected) + ".calc.txt";
    clitest::ExpectSameTable(r.out, iotest::ReadBytes(iotest::DataPath("acceptance/" + table)), kAcceptanceTol);
}

}  // namespace

TEST(CliCalc, OpenRoadAgreesWithTheIndependentCalculation) { CheckAcceptance("open-road"); }

TEST(CliCalc, BarrierAndEmbankmentAgreeWithTheIndependentCalculation) { CheckAcceptance("barrier-embankment"); }

// The night projects hold the day projects with night powers or a night traffic ratio:
// their day tables are the day projects' tables.
TEST(CliCalc, NightAndDayOfTheNightProjectsAgreeWithTheIndependentCalculation)
{
    for (const std::string name : {"open-road", "barrier-embankment"}) {
        SCOPED_TRACE(name);
        CheckAcceptance(name + ".night", " --period night");
        CheckAcceptance(name + ".night", " --period day", name);
    }
}

// Without night powers anywhere the night table has no level to show: the message, the
// table with "-" levels, and status 1. A period other than day or night is refused.
TEST(CliCalc, NightWithoutNightPowersSaysSoAndExitsWithOne)
{
    ScratchDir dir;
    const CliRun r = RunCalc(Quoted(iotest::DataPath("acceptance/open-road.tlv")) + " --period night", dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("야간 소음도가 없습니다."), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("1\t300.00\t95.00\t1.50\t-\t-"), std::string::npos) << r.out;
    EXPECT_NE(RunCalc(Quoted(iotest::DataPath("acceptance/open-road.tlv")) + " --period evening", dir).status, 0);
}

TEST(CliCalc, SaveWritesTheResultsWithTheProject)
{
    ScratchDir dir;
    const std::string saved = dir.File("saved.tlv");
    const CliRun r = RunCalc(Quoted(iotest::DataPath("acceptance/open-road.tlv")) + " --save " + Quoted(saved), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, saved).ok);
    EXPECT_EQ(doc.m_nCalculatedInFile, 1);
    ASSERT_EQ(doc.m_arrReceiver.size(), 4u);
    EXPECT_NEAR(doc.m_arrReceiver[0].m_dLevel[4], 68.68, kAcceptanceTol);
}

TEST(CliCalc, MissingProjectFailsWithAMessage)
{
    ScratchDir dir;
    const CliRun r = RunCalc(Quoted(dir.File("none.tlv")), dir);
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(r.err.empty());
    EXPECT_TRUE(r.out.empty());
}

// A project the calculation refuses for want of roads or receivers is a failure, like one
// the input check refuses: its message, the table as it stands, and status 1.
TEST(CliCalc, ProjectWithoutRoadsOrReceiversExitsWithOne)
{
    ScratchDir dir;
    const std::string noRoads = clitest::SaveVariant(dir, "no-roads.tlv", [](CMyTalvoDoc& d) { d.m_arrRoad.clear(); });
    const CliRun roads = RunCalc(Quoted(noRoads), dir);
    EXPECT_EQ(roads.status, 1);
    EXPECT_EQ(roads.err, "하나 이상의 도로를 입력하십시요\n");
    EXPECT_FALSE(roads.out.empty());
    const std::string none = clitest::SaveVariant(dir, "none.tlv", [](CMyTalvoDoc& d) { d.m_arrReceiver.clear(); });
    EXPECT_EQ(RunCalc(Quoted(none), dir).status, 1);
}
