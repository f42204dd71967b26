#include "gis/gis_import_geometry.h"

#include <cmath>
#include <memory>

#include "gis/gis_import_feature.h"
#include "model/project_settings.h"

namespace {

CVertex VertexAt(const OGRSimpleCurve& curve, int k)
{
    return {curve.getX(k), curve.getY(k), curve.Is3D() ? std::optional<double>(curve.getZ(k)) : std::nullopt};
}

std::vector<CVertex> Vertices(const OGRSimpleCurve& curve)
{
    std::vector<CVertex> out;
    out.reserve(static_cast<std::size_t>(curve.getNumPoints()));
    for (int k = 0; k < curve.getNumPoints(); ++k)
        out.push_back(VertexAt(curve, k));
    return out;
}

CPolygonPart PolygonPart(const OGRPolygon& polygon)
{
    CPolygonPart part;
    if (const OGRLinearRing* outer = polygon.getExteriorRing())
        part.outer = Vertices(*outer);
    part.holes = static_cast<std::size_t>(polygon.getNumInteriorRings());
    return part;
}

void Collect(const OGRGeometry& g, EImportKind kind, CFeatureShapes& shapes)
{
    const OGRwkbGeometryType type = wkbFlatten(g.getGeometryType());
    if (type == wkbMultiLineString || type == wkbMultiPoint || type == wkbMultiPolygon ||
        type == wkbGeometryCollection) {
        for (const OGRGeometry* part : *g.toGeometryCollection())
            Collect(*part, kind, shapes);
    } else if (type == wkbLineString && (kind == EImportKind::Roads || kind == EImportKind::Barriers)) {
        shapes.lines.push_back(Vertices(*g.toLineString()));
    } else if (type == wkbPoint && kind == EImportKind::Receivers) {
        const OGRPoint& p = *g.toPoint();
        shapes.points.push_back({p.getX(), p.getY(), p.Is3D() ? std::optional<double>(p.getZ()) : std::nullopt});
    } else if (type == wkbPolygon && kind == EImportKind::Buildings) {
        shapes.polygons.push_back(PolygonPart(*g.toPolygon()));
    }
}

// Shapes: CFeatureShapes or const CFeatureShapes.
template <typename Shapes, typename Visit>
void ForEachVertex(Shapes& shapes, Visit visit)
{
    for (auto& line : shapes.lines)
        for (auto& v : line)
            visit(v);
    for (auto& v : shapes.points)
        visit(v);
    for (auto& part : shapes.polygons)
        for (auto& v : part.outer)
            visit(v);
}

template <typename Test>
bool EveryVertex(const CFeatureShapes& shapes, Test test)
{
    bool all = true;
    ForEachVertex(shapes, [&](const CVertex& v) { all = all && test(v); });
    return all;
}

}  // namespace

std::size_t CFeatureShapes::VertexCount() const
{
    std::size_t n = points.size();
    for (const auto& line : lines)
        n += line.size();
    for (const CPolygonPart& part : polygons)
        n += part.outer.size();
    return n;
}

std::size_t CFeatureShapes::EntityCount() const
{
    std::size_t n = points.size() + polygons.size();
    for (const auto& line : lines)
        for (std::size_t k = 0; k + 1 < line.size(); ++k)
            n += line[k].x != line[k + 1].x || line[k].y != line[k + 1].y;
    return n;
}

CFeatureShapes CollectShapes(const OGRGeometry& g, EImportKind kind)
{
    CFeatureShapes shapes;
    if (g.hasCurveGeometry()) {  // arcs as the straight pieces GDAL's default tolerance gives
        const std::unique_ptr<OGRGeometry> linear(g.getLinearGeometry());
        if (linear)
            Collect(*linear, kind, shapes);
    } else {
        Collect(g, kind, shapes);
    }
    return shapes;
}

bool AllFinite(const CFeatureShapes& shapes)
{
    return EveryVertex(shapes, [](const CVertex& v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && (!v.z || std::isfinite(*v.z));
    });
}

bool Transform(OGRCoordinateTransformation* ct, CFeatureShapes& shapes)
{
    if (!ct)
        return true;
    bool ok = true;
    ForEachVertex(shapes, [&](CVertex& v) {
        double x = v.x, y = v.y, z = v.z.value_or(0.0);
        if (!ok || !ct->Transform(1, &x, &y, &z) || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
            ok = false;
            return;
        }
        v.x = x;
        v.y = y;
        if (v.z)
            v.z = z;
    });
    return ok;
}

bool WithinRange(const CFeatureShapes& shapes)
{
    return EveryVertex(shapes, [](const CVertex& v) {
        return std::fabs(v.x) <= kMaxAreaCoordinate && std::fabs(v.y) <= kMaxAreaCoordinate &&
               (!v.z || std::fabs(*v.z) <= kMaxImportHeight);
    });
}
