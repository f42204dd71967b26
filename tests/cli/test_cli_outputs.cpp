// talvo-cli never destroys an output or passes off a stopped or refused run as done:
// outputs are renamed into place, never written over the project, a stopped grid keeps
// OUT.partial, and refused or stopped commands exit with a failure status.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cli_run_support.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

// Starts talvo-cli with args, its output into files of dir; returns its process id.
pid_t Start(const std::vector<std::string>& args, const ScratchDir& dir)
{
    const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
        ::_exit(127);
    std::vector<char*> argv{const_cast<char*>(TALVO_CLI)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(TALVO_CLI, argv.data());
    ::_exit(127);
}

// Waits until the process catches signal (its handler is installed), at most a minute.
bool WaitUntilCaught(pid_t pid, int signal)
{
    const unsigned long long bit = 1ULL << (signal - 1);
    for (int i = 0; i < 6000; ++i) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) & bit) != 0)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

int ExitStatus(pid_t pid)
{
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

bool HasTemporaryFile(const std::string& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().find(".talvo-tmp-") != std::string::npos)
            return true;
    return false;
}

bool MapCommandBuilt(const ScratchDir& dir) { return RunCli("--help", dir).out.find("map") != std::string::npos; }

}  // namespace

TEST(CliOutputs, AnOutputThatIsTheProjectItselfIsRefusedAndTheProjectKept)
{
    ScratchDir dir;
    const std::string project = clitest::SaveVariant(dir, "p.tlv", [](CMyTalvoDoc&) {});
    const std::string before = iotest::ReadBytes(project);
    std::filesystem::create_symlink(project, dir.File("link.tlv"));
    const std::string folder = std::filesystem::path(project).parent_path().string();
    const std::string sameFile[] = {project, dir.File("link.tlv"),
                                    folder + "/../" + std::filesystem::path(folder).filename().string() + "/p.tlv"};
    for (const std::string& output : sameFile) {
        const clitest::CliRun grid = RunCli("grid " + Quoted(project) + " -o " + Quoted(output), dir);
        EXPECT_EQ(grid.status, 1) << output;
        EXPECT_NE(grid.err.find("project itself"), std::string::npos) << grid.err;
        if (MapCommandBuilt(dir)) {
            EXPECT_EQ(RunCli("map " + Quoted(project) + " -o " + Quoted(output), dir).status, 1) << output;
        }
        EXPECT_EQ(iotest::ReadBytes(project), before) << output;
    }
    // An ordinary run leaves the complete file and nothing else beside it.
    const clitest::CliRun ok = RunCli("grid " + Quoted(project) + " -o " + Quoted(dir.File("g.txt")), dir);
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_FALSE(iotest::ReadBytes(dir.File("g.txt")).empty());
    EXPECT_FALSE(HasTemporaryFile(folder));
}

TEST(CliOutputs, SigtermStopsTheGridKeepingOutAsItWasAndTheComputedLinesInOutPartial)
{
    ScratchDir dir;
    const std::string output = dir.File("grid.txt");
    iotest::WriteBytes(output, "previous run\r\n");
    const pid_t pid =
        Start({"grid", clitest::AcceptanceProject(), "-o", output, "--spacing", "0.5", "--threads", "1"}, dir);
    ASSERT_TRUE(WaitUntilCaught(pid, SIGTERM));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(ExitStatus(pid), 128 + SIGTERM);
    EXPECT_EQ(iotest::ReadBytes(output), "previous run\r\n");
    const std::string partial = iotest::ReadBytes(output + ".partial");
    ASSERT_FALSE(partial.empty());
    EXPECT_EQ(partial.substr(partial.size() - 2), "\r\n");  // whole lines only
    EXPECT_NE(iotest::ReadBytes(dir.File("stderr.txt")).find(output + ".partial"), std::string::npos);
    std::filesystem::path folder(output);
    EXPECT_FALSE(HasTemporaryFile(folder.parent_path().string()));
}

TEST(CliOutputs, CtrlCStopsTheOptimisationWithAMessageAndStatus130)
{
    ScratchDir dir;
    // A million lengths of one evaluation each (no candidate comes near a target of 200).
    const pid_t pid =
        Start({"optimise", clitest::AcceptanceProject(), "--receiver", "1", "--from", "150,12.5", "--to", "350,12.5",
               "--max-height", "6", "--height-step", "6", "--length-step", "0.0002", "--target", "200"},
              dir);
    ASSERT_TRUE(WaitUntilCaught(pid, SIGINT));
    ::kill(pid, SIGINT);
    EXPECT_EQ(ExitStatus(pid), 130);
    EXPECT_EQ(iotest::ReadBytes(dir.File("stdout.txt")), "");
    EXPECT_NE(iotest::ReadBytes(dir.File("stderr.txt")).find("최적 방음벽 계산이 중단되었습니다."), std::string::npos);
}

TEST(CliOutputs, RefusedCalculationsExitWithOne)
{
    ScratchDir dir;
    const std::string nanAir =
        clitest::SaveVariant(dir, "nan.tlv", [](CMyTalvoDoc& d) { d.m_settings.m_dTemperature = std::nan(""); });
    const clitest::CliRun calc = RunCli("calc " + Quoted(nanAir), dir);
    EXPECT_EQ(calc.status, 1);
    EXPECT_NE(calc.err.find("올바른 숫자가 아닌"), std::string::npos) << calc.err;
    EXPECT_FALSE(calc.out.empty());  // the table still follows
    if (MapCommandBuilt(dir)) {
        const clitest::CliRun map = RunCli("map " + Quoted(nanAir) + " -o " + Quoted(dir.File("m.tif")), dir);
        EXPECT_EQ(map.status, 1);
        EXPECT_NE(map.err.find("올바른 숫자가 아닌"), std::string::npos) << map.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("m.tif")));
    }
    // Steps that would mean hours of search are refused up front with their candidates.
    const clitest::CliRun steps =
        RunCli("optimise " + Quoted(clitest::AcceptanceProject()) +
                   " --receiver 1 --from 150,12.5 --to 350,12.5 --max-height 6 --height-step 1 --length-step 1e-9",
               dir);
    EXPECT_EQ(steps.out.rfind("계산간격이 너무 작습니다. 후보 방음벽이 1200000000000개", 0), 0u) << steps.out;
}
