#pragma once

// Coordinate reference systems through PROJ (by way of GDAL's OGRSpatialReference): the
// check of a project's code and the spatial references the GIS files are written with.
// Thread-safe: every call builds its own objects.

#include <memory>
#include <string>

class OGRSpatialReference;
struct CProjectSettings;

struct CCrsCheck {
    bool ok = false;
    std::string name;     // the system's name, "Korea 2000 / Central Belt 2010"
    std::string message;  // why the code is refused, when not ok
};

// Checks a code such as "EPSG:5186". An empty code is local metres and is accepted with
// an empty name. Only EPSG codes (model/crs_code.h) naming projected systems in metres fit
// plan coordinates; anything else is refused before PROJ sees it, or by PROJ.
CCrsCheck CheckCrs(const std::string& code);

// An opened project keeps only a system CheckCrs accepts: any other is cleared, and the
// message saying so is returned (empty when the system stays).
std::string DropUnacceptedCrs(CProjectSettings& settings);

struct COgrSrsDeleter {
    void operator()(OGRSpatialReference* srs) const;
};
using COgrSrs = std::unique_ptr<OGRSpatialReference, COgrSrsDeleter>;

// The spatial reference of an EPSG code with X easting (or longitude) first, whatever the
// authority's axis order; null for an empty or unknown code and for any text that is no
// code.
COgrSrs MakeSrs(const std::string& code);

inline constexpr const char* kMsgBadCrs = "좌표계를 찾을 수 없습니다: ";
inline constexpr const char* kMsgCrsNotMetres = "평면 좌표가 미터인 투영 좌표계가 아닙니다: ";
