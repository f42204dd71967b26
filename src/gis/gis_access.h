#pragma once

// What GDAL and PROJ may reach from a TALVO process: no network at all, no file but the
// ones the user named. ProtectGisAccess runs once, before GDAL opens or writes anything
// (every function of this library that uses GDAL or PROJ calls it first): it switches off
// GDAL's HTTP fetches and its /vsicurl/ family, PROJ's network access (PROJ_NETWORK=OFF
// and the setting of GDAL's PROJ contexts), keeps the PROJ text gate (gis_proj_gate.h) in
// the program and registers GDAL's drivers. Thread-safe.

#include <string>

void ProtectGisAccess();

// Why a path named as a layer to read is refused, empty when it may be opened: a GDAL
// virtual file system ("/vsicurl/", "/vsizip/", ...), a URL, or anything but an existing
// regular file.
std::string CheckLayerPath(const std::string& path);
