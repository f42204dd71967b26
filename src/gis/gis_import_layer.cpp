#include "gis/gis_import_layer.h"

#include <algorithm>

#include "gis/gis_import_entities.h"
#include "gis/gis_import_feature.h"
#include "gis/gis_import_geometry.h"
#include "io/file_limits.h"
#include "model/document.h"
#include "model/project_settings.h"

namespace {

const char* KindNoun(EImportKind kind)
{
    return kind == EImportKind::Roads ? "도로" : kind == EImportKind::Barriers ? "방음벽" : "수음점";
}

// The noun with its subject particle.
std::string KindSubject(EImportKind kind)
{
    return std::string(KindNoun(kind)) + (kind == EImportKind::Roads ? "가" : "이");
}

std::size_t BaseCount(const CMyTalvoDoc& base, EImportKind kind)
{
    return kind == EImportKind::Roads      ? base.m_arrRoad.size()
           : kind == EImportKind::Barriers ? base.m_arrBarrier.size()
                                           : base.m_arrReceiver.size();
}

std::string TooManyEntities(EImportKind kind, std::size_t baseCount, std::size_t room)
{
    const std::string noun = KindNoun(kind);
    return "가져올 " + KindSubject(kind) + " 너무 많습니다. 프로젝트에 " + noun + " " + std::to_string(baseCount) +
           "개가 있어 " + std::to_string(room) + "개까지 더 가져올 수 있습니다 (한 종류의 개체는 " +
           std::to_string(kMaxEntitiesPerKind) + "개까지).";
}

// The first pass: counts only, stopping at the first limit passed.
std::string CheckLimits(const CMyTalvoDoc& base, EImportKind kind, OGRLayer& layer)
{
    const std::size_t baseCount = BaseCount(base, kind);
    const std::size_t room = std::size_t(kMaxEntitiesPerKind) - std::min(baseCount, std::size_t(kMaxEntitiesPerKind));
    std::size_t features = 0, vertices = 0, entities = 0;
    layer.ResetReading();
    for (const auto& feature : layer) {
        if (++features > kMaxImportFeatures)
            return "레이어의 피처가 너무 많습니다. 한 레이어에서 " + std::to_string(kMaxImportFeatures) +
                   "개까지의 피처를 읽을 수 있습니다.";
        const OGRGeometry* g = feature->GetGeometryRef();
        if (!g)
            continue;
        const CFeatureShapes shapes = CollectShapes(*g, kind);
        vertices += shapes.VertexCount();
        entities += shapes.EntityCount();
        if (vertices > kMaxImportVertices)
            return "가져올 도형의 꼭짓점이 너무 많습니다. 한 번에 " + std::to_string(kMaxImportVertices) +
                   "개까지의 꼭짓점을 가져올 수 있습니다.";
        if (entities > room)
            return TooManyEntities(kind, baseCount, room);
    }
    return {};
}

// Features whose coordinates the transformation could not take.
struct CTransformFailures {
    std::size_t count = 0, first = 0, transformed = 0;

    std::string Message(const std::string& transformName) const
    {
        if (transformed == 0)
            return "좌표 변환에 실패했습니다: " + transformName + ". 어느 피처의 좌표도 변환할 수 없습니다.";
        return "피처 " + std::to_string(count) + "개의 좌표를 변환할 수 없습니다 (첫 번째: 피처 " +
               std::to_string(first) + "): " + transformName;
    }
};

// The second pass for one feature; throws CImportRefusal.
void ReadFeature(const CMyTalvoDoc& base, const CImportRequest& request, const CFeatureReader& f, const OGRGeometry* g,
                 OGRCoordinateTransformation* ct, CTransformFailures& failures, CImportResult& result)
{
    if (!g || g->IsEmpty())
        f.Refuse("도형이 비어 있습니다.");
    CFeatureShapes shapes = CollectShapes(*g, request.kind);
    if (shapes.Empty())
        return;  // geometry of another kind (a CAD file mixes them): not this import's
    if (!AllFinite(shapes))
        f.Refuse("좌표가 숫자가 아닙니다.");
    if (!Transform(ct, shapes)) {
        failures.first = failures.count++ == 0 ? f.Number() : failures.first;
        return;
    }
    ++failures.transformed;
    if (!WithinRange(shapes))
        f.Refuse("좌표가 범위를 벗어납니다. 평면 좌표는 원점에서 " + std::to_string(int(kMaxAreaCoordinate / 1000)) +
                 " km 안에, 높이는 -" + NumberText(kMaxImportHeight) + " m에서 " + NumberText(kMaxImportHeight) +
                 " m 사이에 있어야 합니다.");
    AddEntities(base, request, f, shapes, result);
}

}  // namespace

std::string ReadLayerFeatures(const CMyTalvoDoc& base, const CImportRequest& request, OGRLayer& layer,
                              OGRCoordinateTransformation* ct, const std::string& transformName, CImportResult& result)
{
    CGdalMessages messages;
    if (std::string refusal = CheckLimits(base, request.kind, layer); !refusal.empty())
        return refusal;
    const bool utf8 = layer.TestCapability(OLCStringsAsUTF8) != 0;
    CTransformFailures failures;
    layer.ResetReading();
    try {
        for (std::size_t number = 1;; ++number) {
            messages.Clear();  // what GDAL says while reading the next feature is about it
            const OGRFeatureUniquePtr feature(layer.GetNextFeature());
            if (!feature)
                break;
            const CFeatureReader f(*feature, number, utf8, messages);
            ReadFeature(base, request, f, feature->GetGeometryRef(), ct, failures, result);
        }
    } catch (const CImportRefusal& refusal) {
        return refusal.message;
    }
    return failures.count > 0 ? failures.Message(transformName) : std::string();
}
