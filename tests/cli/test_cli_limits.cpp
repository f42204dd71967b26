// talvo-cli calc --limits and facade --limits: the limit each line is judged by and the
// exceedance, after the columns the commands print without them.
#include <gtest/gtest.h>

#include "cli_run_support.h"
#include "model/noise_limits.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

TEST(CliLimits, CalcAddsTheTargetOrTheCriterionsLimitAndTheExceedance)
{
    ScratchDir dir;
    const std::string project = clitest::SaveVariant(dir, "limits.tlv", [](CMyTalvoDoc& doc) {
        doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kRoadsideStandard);
        doc.m_settings.m_strZone = "가";
        doc.m_arrReceiver[1].m_dTargetLevel = 50.0;
        doc.m_arrReceiver[3].m_strZone = "라";
    });
    const clitest::CliRun plain = RunCli("calc " + Quoted(project), dir);
    const clitest::CliRun limits = RunCli("calc --limits " + Quoted(project), dir);
    ASSERT_EQ(limits.status, 0) << limits.err;
    const auto before = clitest::Split(plain.out, '\n');
    const auto lines = clitest::Split(limits.out, '\n');
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], before[0] + "\tLimit\tExceedance");
    // Receiver 1 at 61.75 against 65 (가), 2 at 57.85 against its target 50, 4 at 55.91
    // against 75 (라), 5 at 68.13 against 65.
    EXPECT_EQ(lines[1], before[1] + "\t65.00\t-3.25");
    EXPECT_EQ(lines[2], before[2] + "\t50.00\t+7.85");
    EXPECT_EQ(lines[4], before[4] + "\t75.00\t-19.09");
    EXPECT_EQ(lines[5], before[5] + "\t65.00\t+3.13");

    // Without a criterion only the target counts; the others have none.
    const std::string bare =
        clitest::SaveVariant(dir, "bare.tlv", [](CMyTalvoDoc& doc) { doc.m_arrReceiver[1].m_dTargetLevel = 50.0; });
    const auto bareLines = clitest::Split(RunCli("calc --limits " + Quoted(bare), dir).out, '\n');
    ASSERT_EQ(bareLines.size(), 6u);
    EXPECT_EQ(bareLines[1], before[1] + "\t-\t-");
    EXPECT_EQ(bareLines[2], before[2] + "\t50.00\t+7.85");
}

TEST(CliLimits, FacadeLinesAndFloorsAreJudgedByTheirBuildingsZone)
{
    ScratchDir dir;
    const std::string project = clitest::SaveVariant(dir, "block.tlv", [](CMyTalvoDoc& doc) {
        CBuilding b;
        b.m_arrFootprint = {{200, 40, 0}, {200, 52, 0}, {230, 52, 0}, {230, 40, 0}};
        b.m_nFloors = 3;
        b.m_strZone = "나";
        doc.m_arrBuilding.push_back(b);
        doc.m_arrReceiver[0].m_dX = 250.0;
        doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kTrafficManagement);
    });
    for (const char* floors : {"", "--floors "}) {
        const clitest::CliRun plain = RunCli(std::string("facade ") + floors + Quoted(project), dir);
        const clitest::CliRun limits = RunCli(std::string("facade --limits ") + floors + Quoted(project), dir);
        ASSERT_EQ(limits.status, 0) << limits.err;
        const auto before = clitest::Split(plain.out, '\n');
        const auto lines = clitest::Split(limits.out, '\n');
        ASSERT_EQ(lines.size(), before.size());
        EXPECT_EQ(lines[0], before[0] + "\tLimit\tExceedance");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            ASSERT_EQ(lines[i].rfind(before[i] + "\t73.00\t", 0), 0u) << lines[i];
            // The exceedance is the line's overall (or highest) level minus 73.
            const auto cells = clitest::Split(lines[i], '\t');
            const double level = std::stod(cells[cells.size() - (floors[0] ? 6 : 3)]);
            EXPECT_NEAR(std::stod(cells.back()), level - 73.0, 0.011) << lines[i];
        }
    }
}
