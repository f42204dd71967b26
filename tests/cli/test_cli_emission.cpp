#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cli_run_support.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

// talvo-cli emission on stored projects, compared with the results of an independent
// calculation: numbers within 0.02, every other field exactly.

namespace {

constexpr double kEmissionFileTol = 0.02;

// The standard output of talvo-cli emission on the project at path.
std::string EmissionOf(const std::string& path)
{
    const iotest::ScratchDir scratch;
    return clitest::RunCli("emission " + clitest::Quoted(path), scratch).out;
}

void ExpectAcceptance(const std::string& name)
{
    const std::string dir = std::string(TALVO_TEST_DATA) + "/acceptance/";
    clitest::ExpectSameTable(EmissionOf(dir + name + ".tlv"), iotest::ReadBytes(dir + name + ".emission.txt"),
                             kEmissionFileTol);
}

}  // namespace

TEST(CliEmission, OpenRoadMatchesTheIndependentCalculation) { ExpectAcceptance("open-road"); }

TEST(CliEmission, BarrierEmbankmentMatchesTheIndependentCalculation) { ExpectAcceptance("barrier-embankment"); }

TEST(CliEmission, PrintsRefusalsNoEnergyMarksAndTunnelPortals)
{
    CMyTalvoDoc doc;
    CRoad unplaced;  // all six coordinates 0
    unplaced.m_nVehicleClassMode = 1;
    unplaced.m_dSpeed[0] = 80.0;
    unplaced.m_dVolume[0] = 100.0;
    CRoad empty;  // two-class road without vehicles
    empty.SetGeometry(0, 0, 100, 0, 0, 0, 7.0, 100.0, 10);
    CTunnel tunnel;
    tunnel.m_dEndX = 100.0;
    tunnel.m_dEndZ = 3.0;  // portals 100 m apart in plan
    tunnel.m_dLength = tunnel.Length3D();
    tunnel.m_dWidth = 10.0;
    tunnel.m_dHeight = 5.0;
    tunnel.m_nLaneCount = 2;
    tunnel.m_nVehicleClassMode = 1;
    tunnel.m_dSpeed[0] = 100.0;
    tunnel.m_dVolume[0] = 100.0;
    doc.m_arrRoad = {unplaced, empty};
    doc.m_arrTunnel = {tunnel};
    const iotest::ScratchDir dir;
    const std::string path = dir.File("traffic.tlv");
    ASSERT_TRUE(SaveProject(doc, path).ok);

    // Tunnel, box form, concrete walls: 56.8 dB/m at 63 Hz and 64.3 dB/m at 8 kHz leave
    // the portal at 52.40 and 58.39 dB (see the emission tests).
    const std::string out = EmissionOf(path);
    const auto lines = clitest::Split(out, '\n');
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_EQ(lines[0], "road\t1\t도로 형상 정보를 입력하여 주십시오.");
    EXPECT_EQ(lines[1], "road\t2\t-\t-\t-\t-\t-\t-\t-\t-\t-");
    const auto fields = clitest::Split(lines[2], '\t');
    ASSERT_EQ(fields.size(), 11u);
    EXPECT_EQ(fields[0], "tunnel");
    EXPECT_EQ(fields[1], "1");
    EXPECT_EQ(fields[2], "52.40");
    EXPECT_EQ(fields[9], "58.39");
}
