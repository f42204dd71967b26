#include "gis/gis_import_layer.h"

#include <algorithm>

#include "gis/gis_import_buildings.h"
#include "gis/gis_import_entities.h"
#include "gis/gis_import_feature.h"
#include "gis/gis_import_geometry.h"
#include "io/file_limits.h"
#include "model/document.h"
#include "model/project_settings.h"

namespace {

std::string TooManyEntities(EImportKind kind, std::size_t baseCount, std::size_t room)
{
    const std::string noun = ImportKindNoun(kind);
    return "가져올 " + ImportKindSubject(kind) + " 너무 많습니다. 프로젝트에 " + noun + " " +
           std::to_string(baseCount) + "개가 있어 " + std::to_string(room) +
           "개까지 더 가져올 수 있습니다 (한 종류의 개체는 " + std::to_string(kMaxEntitiesPerKind) + "개까지).";
}

// The first pass: counts only, stopping at the first limit passed.
std::string CheckLimits(const CMyTalvoDoc& base, EImportKind kind, OGRLayer& layer)
{
    const std::size_t baseCount = ImportKindCount(base, kind);
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

// The second pass: the features one by one into the result.
class CLayerRead {
public:
    CLayerRead(const CMyTalvoDoc& base, const CImportRequest& request, OGRCoordinateTransformation* ct,
               CImportResult& result)
        : m_base(base),
          m_request(request),
          m_ct(ct),
          m_result(result),
          m_floorsField(request.floorsField.empty() ? "floors" : request.floorsField),
          m_building(BuildingTemplate(base.m_arrBuilding, request.like))
    {
    }

    // Throws CImportRefusal.
    void Feature(const CFeatureReader& f, const OGRGeometry* g)
    {
        if (!g || g->IsEmpty())
            f.Refuse("도형이 비어 있습니다.");
        CFeatureShapes shapes = CollectShapes(*g, m_request.kind);
        if (shapes.Empty())
            return;  // geometry of another kind (a CAD file mixes them): not this import's
        if (!AllFinite(shapes))
            f.Refuse("좌표가 숫자가 아닙니다.");
        if (!Transform(m_ct, shapes)) {
            m_failures.first = m_failures.count++ == 0 ? f.Number() : m_failures.first;
            return;
        }
        ++m_failures.transformed;
        if (!WithinRange(shapes))
            f.Refuse("좌표가 범위를 벗어납니다. 평면 좌표는 원점에서 " +
                     std::to_string(int(kMaxAreaCoordinate / 1000)) + " km 안에, 높이는 -" +
                     NumberText(kMaxImportHeight) + " m에서 " + NumberText(kMaxImportHeight) +
                     " m 사이에 있어야 합니다.");
        if (m_request.kind == EImportKind::Buildings)
            AddBuildings(f, shapes.polygons, m_building, m_floorsField, m_result.buildings, m_buildingLabels,
                         m_result.holesIgnored);
        else
            AddEntities(m_base, m_request, f, shapes, m_result);
    }

    // What refuses the whole layer once every feature was read; empty when nothing does.
    // Throws CImportRefusal for overlapping buildings.
    std::string Finish(const std::string& transformName) const
    {
        if (m_failures.count > 0)
            return m_failures.Message(transformName);
        if (!m_result.buildings.empty())
            RefuseOverlaps(m_base.m_arrBuilding, m_result.buildings, m_buildingLabels);
        return {};
    }

private:
    const CMyTalvoDoc& m_base;
    const CImportRequest& m_request;
    OGRCoordinateTransformation* m_ct;
    CImportResult& m_result;
    std::string m_floorsField;
    CBuilding m_building;
    std::vector<std::string> m_buildingLabels;
    CTransformFailures m_failures;
};

}  // namespace

std::size_t ImportKindCount(const CMyTalvoDoc& base, EImportKind kind)
{
    switch (kind) {
    case EImportKind::Roads: return base.m_arrRoad.size();
    case EImportKind::Barriers: return base.m_arrBarrier.size();
    case EImportKind::Receivers: return base.m_arrReceiver.size();
    case EImportKind::Buildings: return base.m_arrBuilding.size();
    }
    return 0;
}

const char* ImportKindNoun(EImportKind kind)
{
    switch (kind) {
    case EImportKind::Roads: return "도로";
    case EImportKind::Barriers: return "방음벽";
    case EImportKind::Receivers: return "수음점";
    case EImportKind::Buildings: return "건물";
    }
    return "";
}

std::string ImportKindSubject(EImportKind kind)
{
    return std::string(ImportKindNoun(kind)) + (kind == EImportKind::Roads ? "가" : "이");
}

std::string ReadLayerFeatures(const CMyTalvoDoc& base, const CImportRequest& request, OGRLayer& layer,
                              OGRCoordinateTransformation* ct, const std::string& transformName, CImportResult& result)
{
    CGdalMessages messages;
    if (std::string refusal = CheckLimits(base, request.kind, layer); !refusal.empty())
        return refusal;
    const bool utf8 = layer.TestCapability(OLCStringsAsUTF8) != 0;
    if (request.kind == EImportKind::Buildings && !request.floorsField.empty() &&
        layer.GetLayerDefn()->GetFieldIndex(request.floorsField.c_str()) < 0)
        return "레이어에 층수 속성 \"" + DecodeLayerText(request.floorsField, true) + "\"이(가) 없습니다.";
    CLayerRead read(base, request, ct, result);
    layer.ResetReading();
    try {
        for (std::size_t number = 1;; ++number) {
            messages.Clear();  // what GDAL says while reading the next feature is about it
            const OGRFeatureUniquePtr feature(layer.GetNextFeature());
            if (!feature)
                break;
            read.Feature(CFeatureReader(*feature, number, utf8, messages), feature->GetGeometryRef());
        }
        return read.Finish(transformName);
    } catch (const CImportRefusal& refusal) {
        return refusal.message;
    }
}
