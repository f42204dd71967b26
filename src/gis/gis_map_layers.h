#pragma once

// The plan noise map and the model as vector layers for GIS and CAD programs:
//   isobands   polygons between the class edges: lower, upper (dB, empty at the open
//              ends), color ("#RRGGBB" of the class);
//   isolines   lines along the class edges: level;
//   receivers  points (with Z): id (from 1), z, overall and the eight band levels
//              hz63 .. hz8000 (dB(A), empty without energy);
//   model      roads, barriers, embankments, cuttings and tunnels as lines: kind, name,
//              z_start, z_end, height, width (empty where the kind has none);
//   buildings, facade  for a project with buildings (gis_building_layers.h).
// Coordinates are the project's (plan X, Y); the file carries the coordinate system.

#include <string>
#include <vector>

#include "model/noise_map_grid.h"

class CMyTalvoDoc;

inline constexpr const char* kLayerIsobands = "isobands";
inline constexpr const char* kLayerIsolines = "isolines";
inline constexpr const char* kLayerReceivers = "receivers";
inline constexpr const char* kLayerModel = "model";

struct CMapLayerRequest {
    std::vector<double> edges;           // class edges, ascending
    std::string crs;                     // the code written with the layers; empty: none
    std::string layer = kLayerIsobands;  // the layer of a one-layer format (GeoJSON, Shapefile)
    std::vector<std::string> colours;    // "#RRGGBB" of the bands between them, edges.size() + 1;
                                         // empty: the colours of the 5 dB classes on screen
};

// True for a file name whose extension is a vector format the map is written in.
bool IsMapVectorFile(const std::string& path);
// True for a file name the map is written in with GDAL: .tif/.tiff or a vector format.
bool IsMapGisFile(const std::string& path);

// Writes the layers of the plan map `grid` and of `doc` into the file, in the format its
// extension names: GeoPackage and KML with every layer, DXF with every layer on its own
// CAD layer coloured by class, GeoJSON and Shapefile with the requested layer. KML is
// refused when a point cannot be given in longitude and latitude. Empty when written,
// otherwise the message to show.
std::string WriteMapLayers(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, const CMapLayerRequest& request,
                           const std::string& path);

// A GeoTIFF for .tif/.tiff (gis_raster.h), else the layers as above, written so that the
// file at path is the previous one or the complete new one (gis_output.h).
std::string WriteMapGisFile(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, const CMapLayerRequest& request,
                            const std::string& path);

// The class edges of the 5 dB classes on screen, 35 .. 80.
std::vector<double> ScreenClassEdges();

// The file-dialog filter of every GIS format the map is written in.
inline constexpr const char* kMapGisFileFilter =
    "GeoTIFF (*.tif);;GeoPackage (*.gpkg);;GeoJSON (*.geojson);;Shapefile (*.shp);;DXF (*.dxf);;KML (*.kml)";
