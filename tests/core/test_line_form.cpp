// The older line form: version rules, record layouts, the result block and files cut short.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;

namespace {

CFileResult OpenLines(CMyTalvoDoc& doc, const std::string& text)
{
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("old.tlv"), text);
    return OpenProject(doc, dir.File("old.tlv"));
}

const std::string kEarlyHeader =
    "#TALVO 프로젝트 파일\n#project information\n이름\n20 50 101.5\n0 500 0 300\n"
    "0 250 150\n#model information\n";

// A barrier record and a receiver record in the layout of every version.
const std::string kBarrier = "#2 1\n벽\n0 10 100 10 3\n흡음\n1 2 3 4 5 6 7 8\n";
const std::string kReceiver = "#3 1\n10 20 1.5 0.5 1 0 0\n";

}  // namespace

TEST(LineForm, VersionOnePointThreeFileConvertsWithEveryValueKept)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenProject(doc, iotest::DataPath("io/line_v13.tlv"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_DOUBLE_EQ(doc.m_dFileVersion, 1.3);
    EXPECT_EQ(doc.m_nCalculatedInFile, 1);
    EXPECT_DOUBLE_EQ(doc.m_arrReceiver.at(1).m_dLevel[7], 35.8);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dBaseHeight, -7.5);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dReceiverHeight, 4.0);
    EXPECT_DOUBLE_EQ(doc.m_arrEmbankment.at(0).m_dLength, 860.0);  // from the file, not recomputed
    EXPECT_DOUBLE_EQ(doc.m_arrRoad.at(0).m_dLength, std::sqrt(800.0 * 800 + 4));
    EXPECT_EQ(doc.m_arrRoadBase.size(), 2u);
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("new.tlv")).ok);
    EXPECT_EQ(iotest::ReadBytes(dir.File("new.tlv")), iotest::ReadBytes(iotest::DataPath("io/line_v13.converted.tlv")));
}

TEST(LineForm, EarlyFileReadsThreeCountsAndTwoClassTraffic)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/line_early.tlv")).ok);  // LF line ends
    EXPECT_DOUBLE_EQ(doc.m_dFileVersion, 0.0);
    EXPECT_EQ(doc.m_settings.m_strProjectName, "초기 프로젝트");
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dAreaEndX, 500);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dSectionX, 250);
    const CRoad& r = doc.m_arrRoad.at(0);
    EXPECT_EQ(r.m_nPavementDetail, 1);
    EXPECT_EQ(r.m_nVehicleClassMode, 0);  // "0 1 7 0": the 7 is skipped
    EXPECT_DOUBLE_EQ(r.m_dGradient, 0);
    EXPECT_DOUBLE_EQ(r.m_dSpeed[0], 50);
    EXPECT_DOUBLE_EQ(r.m_dVolume[1], 200);
    EXPECT_EQ(r.m_nRoadInfo, 0);
    EXPECT_DOUBLE_EQ(r.m_dUserPowerLevel[7], 75);
    EXPECT_EQ(r.m_pKey, "0.00100.000.00500.00100.000.00");
    EXPECT_EQ(doc.m_arrBarrier.at(0).m_pAbsorptionDesc, "반사형");
    EXPECT_EQ(doc.m_arrBarrier.at(0).m_nAttenuator, 0);
    EXPECT_DOUBLE_EQ(doc.m_arrReceiver.at(0).m_dZ, 1.2);
    EXPECT_EQ(doc.m_nCalculatedInFile, 0);
}

TEST(LineForm, OnlyExactlyOnePointThreeSelectsSixCounts)
{
    // With 1.35 the counts line "0 1 1 5 5 5" gives no embankments, cuttings or tunnels.
    CMyTalvoDoc doc;
    const std::string header = "#c\n1.35\n#project information\n이름\n20 50 101.5\n0 500 0 300\n0 250 150\n#m\n";
    ASSERT_TRUE(OpenLines(doc, header + "0 1 1 5 5 5\n" + kBarrier + kReceiver).ok);
    EXPECT_EQ(doc.m_arrBarrier.size(), 1u);
    EXPECT_EQ(doc.m_arrReceiver.size(), 1u);
    EXPECT_TRUE(doc.m_arrEmbankment.empty());
    EXPECT_DOUBLE_EQ(doc.m_arrBarrier[0].m_dAbsorption[7], 8);
    EXPECT_DOUBLE_EQ(doc.m_dFileVersion, 1.35);
}

TEST(LineForm, NewerVersionFailsAndLeavesTheProjectAsItWas)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/small_project.tlv")).ok);
    const CFileResult r = OpenLines(doc, "#c\n1.5\n#project information\n다른 이름\n1 2 3\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "파일의 버전이 높습니다.");
    EXPECT_EQ(doc.m_arrRoad.size(), 2u);
    EXPECT_EQ(doc.m_settings.m_strProjectName, "시험 프로젝트 (작은 것)");
    EXPECT_DOUBLE_EQ(doc.m_dFileVersion, 1.4);
}

TEST(LineForm, ResultBlockWithoutReceiversFailsTheOpen)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenLines(doc, kEarlyHeader + "0 1 0\n" + kBarrier + "1 1\n1 2 3 4 5 6 7 8\n");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
    EXPECT_TRUE(doc.m_arrBarrier.empty());
    // An empty line there is no result block.
    EXPECT_TRUE(OpenLines(doc, kEarlyHeader + "0 1 0\n" + kBarrier + "\n1 2\n").ok);
}

TEST(LineForm, FileEndingInsideTheRecordsKeepsTheEntitiesReadSoFar)
{
    CMyTalvoDoc doc;
    // Two barriers counted, the second cut after its coordinates; receivers never reached.
    const CFileResult r = OpenLines(doc, kEarlyHeader + "0 2 1\n" + kBarrier + "#2 2\n둘째\n0 20 100 20 5");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(doc.m_arrBarrier.size(), 1u);
    EXPECT_TRUE(doc.m_arrReceiver.empty());
    EXPECT_TRUE(doc.m_settings.m_bReceiverHeightEmpty);
    // A file cut in the result block keeps the levels read.
    ASSERT_TRUE(OpenLines(doc, kEarlyHeader + "0 0 2\n" + kReceiver + kReceiver + "1 1\n1 2 3 4 5 6 7 8\n2 1\n").ok);
    EXPECT_DOUBLE_EQ(doc.m_arrReceiver.at(0).m_dLevel[0], 1);
    EXPECT_DOUBLE_EQ(doc.m_arrReceiver.at(1).m_dLevel[0], 0);
}

TEST(LineForm, MissingNumbersLeaveTheirTargetsAtTheirDefaults)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenLines(doc, kEarlyHeader + "0 1 1\n#2 1\n벽\n0 10 x 10 3\n\n1 2 3\n" + "#3 1\n5 6\n").ok);
    const CBarrier_Stage& b = doc.m_arrBarrier.at(0);
    EXPECT_DOUBLE_EQ(b.m_dStartY, 10);
    EXPECT_DOUBLE_EQ(b.m_dEndX, 0);  // "x" stops the line: end X, end Y and height stay 0
    EXPECT_DOUBLE_EQ(b.m_dHeight, 0);
    EXPECT_DOUBLE_EQ(b.m_dAbsorption[2], 3);
    EXPECT_DOUBLE_EQ(b.m_dAbsorption[3], 0);
    EXPECT_DOUBLE_EQ(doc.m_arrReceiver.at(0).m_dY, 6);
}

TEST(LineForm, HeaderCutShortFailsAndLeavesTheProjectAsItWas)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.resize(1);
    for (const std::string& text : {std::string(), std::string("#TALVO\n"), std::string("#c\n1.3\n"), kEarlyHeader}) {
        EXPECT_FALSE(OpenLines(doc, text).ok) << text;
        EXPECT_EQ(doc.m_arrRoad.size(), 1u);
    }
}

TEST(LineForm, CountsAboveTheLimitAreRefused)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenLines(doc, kEarlyHeader + "100001 0 0\n");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("100000"), std::string::npos);
    // Negative counts read nothing.
    EXPECT_TRUE(OpenLines(doc, kEarlyHeader + "-5 -1 0\n").ok);
    EXPECT_TRUE(doc.m_arrRoad.empty());
}
