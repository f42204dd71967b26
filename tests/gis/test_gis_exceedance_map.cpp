// talvo-cli map --exceedance read back with GDAL: the GeoTIFF is the plain map minus the
// limit of the project's criterion in its zone, and a project without such a limit, or an
// octave band, is refused without a file.
#include <gtest/gtest.h>

#include <gdal_priv.h>

#include <filesystem>

#include "cli_run_support.h"
#include "gis/gis_ogr.h"
#include "gis/gis_raster.h"
#include "model/document.h"
#include "model/noise_limits.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

std::vector<float> ReadPixels(const std::string& path)
{
    GDALAllRegister();
    CGdalDataset tif(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!tif)
        return {};
    const int width = tif->GetRasterXSize(), height = tif->GetRasterYSize();
    std::vector<float> pixels(std::size_t(width * height));
    if (tif->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, width, height, pixels.data(), width, height, GDT_Float32, 0,
                                        0) != CE_None)
        return {};
    return pixels;
}

}  // namespace

TEST(GisExceedanceMap, IsThePlainMapMinusTheZonesLimitAndNeedsOne)
{
    ScratchDir dir;
    const std::string project = clitest::SaveVariant(dir, "judged.tlv", [](CMyTalvoDoc& doc) {
        doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kRoadsideStandard);
        doc.m_settings.m_strZone = "다";  // 70 by day
    });
    const std::string common = " --spacing 20 --height 1.5 --threads 2 -o ";
    auto run = clitest::RunCli("map " + Quoted(project) + common + Quoted(dir.File("plain.tif")), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    run = clitest::RunCli("map --exceedance " + Quoted(project) + common + Quoted(dir.File("over.tif")), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<float> plain = ReadPixels(dir.File("plain.tif")), over = ReadPixels(dir.File("over.tif"));
    ASSERT_EQ(plain.size(), over.size());
    ASSERT_FALSE(plain.empty());
    int above = 0;
    for (std::size_t n = 0; n < plain.size(); ++n) {
        if (plain[n] == kGeoTiffNoData) {
            EXPECT_EQ(over[n], kGeoTiffNoData) << n;
            continue;
        }
        EXPECT_NEAR(over[n], plain[n] - 70.0f, 0.011) << n;
        above += over[n] > 0 ? 1 : 0;
    }
    EXPECT_GT(above, 0);  // near the road the limit is exceeded

    // No criterion, a criterion without the period's limit, or a band: refused, nothing written.
    const std::string bare = clitest::AcceptanceProject();
    const std::string nightOnly = clitest::SaveVariant(dir, "user.tlv", [](CMyTalvoDoc& doc) {
        doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kUserDefined);
        doc.m_settings.m_dUserNightLimit = 55.0;  // no day value
    });
    for (const std::string& refused : {"map --exceedance " + Quoted(bare), "map --exceedance " + Quoted(nightOnly),
                                       "map --exceedance --band 3 " + Quoted(project)}) {
        run = clitest::RunCli(refused + common + Quoted(dir.File("no.tif")), dir);
        EXPECT_NE(run.status, 0) << refused;
        EXPECT_FALSE(std::filesystem::exists(dir.File("no.tif"))) << refused;
    }
    EXPECT_NE(run.err.find("--band"), std::string::npos) << run.err;
}
