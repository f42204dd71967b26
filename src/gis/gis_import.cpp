#include "gis/gis_import.h"

#include <ogr_spatialref.h>

#include <cmath>
#include <memory>
#include <optional>

#include "gis/gis_crs.h"
#include "gis/gis_ogr.h"
#include "io/file_limits.h"
#include "model/document.h"

namespace {

// The values the input windows start with, for what neither the file nor --like gives.
constexpr const char* kRoadStartDescription = "도로에 대한 설명을 입력하세요";
constexpr double kRoadStartWidth = 3.6;
constexpr int kRoadStartPieces = 185;
constexpr const char* kBarrierStartDescription = "방음벽의 설명을 입력하세요";
constexpr const char* kAbsorptionStartDescription = "흡음률 자료의 설명을 입력하세요";

struct CVertex {
    double x = 0, y = 0;
    std::optional<double> z;
};

// A feature's attribute by name, when the layer has it and it is set to a number.
std::optional<double> Number(const OGRFeature& f, const char* name)
{
    const int index = f.GetFieldIndex(name);
    if (index < 0 || !f.IsFieldSetAndNotNull(index))
        return std::nullopt;
    const double value = f.GetFieldAsDouble(index);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<std::string> Text(const OGRFeature& f, const char* name)
{
    const int index = f.GetFieldIndex(name);
    if (index < 0 || !f.IsFieldSetAndNotNull(index))
        return std::nullopt;
    return std::string(f.GetFieldAsString(index));
}

std::vector<CVertex> Vertices(const OGRSimpleCurve& curve)
{
    std::vector<CVertex> out;
    for (int k = 0; k < curve.getNumPoints(); ++k)
        out.push_back({curve.getX(k), curve.getY(k),
                       curve.Is3D() ? std::optional<double>(curve.getZ(k)) : std::nullopt});
    return out;
}

// The lines of a geometry (a line string or a collection of them), vertex by vertex.
void CollectLines(const OGRGeometry& g, std::vector<std::vector<CVertex>>& lines)
{
    const OGRwkbGeometryType type = wkbFlatten(g.getGeometryType());
    if (type == wkbLineString)
        lines.push_back(Vertices(*g.toLineString()));
    else if (type == wkbMultiLineString || type == wkbGeometryCollection)
        for (const OGRGeometry* part : *g.toGeometryCollection())
            CollectLines(*part, lines);
}

void CollectPoints(const OGRGeometry& g, std::vector<CVertex>& points)
{
    const OGRwkbGeometryType type = wkbFlatten(g.getGeometryType());
    if (type == wkbPoint) {
        const OGRPoint& p = *g.toPoint();
        points.push_back({p.getX(), p.getY(), p.Is3D() ? std::optional<double>(p.getZ()) : std::nullopt});
    } else if (type == wkbMultiPoint || type == wkbGeometryCollection) {
        for (const OGRGeometry* part : *g.toGeometryCollection())
            CollectPoints(*part, points);
    }
}

CRoad RoadTemplate(const CMyTalvoDoc& base, int like)
{
    if (like >= 1 && std::size_t(like) <= base.m_arrRoad.size())
        return base.m_arrRoad[std::size_t(like - 1)];
    CRoad r;
    r.m_pDescription = kRoadStartDescription;
    r.m_dWidth = kRoadStartWidth;
    r.m_nSourceCount = kRoadStartPieces;
    return r;
}

CBarrier_Stage BarrierTemplate(const CMyTalvoDoc& base, int like)
{
    if (like >= 1 && std::size_t(like) <= base.m_arrBarrier.size())
        return base.m_arrBarrier[std::size_t(like - 1)];
    CBarrier_Stage b;
    b.m_pDescription = kBarrierStartDescription;
    b.m_pAbsorptionDesc = kAbsorptionStartDescription;
    return b;
}

CReceiverPoint ReceiverTemplate(const CMyTalvoDoc& base, int like)
{
    CReceiverPoint p;
    if (like >= 1 && std::size_t(like) <= base.m_arrReceiver.size())
        p = base.m_arrReceiver[std::size_t(like - 1)];
    p.m_dLevel = {};
    return p;
}

// The traffic attributes; any of the classes 3 to 5 given makes the road a five-class one.
void SetTraffic(const OGRFeature& f, CRoad& r)
{
    static const char* const speeds[] = {"speed1", "speed2", "speed3", "speed4", "speed5"};
    static const char* const volumes[] = {"volume1", "volume2", "volume3", "volume4", "volume5"};
    for (int c = 0; c < kVehicleClassCount; ++c) {
        const auto speed = Number(f, speeds[c]), volume = Number(f, volumes[c]);
        if (speed)
            r.m_dSpeed[std::size_t(c)] = *speed;
        if (volume)
            r.m_dVolume[std::size_t(c)] = *volume;
        if (c >= 2 && (speed || volume))
            r.m_nVehicleClassMode = 1;
    }
}

CRoad MakeRoad(const CRoad& like, const OGRFeature& f, const CVertex& a, const CVertex& b)
{
    CRoad r = like;
    const double zs = a.z.value_or(Number(f, "z_start").value_or(like.m_dStartZ));
    const double ze = b.z.value_or(Number(f, "z_end").value_or(like.m_dEndZ));
    const double asked = Number(f, "pieces").value_or(like.m_nSourceCount);
    const int pieces = asked >= 1 && asked <= kMaxDiscreteSources ? int(asked) : like.m_nSourceCount;
    r.SetGeometry(a.x, a.y, b.x, b.y, zs, ze, Number(f, "width").value_or(like.m_dWidth), 0, pieces);
    r.m_dLength = r.Length3D();
    r.m_dGradient = Number(f, "gradient").value_or(like.m_dGradient);
    SetTraffic(f, r);
    r.SetDescription(Text(f, "name").value_or(like.m_pDescription));
    r.SetKey(r.MakeIdentity());
    r.ComputeAngle();
    return r;
}

CBarrier_Stage MakeBarrier(const CBarrier_Stage& like, const OGRFeature& f, const CVertex& a, const CVertex& b)
{
    CBarrier_Stage w = like;
    w.SetGeometry(a.x, a.y, b.x, b.y, Number(f, "height").value_or(like.m_dHeight), like.m_nAttenuator);
    w.SetDescription(Text(f, "name").value_or(like.m_pDescription));
    w.m_pKey = w.MakeIdentity();
    w.ComputeAngle();
    return w;
}

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
        return {"", "", "가져올 레이어에는 좌표계(" + layer + ")가 있지만 프로젝트에는 없습니다. --crs로 프로젝트의 좌표계를 정하십시오."};
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
    else
        return false;
    return true;
}

namespace {

// Transforms the vertices in place; false when a point cannot be transformed.
bool Transform(OGRCoordinateTransformation* ct, std::vector<CVertex>& vertices)
{
    if (!ct)
        return true;
    for (CVertex& v : vertices) {
        double x = v.x, y = v.y, z = v.z.value_or(0.0);
        if (!ct->Transform(1, &x, &y, &z))
            return false;
        v.x = x;
        v.y = y;
        if (v.z)
            v.z = z;
    }
    return true;
}

void AddFeature(const CMyTalvoDoc& base, const CImportRequest& request, const OGRFeature& f,
                OGRCoordinateTransformation* ct, CImportResult& result)
{
    const OGRGeometry* g = f.GetGeometryRef();
    if (!g)
        return;
    if (request.kind == EImportKind::Receivers) {
        std::vector<CVertex> points;
        CollectPoints(*g, points);
        if (!Transform(ct, points))
            return;
        for (const CVertex& p : points) {
            CReceiverPoint r = ReceiverTemplate(base, request.like);
            r.SetPosition(p.x, p.y, p.z.value_or(Number(f, "z").value_or(r.m_dZ)));
            result.receivers.push_back(r);
        }
        return;
    }
    std::vector<std::vector<CVertex>> lines;
    CollectLines(*g, lines);
    for (std::vector<CVertex>& line : lines) {
        if (!Transform(ct, line))
            continue;
        for (std::size_t k = 0; k + 1 < line.size(); ++k) {
            if (line[k].x == line[k + 1].x && line[k].y == line[k + 1].y)
                continue;  // a repeated vertex: no segment
            if (request.kind == EImportKind::Roads)
                result.roads.push_back(MakeRoad(RoadTemplate(base, request.like), f, line[k], line[k + 1]));
            else
                result.barriers.push_back(MakeBarrier(BarrierTemplate(base, request.like), f, line[k], line[k + 1]));
        }
    }
}

}  // namespace

CImportResult ReadImport(const CMyTalvoDoc& base, const std::string& path, const CImportRequest& request)
{
    CImportResult result;
    const std::size_t kindCount = request.kind == EImportKind::Roads      ? base.m_arrRoad.size()
                                  : request.kind == EImportKind::Barriers ? base.m_arrBarrier.size()
                                                                          : base.m_arrReceiver.size();
    if (request.like < 0 || std::size_t(request.like) > kindCount)
        return Refused("프로젝트에 " + std::to_string(request.like) + "번 " +
                       (request.kind == EImportKind::Roads      ? "도로가"
                        : request.kind == EImportKind::Barriers ? "방음벽이"
                                                                : "수음점이") +
                       " 없습니다. (--like)");
    CGdalDataset ds = OpenVectorFile(path);
    if (!ds)
        return Refused("GIS/CAD 파일을 열 수 없습니다: " + path);
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
    layer->ResetReading();
    for (auto& feature : *layer)
        AddFeature(base, request, *feature, ct.get(), result);
    if (base.m_arrRoad.size() + result.roads.size() > std::size_t(kMaxEntitiesPerKind) ||
        base.m_arrBarrier.size() + result.barriers.size() > std::size_t(kMaxEntitiesPerKind) ||
        base.m_arrReceiver.size() + result.receivers.size() > std::size_t(kMaxEntitiesPerKind))
        return Refused(kTooManyEntitiesMessage);
    if (result.Count() == 0)
        return Refused(request.kind == EImportKind::Receivers ? "가져올 점이 없습니다." : "가져올 선이 없습니다.");
    result.ok = true;
    result.crs = plan.project;
    return result;
}

void AddImport(CMyTalvoDoc& doc, const CImportResult& result)
{
    doc.m_arrRoad.insert(doc.m_arrRoad.end(), result.roads.begin(), result.roads.end());
    doc.m_arrBarrier.insert(doc.m_arrBarrier.end(), result.barriers.begin(), result.barriers.end());
    doc.m_arrReceiver.insert(doc.m_arrReceiver.end(), result.receivers.begin(), result.receivers.end());
    doc.m_settings.m_strCrs = result.crs;
    if (!result.receivers.empty()) {  // as an open derives it: the height of the last receiver
        doc.m_settings.m_dReceiverHeight = doc.m_arrReceiver.back().m_dZ;
        doc.m_settings.m_bReceiverHeightEmpty = false;
    }
    doc.m_bModified = true;
}
