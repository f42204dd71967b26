#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "io/project_file.h"
#include "cli_run_support.h"
#include "io_test_support.h"
#include "model/document.h"

// talvo-cli emission on stored projects, compared with the results of an independent
// calculation: numbers within 0.02, every other field exactly.

namespace {

constexpr double kFileTol = 0.02;

std::vector<std::string> Split(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, sep);) {
        if (!part.empty() && part.back() == '\r')
            part.pop_back();
        parts.push_back(part);
    }
    return parts;
}

// The standard output of talvo-cli emission on the project at path.
std::string EmissionOf(const std::string& path)
{
    const iotest::ScratchDir scratch;
    return clitest::RunCli("emission " + clitest::Quoted(path), scratch).out;
}

bool IsNumber(const std::string& field, double& value)
{
    char* end = nullptr;
    value = std::strtod(field.c_str(), &end);
    return !field.empty() && end == field.c_str() + field.size();
}

void ExpectSameFields(const std::string& actual, const std::string& expected)
{
    const auto gotLines = Split(actual, '\n'), wantLines = Split(expected, '\n');
    ASSERT_EQ(gotLines.size(), wantLines.size()) << actual;
    for (std::size_t i = 0; i < wantLines.size(); ++i) {
        const auto got = Split(gotLines[i], '\t'), want = Split(wantLines[i], '\t');
        ASSERT_EQ(got.size(), want.size()) << "line " << i + 1 << ": " << gotLines[i];
        for (std::size_t f = 0; f < want.size(); ++f) {
            double g = 0, w = 0;
            if (IsNumber(want[f], w) && IsNumber(got[f], g))
                EXPECT_NEAR(g, w, kFileTol) << "line " << i + 1 << " field " << f + 1;
            else
                EXPECT_EQ(got[f], want[f]) << "line " << i + 1 << " field " << f + 1;
        }
    }
}

void ExpectAcceptance(const std::string& name)
{
    const std::string dir = std::string(TALVO_TEST_DATA) + "/acceptance/";
    ExpectSameFields(EmissionOf(dir + name + ".tlv"), iotest::ReadBytes(dir + name + ".emission.txt"));
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
    const auto lines = Split(out, '\n');
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_EQ(lines[0], "road\t1\t도로 형상 정보를 입력하여 주십시오.");
    EXPECT_EQ(lines[1], "road\t2\t-\t-\t-\t-\t-\t-\t-\t-\t-");
    const auto fields = Split(lines[2], '\t');
    ASSERT_EQ(fields.size(), 11u);
    EXPECT_EQ(fields[0], "tunnel");
    EXPECT_EQ(fields[1], "1");
    EXPECT_EQ(fields[2], "52.40");
    EXPECT_EQ(fields[9], "58.39");
}
