// The map files read back with GDAL itself: the GeoTIFF against the grid export, the
// isobands as valid polygons tiling the grid, and the CAD drawing.
#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "cli_run_support.h"
#include "gis/gis_map_layers.h"
#include "gis/gis_ogr.h"
#include "gis/gis_raster.h"
#include "isoband_test_support.h"
#include "maps/noise_map_isolines.h"
#include "model/document.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

constexpr double kAreaTol = 1e-6;  // m²

std::string Fixed2(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::string ProjectInKorea2000(const ScratchDir& dir)
{
    return clitest::SaveVariant(dir, "p.tlv", [](CMyTalvoDoc& doc) { doc.m_settings.m_strCrs = "EPSG:5186"; });
}

}  // namespace

TEST(GisMapFiles, GeoTiffHoldsTheGridExportAtEveryNodeInTheProjectsCrs)
{
    ScratchDir dir;
    const std::string project = ProjectInKorea2000(dir);
    ASSERT_FALSE(project.empty());
    const std::string common = " --spacing 40 --height 1.5 --threads 2";
    const auto grid = clitest::RunCli("grid " + Quoted(project) + " -o " + Quoted(dir.File("g.txt")) + common, dir);
    ASSERT_EQ(grid.status, 0) << grid.err;
    const auto map = clitest::RunCli("map " + Quoted(project) + " -o " + Quoted(dir.File("m.tif")) + common, dir);
    ASSERT_EQ(map.status, 0) << map.err;

    GDALAllRegister();
    CGdalDataset tif(GDALDataset::Open(dir.File("m.tif").c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    ASSERT_TRUE(tif);
    ASSERT_NE(tif->GetSpatialRef(), nullptr);
    EXPECT_STREQ(tif->GetSpatialRef()->GetAuthorityCode(nullptr), "5186");
    double t[6];
    ASSERT_EQ(tif->GetGeoTransform(t), CE_None);
    GDALRasterBand* band = tif->GetRasterBand(1);
    EXPECT_EQ(band->GetRasterDataType(), GDT_Float32);
    std::vector<float> pixels(std::size_t(tif->GetRasterXSize() * tif->GetRasterYSize()));
    ASSERT_EQ(band->RasterIO(GF_Read, 0, 0, tif->GetRasterXSize(), tif->GetRasterYSize(), pixels.data(),
                             tif->GetRasterXSize(), tif->GetRasterYSize(), GDT_Float32, 0, 0),
              CE_None);

    std::istringstream lines(iotest::ReadBytes(dir.File("g.txt")));
    std::string line;
    int nodes = 0;
    while (std::getline(lines, line)) {
        double x = 0, y = 0, z = 0;
        char level[32] = "";
        ASSERT_GE(std::sscanf(line.c_str(), "%lf\t%lf\t%lf\t%31s", &x, &y, &z, level), 3) << line;
        // The node sits at the centre of its pixel.
        const double column = (x - t[0]) / t[1] - 0.5, row = (y - t[3]) / t[5] - 0.5;
        ASSERT_NEAR(column, std::round(column), 1e-6);
        ASSERT_NEAR(row, std::round(row), 1e-6);
        const float value = pixels[std::size_t(std::lround(row) * tif->GetRasterXSize() + std::lround(column))];
        EXPECT_EQ(value == kGeoTiffNoData ? std::string("-") : Fixed2(value), std::string(level)) << x << "," << y;
        ++nodes;
    }
    EXPECT_EQ(nodes, tif->GetRasterXSize() * tif->GetRasterYSize());
}

TEST(GisMapFiles, IsobandsAreValidAndTileTheGridWithoutOverlap)
{
    ScratchDir dir;
    const CNoiseMapGrid grid = bandtest::FieldGrid(41, 31, 200000, 550000, 2.5, bandtest::RippledField);
    const std::string path = dir.File("bands.gpkg");
    ASSERT_EQ(WriteMapLayers(CMyTalvoDoc(), grid, {{50, 55, 60, 65, 70}, "EPSG:5186", kLayerIsobands, {}}, path), "");

    CGdalDataset ds = OpenVectorFile(path);
    ASSERT_TRUE(ds);
    OGRLayer* layer = ds->GetLayerByName(kLayerIsobands);
    ASSERT_NE(layer, nullptr);
    OGRMultiPolygon all;
    double sum = 0;
    int count = 0;
    for (auto& feature : *layer) {
        const OGRGeometry* g = feature->GetGeometryRef();
        ASSERT_NE(g, nullptr);
        EXPECT_TRUE(g->IsValid()) << "band from " << feature->GetFieldAsDouble("lower");
        sum += g->toMultiPolygon()->get_Area();
        for (const OGRPolygon* polygon : *g->toMultiPolygon())
            all.addGeometry(polygon);
        ++count;
    }
    EXPECT_EQ(count, 6);
    // Overlaps would make the union smaller than the sum; gaps both smaller than the grid.
    std::unique_ptr<OGRGeometry> merged(all.UnionCascaded());
    ASSERT_TRUE(merged);
    const double width = grid.m_arrU.back() - grid.m_arrU.front(), height = grid.m_arrV.back() - grid.m_arrV.front();
    EXPECT_NEAR(sum, width * height, kAreaTol);
    EXPECT_NEAR(OGR_G_Area(OGRGeometry::ToHandle(merged.get())), width * height, 1e-3);

    // The iso-lines come joined into polylines, every segment once.
    OGRLayer* lines = ds->GetLayerByName(kLayerIsolines);
    ASSERT_NE(lines, nullptr);
    for (auto& feature : *lines) {
        const double level = feature->GetFieldAsDouble("level");
        double length = 0;
        const std::vector<CIsoSegment> segments = IsoSegments(grid, level);
        for (const CIsoSegment& s : segments)
            length += std::hypot(s.u1 - s.u0, s.v1 - s.v0);
        const OGRMultiLineString* joined = feature->GetGeometryRef()->toMultiLineString();
        EXPECT_NEAR(joined->get_Length(), length, 1e-6) << level;
        EXPECT_LT(joined->getNumGeometries() * 5, int(segments.size())) << level;
    }
}

TEST(GisMapFiles, DxfOpensWithEveryLayerOnItsCadLayerAndOtherFormatsCarryTheFields)
{
    ScratchDir dir;
    const std::string project = ProjectInKorea2000(dir);
    const std::string common = " --spacing 40 --height 1.5 --levels 70,60";
    for (const char* name : {"m.dxf", "m.gpkg", "m.shp", "m.kml"}) {
        const auto run = clitest::RunCli("map " + Quoted(project) + " -o " + Quoted(dir.File(name)) + common, dir);
        ASSERT_EQ(run.status, 0) << name << ": " << run.err;
    }
    CGdalDataset dxf = OpenVectorFile(dir.File("m.dxf"));
    ASSERT_TRUE(dxf);
    std::map<std::string, int> perCadLayer;
    for (auto& feature : *dxf->GetLayer(0))
        ++perCadLayer[feature->GetFieldAsString("Layer")];
    EXPECT_GT(perCadLayer["isobands"], 0);
    EXPECT_GT(perCadLayer["isolines"], 0);
    EXPECT_EQ(perCadLayer["receivers"], 5);
    EXPECT_EQ(perCadLayer["model"], 4);

    CGdalDataset gpkg = OpenVectorFile(dir.File("m.gpkg"));
    ASSERT_TRUE(gpkg);
    EXPECT_EQ(gpkg->GetLayerCount(), 4);
    OGRLayer* bands = gpkg->GetLayerByName(kLayerIsobands);
    ASSERT_NE(bands, nullptr);
    EXPECT_EQ(bands->GetFeatureCount(), 3);  // below 60, 60-70, 70 and above: all present
    std::unique_ptr<OGRFeature> lowest(bands->GetNextFeature());
    EXPECT_FALSE(lowest->IsFieldSetAndNotNull(lowest->GetFieldIndex("lower")));
    EXPECT_EQ(lowest->GetFieldAsDouble("upper"), 60);

    CGdalDataset shp = OpenVectorFile(dir.File("m.shp"));
    ASSERT_TRUE(shp);
    EXPECT_EQ(shp->GetLayer(0)->GetFeatureCount(), 3);

    CGdalDataset kml = OpenVectorFile(dir.File("m.kml"));
    ASSERT_TRUE(kml);
    OGREnvelope box;
    ASSERT_EQ(kml->GetLayerByName(kLayerModel)->GetExtent(&box), OGRERR_NONE);
    EXPECT_GT(box.MinX, 120);  // longitude: Korea 2000 reprojected to WGS 84
    EXPECT_LT(box.MaxY, 40);
}
