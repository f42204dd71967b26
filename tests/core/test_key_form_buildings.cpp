// Buildings in the key form: what a save writes and reads back, and what it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "io/codepage.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;

TEST(KeyFormBuildings, AThousandVertexFootprintAndTheFacadeSettingsRoundTripExactly)
{
    CMyTalvoDoc doc;
    CBuilding b;
    b.m_pName = "101동";
    b.m_nFloors = 15;
    b.m_dFloorHeight = 2.9;
    b.m_dGroundFactor = 0.5;
    b.m_dAbsorption[3] = 0.35;
    for (int i = 0; i < 1000; ++i) {
        const double a = 2 * 3.141592653589793 * i / 1000;
        b.m_arrFootprint.emplace_back(326123.123456789 + 40 * std::cos(a), 451234.987654321 + 25 * std::sin(a), 0.0);
    }
    doc.m_arrBuilding = {b, b};
    doc.m_arrBuilding[1].m_pName = "102동";
    doc.m_settings.m_dFacadeSpacing = 7.5;
    doc.m_settings.m_dFacadeHeight = 1.2;

    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("b.tlv")).ok);
    CMyTalvoDoc back;
    const CFileResult r = OpenProject(back, dir.File("b.tlv"));
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(back.m_arrBuilding.size(), 2u);
    const CBuilding& c = back.m_arrBuilding[0];
    EXPECT_EQ(c.m_pName, "101동");
    EXPECT_EQ(back.m_arrBuilding[1].m_pName, "102동");
    EXPECT_EQ(c.m_nFloors, 15);
    EXPECT_EQ(c.m_dFloorHeight, 2.9);
    EXPECT_EQ(c.m_dGroundFactor, 0.5);
    EXPECT_EQ(c.m_dAreaFactor, 1.0);
    EXPECT_EQ(c.m_dAbsorption, b.m_dAbsorption);
    ASSERT_EQ(c.m_arrFootprint.size(), 1000u);
    for (std::size_t i = 0; i < 1000; ++i)
        ASSERT_EQ(c.m_arrFootprint[i], b.m_arrFootprint[i]) << i;
    EXPECT_EQ(back.m_settings.m_dFacadeSpacing, 7.5);
    EXPECT_EQ(back.m_settings.m_dFacadeDistance, 1.0);
    EXPECT_EQ(back.m_settings.m_dFacadeHeight, 1.2);

    // Saved again, the same bytes.
    ASSERT_TRUE(SaveProject(back, dir.File("c.tlv")).ok);
    EXPECT_EQ(iotest::ReadBytes(dir.File("c.tlv")), iotest::ReadBytes(dir.File("b.tlv")));
}

TEST(KeyFormBuildings, CountsThatAskForMissingSectionsOrVerticesAreRefused)
{
    ScratchDir dir;
    iotest::WriteCp949Lines(dir.File("a.tlv"), "[설정]\n버전=1.4\n건물수=5000\n[건물 1]\n꼭짓점수=3\n");
    CMyTalvoDoc doc;
    CFileResult r = OpenProject(doc, dir.File("a.tlv"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("건물 수가 5000개"), std::string::npos) << r.message;

    iotest::WriteCp949Lines(dir.File("b.tlv"), "[설정]\n버전=1.4\n건물수=1\n[건물 1]\n꼭짓점수=900\n꼭짓점 1=0/0\n");
    r = OpenProject(doc, dir.File("b.tlv"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("건물 1의 꼭짓점 수가 900개"), std::string::npos) << r.message;
}
