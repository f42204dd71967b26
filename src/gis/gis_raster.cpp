#include "gis/gis_raster.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <cmath>
#include <memory>
#include <vector>

#include "gis/gis_crs.h"
#include "model/bands.h"

namespace {

struct CDatasetCloser {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};

// The step between the first two nodes; a single node is a pixel of one metre.
double NodeStep(const std::vector<double>& nodes) { return nodes.size() > 1 ? nodes[1] - nodes[0] : 1.0; }

// The level rounded to the hundredth, as the grid export prints it.
float PixelValue(double level)
{
    return HasEnergy(level) ? static_cast<float>(std::round(level * 100.0) / 100.0) : kGeoTiffNoData;
}

std::vector<float> NorthUpPixels(const CNoiseMapGrid& grid)
{
    std::vector<float> pixels(grid.Columns() * grid.Rows());
    for (std::size_t row = 0; row < grid.Rows(); ++row)
        for (std::size_t column = 0; column < grid.Columns(); ++column)
            pixels[row * grid.Columns() + column] = PixelValue(grid.Level(column, grid.Rows() - 1 - row));
    return pixels;
}

}  // namespace

std::string WriteMapGeoTiff(const CNoiseMapGrid& grid, const std::string& crs, const std::string& path)
{
    if (grid.Empty())
        return "저장할 소음지도가 없습니다.";
    COgrSrs srs = MakeSrs(crs);
    if (!crs.empty() && !srs)
        return kMsgBadCrs + crs;
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    if (!driver)
        return "GeoTIFF를 쓸 수 없습니다.";
    const char* options[] = {"COMPRESS=DEFLATE", nullptr};
    std::unique_ptr<GDALDataset, CDatasetCloser> ds(driver->Create(path.c_str(), int(grid.Columns()), int(grid.Rows()),
                                                                    1, GDT_Float32, const_cast<char**>(options)));
    if (!ds)
        return "파일을 쓸 수 없습니다: " + path;
    const double du = NodeStep(grid.m_arrU), dv = NodeStep(grid.m_arrV);
    double transform[6] = {grid.m_arrU.front() - du / 2, du, 0, grid.m_arrV.front() + dv * (double(grid.Rows()) - 0.5),
                           0, -dv};
    ds->SetGeoTransform(transform);
    if (srs)
        ds->SetSpatialRef(srs.get());
    GDALRasterBand* band = ds->GetRasterBand(1);
    band->SetNoDataValue(kGeoTiffNoData);
    std::vector<float> pixels = NorthUpPixels(grid);
    if (band->RasterIO(GF_Write, 0, 0, int(grid.Columns()), int(grid.Rows()), pixels.data(), int(grid.Columns()),
                       int(grid.Rows()), GDT_Float32, 0, 0) != CE_None)
        return "파일을 쓸 수 없습니다: " + path;
    ds.reset();
    return {};
}
