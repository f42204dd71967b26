#pragma once

// The gate every text passes on its way into PROJ in TALVO's programs. PROJ (before 9.6)
// opens whatever file a coordinate-system text names: "+init=/path:x", "+nadgrids=@/path",
// the PROJ4 extension of a WKT, a WKT2 PARAMETERFILE, an ESRI "Dataset_" parameter or a
// PROJJSON parameter value. GDAL hands PROJ the systems of the layer files it reads (a
// GeoJSON "crs", a shapefile's .prj, a GeoPackage's WKT) while it opens them, and neither
// library has a switch against it. So this library defines PROJ's text entry points
// (proj_create, proj_create_argv, proj_create_from_wkt, proj_create_crs_to_crs) itself:
// a program linking it resolves every call to them, GDAL's included, to these definitions,
// which refuse a text naming a file by a path and hand any other text on to PROJ. Names
// without a folder stay allowed: PROJ looks them up only in its own data folders.
// Thread-safe.

#include <cstddef>
#include <string_view>

// False when the text names a file by a path (a '/' or '\' in a file-naming place, or
// the whole text a path).
bool IsSafeProjText(std::string_view text);

// How many texts the gate has refused on this thread so far.
std::size_t RefusedProjTexts();

// Makes sure the gate is part of the program (the linker takes it along with this call).
void KeepProjGate();
