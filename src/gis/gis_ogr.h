#pragma once

// Small helpers over GDAL's vector API shared by the map writer and the import: owning
// handles, and the vector format a file name asks for.

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <memory>
#include <string>

struct CGdalDatasetCloser {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using CGdalDataset = std::unique_ptr<GDALDataset, CGdalDatasetCloser>;

struct CVectorFormat {
    std::string driver;       // GDAL's driver name; empty when the extension is none of ours
    bool oneLayer = false;    // GeoJSON and Shapefile hold a single layer
    bool cadLayers = false;   // DXF: one table of entities, each on a named CAD layer
    bool needsCrs = false;    // KML is always longitude/latitude
};

// The vector format of a file name by its extension (case ignored): .gpkg, .geojson, .shp,
// .dxf, .kml.
CVectorFormat VectorFormatFor(const std::string& path);

// The lower-case extension of a file name with its dot (".tif"), empty when none.
std::string FileExtension(const std::string& path);

// Opens a file GDAL can read as vectors, read-only; null when it cannot.
CGdalDataset OpenVectorFile(const std::string& path);

// Creates a vector file with the driver, replacing a file of that name; null when it cannot.
CGdalDataset CreateVectorFile(const std::string& driver, const std::string& path);
