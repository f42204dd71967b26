// The night (야간) keys of the key form: written only when set, read back whole.
#include <gtest/gtest.h>

#include <string>

#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;

TEST(KeyFormNight, NightProjectRoundTripsByteForByteWithEveryNightValue)
{
    const std::string golden = iotest::ReadBytes(iotest::DataPath("io/night_project.tlv"));
    ASSERT_FALSE(golden.empty());
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/night_project.tlv")).ok);
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("a.tlv")).ok);
    EXPECT_EQ(iotest::ReadBytes(dir.File("a.tlv")), golden);

    ASSERT_TRUE(doc.m_settings.m_dNightTrafficRatio.has_value());
    EXPECT_DOUBLE_EQ(*doc.m_settings.m_dNightTrafficRatio, 0.25);
    const CRoad& five = doc.m_arrRoad[0];
    EXPECT_TRUE(five.m_bNightTraffic);
    EXPECT_DOUBLE_EQ(five.m_dNightSpeed[4], 110.0);
    EXPECT_DOUBLE_EQ(five.m_dNightVolume[4], 600.0);
    EXPECT_TRUE(five.m_bNightPower);
    EXPECT_DOUBLE_EQ(five.m_dNightPowerLevel[7], 94.8);
    const CRoad& two = doc.m_arrRoad[1];  // two-class: only the first two classes' keys
    EXPECT_TRUE(two.m_bNightTraffic);
    EXPECT_FALSE(two.m_bNightPower);
    EXPECT_DOUBLE_EQ(two.m_dNightVolume[1], 90.0);
    EXPECT_TRUE(doc.m_arrTunnel[0].m_bNightPower);
    EXPECT_FALSE(doc.m_arrTunnel[0].m_bNightTraffic);
    EXPECT_DOUBLE_EQ(doc.m_arrTunnel[0].m_dNightPowerLevel[4], 100.0);
}

// A project without night values saves without a night key; the small project's own round
// trip shows that such files keep their bytes.
TEST(KeyFormNight, NoNightKeyIsWrittenWhenNothingIsSet)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/night_project.tlv")).ok);
    doc.m_settings.m_dNightTrafficRatio.reset();
    for (CRoad& r : doc.m_arrRoad)
        r.m_bNightTraffic = r.m_bNightPower = false;
    doc.m_arrTunnel[0].m_bNightPower = false;
    ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("a.tlv")).ok);
    EXPECT_EQ(iotest::ReadBytes(dir.File("a.tlv")), iotest::ReadBytes(iotest::DataPath("io/small_project.tlv")));
}
