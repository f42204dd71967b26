// Results and files the engineer can trust: stored results survive saves, stale results
// are never saved as current, a save never writes a number that reopens as another, and
// damaged or foreign files are named for what they are.
#include <gtest/gtest.h>

#include <string>

#include "calc_test_support.h"
#include "engine/calculation.h"
#include "io/codepage.h"
#include "io/project_file.h"
#include "io/receiver_export.h"
#include "io_test_support.h"
#include "maps/noise_map_compute.h"
#include "model/document.h"
#include "optimise/barrier_optimisation.h"

using iotest::ScratchDir;

namespace {

const std::string kProjectHeader = "[설정]\n버전=1.4\n";
const std::string kReceiverKey = "수음점X / Y / Z / 중간지면계수 / 수음영역계수";

CMyTalvoDoc Opened(const std::string& path)
{
    CMyTalvoDoc doc;
    const CFileResult r = OpenProject(doc, path);
    EXPECT_TRUE(r.ok) << r.message;
    return doc;
}

// Opens path, saves it to a file of dir and opens that again.
CMyTalvoDoc SavedAndReopened(const std::string& path, const ScratchDir& dir)
{
    const CMyTalvoDoc doc = Opened(path);
    EXPECT_TRUE(SaveProject(doc, dir.File("again.tlv")).ok);
    return Opened(dir.File("again.tlv"));
}

CFileResult OpenBytes(const std::string& bytes, CMyTalvoDoc& doc)
{
    ScratchDir dir;
    iotest::WriteBytes(dir.File("p.tlv"), bytes);
    return OpenProject(doc, dir.File("p.tlv"));
}

// A calculated project: one road, one receiver, levels from a real calculation.
CMyTalvoDoc CalculatedProject()
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.push_back(calctest::Road(0, 0, 200, 0, 0, 10, 20));
    doc.m_arrReceiver.push_back(calctest::Receiver(100, 50, 1.5));
    Calculate(doc);
    EXPECT_TRUE(doc.HasCurrentResults());
    return doc;
}

}  // namespace

TEST(StoredResults, ResultsReadFromAFileSurviveEverySave)
{
    ScratchDir dir;
    // The line form's result block and the key form's result sections alike.
    const CMyTalvoDoc line = SavedAndReopened(iotest::DataPath("io/line_v13.tlv"), dir);
    EXPECT_EQ(line.m_nCalculatedInFile, 1);
    EXPECT_DOUBLE_EQ(line.m_arrReceiver.at(1).m_dLevel[7], 35.8);

    iotest::WriteCp949Lines(dir.File("k.tlv"), kProjectHeader +
                                                   "영역/계산수행여부=0/10/0/10/1\n"
                                                   "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/1\n[수음점 1]\n" +
                                                   kReceiverKey +
                                                   "=1/2/3/0/0/0/0\n[dB 1]\n소음예측=1/2/3/4/5/6/7/8.5\n");
    const CMyTalvoDoc key = SavedAndReopened(dir.File("k.tlv"), dir);
    EXPECT_EQ(key.m_nCalculatedInFile, 1);
    EXPECT_DOUBLE_EQ(key.m_arrReceiver.at(0).m_dLevel[7], 8.5);

    // A calculation refused by the input check keeps them too (a nan temperature).
    CMyTalvoDoc refused = Opened(dir.File("k.tlv"));
    refused.m_settings.m_dTemperature = std::nan("");
    EXPECT_FALSE(Calculate(refused).empty());
    ASSERT_TRUE(SaveProject(refused, dir.File("refused.tlv")).ok);
    EXPECT_DOUBLE_EQ(Opened(dir.File("refused.tlv")).m_arrReceiver.at(0).m_dLevel[7], 8.5);
}

TEST(StoredResults, StaleResultsAreMarkedAndLeftOutOfTheFileUntilTheNextCalculation)
{
    CMyTalvoDoc doc = CalculatedProject();
    const double level = doc.m_arrReceiver[0].m_dLevel[4];
    doc.m_arrBarrier.push_back(calctest::Barrier(0, 20, 200, 20, 4));
    doc.CommitModelChange();
    EXPECT_TRUE(doc.HasResults());
    EXPECT_FALSE(doc.HasCurrentResults());
    EXPECT_TRUE(doc.m_bModified);

    // Every command that uses results or the calculation's scene refuses them while stale.
    EXPECT_EQ(CheckReceiverExport(doc, CReceiverGrid::FromSettings(doc.m_settings)), kMsgStaleResults);
    EXPECT_EQ(CheckNoiseMap(doc, 50), kMsgStaleResults);
    EXPECT_EQ(CheckOptimisationStart(doc, 0, {0, 30, 200, 30, 5, 10, 1}), kMsgStaleResults);

    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("stale.tlv")).ok);
    const CMyTalvoDoc stale = Opened(dir.File("stale.tlv"));
    EXPECT_EQ(stale.m_nCalculatedInFile, 0);
    EXPECT_EQ(stale.m_arrBarrier.size(), 1u);  // the model is saved as always
    EXPECT_EQ(Cp949ToUtf8(iotest::ReadBytes(dir.File("stale.tlv"))).find("[dB"), std::string::npos);

    Calculate(doc);
    EXPECT_TRUE(doc.HasCurrentResults());
    EXPECT_LT(doc.m_arrReceiver[0].m_dLevel[4], level);  // the barrier screens
    ASSERT_TRUE(SaveProject(doc, dir.File("current.tlv")).ok);
    const CMyTalvoDoc current = Opened(dir.File("current.tlv"));
    EXPECT_EQ(current.m_nCalculatedInFile, 1);
    EXPECT_TRUE(current.HasCurrentResults());
    EXPECT_NEAR(current.m_arrReceiver[0].m_dLevel[4], doc.m_arrReceiver[0].m_dLevel[4], 1e-6);

    // A change before any result marks nothing.
    CMyTalvoDoc fresh;
    fresh.CommitModelChange();
    EXPECT_FALSE(fresh.m_bResultsStale);
}

TEST(StoredResults, ANumberThatWouldReopenAsAnotherIsRefusedNamingEntityAndField)
{
    ScratchDir dir;
    const std::string path = dir.File("p.tlv");
    CMyTalvoDoc doc;
    doc.m_arrBarrier.push_back(calctest::Barrier(0, 10, 100, 10, 3));
    doc.m_arrBarrier.push_back(calctest::Barrier(0, 20, 100, 20, 3));
    ASSERT_TRUE(SaveProject(doc, path).ok);
    const std::string before = iotest::ReadBytes(path);

    doc.m_arrBarrier[1].m_dHeight = 1e308;  // "%lf" writes over 300 digits; 254 come back
    const CFileResult r = SaveProject(doc, path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("방음벽 2"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("방음벽높이"), std::string::npos) << r.message;
    EXPECT_EQ(iotest::ReadBytes(path), before);

    // A list is cut as a whole: eight band values of 1e30 make 311 characters.
    doc.m_arrBarrier[1].m_dHeight = 3;
    doc.m_arrBarrier[0].m_dAbsorption.fill(1e30);
    EXPECT_NE(SaveProject(doc, path).message.find("방음벽 1의 \"흡음률\""), std::string::npos);
    doc.m_arrBarrier[0].m_dAbsorption.fill(1e20);  // 231 characters: comes back whole
    ASSERT_TRUE(SaveProject(doc, path).ok);
    EXPECT_EQ(Opened(path).m_arrBarrier[0].m_dAbsorption[7], 1e20);
}

TEST(DamagedFiles, CountsFarBeyondTheSectionsPresentAreRefusedBeforeAllocating)
{
    std::string sections;
    for (int i = 1; i <= 7; ++i)
        sections += "[수음점 " + std::to_string(i) + "]\n" + kReceiverKey + "=1/2/3/0/0/0/0\n";
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("p.tlv"),
                            kProjectHeader + "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/100000\n" + sections);
    CMyTalvoDoc doc;
    const CFileResult r = OpenProject(doc, dir.File("p.tlv"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("수음점 수가 100000개"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("수음점 7개만"), std::string::npos) << r.message;

    // A file cut short by a few sections still opens with default entities for them.
    iotest::WriteCp949Lines(dir.File("q.tlv"),
                            kProjectHeader + "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/114\n" + sections);
    EXPECT_EQ(Opened(dir.File("q.tlv")).m_arrReceiver.size(), 114u);
}

TEST(DamagedFiles, Utf8AndUtf16FilesAreNamedAsNotInTheProjectCodePage)
{
    const std::string keyForm = "[설정]\r\n버전=1.4\r\n프로젝트명=마을\r\n";  // UTF-8 bytes
    const std::string lineForm = "#TALVO 프로젝트 파일\r\n#project information\r\n마을\r\n20 50 101\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[settings]\r\n"))
        utf16 += std::string(1, c) + '\0';
    for (const std::string& bytes : {keyForm, lineForm, "\xEF\xBB\xBF" + keyForm, utf16, utf16.substr(2)}) {
        CMyTalvoDoc doc;
        const CFileResult r = OpenBytes(bytes, doc);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("CP949(한국어) 코드 페이지의 프로젝트 파일이 아닙니다"), std::string::npos)
            << r.message;
    }
    CMyTalvoDoc doc;
    EXPECT_TRUE(OpenBytes(Utf8ToCp949(keyForm), doc).ok);
    EXPECT_EQ(doc.m_settings.m_strProjectName, "마을");
}

TEST(DamagedFiles, LineFormTwoClassTunnelReadsNoTraffic)
{
    ScratchDir dir;
    // Six counts with one two-class tunnel whose two traffic lines are read past.
    iotest::WriteCp949Lines(dir.File("t.tlv"),
                            "#c\n1.3\n#project information\np\n20 50 101\n0 10 0 10\n0 5 5\n"
                            "#model\n0 0 0 0 0 1\n#6 1\n터널\n0 0 0 100 0 0\n2 10 7 0 1\n"
                            "0 0 0 1.5\n70 90\n75 120\n81 82 83 84 85 86 87 88\n");
    const CMyTalvoDoc doc = Opened(dir.File("t.tlv"));
    ASSERT_EQ(doc.m_arrTunnel.size(), 1u);
    EXPECT_EQ(doc.m_arrTunnel[0].m_dSpeed, (std::array<double, 5>{}));
    EXPECT_EQ(doc.m_arrTunnel[0].m_dVolume, (std::array<double, 5>{}));
    EXPECT_DOUBLE_EQ(doc.m_arrTunnel[0].m_dGradient, 1.5);
    EXPECT_DOUBLE_EQ(doc.m_arrTunnel[0].m_dUserPowerLevel[7], 88.0);
}

TEST(DamagedFiles, AHugeCalculationAreaIsNamedInsteadOfTheSpacing)
{
    CMyTalvoDoc doc;
    doc.m_arrSegment.resize(1);
    doc.m_settings.m_dAreaEndX = 1e12;
    EXPECT_EQ(CheckNoiseMap(doc, 50), kMsgHugeArea);
    doc.m_settings.m_dAreaEndX = 2000;
    EXPECT_EQ(CheckNoiseMap(doc, 1e-6), kMapMsgBadSpacing);  // an ordinary area: the spacing is at fault
}
