#include "gis/gis_import.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <new>

#include "gis/gis_crs.h"
#include "gis/gis_import_layer.h"
#include "gis/gis_ogr.h"
#include "io/file_limits.h"
#include "io/output_file.h"
#include "model/document.h"

namespace {

// The coordinate systems of an import: which the layer is in and which the project will be
// in, or the message refusing the import.
struct CCrsPlan {
    std::string layer, project, refusal;
};

// The layer's system as a code (or its WKT when it has none); empty when the layer has no
// system, or only the placeholder a GeoPackage gives a layer without one.
std::string LayerCrsCode(const OGRSpatialReference* srs)
{
    if (!srs)
        return {};
    const char* authority = srs->GetAuthorityName(nullptr);
    const char* code = srs->GetAuthorityCode(nullptr);
    if (authority && code)
        return std::string(authority) + ":" + code;
    const char* name = srs->GetName();
    if (name && std::string(name).rfind("Undefined", 0) == 0)
        return {};
    char* wkt = nullptr;
    srs->exportToWkt(&wkt);
    std::string text = wkt ? wkt : "";
    CPLFree(wkt);
    return text;
}

CCrsPlan PlanCrs(const std::string& projectCrs, const OGRSpatialReference* layerSrs, const std::string& asked)
{
    const std::string layer = LayerCrsCode(layerSrs);
    if (!asked.empty()) {
        if (const CCrsCheck check = CheckCrs(asked); !check.ok)
            return {"", "", check.message};
    }
    if (projectCrs.empty() && !layer.empty() && asked.empty())
        return {"", "",
                "가져올 레이어에는 좌표계(" + layer +
                    ")가 있지만 프로젝트에는 없습니다. --crs로 프로젝트의 좌표계를 정하십시오."};
    if (!projectCrs.empty() && layer.empty() && asked.empty())
        return {"", "", "가져올 레이어에 좌표계가 없습니다. --crs로 레이어의 좌표계를 정하십시오."};
    if (projectCrs.empty())
        return {layer.empty() ? asked : layer, asked, ""};
    return {layer.empty() ? asked : layer, projectCrs, ""};
}

struct COgrTransformDeleter {
    void operator()(OGRCoordinateTransformation* ct) const { OGRCoordinateTransformation::DestroyCT(ct); }
};

}  // namespace

namespace {

CImportResult Refused(std::string message)
{
    CImportResult result;
    result.message = std::move(message);
    return result;
}

}  // namespace

bool ParseImportKind(const std::string& text, EImportKind& kind)
{
    if (text == "roads")
        kind = EImportKind::Roads;
    else if (text == "barriers")
        kind = EImportKind::Barriers;
    else if (text == "receivers")
        kind = EImportKind::Receivers;
    else if (text == "buildings")
        kind = EImportKind::Buildings;
    else
        return false;
    return true;
}

namespace {

CImportResult ReadImportFile(const CMyTalvoDoc& base, const std::string& path, const CImportRequest& request)
{
    CImportResult result;
    if (request.like < 0 || std::size_t(request.like) > ImportKindCount(base, request.kind))
        return Refused("프로젝트에 " + std::to_string(request.like) + "번 " + ImportKindSubject(request.kind) +
                       " 없습니다. (--like)");
    std::string why;
    CGdalDataset ds = OpenVectorFile(path, why);
    if (!ds)
        return Refused(why);
    OGRLayer* layer = request.layer.empty() ? ds->GetLayer(0) : ds->GetLayerByName(request.layer.c_str());
    if (!layer)
        return Refused("레이어를 찾을 수 없습니다: " + (request.layer.empty() ? path : request.layer));
    const CCrsPlan plan = PlanCrs(base.m_settings.m_strCrs, layer->GetSpatialRef(), request.crs);
    if (!plan.refusal.empty())
        return Refused(plan.refusal);
    std::unique_ptr<OGRCoordinateTransformation, COgrTransformDeleter> ct;
    if (!plan.layer.empty() && !plan.project.empty() && plan.layer != plan.project) {
        COgrSrs from = MakeSrs(plan.layer), to = MakeSrs(plan.project);
        if (layer->GetSpatialRef() && plan.layer == LayerCrsCode(layer->GetSpatialRef())) {
            from.reset(layer->GetSpatialRef()->Clone());
            from->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        }
        if (!from || !to)
            return Refused(kMsgBadCrs + plan.layer);
        ct.reset(OGRCreateCoordinateTransformation(from.get(), to.get()));
        if (!ct)
            return Refused("좌표를 변환할 수 없습니다: " + plan.layer + " → " + plan.project);
    }
    if (std::string refusal =
            ReadLayerFeatures(base, request, *layer, ct.get(), plan.layer + " → " + plan.project, result);
        !refusal.empty())
        return Refused(std::move(refusal));
    if (result.Count() == 0)
        return Refused(request.kind == EImportKind::Receivers   ? "가져올 점이 없습니다."
                       : request.kind == EImportKind::Buildings ? "가져올 다각형이 없습니다."
                                                                : "가져올 선이 없습니다.");
    result.ok = true;
    result.crs = plan.project;
    return result;
}

}  // namespace

CImportResult ReadImport(const CMyTalvoDoc& base, const std::string& path, const CImportRequest& request)
{
    try {
        return ReadImportFile(base, path, request);
    } catch (const std::bad_alloc&) {
        return Refused("메모리가 부족하여 가져올 수 없습니다: " + path);
    }
}

void AddImport(CMyTalvoDoc& doc, const CImportResult& result)
{
    doc.m_arrRoad.insert(doc.m_arrRoad.end(), result.roads.begin(), result.roads.end());
    doc.m_arrBarrier.insert(doc.m_arrBarrier.end(), result.barriers.begin(), result.barriers.end());
    doc.m_arrReceiver.insert(doc.m_arrReceiver.end(), result.receivers.begin(), result.receivers.end());
    doc.m_arrBuilding.insert(doc.m_arrBuilding.end(), result.buildings.begin(), result.buildings.end());
    doc.m_settings.m_strCrs = result.crs;
    if (!result.receivers.empty()) {  // as an open derives it: the height of the last receiver
        doc.m_settings.m_dReceiverHeight = doc.m_arrReceiver.back().m_dZ;
        doc.m_settings.m_bReceiverHeightEmpty = false;
    }
    doc.m_bModified = true;
}

namespace {

// A shapefile is a set of files of one name; the others belong to the one named.
constexpr const char* kShapefileFiles[] = {".shp", ".shx", ".dbf", ".prj", ".cpg"};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool IsShapefilePart(const std::filesystem::path& p)
{
    return std::find(std::begin(kShapefileFiles), std::end(kShapefileFiles), Lower(p.extension().string())) !=
           std::end(kShapefileFiles);
}

// The layer file and, for a shapefile, its companions as they are on disk.
std::vector<std::filesystem::path> LayerFiles(const std::filesystem::path& layer)
{
    std::vector<std::filesystem::path> files{layer};
    if (IsShapefilePart(layer))
        for (const char* ext : kShapefileFiles)  // GDAL looks for either case
            for (const std::string& e : {std::string(ext), UpperCase(ext)})
                files.push_back(std::filesystem::path(layer).replace_extension(e));
    return files;
}

}  // namespace

bool IsPartOfLayerFile(const std::string& layerFile, const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code layerError, otherError;
    const fs::path layer = fs::weakly_canonical(layerFile, layerError);
    const fs::path other = fs::weakly_canonical(path, otherError);
    if (layerError || otherError)
        return false;
    for (const fs::path& part : LayerFiles(layer))
        if (IsSameFile(part.string(), other.string()))
            return true;
    if (layer == other)
        return true;
    // A companion that is not there yet would be taken for one by the next reading.
    return IsShapefilePart(layer) && IsShapefilePart(other) && layer.parent_path() == other.parent_path() &&
           layer.stem() == other.stem();
}
