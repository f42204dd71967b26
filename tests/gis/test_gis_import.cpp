// talvo-cli import, run as a user would: lines into barriers segment by segment, points
// in longitude/latitude into a project in Korea 2000, and the refusals of mixed systems.
#include <gtest/gtest.h>

#include <ogrsf_frmts.h>
#include <proj.h>

#include "cli_run_support.h"
#include "gis/gis_crs.h"
#include "gis/gis_ogr.h"
#include "io/project_file.h"
#include "model/document.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

constexpr double kPlanTol = 0.01;  // metres

// A GeoPackage with one layer "input" holding the geometry (WKT) and the attributes.
void WriteLayer(const std::string& path, const char* crs, const char* wkt, const char* field, double value)
{
    CGdalDataset ds = CreateVectorFile("GPKG", path);
    ASSERT_TRUE(ds);
    const COgrSrs srs = MakeSrs(crs);
    OGRLayer* layer = ds->CreateLayer("input", srs.get(), wkbUnknown, nullptr);
    OGRFieldDefn number(field, OFTReal), name("name", OFTString);
    layer->CreateField(&number);
    layer->CreateField(&name);
    OGRFeature feature(layer->GetLayerDefn());
    feature.SetField(field, value);
    feature.SetField("name", "시험");
    OGRGeometry* g = nullptr;
    ASSERT_EQ(OGRGeometryFactory::createFromWkt(wkt, nullptr, &g), OGRERR_NONE);
    feature.SetGeometryDirectly(g);
    ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
}

clitest::CliRun Import(const ScratchDir& dir, const std::string& base, const std::string& options)
{
    return clitest::RunCli("import " + Quoted(base) + " " + Quoted(dir.File("in.gpkg")) + " " + options + " -o " +
                               Quoted(dir.File("out.tlv")),
                           dir);
}

}  // namespace

TEST(GisImport, ThreeVertexLineGivesTwoBarriersWithTheirEndsAndHeight)
{
    ScratchDir dir;
    WriteLayer(dir.File("in.gpkg"), "", "LINESTRING (10 20, 110 20, 150 80)", "height", 3.5);
    CMyTalvoDoc base;
    ASSERT_TRUE(OpenProject(base, clitest::AcceptanceProject()).ok);
    const auto run = Import(dir, clitest::AcceptanceProject(), "--as barriers --like 1");
    ASSERT_EQ(run.status, 0) << run.err;
    CMyTalvoDoc out;
    ASSERT_TRUE(OpenProject(out, dir.File("out.tlv")).ok);
    ASSERT_EQ(out.m_arrBarrier.size(), base.m_arrBarrier.size() + 2);
    const CBarrier_Stage& a = out.m_arrBarrier[base.m_arrBarrier.size()];
    const CBarrier_Stage& b = out.m_arrBarrier[base.m_arrBarrier.size() + 1];
    EXPECT_DOUBLE_EQ(a.m_dStartX, 10);
    EXPECT_DOUBLE_EQ(a.m_dEndX, 110);
    EXPECT_DOUBLE_EQ(b.m_dStartX, 110);
    EXPECT_DOUBLE_EQ(b.m_dEndY, 80);
    EXPECT_DOUBLE_EQ(a.m_dHeight, 3.5);
    EXPECT_DOUBLE_EQ(b.m_dHeight, 3.5);
    EXPECT_EQ(b.m_pDescription, "시험");
    EXPECT_EQ(b.m_dAbsorption, base.m_arrBarrier[0].m_dAbsorption);  // from --like 1
    EXPECT_EQ(out.m_arrRoad.size(), base.m_arrRoad.size());

    const auto noSuchBarrier = Import(dir, clitest::AcceptanceProject(), "--as barriers --like 9");
    EXPECT_EQ(noSuchBarrier.status, 1);
    EXPECT_NE(noSuchBarrier.err.find("9번 방음벽"), std::string::npos) << noSuchBarrier.err;
}

TEST(GisImport, LongitudeLatitudePointLandsWherePROJPutsItInKorea2000)
{
    ScratchDir dir;
    WriteLayer(dir.File("in.gpkg"), "EPSG:4326", "POINT (127.0012 37.5123)", "z", 4.2);
    const auto refused = Import(dir, clitest::AcceptanceProject(), "--as receivers");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("좌표계"), std::string::npos) << refused.err;

    const auto run = Import(dir, clitest::AcceptanceProject(), "--as receivers --crs EPSG:5186");
    ASSERT_EQ(run.status, 0) << run.err;
    CMyTalvoDoc out;
    ASSERT_TRUE(OpenProject(out, dir.File("out.tlv")).ok);
    EXPECT_EQ(out.m_settings.m_strCrs, "EPSG:5186");
    const CReceiverPoint& r = out.m_arrReceiver.back();

    PJ* transform = proj_create_crs_to_crs(nullptr, "EPSG:4326", "EPSG:5186", nullptr);
    ASSERT_NE(transform, nullptr);
    PJ* ordered = proj_normalize_for_visualization(nullptr, transform);
    const PJ_COORD where = proj_trans(ordered, PJ_FWD, proj_coord(127.0012, 37.5123, 0, 0));
    proj_destroy(ordered);
    proj_destroy(transform);
    EXPECT_NEAR(r.m_dX, where.xy.x, kPlanTol);
    EXPECT_NEAR(r.m_dY, where.xy.y, kPlanTol);
    EXPECT_DOUBLE_EQ(r.m_dZ, 4.2);

    // A layer without a system into a project with one needs --crs for the layer.
    WriteLayer(dir.File("in.gpkg"), "", "POINT (200000 550000)", "z", 1.5);
    const auto noLayerCrs = Import(dir, dir.File("out.tlv"), "--as receivers");
    EXPECT_EQ(noLayerCrs.status, 1);
    EXPECT_NE(noLayerCrs.err.find("--crs"), std::string::npos) << noLayerCrs.err;
}
