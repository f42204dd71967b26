// Files no real project produces: counts of pieces past any real road or tunnel, lines
// megabytes long, numbers that are not finite. Each is refused with its message or
// read without letting a non-number reach a derived height; a refused open leaves the
// open project as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <string>

#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;
using iotest::SmallProject;

namespace {

constexpr const char* kKeyFormHeader = "[설정]\n버전=1.4\n";

// Opens text (UTF-8, '\n' line ends) written as a CP949 file over the small project.
CFileResult OpenOverSmallProject(const std::string& text, CMyTalvoDoc& doc)
{
    doc = SmallProject();
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("hostile.tlv"), text);
    return OpenProject(doc, dir.File("hostile.tlv"));
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void ExpectSmallProjectKept(const CMyTalvoDoc& doc)
{
    EXPECT_EQ(doc.m_arrRoad.size(), 2u);
    EXPECT_EQ(doc.m_arrTunnel.size(), 1u);
    EXPECT_EQ(doc.m_settings.m_strProjectName, "시험 프로젝트 (작은 것)");
}

// A line-form version 1.3 file with one road of the given source count and one tunnel
// of the given lanes.
std::string LineFormFile(const std::string& sources, const std::string& lanes)
{
    return "#c\n1.3\n#project information\np\n20 50 101\n0 10 0 10\n0 5 5\n#model\n1 0 0 0 0 1\n"
           "#1 1\nroad\n0 0 0 100 0 0\n8 " +
           sources +
           "\n0 0 0 0\n60 10\n60 10\n0 0\n"
           "0 0 0 0 0 0 0 0\n80 80 80 80 80 80 80 80\n"
           "#5 1\ntunnel\n0 0 0 50 0 0\n" +
           lanes +
           " 10 6 0 0\n0 0 0 0\n60 10\n60 10\n"
           "90 90 90 90 90 90 90 90\n";
}

}  // namespace

TEST(HostileFiles, KeyFormRoadWithMoreThan100000SourcesIsRefused)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenOverSmallProject(std::string(kKeyFormHeader) +
                                                   "도로수/방음벽수/수음점수/성토수/절토수/터널수=2/0/0/0/0/0\n"
                                                   "[도로 2]\n이산소음원갯수=100001\n",
                                               doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(Contains(r.message, "도로 2의 이산소음원 수(100001)")) << r.message;
    EXPECT_TRUE(Contains(r.message, "100000개까지")) << r.message;
    ExpectSmallProjectKept(doc);
}

TEST(HostileFiles, KeyFormRoadWithExactly100000SourcesOpens)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenOverSmallProject(std::string(kKeyFormHeader) +
                                                   "도로수/방음벽수/수음점수/성토수/절토수/터널수=1/0/0/0/0/0\n"
                                                   "[도로 1]\n이산소음원갯수=100000\n",
                                               doc);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(doc.m_arrRoad.at(0).m_nSourceCount, 100000);
}

TEST(HostileFiles, KeyFormTunnelWithMoreThan100000LanesIsRefused)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenOverSmallProject(std::string(kKeyFormHeader) +
                                                   "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/0/0/0/1\n"
                                                   "[터널 1]\n터널차선=2147483647\n",
                                               doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(Contains(r.message, "터널 1의 차선 수(2147483647)")) << r.message;
    ExpectSmallProjectKept(doc);
}

TEST(HostileFiles, LineFormRoadSourcesAndTunnelLanesAreRefusedAlike)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenOverSmallProject(LineFormFile("64", "2"), doc).ok);
    EXPECT_EQ(doc.m_arrRoad.size(), 1u);

    CFileResult r = OpenOverSmallProject(LineFormFile("5000000", "2"), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(Contains(r.message, "도로 1의 이산소음원 수(5000000)")) << r.message;
    ExpectSmallProjectKept(doc);

    r = OpenOverSmallProject(LineFormFile("64", "100001"), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(Contains(r.message, "터널 1의 차선 수(100001)")) << r.message;
    ExpectSmallProjectKept(doc);
}

TEST(HostileFiles, AValueLineMegabytesLongIsRefusedWithItsLineNumber)
{
    CMyTalvoDoc doc;
    const std::string longValue(3 << 20, '7');
    CFileResult r = OpenOverSmallProject(std::string(kKeyFormHeader) + "프로젝트명=" + longValue + "\n", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(Contains(r.message, "3번째 줄이 너무 깁니다")) << r.message.substr(0, 200);
    ExpectSmallProjectKept(doc);

    // The line form's text lines are bounded alike, also without any line end at all.
    r = OpenOverSmallProject("#c\n" + std::string(70000, 'x'), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(Contains(r.message, "2번째 줄이 너무 깁니다")) << r.message.substr(0, 200);
    ExpectSmallProjectKept(doc);
}

TEST(HostileFiles, LongestAllowedLineStillOpens)
{
    CMyTalvoDoc doc;
    const std::string name = "프로젝트명=";
    const std::string filler(65536 - name.size(), 'a');  // single-byte in CP949 as in UTF-8
    const CFileResult r = OpenOverSmallProject(std::string(kKeyFormHeader) + name + filler + "\n", doc);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(doc.m_settings.m_strProjectName.size(), 254u);  // cut on reading, as always
}

TEST(HostileFiles, NonFiniteCuttingHeightsNeverBecomeTheBaseHeight)
{
    CMyTalvoDoc doc;
    const CFileResult r =
        OpenOverSmallProject(std::string(kKeyFormHeader) +
                                 "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/1/0/3/0\n"
                                 "[절토 1]\n절토높이=-1e400\n[절토 2]\n절토높이=-2.5\n[절토 3]\n절토높이=nan\n"
                                 "[수음점 1]\n수음점X / Y / Z / 중간지면계수 / 수음영역계수=1/2/inf/0/0/0/0\n",
                             doc);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(std::isinf(doc.m_arrCutting.at(0).m_dHeight));  // kept as read, for the user to see
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dBaseHeight, -2.5);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dReceiverHeight, 0.0);
}

TEST(HostileFiles, LineFormNonFiniteHeightsNeverBecomeDerivedHeights)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenOverSmallProject(
        "#c\n1.3\n#project information\np\n20 50 101\n0 10 0 10\n0 5 5\n#model\n0 0 1 0 2 0\n"
        "#4 1\ncut\n0 0 10 0 -inf 5 10 0\n0 0 0 0 0 0 0 0\n#4 2\ncut\n0 0 10 0 -1.5 5 10 0\n0 0 0 0 0 0 0 0\n"
        "#6 1\n0 0 nan 0 0 0 0\n",
        doc);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dBaseHeight, -1.5);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dReceiverHeight, 0.0);
}

TEST(HostileFiles, FilesOfCountlessSectionsOrKeyLinesAreRefusedBeforeParsing)
{
    std::string sections(kKeyFormHeader);
    for (int i = 0; i < 700001; ++i)
        sections += "[" + std::to_string(i) + "]\n";
    CMyTalvoDoc doc;
    CFileResult r = OpenOverSmallProject(sections, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "파일의 구역이 너무 많습니다. 프로젝트 파일은 700001개까지의 구역을 가질 수 있습니다.");
    ExpectSmallProjectKept(doc);

    std::string keys(kKeyFormHeader);
    keys.reserve(keys.size() + 4000000 * 3);
    for (int i = 0; i < 4000000; ++i)
        keys += "k=\n";
    r = OpenOverSmallProject(keys, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "파일의 키 줄이 너무 많습니다. 프로젝트 파일은 4000000개까지의 키 줄을 가질 수 있습니다.");
    ExpectSmallProjectKept(doc);
}

TEST(HostileFiles, APipeOrADeviceIsRefusedInsteadOfWaitedFor)
{
    ScratchDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe.tlv").c_str(), 0600), 0);
    CMyTalvoDoc doc = SmallProject();
    for (const std::string& path : {dir.File("pipe.tlv"), std::string("/dev/zero")}) {
        const CFileResult r = OpenProject(doc, path);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "파일을 열 수 없습니다. (일반 파일이 아닙니다)") << path;
    }
    ExpectSmallProjectKept(doc);
}
