// talvo-cli grid, length-search and optimise: their refusals, run as a user would run them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_run_support.h"
#include "optimise/length_search.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

TEST(CliArguments, BadArgumentsExitWithOneAndAMessage)
{
    ScratchDir dir;
    const std::string output = dir.File("grid.txt");
    const char* bad[] = {
        "grid",
        "grid PROJECT",
        "grid PROJECT -o OUT --threads 0",
        "grid PROJECT -o OUT --spacing nan",
        "grid PROJECT -o OUT --height inf",
        "grid PROJECT -o OUT --spacing fifty",
        "length-search PROJECT",
        "length-search PROJECT --receiver one",
        "optimise PROJECT --receiver 1 --from 0,0 --to 10 --max-height 3 --length-step 10 --height-step 1",
        "optimise PROJECT --receiver 1 --from 0,0 --to 10,x --max-height 3 --length-step 10 --height-step 1",
        "optimise PROJECT --receiver 1 --from 0,0 --to 10,0 --length-step 10 --height-step 1",
    };
    for (std::string args : bad) {
        for (auto at = args.find("PROJECT"); at != std::string::npos; at = args.find("PROJECT"))
            args.replace(at, 7, Quoted(clitest::AcceptanceProject()));
        if (const auto at = args.find("OUT"); at != std::string::npos)
            args.replace(at, 3, Quoted(output));
        const clitest::CliRun run = RunCli(args, dir);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_FALSE(std::filesystem::exists(output)) << args;
    }
}

TEST(CliGrid, WritesNoFileWhenTheExportDoesNotStart)
{
    ScratchDir dir;
    const std::string output = dir.File("grid.txt");
    const clitest::CliRun missing = RunCli("grid /nonexistent/project.tlv -o " + Quoted(output), dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/nonexistent/project.tlv"), std::string::npos);

    const std::string noRoads = clitest::SaveVariant(dir, "no-roads.tlv", [](CMyTalvoDoc& d) { d.m_arrRoad.clear(); });
    ASSERT_FALSE(noRoads.empty());
    const clitest::CliRun uncalculated = RunCli("grid " + Quoted(noRoads) + " -o " + Quoted(output), dir);
    EXPECT_EQ(uncalculated.status, 1);
    EXPECT_NE(uncalculated.err.find("소음해석을 먼저 수행하세요."), std::string::npos);

    const clitest::CliRun zero =
        RunCli("grid " + Quoted(clitest::AcceptanceProject()) + " -o " + Quoted(output) + " --spacing 0", dir);
    EXPECT_EQ(zero.status, 1);
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_EQ((zero.out + zero.err).find("계산 종료"), std::string::npos) << "an unusable grid is refused before calculating";

    const clitest::CliRun noFolder =
        RunCli("grid " + Quoted(clitest::AcceptanceProject()) + " -o " + Quoted(dir.File("no/folder/grid.txt")), dir);
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_FALSE(noFolder.err.empty());
}

TEST(CliSearches, RefusalsArePrintedAsOneLineWithStatusZero)
{
    ScratchDir dir;
    const std::string project = Quoted(clitest::AcceptanceProject());
    const clitest::CliRun noReceiver = RunCli("length-search " + project + " --receiver 6", dir);
    EXPECT_EQ(noReceiver.status, 0);
    EXPECT_EQ(noReceiver.out, "하나의 수음점을 선택하세요.\n");

    const std::string noRoads = clitest::SaveVariant(dir, "no-roads.tlv", [](CMyTalvoDoc& d) { d.m_arrRoad.clear(); });
    const clitest::CliRun roadless = RunCli("length-search " + Quoted(noRoads) + " --receiver 1", dir);
    EXPECT_EQ(roadless.status, 0);
    EXPECT_EQ(roadless.out, std::string(kMsgNoRoadToSearch) + "\n");

    const std::string design = " --from 143.7,12.5 --to 606.3,12.5 --max-height 6 --height-step 1";
    const clitest::CliRun uncalculated =
        RunCli("optimise " + Quoted(noRoads) + " --receiver 1 --length-step 10" + design, dir);
    EXPECT_EQ(uncalculated.status, 0);
    EXPECT_EQ(uncalculated.out, "소음예측 계산을 먼저 실행하여 주십시오.\n");
}
