// talvo-cli convert, run as a user would run it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli_run_support.h"
#include "io_test_support.h"

using clitest::CliRun;
using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

TEST(CliConvert, ConvertsALineFormFileToTheKeyForm)
{
    ScratchDir dir;
    const CliRun r =
        RunCli("convert " + Quoted(iotest::DataPath("io/line_v13.tlv")) + " " + Quoted(dir.File("out.tlv")), dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(iotest::ReadBytes(dir.File("out.tlv")), iotest::ReadBytes(iotest::DataPath("io/line_v13.converted.tlv")));
}

TEST(CliConvert, ReportsEveryFailureOnStderrWithStatusOne)
{
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("newer.tlv"), "#c\n1.5\n#project information\n");
    const std::string good = Quoted(iotest::DataPath("io/small_project.tlv"));
    const std::string cases[] = {
        "convert " + Quoted(dir.File("missing.tlv")) + " " + Quoted(dir.File("o.tlv")),
        "convert " + Quoted(dir.File("newer.tlv")) + " " + Quoted(dir.File("o.tlv")),
        "convert " + good + " " + Quoted(dir.File("no/folder/o.tlv")),
    };
    for (const std::string& args : cases) {
        const CliRun r = RunCli(args, dir);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_FALSE(r.err.empty()) << args;
    }
    EXPECT_NE(RunCli(cases[1], dir).err.find("파일의 버전이 높습니다."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.tlv")));
}

TEST(CliConvert, HelpListsTheSubcommands)
{
    ScratchDir dir;
    const CliRun r = RunCli("--help", dir);
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("convert"), std::string::npos);
}
