// Failures of opening and saving: the previous file and the open project always survive.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <random>
#include <string>

#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;
using iotest::SmallProject;

namespace {

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace

TEST(ProjectFileSafety, SaveIntoAMissingFolderFailsWithAMessage)
{
    ScratchDir dir;
    const CFileResult r = SaveProject(SmallProject(), dir.File("no/such/folder/p.tlv"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("저장할 수 없습니다"), std::string::npos);
}

TEST(ProjectFileSafety, FailedWriteLeavesTheOldFileAsItWas)
{
    ScratchDir dir;
    const std::string path = dir.File("p.tlv");
    iotest::WriteBytes(path, "old contents");
    {
        FileSizeLimit full(64);  // far smaller than the project
        const CFileResult r = SaveProject(SmallProject(), path);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.message.empty());
    }
    EXPECT_EQ(iotest::ReadBytes(path), "old contents");
    EXPECT_EQ(dir.EntryCount(), 1u);  // the half-written new file is gone
}

TEST(ProjectFileSafety, SaveNeverReplacesAFolderOrADevice)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir.File("folder.tlv"));
    EXPECT_FALSE(SaveProject(CMyTalvoDoc(), dir.File("folder.tlv")).ok);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.tlv")));
    EXPECT_FALSE(SaveProject(CMyTalvoDoc(), "/dev/full").ok);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(ProjectFileSafety, SaveReplacesAnExistingFileKeepingItsPermissions)
{
    ScratchDir dir;
    const std::string path = dir.File("p.tlv");
    iotest::WriteBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_TRUE(SaveProject(SmallProject(), path).ok);
    EXPECT_EQ(iotest::ReadBytes(path), iotest::ReadBytes(iotest::DataPath("io/small_project.tlv")));
    EXPECT_EQ(
        std::filesystem::status(path).permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
}

TEST(ProjectFileSafety, FailedOpenLeavesModelSettingsAndFileStateAsTheyWere)
{
    CMyTalvoDoc doc = SmallProject();
    doc.m_arrAttenuation.emplace_back();
    doc.m_settings.m_dReceiverSpacing = 12;
    ScratchDir dir;
    for (const std::string& path : {dir.File("missing.tlv"), dir.File("")}) {
        const CFileResult r = OpenProject(doc, path);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("열 수 없습니다"), std::string::npos);
    }
    iotest::WriteCp949Lines(dir.File("new.tlv"), "#c\n2.0\n#project information\n");
    EXPECT_FALSE(OpenProject(doc, dir.File("new.tlv")).ok);
    EXPECT_EQ(doc.m_arrRoad.size(), 2u);
    EXPECT_EQ(doc.m_arrRoadBase.size(), 2u);
    EXPECT_TRUE(doc.IsCalculated());
    EXPECT_EQ(doc.m_settings.m_strProjectName, "시험 프로젝트 (작은 것)");
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dTemperature, 15);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dReceiverSpacing, 12);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dBaseHeight, -3.5);
    EXPECT_DOUBLE_EQ(doc.m_dFileVersion, 1.4);
}

TEST(ProjectFileSafety, KeyFormCountsAboveTheLimitAreRefused)
{
    CMyTalvoDoc doc = SmallProject();
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("big.tlv"),
                            "[설정]\n버전=1.4\n도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/0/0/0/1e9\n");
    const CFileResult r = OpenProject(doc, dir.File("big.tlv"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("100000"), std::string::npos);
    EXPECT_EQ(doc.m_arrTunnel.size(), 1u);
}

TEST(ProjectFileSafety, ArbitraryBytesNeverCrashTheReader)
{
    const std::string golden = iotest::ReadBytes(iotest::DataPath("io/line_v13.tlv"));
    std::mt19937 random(2024);
    ScratchDir dir;
    for (int round = 0; round < 200; ++round) {
        std::string bytes = golden;
        for (int flips = 0; flips < 8; ++flips)
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        if (round % 4 == 0)
            bytes.resize(random() % bytes.size());
        iotest::WriteBytes(dir.File("x.tlv"), bytes);
        CMyTalvoDoc doc;
        const CFileResult r = OpenProject(doc, dir.File("x.tlv"));
        EXPECT_TRUE(r.ok || !r.message.empty());
    }
}

TEST(ProjectFileSafety, AcceptanceProjectsRoundTripByteForByte)
{
    for (const char* name : {"open-road.tlv", "barrier-embankment.tlv"}) {
        const std::string path = iotest::DataPath(std::string("acceptance/") + name);
        CMyTalvoDoc doc;
        ASSERT_TRUE(OpenProject(doc, path).ok) << name;
        ScratchDir dir;
        ASSERT_TRUE(SaveProject(doc, dir.File("out.tlv")).ok);
        EXPECT_EQ(iotest::ReadBytes(dir.File("out.tlv")), iotest::ReadBytes(path)) << name;
    }
}
