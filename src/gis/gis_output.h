#pragma once

// GIS outputs that never destroy the file they replace. The writer writes the file into a
// hidden temporary folder beside the target (".NAME.talvo-tmp-XXXXXX/NAME"; a shapefile's
// companions beside it), through the checked file system (gis_checked_write.h) and with
// GDAL's error reports caught. Only when the writer succeeded, GDAL reported no failure,
// no write failed and every file is on disk are the files renamed into place, the target
// last; companions of an old shapefile that the new one lacks (.prj, .cpg, spatial
// indexes) are removed with it, so they cannot describe the new one. Otherwise the
// temporary folder is removed and the target is as it was. Thread-safe.

#include <functional>
#include <string>
#include <vector>

// Writes the file at `path` (a path of the checked file system); empty when written,
// otherwise the message.
using CGisWriter = std::function<std::string(const std::string& path)>;

// Empty when written, otherwise the message (the target is then as it was).
std::string WriteGisOutput(const std::string& target, const CGisWriter& write);

// Every file an output at target writes or replaces: the target, and for a shapefile the
// companions of its name (.shx, .dbf, .prj, .cpg, .qix, .sbn, .sbx, in either case).
std::vector<std::string> GisOutputFiles(const std::string& target);
