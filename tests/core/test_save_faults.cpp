// Saving while the machine fails underneath: the folder of the project vanishes before
// or during the save. Every save is either complete or reported, and the project in
// memory can still be saved elsewhere.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;
using iotest::SmallProject;

namespace {

bool IsSaveFailure(const CFileResult& r) { return !r.ok && r.message.find("저장할 수 없습니다") != std::string::npos; }

}  // namespace

TEST(SaveFaults, FolderRemovedAfterOpeningIsReportedAndTheProjectSavesElsewhere)
{
    ScratchDir dir;
    const std::string folder = dir.File("project");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/p.tlv";
    ASSERT_TRUE(SaveProject(SmallProject(), path).ok);
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, path).ok);
    std::filesystem::remove_all(folder);

    EXPECT_TRUE(IsSaveFailure(SaveProject(doc, path)));
    EXPECT_FALSE(std::filesystem::exists(folder));  // never made again behind the user's back
    ASSERT_TRUE(SaveProject(doc, dir.File("rescued.tlv")).ok);
    EXPECT_EQ(iotest::ReadBytes(dir.File("rescued.tlv")), iotest::ReadBytes(iotest::DataPath("io/small_project.tlv")));
}

TEST(SaveFaults, FolderVanishingDuringSavesGivesCompleteFilesOrMessages)
{
    ScratchDir dir;
    const std::string folder = dir.File("flaky");
    const std::string path = folder + "/p.tlv";
    const std::string expected = iotest::ReadBytes(iotest::DataPath("io/small_project.tlv"));
    const CMyTalvoDoc doc = SmallProject();
    std::atomic<bool> stop{false};
    std::thread vandal([&] {
        std::error_code ec;
        while (!stop) {
            std::filesystem::create_directory(folder, ec);
            std::this_thread::yield();
            std::filesystem::remove_all(folder, ec);
        }
    });
    int failures = 0;
    for (int i = 0; i < 300; ++i) {
        const CFileResult r = SaveProject(doc, path);
        EXPECT_TRUE(r.ok || IsSaveFailure(r)) << r.message;
        failures += r.ok ? 0 : 1;
    }
    stop = true;
    vandal.join();
    EXPECT_GT(failures, 0);
    // The folder as the vandal left it holds nothing but complete projects, never a
    // half-written one or a leftover temporary file.
    std::filesystem::create_directory(folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename(), "p.tlv");
        EXPECT_EQ(iotest::ReadBytes(entry.path().string()), expected);
    }
}

TEST(SaveFaults, SaveRefusesAFileTheOpenWouldRefuseAndKeepsTheOldOne)
{
    ScratchDir dir;
    const std::string path = dir.File("p.tlv");
    iotest::WriteBytes(path, "old contents");
    CMyTalvoDoc doc = SmallProject();
    doc.m_arrRoad[0].m_pDescription = std::string(70000, 'd');
    const CFileResult r = SaveProject(doc, path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("다시 열 수 없기 때문입니다"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("줄이 너무 깁니다"), std::string::npos) << r.message;
    EXPECT_EQ(iotest::ReadBytes(path), "old contents");
    EXPECT_EQ(dir.EntryCount(), 1u);
}
