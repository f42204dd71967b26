#include "gis/gis_crs.h"

#include <ogr_spatialref.h>

#include <cmath>

#include "gis/gis_access.h"
#include "model/crs_code.h"
#include "model/project_settings.h"

void COgrSrsDeleter::operator()(OGRSpatialReference* srs) const
{
    if (srs)
        srs->Release();
}

COgrSrs MakeSrs(const std::string& code)
{
    // Only the code's number reaches PROJ, which looks it up in its own database.
    const int number = CrsCodeNumber(code);
    if (number == 0)
        return nullptr;
    ProtectGisAccess();
    COgrSrs srs(new OGRSpatialReference());
    if (srs->importFromEPSG(number) != OGRERR_NONE)
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
        return {false, "", kMsgBadCrs + ShortenedForMessage(code)};
    const char* name = srs->GetName();
    if (!srs->IsProjected() || std::fabs(srs->GetLinearUnits() - 1.0) > 1e-9)
        return {false, name ? name : "", kMsgCrsNotMetres + code};
    return {true, name ? name : "", ""};
}

std::string DropUnacceptedCrs(CProjectSettings& settings)
{
    const CCrsCheck check = CheckCrs(settings.m_strCrs);
    if (check.ok)
        return {};
    settings.m_strCrs.clear();
    return check.message + " (좌표계 없이 엽니다.)";
}
