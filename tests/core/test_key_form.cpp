// The key form of the project file: layout, defaults, conversions and the rules of
// reading that later calculations depend on.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "io/codepage.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"
#include "test_tolerances.h"

using iotest::ScratchDir;

namespace {

// Opens the key-form text (UTF-8, '\n' line ends, written as CP949 with CR LF).
CMyTalvoDoc OpenText(const std::string& text, CFileResult* result = nullptr)
{
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("p.tlv"), text);
    CMyTalvoDoc doc;
    const CFileResult r = OpenProject(doc, dir.File("p.tlv"));
    if (result)
        *result = r;
    else
        EXPECT_TRUE(r.ok) << r.message;
    return doc;
}

std::string SaveToText(const CMyTalvoDoc& doc)
{
    ScratchDir dir;
    const CFileResult r = SaveProject(doc, dir.File("p.tlv"));
    EXPECT_TRUE(r.ok) << r.message;
    return Cp949ToUtf8(iotest::ReadBytes(dir.File("p.tlv")));
}

const std::string kHeader = "[설정]\n버전=1.4\n";

}  // namespace

TEST(KeyForm, SmallProjectRoundTripsByteForByte)
{
    const std::string golden = iotest::ReadBytes(iotest::DataPath("io/small_project.tlv"));
    ASSERT_FALSE(golden.empty());
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/small_project.tlv")).ok);
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("a.tlv")).ok);
    EXPECT_EQ(iotest::ReadBytes(dir.File("a.tlv")), golden);
    ASSERT_TRUE(SaveProject(doc, dir.File("a.tlv")).ok);
    EXPECT_EQ(iotest::ReadBytes(dir.File("a.tlv")), golden);
    EXPECT_EQ(dir.EntryCount(), 1u);  // no temporary file left behind
}

TEST(KeyForm, SmallProjectLoadsEveryKindWithItsDerivedValues)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/small_project.tlv")).ok);
    ASSERT_EQ(doc.m_arrRoad.size(), 2u);
    const CRoad& r = doc.m_arrRoad[0];
    EXPECT_EQ(r.m_pDescription, "4차로 고속도로");
    EXPECT_NEAR(r.m_dLength, std::sqrt(300.0 * 300 + 30 * 30 + 0.5 * 0.5), kTol);
    EXPECT_EQ(r.m_pKey, "0.0010.001.50300.0040.002.00");
    EXPECT_NEAR(r.m_dAngle, std::acos(300 / std::hypot(300.0, 30.0)), kTol);
    EXPECT_EQ(r.m_nPavementState, 1);
    EXPECT_EQ(r.m_nPavementDetail, 3);
    EXPECT_EQ(r.m_nRightAttenuator, 10);
    EXPECT_DOUBLE_EQ(r.m_dVolume[4], 2400);
    EXPECT_DOUBLE_EQ(r.m_dCorrection[4], -1);
    const CRoad& twoClass = doc.m_arrRoad[1];
    EXPECT_EQ(twoClass.m_nVehicleClassMode, 0);
    EXPECT_DOUBLE_EQ(twoClass.m_dSpeed[1], 70);
    EXPECT_DOUBLE_EQ(twoClass.m_dVolume[0], 35);
    EXPECT_NEAR(twoClass.m_dAngle, std::numbers::pi / 2, kTol);
    EXPECT_EQ(doc.m_arrBarrier.at(0).m_pAbsorptionDesc, "알루미늄 흡음판");
    EXPECT_NEAR(doc.m_arrCutting.at(0).m_dLength, 10.0 * std::sqrt(241.0), kTol);  // plan length of (150, 40)
    EXPECT_NEAR(doc.m_arrTunnel.at(0).m_dLength, std::sqrt(300.0 * 300 + 40 * 40 + 3 * 3), kTol);
    EXPECT_EQ(doc.m_arrReceiver.at(1).m_nOptTarget, 1);
    EXPECT_DOUBLE_EQ(doc.m_arrReceiver.at(1).m_dTargetLevel, 65);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dPressure, 101.325);
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dAreaEndY, 300);
    EXPECT_EQ(doc.m_settings.m_nSectionAxis, 1);
    EXPECT_DOUBLE_EQ(doc.m_dFileVersion, 1.4);
    EXPECT_EQ(doc.m_arrRoadBase.size(), 2u);
    EXPECT_EQ(doc.m_arrReceiverBase.size(), 2u);
    EXPECT_EQ(doc.m_arrCuttingBase.size(), 1u);
}

TEST(KeyForm, SavedEmptyProjectIsCp949WithCrLfAndOnlyTheSettings)
{
    CMyTalvoDoc doc;
    doc.m_settings.m_strProjectName = "빈 프로젝트";
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("e.tlv")).ok);
    const std::string expected =
        "[설정]\r\n프로그램명=TALVO\r\n버전=1.400000\r\n프로젝트명=빈 프로젝트\r\n"
        "온도/습도/기압=20.000000/50.000000/101.500000\r\n"
        "영역/계산수행여부=0.000000/2000.000000/0.000000/600.000000/0\r\n"
        "수음점간격/높이/보이기=1000.000000/300.000000/0\r\n"
        "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/0/0/0/0\r\n";
    EXPECT_EQ(iotest::ReadBytes(dir.File("e.tlv")), Utf8ToCp949(expected));
}

TEST(KeyForm, MissingKeysSectionsAndItemsReadAsTheirDefaults)
{
    const CMyTalvoDoc doc = OpenText(kHeader +
                                     "도로수/방음벽수/수음점수/성토수/절토수/터널수=1/1/1\n"
                                     "[도로 1]\n도로시작점X/Y/Z=5/6\n[수음점 1]\n"
                                     "수음점X / Y / Z / 중간지면계수 / 수음영역계수=1/2\n");
    EXPECT_EQ(doc.m_settings.m_strProjectName, "");
    EXPECT_EQ(doc.m_settings.m_dTemperature, 0.0);  // "0/0/0", not the new-project 20
    EXPECT_EQ(doc.m_settings.m_dAreaEndX, 0.0);
    EXPECT_EQ(doc.m_settings.m_dSectionX, 0.0);
    ASSERT_EQ(doc.m_arrRoad.size(), 1u);
    const CRoad& r = doc.m_arrRoad[0];
    EXPECT_EQ(r.m_dStartX, 5.0);
    EXPECT_EQ(r.m_dStartZ, 0.0);
    EXPECT_EQ(r.m_nSourceCount, 0);  // the key's default "0", not the new road's 1
    EXPECT_EQ(r.m_nVehicleClassMode, 0);
    EXPECT_EQ(r.m_dUserPowerLevel, Bands{});
    EXPECT_EQ(r.m_pKey, "5.006.000.000.000.000.00");
    EXPECT_EQ(doc.m_arrBarrier.size(), 1u);  // no section: a barrier with defaults
    EXPECT_EQ(doc.m_arrBarrier[0].m_pDescription, "");
    ASSERT_EQ(doc.m_arrReceiver.size(), 1u);
    EXPECT_EQ(doc.m_arrReceiver[0].m_dY, 2.0);
    EXPECT_EQ(doc.m_arrReceiver[0].m_dZ, 0.0);
    EXPECT_TRUE(doc.m_arrEmbankment.empty());
}

TEST(KeyForm, SingleIntegerKeysUseTextToIntegerAndListItemsTruncate)
{
    const CMyTalvoDoc doc = OpenText(kHeader +
                                     "도로수/방음벽수/수음점수/성토수/절토수/터널수=1.9/1/1.99/0/0/0\n"
                                     "영역/계산수행여부=0/0/0/0/0\n수음점간격/높이/보이기=1/2/1.7\n"
                                     "[도로 1]\n이산소음원갯수=12.9\n도로포장상태정보/세부포장종류=1.9/3e0\n"
                                     "도로정보=2.7\n*차종분류=1e5\n왼쪽방음벽감쇠기=3e1\n"
                                     "[방음벽 1]\n감쇠기= 4.8\n"
                                     "[수음점 1]\n수음점X / Y / Z / 중간지면계수 / 수음영역계수=0/0/0/0/0/-1.9/0\n");
    const CRoad& r = doc.m_arrRoad.at(0);
    EXPECT_EQ(doc.m_arrRoad.size(), 1u);
    EXPECT_EQ(r.m_nSourceCount, 12);
    EXPECT_EQ(r.m_nPavementState, 1);
    EXPECT_EQ(r.m_nPavementDetail, 3);
    EXPECT_EQ(r.m_nRoadInfo, 2);
    EXPECT_EQ(r.m_nVehicleClassMode, 1);  // "1e5" as an integer text is 1
    EXPECT_EQ(r.m_nLeftAttenuator, 3);
    EXPECT_EQ(doc.m_arrBarrier.at(0).m_nAttenuator, 4);
    EXPECT_EQ(doc.m_arrReceiver.at(0).m_nOptTarget, -1);
    EXPECT_EQ(doc.m_settings.m_nSectionAxis, 1);
}

TEST(KeyForm, LongTextsComeBackCutTo254Characters)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.emplace_back();
    doc.m_arrRoad[0].m_pDescription = std::string(300, 'r');
    std::string korean;
    for (int i = 0; i < 260; ++i)
        korean += "한";
    doc.m_settings.m_strProjectName = korean;
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("l.tlv")).ok);
    CMyTalvoDoc back;
    ASSERT_TRUE(OpenProject(back, dir.File("l.tlv")).ok);
    EXPECT_EQ(back.m_arrRoad.at(0).m_pDescription, std::string(254, 'r'));
    EXPECT_EQ(back.m_settings.m_strProjectName, korean.substr(0, 254 * 3));
}

// A name from a foreign file may end in half a character or hold line breaks and NUL
// bytes: saved as it stood, it swallowed the line break, so the next key (the road's
// start point) was lost and reopened as 0/0/0.
TEST(KeyForm, BrokenNamesStayOnTheirLineAndTheNextKeysSurvive)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.emplace_back();
    doc.m_arrRoad[0].m_pDescription = "도로\xEA";  // a lead byte without its character
    doc.m_arrRoad[0].SetGeometry(10, 20, 110, 20, 1.5, 2.5, 3.6, 0, 10);
    doc.m_arrBarrier.emplace_back();
    doc.m_arrBarrier[0].m_pDescription = std::string("벽\r\n[도로 1]") + '\0' + "끝";
    doc.m_arrBarrier[0].m_pAbsorptionDesc = "\xF0\x9F\x98\x80\xED\xA0\x80x";  // no CP949 form; a surrogate
    doc.m_arrBarrier[0].SetGeometry(5, 6, 7, 8, 4.5, 0);
    doc.m_settings.m_strProjectName = "a\xC3";
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("n.tlv")).ok);
    CMyTalvoDoc back;
    const CFileResult opened = OpenProject(back, dir.File("n.tlv"));
    ASSERT_TRUE(opened.ok) << opened.message;
    ASSERT_EQ(back.m_arrRoad.size(), 1u);
    EXPECT_EQ(back.m_arrRoad[0].m_pDescription, "도로?");
    EXPECT_DOUBLE_EQ(back.m_arrRoad[0].m_dStartX, 10);
    EXPECT_DOUBLE_EQ(back.m_arrRoad[0].m_dStartZ, 1.5);
    EXPECT_DOUBLE_EQ(back.m_arrRoad[0].m_dEndY, 20);
    ASSERT_EQ(back.m_arrBarrier.size(), 1u);
    EXPECT_EQ(back.m_arrBarrier[0].m_pDescription, "벽  [도로 1] 끝");
    EXPECT_EQ(back.m_arrBarrier[0].m_pAbsorptionDesc, "????x");
    EXPECT_DOUBLE_EQ(back.m_arrBarrier[0].m_dStartX, 5);
    EXPECT_DOUBLE_EQ(back.m_arrBarrier[0].m_dHeight, 4.5);
    EXPECT_EQ(back.m_settings.m_strProjectName, "a?");
}

TEST(KeyForm, VersionDecidesTheFormWithoutAMessageFromOnePointFourOn)
{
    CFileResult result;
    const CMyTalvoDoc newer = OpenText("[설정]\n버전=1.5\n프로젝트명=미래\n", &result);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(newer.m_settings.m_strProjectName, "미래");
    EXPECT_DOUBLE_EQ(newer.m_dFileVersion, 1.5);
    // Without "버전" the file goes to the line form, where this text is no project.
    CMyTalvoDoc unversioned = OpenText("[설정]\n프로젝트명=x\n", &result);
    EXPECT_FALSE(result.ok);
    // A version below 1.4 goes there too.
    OpenText("[설정]\n버전=1.399\n프로젝트명=x\n", &result);
    EXPECT_FALSE(result.ok);
}

TEST(KeyForm, CountsBeyondTheSectionsPresentGiveDefaultEntities)
{
    const CMyTalvoDoc doc = OpenText(kHeader +
                                     "도로수/방음벽수/수음점수/성토수/절토수/터널수=3/0/0/2/0/1\n"
                                     "[도로 1]\n도로설명=있음\n[도로 5]\n도로설명=세지 않음\n");
    ASSERT_EQ(doc.m_arrRoad.size(), 3u);
    EXPECT_EQ(doc.m_arrRoad[0].m_pDescription, "있음");
    EXPECT_EQ(doc.m_arrRoad[2].m_pDescription, "");
    EXPECT_EQ(doc.m_arrRoad[2].m_nSourceCount, 0);
    EXPECT_EQ(doc.m_arrEmbankment.size(), 2u);
    EXPECT_EQ(doc.m_arrTunnel.size(), 1u);
}

TEST(KeyForm, BaseHeightIsTheLowestCuttingHeightAndNeverAboveZero)
{
    const std::string counts = "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/0/1/4/0\n";
    const CMyTalvoDoc doc = OpenText(kHeader + counts +
                                     "[성토 1]\n성토높이=-9\n[절토 1]\n절토높이=2\n[절토 2]\n절토높이=-1.5\n"
                                     "[절토 3]\n절토높이=-4\n[절토 4]\n절토높이=-3\n");
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dBaseHeight, -4.0);

    CMyTalvoDoc previous;
    previous.m_settings.m_dBaseHeight = -7;
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("b.tlv"), kHeader +
                                                   "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/0/0/1/0\n"
                                                   "[절토 1]\n절토높이=3\n");
    ASSERT_TRUE(OpenProject(previous, dir.File("b.tlv")).ok);
    EXPECT_DOUBLE_EQ(previous.m_settings.m_dBaseHeight, 0.0);
}

TEST(KeyForm, ReceiverHeightIsTheHeightOfTheLastReceiver)
{
    const std::string key = "수음점X / Y / Z / 중간지면계수 / 수음영역계수";
    const CMyTalvoDoc doc = OpenText(kHeader + "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/3\n[수음점 1]\n" +
                                     key + "=0/0/1\n[수음점 2]\n" + key + "=0/0/7\n[수음점 3]\n" + key + "=0/0/2.5\n");
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dReceiverHeight, 2.5);
    EXPECT_FALSE(doc.m_settings.m_bReceiverHeightEmpty);

    const CMyTalvoDoc none = OpenText(kHeader);
    EXPECT_DOUBLE_EQ(none.m_settings.m_dReceiverHeight, 0.0);
    EXPECT_TRUE(none.m_settings.m_bReceiverHeightEmpty);
}

TEST(KeyForm, ResultSectionsAreReadOnlyWhenTheFileIsFlaggedCalculated)
{
    const std::string body =
        "도로수/방음벽수/수음점수/성토수/절토수/터널수=0/0/1\n[수음점 1]\n"
        "[dB 1]\n소음예측=50/51/52/53/54/55/56/57\n";
    const CMyTalvoDoc unflagged = OpenText(kHeader + "영역/계산수행여부=0/0/0/0/0\n" + body);
    EXPECT_EQ(unflagged.m_arrReceiver.at(0).m_dLevel, Bands{});
    EXPECT_EQ(unflagged.m_nCalculatedInFile, 0);
    const CMyTalvoDoc flagged = OpenText(kHeader + "영역/계산수행여부=0/0/0/0/1.5\n" + body);
    EXPECT_EQ(flagged.m_nCalculatedInFile, 1);
    EXPECT_DOUBLE_EQ(flagged.m_arrReceiver.at(0).m_dLevel[7], 57.0);
}

TEST(KeyForm, ResultsAreSavedAfterACalculationAndComeBack)
{
    CMyTalvoDoc doc;
    doc.m_arrReceiver.resize(2);
    doc.m_arrReceiver[1].m_dLevel = {40, 41, 42, 43, 44, 45, 46, 47.125};
    EXPECT_EQ(SaveToText(doc).find("[dB"), std::string::npos);
    doc.m_arrAttenuation.emplace_back();  // as a calculation leaves it
    const std::string text = SaveToText(doc);
    EXPECT_NE(text.find("/1\r\n"), std::string::npos);
    EXPECT_NE(text.find("[dB 2]\r\n소음예측=40.000000/41.000000/42.000000/43.000000/44.000000/45.000000/"
                        "46.000000/47.125000\r\n"),
              std::string::npos);
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("r.tlv")).ok);
    CMyTalvoDoc back;
    ASSERT_TRUE(OpenProject(back, dir.File("r.tlv")).ok);
    EXPECT_EQ(back.m_arrReceiver.at(1).m_dLevel, doc.m_arrReceiver[1].m_dLevel);
}

TEST(KeyForm, TwoClassRoadsAndTunnelsKeepTheirTrafficAcrossSaveAndOpen)
{
    CMyTalvoDoc doc;
    CRoad road;
    road.SetTwoClasses(60, 70, 35, 410);
    doc.m_arrRoad.push_back(road);
    CTunnel tunnel;
    tunnel.m_dSpeed = {80, 85, 0, 0, 0};
    tunnel.m_dVolume = {90, 120, 0, 0, 0};
    doc.m_arrTunnel.push_back(tunnel);
    const std::string text = SaveToText(doc);
    EXPECT_NE(text.find("*차종분류=0\r\n대형화물차속도/차량수=60.000000/35.000000\r\n"
                        "중형화물차속도/차량수=70.000000/410.000000\r\n보정치="),
              std::string::npos);
    EXPECT_EQ(text.find("소형화물차"), std::string::npos);
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("t.tlv")).ok);
    CMyTalvoDoc back;
    ASSERT_TRUE(OpenProject(back, dir.File("t.tlv")).ok);
    EXPECT_EQ(back.m_arrRoad.at(0).m_dSpeed, road.m_dSpeed);
    EXPECT_EQ(back.m_arrRoad.at(0).m_dVolume, road.m_dVolume);
    EXPECT_EQ(back.m_arrTunnel.at(0).m_dSpeed, tunnel.m_dSpeed);
    EXPECT_EQ(back.m_arrTunnel.at(0).m_dVolume, tunnel.m_dVolume);

    // Files written without those keys read as before: no traffic.
    const CMyTalvoDoc old = OpenText(kHeader +
                                     "도로수/방음벽수/수음점수/성토수/절토수/터널수=1/0/0/0/0/1\n"
                                     "[도로 1]\n*차종분류=0\n[터널 1]\n*차종분류=0\n");
    EXPECT_EQ(old.m_arrRoad.at(0).m_dSpeed, (std::array<double, 5>{}));
    EXPECT_EQ(old.m_arrTunnel.at(0).m_dVolume, (std::array<double, 5>{}));
}

TEST(KeyForm, SavingFewerRoadsLeavesNoStaleSections)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.resize(3);
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("f.tlv")).ok);
    doc.m_arrRoad.resize(1);
    ASSERT_TRUE(SaveProject(doc, dir.File("f.tlv")).ok);
    const std::string text = Cp949ToUtf8(iotest::ReadBytes(dir.File("f.tlv")));
    EXPECT_NE(text.find("[도로 1]"), std::string::npos);
    EXPECT_EQ(text.find("[도로 2]"), std::string::npos);
}

TEST(KeyForm, OpeningReplacesTheWholeModelButKeepsSettingsTheFileLacks)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/small_project.tlv")).ok);
    doc.m_settings.m_dReceiverSpacing = 25;
    doc.m_settings.m_bShowReceivers = false;
    doc.m_arrExcludedBarrier = {0};
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("one.tlv"),
                            kHeader + "도로수/방음벽수/수음점수/성토수/절토수/터널수=1/0/0/0/0/0\n");
    ASSERT_TRUE(OpenProject(doc, dir.File("one.tlv")).ok);
    EXPECT_EQ(doc.m_arrRoad.size(), 1u);
    EXPECT_TRUE(doc.m_arrBarrier.empty());
    EXPECT_TRUE(doc.m_arrTunnel.empty());
    EXPECT_EQ(doc.m_arrRoadBase.size(), 1u);
    EXPECT_TRUE(doc.m_arrBarrierBase.empty());
    EXPECT_TRUE(doc.m_arrExcludedBarrier.empty());
    EXPECT_DOUBLE_EQ(doc.m_settings.m_dReceiverSpacing, 25);
    EXPECT_FALSE(doc.m_settings.m_bShowReceivers);
}
