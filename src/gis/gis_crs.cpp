#include "gis/gis_crs.h"

#include <ogr_spatialref.h>

#include <cmath>

void COgrSrsDeleter::operator()(OGRSpatialReference* srs) const
{
    if (srs)
        srs->Release();
}

COgrSrs MakeSrs(const std::string& code)
{
    if (code.empty())
        return nullptr;
    COgrSrs srs(new OGRSpatialReference());
    if (srs->SetFromUserInput(code.c_str(), OGRSpatialReference::SET_FROM_USER_INPUT_LIMITATIONS_get()) !=
        OGRERR_NONE)
        return nullptr;
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

CCrsCheck CheckCrs(const std::string& code)
{
    if (code.empty())
        return {true, "", ""};
    const COgrSrs srs = MakeSrs(code);
    if (!srs)
        return {false, "", kMsgBadCrs + code};
    const char* name = srs->GetName();
    if (!srs->IsProjected() || std::fabs(srs->GetLinearUnits() - 1.0) > 1e-9)
        return {false, name ? name : "", kMsgCrsNotMetres + code};
    return {true, name ? name : "", ""};
}
