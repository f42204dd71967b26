// talvo-cli map's section picture: its own spacing and the vertical exaggeration asked for,
// and the refusals of values it cannot draw.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "cli_run_support.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

// The height in a PNG's header chunk; 0 when the bytes are no PNG.
std::uint32_t PngHeight(const std::string& bytes)
{
    std::uint32_t v = 0;
    for (std::size_t i = 20; i < 24 && bytes.size() >= 24 && bytes.compare(1, 3, "PNG") == 0; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[i]);
    return v;
}

}  // namespace

TEST(CliSectionMap, DrawsWithTheSpacingAndExaggerationAskedForAndRefusesBadValues)
{
    ScratchDir dir;
    const std::string project = Quoted(clitest::AcceptanceProject());
    const std::string plan = " -o " + Quoted(dir.File("plan.tif")) + " --spacing 50 --threads 2";
    auto section = [&](const std::string& name, const std::string& options) {
        return RunCli("map " + project + plan + " --section-png " + Quoted(dir.File(name)) + " " + options, dir);
    };
    const clitest::CliRun flat = section("flat.png", "--section-spacing 2 --exaggeration 1 --width 800");
    if (flat.err.find("PNG") != std::string::npos && flat.err.find("Qt") != std::string::npos)
        GTEST_SKIP() << "talvo-cli built without Qt draws no PNG";
    ASSERT_EQ(flat.status, 0) << flat.err;
    const clitest::CliRun tall = section("tall.png", "--section-spacing 2 --exaggeration 10 --width 800");
    ASSERT_EQ(tall.status, 0) << tall.err;
    const std::uint32_t one = PngHeight(iotest::ReadBytes(dir.File("flat.png")));
    EXPECT_GT(one, 0u);
    EXPECT_GT(PngHeight(iotest::ReadBytes(dir.File("tall.png"))), one);  // the heights drawn ten times larger

    const struct {
        const char* options;
        const char* said;
    } refused[] = {{"--exaggeration 20", "--exaggeration"},
                   {"--exaggeration 0", "1에서 10 사이"},
                   {"--section-spacing 0", "단면 간격이 잘못되었습니다"},
                   {"--section-spacing 0.0001", "너무 좁습니다"}};
    for (const auto& r : refused) {
        const clitest::CliRun run = section("refused.png", r.options);
        EXPECT_EQ(run.status, 1) << r.options;
        EXPECT_NE(run.err.find(r.said), std::string::npos) << r.options << ": " << run.err;
        EXPECT_TRUE(iotest::ReadBytes(dir.File("refused.png")).empty()) << r.options;
    }
}

// Qt's notes on the machine ("QStandardPaths: XDG_RUNTIME_DIR not set, ...") are no message of
// the program: drawing the pictures without a display writes nothing on standard error.
TEST(CliSectionMap, PicturesWithoutADisplayKeepStandardErrorClean)
{
    ScratchDir dir;
    struct CUnset {
        std::string name, value;
        bool was;
        explicit CUnset(const char* n) : name(n), was(std::getenv(n) != nullptr)
        {
            if (was)
                value = std::getenv(n);
            ::unsetenv(n);
        }
        ~CUnset()
        {
            if (was)
                ::setenv(name.c_str(), value.c_str(), 1);
        }
    } runtime("XDG_RUNTIME_DIR"), display("DISPLAY"), platform("QT_QPA_PLATFORM");
    const clitest::CliRun run =
        RunCli("map " + Quoted(clitest::AcceptanceProject()) + " -o " + Quoted(dir.File("plan.png")) +
                   " --spacing 50 --section-png " + Quoted(dir.File("cut.png")) + " --section-spacing 2 --width 400",
               dir);
    if (run.err.find("PNG") != std::string::npos && run.err.find("Qt") != std::string::npos)
        GTEST_SKIP() << "talvo-cli built without Qt draws no PNG";
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_GT(PngHeight(iotest::ReadBytes(dir.File("plan.png"))), 0u);
}
