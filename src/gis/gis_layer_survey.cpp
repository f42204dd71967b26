#include "gis/gis_layer_survey.h"

#include "gis/gis_ogr.h"

namespace {

enum class EShape { None, Point, Line, Polygon };

EShape ShapeOf(const OGRGeometry& g)
{
    const OGRwkbGeometryType type = wkbFlatten(g.getGeometryType());
    if (type == wkbPoint)
        return EShape::Point;
    if (OGR_GT_IsCurve(type))
        return EShape::Line;
    if (OGR_GT_IsSurface(type))
        return EShape::Polygon;
    if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {  // the multi-part kinds too
        const OGRGeometryCollection& parts = *g.toGeometryCollection();
        return parts.getNumGeometries() > 0 ? ShapeOf(*parts.getGeometryRef(0)) : EShape::None;
    }
    return EShape::None;
}

bool HasTrafficFields(OGRFeatureDefn& fields)
{
    for (const char* stem : {"speed", "volume"})
        for (int c = 1; c <= 5; ++c)
            if (fields.GetFieldIndex((stem + std::to_string(c)).c_str()) >= 0)
                return true;
    return false;
}

void Count(EShape shape, CLayerSurvey& survey)
{
    switch (shape) {
    case EShape::Point: ++survey.points; break;
    case EShape::Line: ++survey.lines; break;
    case EShape::Polygon: ++survey.polygons; break;
    case EShape::None: break;
    }
}

}  // namespace

CLayerSurvey SurveyLayer(const std::string& path, const std::string& layerName)
{
    CLayerSurvey survey;
    CGdalDataset ds = OpenVectorFile(path, survey.message);
    if (!ds)
        return survey;
    OGRLayer* layer = layerName.empty() ? ds->GetLayer(0) : ds->GetLayerByName(layerName.c_str());
    if (!layer) {
        survey.message = "레이어를 찾을 수 없습니다: " + (layerName.empty() ? path : layerName);
        return survey;
    }
    survey.trafficFields = HasTrafficFields(*layer->GetLayerDefn());
    layer->ResetReading();
    std::size_t looked = 0;
    for (auto& feature : *layer) {
        if (const OGRGeometry* g = feature->GetGeometryRef())
            Count(ShapeOf(*g), survey);
        if (++looked >= kMaxSurveyedFeatures)
            break;
    }
    survey.ok = true;
    return survey;
}

std::optional<EImportKind> SuggestedImportKind(const CLayerSurvey& survey)
{
    if (!survey.ok)
        return std::nullopt;
    if (survey.points > 0 && survey.points >= survey.lines && survey.points >= survey.polygons)
        return EImportKind::Receivers;
    if (survey.lines > 0 && survey.lines >= survey.polygons)
        return survey.trafficFields ? EImportKind::Roads : EImportKind::Barriers;
    if (survey.polygons > 0)
        return EImportKind::Buildings;
    return std::nullopt;
}
