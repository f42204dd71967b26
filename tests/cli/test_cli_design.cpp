// talvo-cli optimise for a building's floors or several receivers, run as a user would.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_run_support.h"
#include "optimise/design_target.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

const std::string kDesign = " --from 250,215 --to 790,215 --max-height 12 --length-step 40 --height-step 1";

std::string Apartments() { return Quoted(std::string(TALVO_EXAMPLES) + "/highway-apartments.tlv"); }

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST(CliDesign, BuildingFloorsGiveTheBarrierThenTheTableBeforeAndAfter)
{
    ScratchDir dir;
    const clitest::CliRun run =
        RunCli("optimise " + Apartments() + " --building 3 --floors 1-2 --target 70" + kDesign, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, h = 0;
    ASSERT_EQ(std::sscanf(lines[0].c_str(), "%lf\t%lf\t%lf\t%lf\t%lf", &x1, &y1, &x2, &y2, &h), 5) << lines[0];
    EXPECT_EQ(y1, 215.0);
    EXPECT_LE(h, 12.0);
    EXPECT_EQ(lines[1], "building\tfloor\tpoints\tlimit\tbefore\tafter\tloss\tcheck");
    for (int floor = 1; floor <= 2; ++floor) {
        int building = 0, number = 0, points = 0;
        double limit = 0, before = 0, after = 0, loss = 0;
        char check[64] = {};
        ASSERT_EQ(std::sscanf(lines[std::size_t(floor) + 1].c_str(), "%d\t%d\t%d\t%lf\t%lf\t%lf\t%lf\t%63s", &building,
                              &number, &points, &limit, &before, &after, &loss, check),
                  8);
        EXPECT_EQ(building, 3);
        EXPECT_EQ(number, floor);
        EXPECT_EQ(limit, 70.0);
        EXPECT_LE(after, 70.0);
        EXPECT_NEAR(loss, before - after, 0.011);
        EXPECT_EQ(std::string(check), "만족");
    }
}

TEST(CliDesign, SetRefusalsArePrintedAndBadSetArgumentsExitWithOne)
{
    ScratchDir dir;
    const clitest::CliRun night =
        RunCli("optimise " + Apartments() + " --receivers 1,2-3 --period night" + kDesign, dir);
    EXPECT_EQ(night.status, 0);
    EXPECT_EQ(night.out, std::string(kMsgNoNightPowers) + "\n");
    const clitest::CliRun noLimit = RunCli("optimise " + Apartments() + " --receivers 1-3" + kDesign, dir);
    EXPECT_EQ(noLimit.out, std::string(kMsgNoLimitInSet) + "\n");
    // Without a criterion a building's floors are held to the housing rule, as in the tables.
    const clitest::CliRun housing = RunCli("optimise " + Apartments() + " --building 1 --floors 1" + kDesign, dir);
    EXPECT_NE(housing.out.find("\n1\t1\t16\t65.00\t"), std::string::npos) << housing.out;
    const char* bad[] = {
        "--building 3 --floors 2-1", "--floors 1-3 --receivers 1", "--receiver 1 --period night",   "--receivers 0",
        "--receivers 1,x",           "--building 2 --receivers 1", "--period evening --building 1", ""};
    for (const char* args : bad) {
        const clitest::CliRun run = RunCli("optimise " + Apartments() + " " + args + kDesign, dir);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_FALSE(run.err.empty()) << args;
    }
}
