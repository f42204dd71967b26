#pragma once

// Coordinate reference systems through PROJ (by way of GDAL's OGRSpatialReference): the
// check of a project's code and the spatial references the GIS files are written with.
// Thread-safe: every call builds its own objects.

#include <memory>
#include <string>

class OGRSpatialReference;

struct CCrsCheck {
    bool ok = false;
    std::string name;     // the system's name, "Korea 2000 / Central Belt 2010"
    std::string message;  // why the code is refused, when not ok
};

// Checks a code such as "EPSG:5186". An empty code is local metres and is accepted with
// an empty name. Only projected systems in metres fit plan coordinates; others are refused.
CCrsCheck CheckCrs(const std::string& code);

struct COgrSrsDeleter {
    void operator()(OGRSpatialReference* srs) const;
};
using COgrSrs = std::unique_ptr<OGRSpatialReference, COgrSrsDeleter>;

// The spatial reference of a code with X easting (or longitude) first, whatever the
// authority's axis order; null for an empty or unknown code.
COgrSrs MakeSrs(const std::string& code);

inline constexpr const char* kMsgBadCrs = "좌표계를 찾을 수 없습니다: ";
inline constexpr const char* kMsgCrsNotMetres = "평면 좌표가 미터인 투영 좌표계가 아닙니다: ";
