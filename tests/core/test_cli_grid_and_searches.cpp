#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path ScratchDir()
{
    const fs::path dir = fs::temp_directory_path() /
                         ("talvo-cli-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

// Runs talvo-cli with args (already quoted for the shell) and collects what it wrote.
CliRun RunCli(const std::string& args)
{
    const fs::path dir = ScratchDir();
    const std::string command = std::string("'") + TALVO_CLI + "' " + args + " >'" +
                                (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
    CliRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadAll(dir / "out");
    run.err = ReadAll(dir / "err");
    return run;
}

}  // namespace

TEST(CliArguments, BadArgumentsExitWithOneAndAMessage)
{
    const std::string output = (ScratchDir() / "grid.txt").string();
    const std::string project = std::string(TALVO_TEST_DATA) + "/acceptance/barrier-embankment.tlv";
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
            args.replace(at, 7, "'" + project + "'");
        if (const auto at = args.find("OUT"); at != std::string::npos)
            args.replace(at, 3, "'" + output + "'");
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_FALSE(fs::exists(output)) << args;
    }
}

TEST(CliArguments, AProjectThatCannotBeOpenedWritesNoFile)
{
    const std::string output = (ScratchDir() / "none.txt").string();
    const CliRun run = RunCli("grid /nonexistent/project.tlv -o '" + output + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("/nonexistent/project.tlv"), std::string::npos);
    EXPECT_FALSE(fs::exists(output));
}
