// talvo-cli map --diff read back with GDAL: the GeoTIFF of the difference is the two grid
// exports subtracted node by node, its isobands are cut and coloured at the diverging
// edges, and projects on other areas or bad options are refused without a file.
#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli_run_support.h"
#include "gis/gis_ogr.h"
#include "gis/gis_raster.h"
#include "maps/noise_map_difference.h"
#include "model/document.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

// The grid export and the GeoTIFF both hold levels to the hundredth: three roundings apart.
constexpr double kRoundedTol = 0.015 + 1e-6;  // dB

struct CExportNode {
    double x = 0, y = 0;
    bool energy = false;
    double level = 0;
};

std::vector<CExportNode> ReadGridExport(const std::string& path)
{
    std::vector<CExportNode> nodes;
    std::istringstream lines(iotest::ReadBytes(path));
    for (std::string line; std::getline(lines, line);) {
        CExportNode n;
        double z = 0;
        char level[32] = "";
        if (std::sscanf(line.c_str(), "%lf\t%lf\t%lf\t%31s", &n.x, &n.y, &z, level) < 3)
            continue;
        n.energy = clitest::ParseNumber(level, n.level);
        nodes.push_back(n);
    }
    return nodes;
}

struct CRaster {
    double t[6] = {};
    int width = 0, height = 0;
    std::vector<float> pixels;

    float At(double x, double y) const
    {
        const long column = std::lround((x - t[0]) / t[1] - 0.5), row = std::lround((y - t[3]) / t[5] - 0.5);
        return pixels[std::size_t(row * width + column)];
    }
};

bool ReadRaster(const std::string& path, CRaster& raster)
{
    GDALAllRegister();
    CGdalDataset tif(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!tif || tif->GetGeoTransform(raster.t) != CE_None)
        return false;
    raster.width = tif->GetRasterXSize();
    raster.height = tif->GetRasterYSize();
    raster.pixels.resize(std::size_t(raster.width * raster.height));
    return tif->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, raster.width, raster.height, raster.pixels.data(),
                                           raster.width, raster.height, GDT_Float32, 0, 0) == CE_None;
}

}  // namespace

TEST(GisDifferenceMap, IsTheTwoGridExportsSubtractedAtEveryNode)
{
    ScratchDir dir;
    const std::string withBarriers = clitest::AcceptanceProject();
    const std::string without =
        clitest::SaveVariant(dir, "open.tlv", [](CMyTalvoDoc& doc) { doc.m_arrBarrier.clear(); });
    ASSERT_FALSE(without.empty());
    const std::string common = " --spacing 20 --height 1.5 --threads 2";
    for (const auto& [project, out] : {std::pair{withBarriers, "a.txt"}, std::pair{without, "b.txt"}}) {
        const auto run = clitest::RunCli("grid " + Quoted(project) + " -o " + Quoted(dir.File(out)) + common, dir);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    const std::string diff = "map " + Quoted(withBarriers) + " --diff " + Quoted(without) + common;
    auto run = clitest::RunCli(diff + " -o " + Quoted(dir.File("d.tif")), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    run = clitest::RunCli(diff + " --diff-step 3 -o " + Quoted(dir.File("d.gpkg")), dir);
    ASSERT_EQ(run.status, 0) << run.err;

    CRaster raster;
    ASSERT_TRUE(ReadRaster(dir.File("d.tif"), raster));
    const std::vector<CExportNode> a = ReadGridExport(dir.File("a.txt")), b = ReadGridExport(dir.File("b.txt"));
    ASSERT_EQ(a.size(), b.size());
    ASSERT_EQ(int(a.size()), raster.width * raster.height);
    int screened = 0;
    for (std::size_t n = 0; n < a.size(); ++n) {
        ASSERT_EQ(a[n].x, b[n].x);
        ASSERT_EQ(a[n].y, b[n].y);
        const float value = raster.At(a[n].x, a[n].y);
        if (!a[n].energy || !b[n].energy) {
            EXPECT_EQ(value, kGeoTiffNoData) << a[n].x << "," << a[n].y;
            continue;
        }
        EXPECT_NEAR(value, a[n].level - b[n].level, kRoundedTol) << a[n].x << "," << a[n].y;
        screened += a[n].level - b[n].level < -3 ? 1 : 0;
    }
    EXPECT_GT(screened, 0);  // the barriers make a difference somewhere

    // The vector file is cut at the 3 dB edges and coloured in the diverging scale.
    const CMapScale scale = DifferenceMapScale(3);
    CGdalDataset gpkg = OpenVectorFile(dir.File("d.gpkg"));
    ASSERT_TRUE(gpkg);
    OGRLayer* bands = gpkg->GetLayerByName("isobands");
    ASSERT_NE(bands, nullptr);
    int count = 0;
    for (auto& feature : *bands) {
        const auto upperField = feature->GetFieldIndex("upper");
        ASSERT_TRUE(feature->IsFieldSetAndNotNull(upperField) ||
                    feature->IsFieldSetAndNotNull(feature->GetFieldIndex("lower")));
        const double upper =
            feature->IsFieldSetAndNotNull(upperField) ? feature->GetFieldAsDouble("upper") : scale.edges.back() + 3;
        const auto above = std::upper_bound(scale.edges.begin(), scale.edges.end(), upper - 1.5);
        EXPECT_EQ(feature->GetFieldAsString("color"), scale.colours[std::size_t(above - scale.edges.begin())])
            << "band below " << upper;
        EXPECT_EQ(std::fmod(std::fabs(upper), 3.0), 0.0);
        ++count;
    }
    EXPECT_GE(count, 3);
}

TEST(GisDifferenceMap, RefusesAnotherAreaAndBadOptionsWithoutAFile)
{
    ScratchDir dir;
    const std::string project = clitest::AcceptanceProject();
    const std::string wider =
        clitest::SaveVariant(dir, "wider.tlv", [](CMyTalvoDoc& doc) { doc.m_settings.m_dAreaEndX += 10; });
    ASSERT_FALSE(wider.empty());
    const std::string out = " -o " + Quoted(dir.File("d.tif")) + " --spacing 40";
    auto run = clitest::RunCli("map " + Quoted(project) + " --diff " + Quoted(wider) + out, dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(kMapMsgOtherArea), std::string::npos) << run.err;

    run = clitest::RunCli("map " + Quoted(project) + " --diff " + Quoted(dir.File("missing.tlv")) + out, dir);
    EXPECT_EQ(run.status, 1) << run.err;
    for (const std::string options : {" --diff-step 2", " --levels 1,2", " --section-output s.png"}) {
        run = clitest::RunCli("map " + Quoted(project) + " --diff " + Quoted(project) + options + out, dir);
        EXPECT_GT(run.status, 0) << options;
        EXPECT_LT(run.status, 128) << options;  // refused, not crashed
    }
    run = clitest::RunCli("map " + Quoted(project) + " --diff-step 3" + out, dir);
    EXPECT_GT(run.status, 0);
    EXPECT_LT(run.status, 128);
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.tif")));
}
