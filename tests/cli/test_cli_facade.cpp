// talvo-cli facade, run as a user would: the tables on standard output or in a file written
// whole, and the refusals with exit status 1.
#include <gtest/gtest.h>

#include "cli_run_support.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

// A block of 3 floors behind the barrier of the acceptance project (barrier along y = 12.5).
CBuilding Block()
{
    CBuilding b;
    b.m_arrFootprint = {{200, 40, 0}, {200, 52, 0}, {230, 52, 0}, {230, 40, 0}};
    b.m_nFloors = 3;
    b.m_pName = "101동";
    return b;
}

std::string ProjectWithBlock(const ScratchDir& dir, double receiverX = 250.0)
{
    return clitest::SaveVariant(dir, "block.tlv", [receiverX](CMyTalvoDoc& doc) {
        doc.m_arrBuilding.push_back(Block());
        doc.m_arrReceiver[0].m_dX = receiverX;
    });
}

}  // namespace

TEST(CliFacade, PrintsEveryReceiverOrEveryFloorAndWritesTheSameToAFile)
{
    ScratchDir dir;
    const std::string project = ProjectWithBlock(dir);
    const clitest::CliRun all = RunCli("facade " + Quoted(project), dir);
    ASSERT_EQ(all.status, 0) << all.err;
    const auto lines = clitest::Split(all.out, '\n');
    // Walls of 12 and 30 m: 2 + 3 points each, twice, on 3 floors.
    ASSERT_EQ(lines.size(), 1u + 30u);
    EXPECT_EQ(lines[0], "building\twall\tpoint\tfloor\tX(m)\tY(m)\tZ(m)\t63\t125\t250\t500\t1K\t2K\t4K\t8K\tOverall");
    EXPECT_EQ(lines[1].rfind("1\t1\t1\t1\t199.00\t43.00\t1.50\t", 0), 0u) << lines[1];
    EXPECT_EQ(lines[30].rfind("1\t4\t3\t3\t205.00\t39.00\t7.50\t", 0), 0u) << lines[30];

    const clitest::CliRun floors = RunCli("facade --floors " + Quoted(project), dir);
    ASSERT_EQ(floors.status, 0) << floors.err;
    const auto rows = clitest::Split(floors.out, '\n');
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], "building\tfloor\tpoints\tmax\twall\tpoint\tmin");
    EXPECT_EQ(rows[3].rfind("1\t3\t10\t", 0), 0u) << rows[3];

    ASSERT_EQ(RunCli("facade --floors " + Quoted(project) + " -o " + Quoted(dir.File("floors.txt")), dir).status, 0);
    EXPECT_EQ(iotest::ReadBytes(dir.File("floors.txt")), floors.out);
}

TEST(CliFacade, RefusalsExitWithStatusOne)
{
    ScratchDir dir;
    // No buildings: no façade receivers.
    const clitest::CliRun none = RunCli("facade " + Quoted(clitest::AcceptanceProject()), dir);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("외벽 수음점이 없습니다."), std::string::npos) << none.err;

    // A receiver standing in the block.
    const std::string inside = ProjectWithBlock(dir, 215.0);
    const clitest::CliRun refused = RunCli("facade " + Quoted(inside), dir);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("수음점 1이(가) 건물 1 (101동) 안에 있습니다."), std::string::npos) << refused.err;

    // The output may not be the project itself.
    const std::string project = ProjectWithBlock(dir);
    const std::string before = iotest::ReadBytes(project);
    EXPECT_EQ(RunCli("facade " + Quoted(project) + " -o " + Quoted(project), dir).status, 1);
    EXPECT_EQ(iotest::ReadBytes(project), before);
}
