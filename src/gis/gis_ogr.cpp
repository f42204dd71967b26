#include "gis/gis_ogr.h"

#include <cpl_vsi.h>

#include <algorithm>
#include <cctype>

std::string FileExtension(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

CVectorFormat VectorFormatFor(const std::string& path)
{
    const std::string ext = FileExtension(path);
    if (ext == ".gpkg")
        return {"GPKG", false, false, false};
    if (ext == ".geojson" || ext == ".json")
        return {"GeoJSON", true, false, false};
    if (ext == ".shp")
        return {"ESRI Shapefile", true, false, false};
    if (ext == ".dxf")
        return {"DXF", false, true, false};
    if (ext == ".kml")
        return {"KML", false, false, true};
    return {};
}

CGdalDataset OpenVectorFile(const std::string& path)
{
    GDALAllRegister();
    return CGdalDataset(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
}

CGdalDataset CreateVectorFile(const std::string& driverName, const std::string& path)
{
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
    if (!driver)
        return nullptr;
    VSIStatBufL stat;
    if (VSIStatL(path.c_str(), &stat) == 0 && driver->Delete(path.c_str()) != CE_None)
        VSIUnlink(path.c_str());
    return CGdalDataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
}
