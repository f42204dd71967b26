#include "gis/gis_access.h"

#include <cpl_conv.h>
#include <cpl_http.h>
#include <gdal.h>
#include <ogr_srs_api.h>
#include <proj.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <mutex>

#include "gis/gis_proj_gate.h"

namespace {

// Answers every HTTP request GDAL would make (GeoJSON from a URL, a coordinate system
// named by a URL) with a failure, without a connection.
CPLHTTPResult* RefuseFetch(const char*, CSLConstList, GDALProgressFunc, void*, CPLHTTPFetchWriteFunc, void*, void*)
{
    auto* result = static_cast<CPLHTTPResult*>(CPLCalloc(1, sizeof(CPLHTTPResult)));
    result->nStatus = 1;
    result->pszErrBuf = CPLStrdup("network access is switched off");
    return result;
}

void SwitchOffNetwork()
{
    // /vsicurl/ and the file systems built on it (/vsis3/, /vsigs/, /vsiaz/, ...) open
    // only this one name, which no path can be.
    CPLSetConfigOption("CPL_VSIL_CURL_ALLOWED_FILENAME", "/vsicurl/network-access-is-switched-off");
    CPLHTTPSetFetchCallback(RefuseFetch, nullptr);
    setenv("PROJ_NETWORK", "OFF", 1);
    proj_context_set_enable_network(nullptr, 0);
    OSRSetPROJEnableNetwork(FALSE);
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    for (std::size_t i = 0; prefix[i] != '\0'; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

}  // namespace

void ProtectGisAccess()
{
    static std::once_flag once;
    std::call_once(once, [] {
        KeepProjGate();
        // After the drivers: registering them reads GDAL's configuration files, whose
        // options would otherwise replace these.
        GDALAllRegister();
        SwitchOffNetwork();
    });
}

std::string CheckLayerPath(const std::string& path)
{
    if (StartsWithNoCase(path, "/vsi"))
        return "GDAL 가상 파일 시스템 경로(/vsi...)는 열지 않습니다: " + path;
    if (path.find("://") != std::string::npos)
        return "인터넷 주소는 열지 않습니다: " + path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return "GIS/CAD 파일이 없습니다: " + path;
    return {};
}
