#pragma once

// A GDAL virtual file system that notes every write GDAL's drivers make and that fails.
// Some drivers (GeoJSON, KML) ignore a failed write or close, so a full disk leaves a
// truncated file their caller takes for complete. A path under kCheckedPrefix is the path
// after the prefix, read and written as usual, and the first failed write, flush, truncate
// or close of a file under it is kept until taken. Thread-safe.

#include <string>

inline constexpr const char* kCheckedPrefix = "/vsitalvo-checked/";

// Installs the file system (once; ProtectGisAccess does it).
void InstallCheckedWrites();

// The path through the checked file system.
std::string CheckedPath(const std::string& path);

// Why the first noted failure under `under` (a path prefix) failed ("File too large"),
// forgetting every failure noted under it; empty when there was none.
std::string TakeWriteFailure(const std::string& under);
