// The criterion in the key form: what a save writes and reads back.
#include <gtest/gtest.h>

#include <string>

#include "io/key_form.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;

TEST(KeyFormLimits, CriterionZonesAndUserLimitsRoundTripAndStayOutWhenUnset)
{
    CMyTalvoDoc doc;
    doc.m_arrReceiver.resize(2);
    doc.m_arrReceiver[1].m_strZone = "나";
    doc.m_arrReceiver[1].m_dTargetLevel = 61.5;
    doc.m_arrBuilding.resize(1);
    doc.m_arrBuilding[0].m_arrFootprint = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    doc.m_arrBuilding[0].m_strZone = "다";
    CProjectSettings& s = doc.m_settings;
    s.m_nCriterion = 4;
    s.m_strZone = "가";
    s.m_dUserNightLimit = 52.5;

    const std::string text = WriteKeyForm(doc).ToText();
    EXPECT_EQ(text.find("사용자정의기준주간"), std::string::npos);
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("l.tlv")).ok);
    CMyTalvoDoc back;
    ASSERT_TRUE(OpenProject(back, dir.File("l.tlv")).ok);
    EXPECT_EQ(back.m_settings.m_nCriterion, 4);
    EXPECT_EQ(back.m_settings.m_strZone, "가");
    EXPECT_FALSE(back.m_settings.m_dUserDayLimit);
    EXPECT_EQ(back.m_settings.m_dUserNightLimit, 52.5);
    EXPECT_EQ(back.m_arrReceiver[0].m_strZone, "");
    EXPECT_EQ(back.m_arrReceiver[1].m_strZone, "나");
    EXPECT_EQ(back.m_arrReceiver[1].m_dTargetLevel, 61.5);
    EXPECT_EQ(back.m_arrBuilding[0].m_strZone, "다");

    // Without a criterion and zones none of the keys is written.
    CMyTalvoDoc plain;
    plain.m_arrReceiver.resize(1);
    const std::string plainText = WriteKeyForm(plain).ToText();
    for (const char* key : {"평가기준", "지역구분", "사용자정의기준"})
        EXPECT_EQ(plainText.find(key), std::string::npos) << key;
}

TEST(KeyFormLimits, AnUnknownCriterionReadsAsNone)
{
    for (const char* value : {"7", "-1"}) {
        CIniFile ini = CIniFile::Parse(std::string("[설정]\r\n평가기준=") + value + "\r\n");
        CMyTalvoDoc doc;
        ASSERT_TRUE(ReadKeyForm(ini, doc).ok);
        EXPECT_EQ(doc.m_settings.m_nCriterion, 0) << value;
    }
}
