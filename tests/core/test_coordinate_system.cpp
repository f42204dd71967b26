// The project's coordinate system in the key form, and plan coordinates of the size a
// national grid gives them (eastings of 200 km, northings of 550 km).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cli_run_support.h"
#include "io/codepage.h"
#include "io/project_file.h"
#include "io/receiver_grid.h"
#include "io_test_support.h"
#include "maps/noise_map_compute.h"
#include "model/crs_code.h"
#include "model/document.h"

using iotest::ScratchDir;

namespace {

constexpr double kGridWalkTol = 0.01;  // metres the file and the grid walk must keep

CMyTalvoDoc ProjectFarFromTheOrigin()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_strCrs = "EPSG:5186";
    doc.m_settings.m_dAreaStartX = 200000.01;
    doc.m_settings.m_dAreaEndX = doc.m_settings.m_dAreaStartX + 2000;
    doc.m_settings.m_dAreaStartY = 550000.02;
    doc.m_settings.m_dAreaEndY = doc.m_settings.m_dAreaStartY + 600;
    doc.m_arrReceiver.resize(1);
    doc.m_arrReceiver[0].SetPosition(201234.57, 550321.99, 1.5);
    return doc;
}

}  // namespace

TEST(CoordinateSystem, RoundTripsThroughSaveAndConvertWithLargeCoordinates)
{
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(ProjectFarFromTheOrigin(), dir.File("a.tlv")).ok);
    const std::string text = Cp949ToUtf8(iotest::ReadBytes(dir.File("a.tlv")));
    EXPECT_NE(text.find("좌표계=EPSG:5186\r\n"), std::string::npos);

    const clitest::CliRun run = clitest::RunCli(
        "convert " + clitest::Quoted(dir.File("a.tlv")) + " " + clitest::Quoted(dir.File("b.tlv")), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(iotest::ReadBytes(dir.File("b.tlv")), iotest::ReadBytes(dir.File("a.tlv")));

    CMyTalvoDoc back;
    ASSERT_TRUE(OpenProject(back, dir.File("b.tlv")).ok);
    EXPECT_EQ(back.m_settings.m_strCrs, "EPSG:5186");
    EXPECT_NEAR(back.m_settings.m_dAreaStartX, 200000.01, kGridWalkTol / 100);
    EXPECT_NEAR(back.m_settings.m_dAreaEndY, 550600.02, kGridWalkTol / 100);
    EXPECT_NEAR(back.m_arrReceiver[0].m_dX, 201234.57, kGridWalkTol / 100);
    EXPECT_NEAR(back.m_arrReceiver[0].m_dY, 550321.99, kGridWalkTol / 100);
}

TEST(CoordinateSystem, FilesWithoutTheKeyAreLocalMetresAndSaveWithoutIt)
{
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("old.tlv"), "[설정]\n버전=1.4\n");
    CMyTalvoDoc doc = ProjectFarFromTheOrigin();  // a CRS from the project open before
    ASSERT_TRUE(OpenProject(doc, dir.File("old.tlv")).ok);
    EXPECT_TRUE(doc.m_settings.m_strCrs.empty());
    ASSERT_TRUE(SaveProject(doc, dir.File("new.tlv")).ok);
    EXPECT_EQ(Cp949ToUtf8(iotest::ReadBytes(dir.File("new.tlv"))).find("좌표계"), std::string::npos);
}

TEST(CoordinateSystem, GridWalksKeepACentimetreAtNationalGridCoordinates)
{
    const CMyTalvoDoc doc = ProjectFarFromTheOrigin();
    const double spacing = 0.5;
    const CNoiseMapGrid map = PlanMapLayout(doc.m_settings, spacing, 1.5, 0);
    ASSERT_EQ(map.Columns(), 4001u);
    ASSERT_EQ(map.Rows(), 1201u);
    for (std::size_t i = 0; i < map.Columns(); i += 250)
        EXPECT_NEAR(map.m_arrU[i], 200000.01 + static_cast<double>(i) * spacing, kGridWalkTol);
    EXPECT_NEAR(map.m_arrV.back(), 550600.02, kGridWalkTol);

    CReceiverGrid grid = CReceiverGrid::FromSettings(doc.m_settings);
    grid.m_dSpacing = spacing;
    EXPECT_TRUE(CheckReceiverGrid(grid).empty());
    const std::vector<double> ys = GridRowYs(grid);
    ASSERT_EQ(ys.size(), 1201u);
    EXPECT_NEAR(ys.back(), 550600.02, kGridWalkTol);
}

TEST(CoordinateSystem, OpenLeavesOutAnythingButAnEpsgCodeAndSaysSo)
{
    for (const char* code : {"EPSG:5186", "epsg:4326", "EPSG:123456789"})
        EXPECT_TRUE(IsCrsCode(code)) << code;
    for (const char* text : {"", "EPSG:", "EPSG:5186 ", " EPSG:5186", "EPSG:-5186", "EPSG:1234567890", "ESRI:102100",
                             "EPSG:5186+5773", "IGNF:LAMB93"})
        EXPECT_FALSE(IsCrsCode(text)) << text;
    EXPECT_EQ(CrsCodeNumber("EPSG:5186"), 5186);

    ScratchDir dir;
    const std::string hostile[] = {"+proj=pipeline +step +init=FILE:x", "+proj=longlat +nadgrids=@null,@/etc/shadow",
                                   "/etc/shadow", std::string(300, 'x') + "\x1b[2J"};
    for (const std::string& value : hostile) {
        iotest::WriteCp949Lines(dir.File("p.tlv"), "[설정]\n버전=1.4\n좌표계=" + value + "\n");
        CMyTalvoDoc doc = ProjectFarFromTheOrigin();
        const CFileResult opened = OpenProject(doc, dir.File("p.tlv"));
        ASSERT_TRUE(opened.ok) << opened.message;
        EXPECT_TRUE(doc.m_settings.m_strCrs.empty()) << value;
        EXPECT_NE(opened.notice.find("좌표계 없이"), std::string::npos) << opened.notice;
        EXPECT_NE(opened.notice.find(value.substr(0, 20)), std::string::npos) << opened.notice;
        EXPECT_LT(opened.notice.size(), 250u);                     // a long value is cut short
        EXPECT_EQ(opened.notice.find('\x1b'), std::string::npos);  // and cannot steer a terminal
    }
    iotest::WriteCp949Lines(dir.File("k.tlv"), "[설정]\n버전=1.4\n좌표계=EPSG:5186\n");
    CMyTalvoDoc doc;
    const CFileResult kept = OpenProject(doc, dir.File("k.tlv"));
    EXPECT_TRUE(kept.notice.empty()) << kept.notice;
    EXPECT_EQ(doc.m_settings.m_strCrs, "EPSG:5186");
}
