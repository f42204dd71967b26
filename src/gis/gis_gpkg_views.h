#pragma once

// GDAL reads a GeoPackage through SQLite, and a view runs the query it was defined with
// every time it is read. A view can stand for any table GDAL reads (the GeoPackage's own
// tables, the layers it lists) and its query can run for ever (an endless recursive
// query): opening the file would hang the import, and the desktop with it. A GeoPackage
// that holds a view is therefore refused; the files GDAL writes hold none.

#include <string>

// Why the GeoPackage at path is refused (without the path), empty when GDAL may open it: it holds a view, or
// SQLite cannot read its schema. The file is read with SQLite, read-only, for at most a
// few million steps.
std::string CheckGeopackageViews(const std::string& path);
