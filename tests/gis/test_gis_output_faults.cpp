// No output destroys anything: a map or report that cannot be written completely (here:
// talvo-cli under a file-size limit, as on a full disk) exits with 1 and the reason and
// leaves the old file and its companions as they were; a shapefile is replaced as a whole
// set; an output never replaces an input, a companion of one, or the other output; KML
// is refused rather than written in metres.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_run_support.h"

using clitest::Quoted;
using clitest::RunCli;
using iotest::ScratchDir;

namespace {

constexpr rlim_t kFileSizeLimit = 512;        // bytes: less than any of the outputs at kSpacing
constexpr const char* kSpacing = "10";        // metres between the map's nodes
constexpr const char* kReportSpacing = "50";  // the report's maps: coarse, they are refined

// talvo-cli with args, unable to write any file past kFileSizeLimit bytes (SIGXFSZ
// ignored, so writes fail with EFBIG as they would with ENOSPC on a full disk).
clitest::CliRun RunWithFileSizeLimit(const std::vector<std::string>& args, const ScratchDir& dir)
{
    const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
            ::_exit(127);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kFileSizeLimit, kFileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::vector<char*> argv{const_cast<char*>(TALVO_CLI)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(TALVO_CLI, argv.data());
        ::_exit(127);
    }
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, iotest::ReadBytes(out), iotest::ReadBytes(err)};
}

bool HasTemporaryEntry(const ScratchDir& dir)
{
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("")))
        if (entry.path().filename().string().find(".talvo-tmp-") != std::string::npos)
            return true;
    return false;
}

// talvo-cli paints (the report, PNG pictures) only when built with Qt; it then has `report`.
bool PaintsWithQt(const ScratchDir& dir) { return RunCli("--help", dir).out.find("report") != std::string::npos; }

template <class Line>
void MoveEast(std::vector<Line>& lines, double east)
{
    for (Line& line : lines) {
        line.m_dStartX += east;
        line.m_dEndX += east;
    }
}

// The acceptance project in Korea 2000 (EPSG:5186) saved in dir, every position moved east
// by `east` metres.
std::string ProjectInKorea(const ScratchDir& dir, const std::string& name, double east)
{
    return clitest::SaveVariant(dir, name, [east](CMyTalvoDoc& doc) {
        doc.m_settings.m_strCrs = "EPSG:5186";
        doc.m_settings.m_dAreaStartX += east;
        doc.m_settings.m_dAreaEndX += east;
        doc.m_settings.m_dSectionX += east;
        MoveEast(doc.m_arrRoad, east);
        MoveEast(doc.m_arrBarrier, east);
        MoveEast(doc.m_arrEmbankment, east);
        for (CReceiverPoint& p : doc.m_arrReceiver)
            p.SetPosition(p.m_dX + east, p.m_dY, p.m_dZ);
    });
}

}  // namespace

TEST(GisOutputFaults, AFullDiskLeavesEveryOldMapAndReportAndSaysWhy)
{
    ScratchDir dir;
    const std::string project = ProjectInKorea(dir, "p.tlv", 0);
    ASSERT_FALSE(project.empty());
    std::vector<std::string> outputs{"m.tif", "m.geojson", "m.kml", "m.gpkg", "m.dxf", "m.shp"};
    if (PaintsWithQt(dir))
        outputs.push_back("r.pdf");
    const std::vector<std::string> companions{"m.shx", "m.dbf", "m.prj", "m.cpg"};
    for (const std::string& name : companions)
        iotest::WriteBytes(dir.File(name), "old " + name);
    for (const std::string& name : outputs) {
        const std::string target = dir.File(name);
        iotest::WriteBytes(target, "old " + name);
        const bool report = name == "r.pdf";
        const std::vector<std::string> args =
            report ? std::vector<std::string>{"report", project, "-o", target, "--map-spacing", kReportSpacing}
                   : std::vector<std::string>{"map", project, "-o", target, "--uniform", "--spacing", kSpacing};
        const clitest::CliRun cut = RunWithFileSizeLimit(args, dir);
        EXPECT_EQ(cut.status, 1) << name << ": " << cut.err;
        EXPECT_NE(cut.err.find(name), std::string::npos) << cut.err;
        EXPECT_EQ(iotest::ReadBytes(target), "old " + name);
        EXPECT_FALSE(HasTemporaryEntry(dir)) << name;
    }
    for (const std::string& name : companions)
        EXPECT_EQ(iotest::ReadBytes(dir.File(name)), "old " + name);

    // With room, each is replaced by the complete new file.
    for (const std::string& name : outputs) {
        const bool report = name == "r.pdf";
        const clitest::CliRun whole =
            RunCli((report ? "report " : "map ") + Quoted(project) + " -o " + Quoted(dir.File(name)) +
                       (report ? std::string(" --map-spacing ") + kReportSpacing
                               : std::string(" --uniform --spacing ") + kSpacing),
                   dir);
        EXPECT_EQ(whole.status, 0) << name << ": " << whole.err;
        EXPECT_GT(iotest::ReadBytes(dir.File(name)).size(), kFileSizeLimit) << name;
    }
}

TEST(GisOutputFaults, ShapefileIsReplacedAsAWholeSetWithoutStaleCompanions)
{
    ScratchDir dir;
    const std::string korea = ProjectInKorea(dir, "korea.tlv", 0);
    const std::string local = clitest::SaveVariant(dir, "local.tlv", [](CMyTalvoDoc&) {});
    ASSERT_EQ(RunCli("map " + Quoted(korea) + " -o " + Quoted(dir.File("m.shp")), dir).status, 0);
    ASSERT_FALSE(iotest::ReadBytes(dir.File("m.prj")).empty());
    iotest::WriteBytes(dir.File("m.qix"), "an index of the old shapes");
    // The new set has no coordinate system: an old .prj would lend it Korea 2000.
    const clitest::CliRun run = RunCli("map " + Quoted(local) + " -o " + Quoted(dir.File("m.shp")), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* part : {"m.shp", "m.shx", "m.dbf"})
        EXPECT_TRUE(std::filesystem::exists(dir.File(part))) << part;
    for (const char* stale : {"m.prj", "m.qix"})
        EXPECT_FALSE(std::filesystem::exists(dir.File(stale))) << stale;
    EXPECT_FALSE(HasTemporaryEntry(dir));
}

TEST(GisOutputFaults, AnOutputNeverReplacesAnInputItsCompanionOrTheOtherOutput)
{
    ScratchDir dir;
    const std::string project = clitest::SaveVariant(dir, "P.dbf", [](CMyTalvoDoc&) {});
    const std::string before = iotest::ReadBytes(project);
    std::filesystem::create_symlink(project, dir.File("link.pdf"));
    std::vector<std::string> refused{"map " + Quoted(project) + " -o " + Quoted(dir.File("P.shp"))};
    if (PaintsWithQt(dir)) {
        for (const char* output : {"P.dbf", "link.pdf"})
            refused.push_back("report " + Quoted(project) + " -o " + Quoted(dir.File(output)));
        refused.push_back("map " + Quoted(project) + " -o " + Quoted(dir.File("m.png")) + " --section-png " +
                          Quoted(dir.File("m.png")));
        refused.push_back("map " + Quoted(project) + " -o " + Quoted(dir.File("m.shp")) + " --section-png " +
                          Quoted(dir.File("m.dbf")));
    }
    for (const std::string& command : refused) {
        const clitest::CliRun run = RunCli(command, dir);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find("name another file"), std::string::npos) << run.err;
        EXPECT_EQ(iotest::ReadBytes(project), before) << command;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.shp")));
}

TEST(GisOutputFaults, KmlIsRefusedWhenAPointCannotBeGivenInLongitudeAndLatitude)
{
    ScratchDir dir;
    // 100,000 km east of Korea's central meridian: outside the projection's domain.
    const std::string far = ProjectInKorea(dir, "far.tlv", 1e8);
    ASSERT_FALSE(far.empty());
    const clitest::CliRun refused = RunCli("map " + Quoted(far) + " -o " + Quoted(dir.File("far.kml")), dir);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("경위도"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("far.kml")));

    const std::string near = ProjectInKorea(dir, "near.tlv", 0);
    ASSERT_EQ(RunCli("map " + Quoted(near) + " -o " + Quoted(dir.File("near.kml")), dir).status, 0);
    const std::string kml = iotest::ReadBytes(dir.File("near.kml"));
    const std::size_t at = kml.find("<coordinates>") + std::string("<coordinates>").size();
    const double longitude = std::stod(kml.substr(at));
    EXPECT_GT(longitude, 120);  // degrees east, not metres
    EXPECT_LT(longitude, 130);
}
