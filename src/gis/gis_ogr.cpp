#include "gis/gis_ogr.h"

#include <cpl_vsi.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "gis/gis_access.h"
#include "gis/gis_dxf_ending.h"
#include "gis/gis_gpkg_views.h"
#include "gis/gis_proj_gate.h"

namespace {

// The drivers of the formats TALVO documents; GDAL tries no other on a layer file, so a
// file cannot lead it to another file (VRT), a database or a server.
const char* const kLayerDrivers[] = {"GPKG", "ESRI Shapefile", "GeoJSON", "DXF", "KML", nullptr};

// GDAL reads some layers' coordinate systems when it opens the file, others when a layer
// is first asked for it; asking every layer while opening lets the PROJ text gate refuse
// the file before any use.
void ReadEveryCoordinateSystem(GDALDataset& ds)
{
    for (int i = 0; i < ds.GetLayerCount(); ++i)
        if (OGRLayer* layer = ds.GetLayer(i)) {
            layer->GetLayerDefn();
            layer->GetSpatialRef();
        }
}

// The short name of the driver GDAL would read the file with; empty when none would.
std::string ReadingDriver(const std::string& path)
{
    GDALDriverH driver = GDALIdentifyDriverEx(path.c_str(), GDAL_OF_VECTOR, kLayerDrivers, nullptr);
    return driver ? GDALGetDriverShortName(driver) : "";
}

// What GDAL's readers need so that reading the file ends: a GeoPackage is refused when it
// holds a view; any other file may be read from a copy (copy names it), since GDAL tries
// its DXF reader on whatever the first reader to claim a file could not read. Why the
// file is refused, empty when it may be opened.
std::string GuardAgainstEndlessReading(const std::string& absolute, const std::string& path, std::string& copy)
{
    if (ReadingDriver(absolute) == "GPKG") {
        const std::string refusal = CheckGeopackageViews(absolute);
        return refusal.empty() ? refusal : refusal + ": " + path;
    }
    if (!EndedTextCopy(absolute, copy))
        return "파일을 읽을 메모리가 부족합니다: " + path;
    return {};
}

}  // namespace

void CGdalDatasetCloser::operator()(GDALDataset* ds) const
{
    GDALClose(ds);
    if (!memoryFile.empty())
        VSIUnlink(memoryFile.c_str());
}

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

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
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

CGdalDataset OpenVectorFile(const std::string& path, std::string& why)
{
    ProtectGisAccess();
    why = CheckLayerPath(path);
    if (!why.empty())
        return nullptr;
    // An absolute path: GDAL takes no "GPKG:", "GeoJSON:" or similar prefix from it.
    std::error_code ignored;
    const std::string absolute = std::filesystem::absolute(path, ignored).string();
    CGdalErrorTrap trap;
    std::string copy;
    why = GuardAgainstEndlessReading(absolute, path, copy);
    if (!why.empty())
        return nullptr;
    const std::size_t refusedBefore = RefusedProjTexts();
    const std::string& opened = copy.empty() ? absolute : copy;
    CGdalDataset ds(GDALDataset::Open(opened.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, kLayerDrivers, nullptr, nullptr),
                    CGdalDatasetCloser{copy});
    if (!ds) {
        if (!copy.empty())
            VSIUnlink(copy.c_str());
        why = "GIS/CAD 파일을 열 수 없습니다 (GeoPackage, Shapefile, GeoJSON, DXF, KML만 엽니다): " + path;
        return nullptr;
    }
    ReadEveryCoordinateSystem(*ds);
    if (RefusedProjTexts() != refusedBefore) {
        why = "레이어의 좌표계가 다른 파일을 가리키므로 열지 않습니다: " + path;
        return nullptr;
    }
    return ds;
}

CGdalDataset OpenVectorFile(const std::string& path)
{
    std::string ignored;
    return OpenVectorFile(path, ignored);
}

CGdalDataset CreateVectorFile(const std::string& driverName, const std::string& path)
{
    ProtectGisAccess();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
    if (!driver)
        return nullptr;
    VSIStatBufL stat;
    if (VSIStatL(path.c_str(), &stat) == 0 && driver->Delete(path.c_str()) != CE_None)
        VSIUnlink(path.c_str());
    return CGdalDataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
}

CGdalErrorTrap::CGdalErrorTrap() { CPLPushErrorHandlerEx(&CGdalErrorTrap::Catch, this); }

CGdalErrorTrap::~CGdalErrorTrap() { CPLPopErrorHandler(); }

void CPL_STDCALL CGdalErrorTrap::Catch(CPLErr type, CPLErrorNum, const char* message)
{
    auto* trap = static_cast<CGdalErrorTrap*>(CPLGetErrorHandlerUserData());
    if (trap && type >= CE_Failure && trap->m_failure.empty())
        trap->m_failure = message ? message : "GDAL failed";
}
