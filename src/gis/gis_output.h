#pragma once

// GIS outputs that never destroy the file they replace. The writer writes the file (a
// shapefile with its companions) into GDAL's in-memory file system, with GDAL's error
// reports caught: GDAL's drivers never meet a full disk, which some of them ignore (GeoJSON,
// KML) and some answer by reading past their buffers (DXF). Only when the writer succeeded
// and GDAL reported no failure are the files copied into a hidden temporary folder beside
// the target (".NAME.talvo-tmp-XXXXXX"), every write, close and flush to disk checked, and
// then renamed into place, the target last; companions of an old shapefile that the new
// one lacks (.prj, .cpg, spatial indexes) are removed with it, so they cannot describe the
// new one. Otherwise the target is as it was. Thread-safe.

#include <functional>
#include <string>
#include <vector>

// Writes the file at `path` (a path in GDAL's memory); empty when written, otherwise the
// message.
using CGisWriter = std::function<std::string(const std::string& path)>;

// Empty when written, otherwise the message (the target is then as it was).
std::string WriteGisOutput(const std::string& target, const CGisWriter& write);

// Every file an output at target writes or replaces: the target, and for a shapefile the
// companions of its name (.shx, .dbf, .prj, .cpg, .qix, .sbn, .sbx, in either case).
std::vector<std::string> GisOutputFiles(const std::string& target);
