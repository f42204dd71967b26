// talvo-cli grid --tile and --plan on the acceptance project (area x 0 to 800, y 25 to 345),
// run as a job script would run them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_run_support.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

std::string GridCommand(const std::string& spacing)
{
    return "grid " + Quoted(clitest::AcceptanceProject()) + " --spacing " + spacing + " --height 4.0";
}

// Runs the untiled export, then every tile of count, and returns both files' bytes.
struct TiledRun {
    std::string untiled, concatenated;
};

TiledRun RunTiles(const ScratchDir& dir, const std::string& spacing, int count)
{
    TiledRun run;
    const std::string whole = dir.File("whole.txt");
    EXPECT_EQ(RunCli(GridCommand(spacing) + " --threads 1 -o " + Quoted(whole), dir).status, 0);
    run.untiled = iotest::ReadBytes(whole);
    for (int k = 1; k <= count; ++k) {
        const std::string tile = dir.File("tile-" + std::to_string(k) + ".txt");
        const std::string which = " --tile " + std::to_string(k) + "/" + std::to_string(count);
        const clitest::CliRun ran = RunCli(GridCommand(spacing) + which + " --threads 2 -o " + Quoted(tile), dir);
        EXPECT_EQ(ran.status, 0) << which << ": " << ran.err;
        run.concatenated += iotest::ReadBytes(tile);
    }
    return run;
}

std::size_t CountLines(const std::string& text)
{
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    return lines;
}

}  // namespace

TEST(CliGridTiles, ConcatenatedTilesEqualTheUntiledFile)
{
    // Spacing 40: 21 columns of 9 points (1, 3 and 7 tiles divide them, 2 does not).
    for (int count : {1, 2, 3, 7}) {
        ScratchDir dir;
        const TiledRun run = RunTiles(dir, "40", count);
        EXPECT_EQ(CountLines(run.untiled), 189u);
        EXPECT_EQ(run.concatenated, run.untiled) << count << " tiles";
    }
}

TEST(CliGridTiles, UnevenColumnsWithAnAreaEndNotAMultipleOfTheSpacing)
{
    // Spacing 45: x 0 to 765 (18 columns), y 25 to 340 (8 rows); 18 = 4 * 3 + 3 * 2.
    ScratchDir dir;
    const TiledRun run = RunTiles(dir, "45", 7);
    EXPECT_EQ(CountLines(run.untiled), 144u);
    EXPECT_EQ(run.concatenated, run.untiled);
    const std::string lastLine = run.untiled.substr(run.untiled.rfind("\r\n", run.untiled.size() - 3) + 2);
    EXPECT_EQ(lastLine.rfind("765.00\t340.00\t4.00\t", 0), 0u) << lastLine;
    EXPECT_EQ(CountLines(iotest::ReadBytes(dir.File("tile-1.txt"))), 24u);
    EXPECT_EQ(CountLines(iotest::ReadBytes(dir.File("tile-7.txt"))), 16u);
}

TEST(CliGridTiles, PlanPrintsPointsColumnsAndEachTile)
{
    ScratchDir dir;
    const clitest::CliRun plan = RunCli(GridCommand("45") + " --plan 4", dir);
    EXPECT_EQ(plan.status, 0) << plan.err;
    EXPECT_EQ(plan.out,
              "points\t144\ncolumns\t18\nrows\t8\ntiles\t4\n"
              "tile\t1\t0.00\t180.00\t5\t40\n"
              "tile\t2\t225.00\t405.00\t5\t40\n"
              "tile\t3\t450.00\t585.00\t4\t32\n"
              "tile\t4\t630.00\t765.00\t4\t32\n");
    EXPECT_EQ(dir.EntryCount(), 2u) << "only the captured stdout and stderr";
}

TEST(CliGridTiles, BadTilesAreRefusedWithStatusOneAndNoFile)
{
    ScratchDir dir;
    const std::string output = dir.File("tile.txt");
    const std::string write = " -o " + Quoted(output);
    const std::string bad[] = {
        " --tile 0/3" + write,
        " --tile 4/3" + write,
        " --tile 1/0" + write,
        " --tile 3" + write,
        " --tile 1/3/4" + write,
        " --tile a/b" + write,
        " --tile ''" + write,
        " --tile -1/3" + write,
        " --tile 1/22" + write,
        " --tile 22/22" + write,
        " --tile 1/2",
        " --plan 0",
        " --plan -3",
        " --plan 22",
        " --plan two",
        " --plan 2" + write,
        " --plan 2 --tile 1/2",
    };
    for (const std::string& args : bad) {
        const clitest::CliRun run = RunCli(GridCommand("40") + args, dir);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_FALSE(std::filesystem::exists(output)) << args;
    }
    // 21 columns: the refusal of 22 tiles says how many there are.
    const clitest::CliRun tooMany = RunCli(GridCommand("40") + " --plan 22", dir);
    EXPECT_NE(tooMany.err.find("21 columns"), std::string::npos) << tooMany.err;
    EXPECT_EQ(RunCli(GridCommand("40") + " --plan 21", dir).status, 0);
}
