// talvo-cli grid, length-search and optimise on the acceptance project, end to end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run_support.h"
#include "engine/calculation.h"
#include "optimise/barrier_optimisation.h"
#include "test_tolerances.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

void ExpectFieldsNear(const std::string& actual, const std::string& expected, const std::string& where)
{
    const auto a = Split(actual, '\t'), e = Split(expected, '\t');
    ASSERT_EQ(a.size(), e.size()) << where << ": " << actual;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char* endA = nullptr;
        char* endE = nullptr;
        const double va = std::strtod(a[i].c_str(), &endA), ve = std::strtod(e[i].c_str(), &endE);
        if (*endE == '\0' && !e[i].empty())
            EXPECT_NEAR(va, ve, kAcceptanceTol) << where << " field " << i;
        else
            EXPECT_EQ(a[i], e[i]) << where << " field " << i;
    }
}

std::string GridArgs()
{
    return Trimmed(iotest::ReadBytes(iotest::DataPath("acceptance/barrier-embankment.grid.args")));
}

}  // namespace

TEST(CliGridAcceptance, BarrierEmbankmentGridMatchesTheReference)
{
    ScratchDir dir;
    const std::string output = dir.File("grid.txt");
    const clitest::CliRun run =
        RunCli("grid " + Quoted(clitest::AcceptanceProject()) + " -o " + Quoted(output) + " " + GridArgs(), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string actual = iotest::ReadBytes(output);
    const auto actualLines = Split(actual, '\n');
    const auto expectedLines =
        Split(iotest::ReadBytes(iotest::DataPath("acceptance/barrier-embankment.grid.txt")), '\n');
    ASSERT_EQ(actualLines.size(), expectedLines.size());
    for (std::size_t i = 0; i < actualLines.size(); ++i) {
        ASSERT_EQ(actualLines[i].back(), '\r') << "line " << i + 1;
        ExpectFieldsNear(Trimmed(actualLines[i]), Trimmed(expectedLines[i]), "line " + std::to_string(i + 1));
    }
}

TEST(CliGridAcceptance, ThreadCountGivesTheSameBytes)
{
    ScratchDir dir;
    const std::string project = Quoted(clitest::AcceptanceProject());
    const std::string common = " --spacing 25 --height 1.5";
    ASSERT_EQ(RunCli("grid " + project + " -o " + Quoted(dir.File("one.txt")) + " --threads 1" + common, dir).status,
              0);
    ASSERT_EQ(RunCli("grid " + project + " -o " + Quoted(dir.File("three.txt")) + " --threads 3" + common, dir).status,
              0);
    const std::string one = iotest::ReadBytes(dir.File("one.txt"));
    EXPECT_EQ(Split(one, '\n').size(), 33u * 13u);  // x 0..800, y 25..325 at 25 m
    EXPECT_EQ(iotest::ReadBytes(dir.File("three.txt")), one);
}

TEST(CliSearchesAcceptance, LengthSearchPrintsOneOfItsMessages)
{
    ScratchDir dir;
    const clitest::CliRun run =
        RunCli("length-search " + Quoted(clitest::AcceptanceProject()) + " --receiver 1 --target 55", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string line = Trimmed(run.out);
    EXPECT_EQ(Split(run.out, '\n').size(), 1u);
    const bool known =
        line == "방음벽을 설치할 필요가 없습니다." || line == "계산영역을 크게 해주세요." ||
        (line.rfind("선택한 수음점에서 방음벽의 최대 연장은 ", 0) == 0 && line.find("m입니다.") != std::string::npos);
    EXPECT_TRUE(known) << line;
}

TEST(CliSearchesAcceptance, OptimiseReportsTheBestBarrierOrWhyThereIsNone)
{
    ScratchDir dir;
    const std::string command = "optimise " + Quoted(clitest::AcceptanceProject()) +
                                " --receiver 1 --from 150,12.5 --to 350,12.5 --max-height 6 --height-step 1";
    const std::string base = command + " --length-step 40";
    // A target far below any level: the full barrier already fails.
    EXPECT_EQ(RunCli(base + " --target 0", dir).out, std::string(kMsgCannotSatisfy) + "\n");
    // A target far above: no candidate comes within 2 dB of it.
    EXPECT_EQ(RunCli(base + " --target 200", dir).out, std::string(kMsgNoNeedToCalculate) + "\n");
    EXPECT_EQ(RunCli(command + " --length-step 0 --target 60", dir).out, "길이방향 계산간격은 0보다 커야 합니다.\n");

    // Half a decibel above the level behind the full barrier: that barrier at full height
    // meets the condition, so a barrier on the design line is found.
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, clitest::AcceptanceProject()).ok);
    Calculate(doc);
    const COptDesign design{150, 12.5, 350, 12.5, 6, 40, 1};
    PrepareOptimisation(doc, 0, design);
    doc.m_bOptimising = true;
    const double fullBarrierLevel = CalculateCommandEvaluation()(doc);
    const std::string target = std::to_string(fullBarrierLevel + 0.5);
    const clitest::CliRun found = RunCli(base + " --target " + target, dir);
    EXPECT_EQ(found.status, 0) << found.err;
    const auto fields = Split(Trimmed(found.out), '\t');
    ASSERT_EQ(fields.size(), 5u) << found.out;
    const double startX = std::stod(fields[0]), endX = std::stod(fields[2]), height = std::stod(fields[4]);
    EXPECT_NEAR(std::stod(fields[1]), 12.5, kAcceptanceTol);
    EXPECT_NEAR(std::stod(fields[3]), 12.5, kAcceptanceTol);
    // Shortened symmetrically about the middle x = 250, in whole steps of 40 m.
    EXPECT_NEAR(startX + endX, 500.0, kAcceptanceTol);
    EXPECT_NEAR(std::fmod(startX - 150.0, 20.0), 0.0, kAcceptanceTol);
    EXPECT_GE(endX - startX, 10.0);
    EXPECT_GT(height, 0.0);
    EXPECT_LE(height, 6.0);
}

TEST(CliSearchesAcceptance, LengthSearchIsUnchangedByACuttingThatLowersTheBase)
{
    // A cutting 6 m deep far outside the site lowers the base height to -6 without changing
    // any path: divergence is pure geometry, so the extension must stay the same.
    ScratchDir dir;
    const std::string withCutting = clitest::SaveVariant(dir, "cutting.tlv", [](CMyTalvoDoc& d) {
        CJulto cutting;
        cutting.SetGeometry(5000, 5000, 5100, 5000, -6, 20, 100);
        cutting.ComputeAngle();
        d.m_arrCutting.push_back(cutting);
    });
    ASSERT_FALSE(withCutting.empty());
    CMyTalvoDoc reloaded;
    ASSERT_TRUE(OpenProject(reloaded, withCutting).ok);
    ASSERT_EQ(reloaded.m_settings.m_dBaseHeight, -6.0);
    const std::string args = " --receiver 3 --target 55";
    const clitest::CliRun plain = RunCli("length-search " + Quoted(clitest::AcceptanceProject()) + args, dir);
    const clitest::CliRun lowered = RunCli("length-search " + Quoted(withCutting) + args, dir);
    EXPECT_EQ(plain.out.rfind("선택한 수음점에서 방음벽의 최대 연장은 ", 0), 0u) << plain.out;
    EXPECT_EQ(lowered.out, plain.out);
}
