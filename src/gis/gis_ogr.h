#pragma once

// Small helpers over GDAL's vector API shared by the map writer and the import: owning
// handles, the vector format a file name asks for, the one way layer files are opened,
// and a catcher of GDAL's error reports.

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <memory>
#include <string>

struct CGdalDatasetCloser {
    std::string memoryFile;  // a file of GDAL's memory file system the dataset reads; removed after it
    void operator()(GDALDataset* ds) const;
};
using CGdalDataset = std::unique_ptr<GDALDataset, CGdalDatasetCloser>;

struct CVectorFormat {
    std::string driver;      // GDAL's driver name; empty when the extension is none of ours
    bool oneLayer = false;   // GeoJSON and Shapefile hold a single layer
    bool cadLayers = false;  // DXF: one table of entities, each on a named CAD layer
    bool needsCrs = false;   // KML is always longitude/latitude
};

// The vector format of a file name by its extension (case ignored): .gpkg, .geojson, .shp,
// .dxf, .kml.
CVectorFormat VectorFormatFor(const std::string& path);

// The lower-case extension of a file name with its dot (".tif"), empty when none.
std::string FileExtension(const std::string& path);
// The text with its ASCII letters in upper case (GDAL looks for a shapefile's parts in either).
std::string UpperCase(std::string text);

// Opens a layer file read-only, the only way TALVO reads one: a path CheckLayerPath
// accepts, with the drivers of the formats TALVO reads (GeoPackage, ESRI Shapefile,
// GeoJSON, DXF, KML) and no other, and refused when a layer's coordinate system names a
// file by a path (gis_proj_gate.h) or when GDAL might never finish reading it (a
// GeoPackage's view, gis_gpkg_views.h; a DXF cut after a carriage return is read from a
// copy, gis_dxf_ending.h). Null when refused or unreadable; then `why` says why.
CGdalDataset OpenVectorFile(const std::string& path, std::string& why);
CGdalDataset OpenVectorFile(const std::string& path);

// Creates a vector file with the driver, replacing a file of that name; null when it cannot.
CGdalDataset CreateVectorFile(const std::string& driver, const std::string& path);

// While it lives, GDAL's error reports on this thread are kept instead of printed; the
// first failure is the reason an operation gives.
class CGdalErrorTrap {
public:
    CGdalErrorTrap();
    ~CGdalErrorTrap();
    CGdalErrorTrap(const CGdalErrorTrap&) = delete;
    CGdalErrorTrap& operator=(const CGdalErrorTrap&) = delete;

    // GDAL's text of the first failure reported, empty when none was.
    const std::string& Failure() const { return m_failure; }

private:
    static void CPL_STDCALL Catch(CPLErr type, CPLErrorNum number, const char* message);
    std::string m_failure;
};
