// Computing noise maps with the prepared scene: refusals, the plan and section layouts,
// the same levels on any number of threads, agreement with the point-level query, and
// talvo-cli map end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "calc_test_support.h"
#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "engine/source_pieces.h"
#include "io_test_support.h"
#include "maps/noise_map_compute.h"
#include "model/bands.h"
#include "model/section_ground.h"
#include "test_tolerances.h"

namespace {

// A 100 dB road along y = 100 across an open area 200 x 200 m.
CMyTalvoDoc OpenRoadProject()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dAreaEndX = 200;
    doc.m_settings.m_dAreaEndY = 200;
    doc.m_settings.m_dSectionY = 100;
    doc.m_settings.m_nSectionAxis = 0;
    doc.m_settings.m_dSectionX = 100;
    doc.m_arrRoad.push_back(calctest::Road(0, 100, 200, 100, 0, 10, 20));
    MakeSourcePieces(doc);
    return doc;
}

}  // namespace

TEST(NoiseMapCompute, RefusesWithoutPiecesOrWithABadGrid)
{
    CMyTalvoDoc none;
    EXPECT_EQ(CheckNoiseMap(none, 10), kMapMsgNotCalculated);
    CMyTalvoDoc doc = OpenRoadProject();
    EXPECT_EQ(CheckNoiseMap(doc, 10), "");
    EXPECT_EQ(CheckNoiseMap(doc, 0), kMapMsgBadSpacing);
    EXPECT_EQ(CheckNoiseMap(doc, -5), kMapMsgBadSpacing);
    EXPECT_EQ(CheckNoiseMap(doc, std::nan("")), kMapMsgBadSpacing);
    EXPECT_EQ(CheckNoiseMap(doc, 0.01), kMapMsgBadSpacing);  // 20001 x 20001 nodes
    doc.m_settings.m_dAreaEndX = -10;
    EXPECT_EQ(CheckNoiseMap(doc, 10), kMapMsgBadArea);
}

TEST(NoiseMapCompute, LayoutsOfPlanAndSection)
{
    const CMyTalvoDoc doc = OpenRoadProject();
    const CNoiseMapGrid plan = PlanMapLayout(doc.m_settings, 50, 1.5, 0);
    EXPECT_EQ(plan.Columns(), 5u);
    EXPECT_EQ(plan.Rows(), 5u);
    EXPECT_EQ(plan.PointAt(1, 2).x, 50.0);
    EXPECT_EQ(plan.PointAt(1, 2).y, 100.0);
    EXPECT_EQ(plan.PointAt(1, 2).z, 1.5);
    // Section X = 100: positions along Y, heights 0, 10, 20, 30.
    const CNoiseMapGrid section = SectionMapLayout(doc.m_settings, CSectionGround{}, 10, 3);
    EXPECT_EQ(section.m_arrV, (std::vector<double>{0, 10, 20, 30}));
    EXPECT_EQ(section.Columns(), 21u);
    EXPECT_EQ(section.PointAt(2, 1).x, 100.0);
    EXPECT_EQ(section.PointAt(2, 1).y, 20.0);
    EXPECT_EQ(section.PointAt(2, 1).z, 10.0);
    EXPECT_EQ(section.m_nBand, 3);
}

TEST(NoiseMapCompute, ThreadCountGivesIdenticalGridsThatMatchThePointQuery)
{
    const CMyTalvoDoc doc = OpenRoadProject();
    const CCalcScene scene(doc);
    CNoiseMapGrid one = PlanMapLayout(doc.m_settings, 20, 1.5, 0);
    CNoiseMapGrid three = one;
    CRunProgress p1, p3;
    ASSERT_TRUE(ComputeNoiseMap(scene, one, p1, 1));
    ASSERT_TRUE(ComputeNoiseMap(scene, three, p3, 3));
    EXPECT_EQ(one.m_arrLevel, three.m_arrLevel);
    EXPECT_EQ(p3.Done(), 121);
    EXPECT_EQ(p3.Percent(), 100);
    // A node's level is the overall level the point-level query gives there.
    CReceiverPoint point;
    point.SetPosition(60, 40, 1.5);
    const std::string text = PointLevel(doc, point, 0);
    EXPECT_NEAR(one.Level(3, 2), std::stod(text), kLevelTol);
    // Levels fall away from the road.
    EXPECT_GT(one.Level(5, 4), one.Level(5, 0));
}

TEST(NoiseMapCompute, BandAndSectionAndCancel)
{
    const CMyTalvoDoc doc = OpenRoadProject();
    const CCalcScene scene(doc);
    CNoiseMapGrid band = PlanMapLayout(doc.m_settings, 100, 1.5, 5);  // 1 kHz
    CRunProgress progress;
    ASSERT_TRUE(ComputeNoiseMap(scene, band, progress, 2));
    const Bands at = scene.PointLevels(100, 0, 1.5);
    EXPECT_NEAR(band.Level(1, 0), at[4], kLevelTol);
    CNoiseMapGrid section = SectionMapLayout(doc.m_settings, CSectionGround{}, 10, 0);
    ASSERT_TRUE(ComputeNoiseMap(scene, section, progress, 2));
    EXPECT_NEAR(section.Level(5, 3), EnergySum(scene.PointLevels(100, 50, 30)), kLevelTol);
    CNoiseMapGrid cancelled = PlanMapLayout(doc.m_settings, 20, 1.5, 0);
    CRunProgress stop;
    stop.RequestCancel();
    EXPECT_FALSE(ComputeNoiseMap(scene, cancelled, stop, 2));
    EXPECT_EQ(stop.Done(), 0);
}

TEST(CliMap, RendersAPngOrFailsWithAMessage)
{
    const iotest::ScratchDir dir;
    const std::string cli = TALVO_CLI;
    const std::string help = dir.File("help.txt");
    std::system((cli + " --help >" + help + " 2>&1").c_str());
    std::ifstream helpText(help);
    const std::string helpAll((std::istreambuf_iterator<char>(helpText)), {});
    if (helpAll.find("map") == std::string::npos)
        GTEST_SKIP() << "talvo-cli built without the GUI has no map command";
    const std::string png = dir.File("map.png"), err = dir.File("err.txt");
    const std::string project = std::string(TALVO_EXAMPLES) + "/highway-village.tlv";
    int rc = std::system(
        (cli + " map " + project + " -o " + png + " --spacing 40 --height 1.5 --threads 2 --width 400 2>" + err)
            .c_str());
    if (rc != 0) {
        std::ifstream refusal(err);
        const std::string said((std::istreambuf_iterator<char>(refusal)), {});
        if (said.find("PNG") != std::string::npos && said.find("Qt") != std::string::npos)
            GTEST_SKIP() << "talvo-cli built without Qt writes GIS maps only";
    }
    ASSERT_EQ(rc, 0);
    std::ifstream in(png, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    rc = std::system((cli + " map " + dir.File("missing.tlv") + " -o " + png + " 2>" + err).c_str());
    EXPECT_EQ(WEXITSTATUS(rc), 1);
    std::ifstream errText(err);
    const std::string message((std::istreambuf_iterator<char>(errText)), {});
    EXPECT_NE(message.find("talvo-cli map: "), std::string::npos);
    rc = std::system((cli + " map " + project + " -o " + png + " --spacing 0 2>" + err).c_str());
    EXPECT_NE(WEXITSTATUS(rc), 0);
}
