#include "gis/gis_import_entities.h"

#include "model/document.h"

namespace {

// The values the input windows start with, for what neither the file nor --like gives.
constexpr const char* kRoadStartDescription = "도로에 대한 설명을 입력하세요";
constexpr double kRoadStartWidth = 3.6;
constexpr int kRoadStartPieces = 185;
constexpr const char* kBarrierStartDescription = "방음벽의 설명을 입력하세요";
constexpr const char* kAbsorptionStartDescription = "흡음률 자료의 설명을 입력하세요";

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
void SetTraffic(const CFeatureReader& f, CRoad& r)
{
    static const char* const speeds[] = {"speed1", "speed2", "speed3", "speed4", "speed5"};
    static const char* const volumes[] = {"volume1", "volume2", "volume3", "volume4", "volume5"};
    for (int c = 0; c < kVehicleClassCount; ++c) {
        const auto speed = f.NonNegative(speeds[c]), volume = f.NonNegative(volumes[c]);
        if (speed)
            r.m_dSpeed[std::size_t(c)] = *speed;
        if (volume)
            r.m_dVolume[std::size_t(c)] = *volume;
        if (c >= 2 && (speed || volume))
            r.m_nVehicleClassMode = 1;
    }
}

// Everything of the feature's roads but their ends, read once for all its segments.
CRoad RoadPrototype(const CRoad& like, const CFeatureReader& f)
{
    CRoad r = like;
    r.m_dWidth = f.NonNegative("width").value_or(like.m_dWidth);
    r.m_nSourceCount = f.Count("pieces", 1, kMaxDiscreteSources).value_or(like.m_nSourceCount);
    r.m_dGradient = f.Number("gradient").value_or(like.m_dGradient);
    SetTraffic(f, r);
    r.SetDescription(f.Text("name").value_or(like.m_pDescription));
    return r;
}

void AddRoads(const CRoad& proto, const CFeatureReader& f, const std::vector<CVertex>& line, CImportResult& result)
{
    const double zs = f.Height("z_start").value_or(proto.m_dStartZ);
    const double ze = f.Height("z_end").value_or(proto.m_dEndZ);
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        const CVertex &a = line[k], &b = line[k + 1];
        if (a.x == b.x && a.y == b.y)
            continue;  // a repeated vertex: no segment
        CRoad r = proto;
        r.SetGeometry(a.x, a.y, b.x, b.y, a.z.value_or(zs), b.z.value_or(ze), proto.m_dWidth, 0, proto.m_nSourceCount);
        r.m_dLength = r.Length3D();
        r.SetKey(r.MakeIdentity());
        r.ComputeAngle();
        result.roads.push_back(r);
    }
}

CBarrier_Stage BarrierPrototype(const CBarrier_Stage& like, const CFeatureReader& f)
{
    CBarrier_Stage w = like;
    w.m_dHeight = f.NonNegative("height").value_or(like.m_dHeight);
    w.SetDescription(f.Text("name").value_or(like.m_pDescription));
    return w;
}

void AddBarriers(const CBarrier_Stage& proto, const std::vector<CVertex>& line, CImportResult& result)
{
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        const CVertex &a = line[k], &b = line[k + 1];
        if (a.x == b.x && a.y == b.y)
            continue;
        CBarrier_Stage w = proto;
        w.SetGeometry(a.x, a.y, b.x, b.y, proto.m_dHeight, proto.m_nAttenuator);
        w.m_pKey = w.MakeIdentity();
        w.ComputeAngle();
        result.barriers.push_back(w);
    }
}

}  // namespace

void AddEntities(const CMyTalvoDoc& base, const CImportRequest& request, const CFeatureReader& f,
                 const CFeatureShapes& shapes, CImportResult& result)
{
    if (request.kind == EImportKind::Receivers) {
        CReceiverPoint proto = ReceiverTemplate(base, request.like);
        const double z = f.Height("z").value_or(proto.m_dZ);
        for (const CVertex& p : shapes.points) {
            proto.SetPosition(p.x, p.y, p.z.value_or(z));
            result.receivers.push_back(proto);
        }
    } else if (request.kind == EImportKind::Roads) {
        const CRoad proto = RoadPrototype(RoadTemplate(base, request.like), f);
        for (const auto& line : shapes.lines)
            AddRoads(proto, f, line, result);
    } else if (request.kind == EImportKind::Barriers) {
        const CBarrier_Stage proto = BarrierPrototype(BarrierTemplate(base, request.like), f);
        for (const auto& line : shapes.lines)
            AddBarriers(proto, line, result);
    }
}
