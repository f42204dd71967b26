#include "gis/gis_map_layers.h"

#include <ogr_spatialref.h>

#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "gis/gis_building_layers.h"
#include "gis/gis_crs.h"
#include "gis/gis_ogr.h"
#include "gis/gis_output.h"
#include "gis/gis_raster.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_isobands.h"
#include "maps/noise_map_isolines.h"
#include "maps/noise_map_shapes.h"
#include "model/document.h"
#include "model/noise_level_classes.h"

namespace {

constexpr const char* kLonLatCode = "EPSG:4326";
const std::string kMsgNoLonLat =
    "좌표를 경위도로 변환할 수 없어 KML 파일을 쓰지 않습니다. 좌표계와 좌표를 확인하십시오.";

struct CTransformDeleter {
    void operator()(OGRCoordinateTransformation* ct) const { OGRCoordinateTransformation::DestroyCT(ct); }
};
using CCoordinateTransformation = std::unique_ptr<OGRCoordinateTransformation, CTransformDeleter>;

// One layer being written: its OGR layer, for DXF the CAD layer its features go on, and
// for KML the transformation of the plan coordinates to longitude and latitude.
class CLayerWriter : public IMapLayerOut {
public:
    CLayerWriter(OGRLayer* layer, std::string cadLayer, OGRCoordinateTransformation* toLonLat)
        : m_layer(layer), m_cad(std::move(cadLayer)), m_toLonLat(toLonLat)
    {
    }

    // A field; DXF keeps its own fixed table, so there fields are left out.
    void AddField(const char* name, OGRFieldType type) override
    {
        if (!m_cad.empty())
            return;
        OGRFieldDefn field(name, type);
        m_layer->CreateField(&field);
    }

    // Writes a feature with the geometry; `fill` sets its fields, `style` its colour.
    bool Add(OGRGeometry* geometry, const std::function<void(OGRFeature&)>& fill, const std::string& style) override
    {
        OGRFeature feature(m_layer->GetLayerDefn());
        if (m_cad.empty())
            fill(feature);
        else
            feature.SetField("Layer", m_cad.c_str());
        if (!style.empty())
            feature.SetStyleString(style.c_str());
        feature.SetGeometryDirectly(geometry);
        if (m_toLonLat && !ToLonLat(*geometry))
            return false;
        return m_layer->CreateFeature(&feature) == OGRERR_NONE;
    }

    // True when a point could not be given in longitude and latitude.
    bool TransformFailed() const { return m_transformFailed; }

private:
    bool ToLonLat(OGRGeometry& geometry)
    {
        OGREnvelope box;
        if (geometry.transform(m_toLonLat) == OGRERR_NONE) {
            geometry.getEnvelope(&box);
            if (std::isfinite(box.MinX + box.MaxX + box.MinY + box.MaxY))
                return true;
        }
        m_transformFailed = true;
        return false;
    }

    OGRLayer* m_layer;
    std::string m_cad;
    OGRCoordinateTransformation* m_toLonLat;
    bool m_transformFailed = false;
};

// A real field, or null where there is no number (an open band end, a level without energy).
void SetReal(OGRFeature& f, const char* name, double value)
{
    if (std::isfinite(value))
        f.SetField(name, value);
    else
        f.SetFieldNull(f.GetFieldIndex(name));
}

OGRLinearRing* MakeRing(const CMapRing& ring)
{
    auto* r = new OGRLinearRing();
    for (const CMapPoint& p : ring)
        r->addPoint(p.u, p.v);
    return r;
}

OGRMultiPolygon* MakeMultiPolygon(const std::vector<CMapPolygon>& polygons)
{
    auto* multi = new OGRMultiPolygon();
    for (const CMapPolygon& p : polygons) {
        auto* polygon = new OGRPolygon();
        polygon->addRingDirectly(MakeRing(p.exterior));
        for (const CMapRing& hole : p.holes)
            polygon->addRingDirectly(MakeRing(hole));
        multi->addGeometryDirectly(polygon);
    }
    return multi;
}

// The request's colours, or the screen classes' when it names none.
std::vector<CIsoband> ColouredIsobands(const CNoiseMapGrid& grid, const CMapLayerRequest& request)
{
    std::vector<CIsoband> bands = Isobands(grid, request.edges);
    if (!request.colours.empty())
        ColourBands(bands, {request.edges, request.colours});
    return bands;
}

bool WriteIsobands(CLayerWriter& out, const CNoiseMapGrid& grid, const CMapLayerRequest& request)
{
    out.AddField("lower", OFTReal);
    out.AddField("upper", OFTReal);
    out.AddField("color", OFTString);
    for (const CIsoband& band : ColouredIsobands(grid, request)) {
        const auto fill = [&band](OGRFeature& f) {
            SetReal(f, "lower", band.lower);
            SetReal(f, "upper", band.upper);
            f.SetField("color", band.colour.c_str());
        };
        if (!out.Add(MakeMultiPolygon(band.polygons), fill, "BRUSH(fc:" + band.colour + ");PEN(c:" + band.colour + ")"))
            return false;
    }
    return true;
}

using CPointKey = std::pair<double, double>;

// The segments of one level joined into polylines where they share an end point (the
// squares on either side of a grid side compute its crossing identically).
std::vector<std::vector<CPointKey>> ChainSegments(const std::vector<CIsoSegment>& segments)
{
    std::map<CPointKey, std::vector<std::size_t>> atPoint;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        atPoint[{segments[k].u0, segments[k].v0}].push_back(k);
        atPoint[{segments[k].u1, segments[k].v1}].push_back(k);
    }
    std::vector<bool> used(segments.size(), false);
    // The far end of an unused segment leaving `p`, marking it used; false when none is left.
    const auto follow = [&](CPointKey& p) {
        for (std::size_t k : atPoint[p]) {
            if (used[k])
                continue;
            used[k] = true;
            const CIsoSegment& s = segments[k];
            p = CPointKey{s.u0, s.v0} == p ? CPointKey{s.u1, s.v1} : CPointKey{s.u0, s.v0};
            return true;
        }
        return false;
    };
    std::vector<std::vector<CPointKey>> lines;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        if (used[k])
            continue;
        used[k] = true;
        std::deque<CPointKey> line{{segments[k].u0, segments[k].v0}, {segments[k].u1, segments[k].v1}};
        for (CPointKey p = line.back(); follow(p);)
            line.push_back(p);
        for (CPointKey p = line.front(); follow(p);)
            line.push_front(p);
        lines.emplace_back(line.begin(), line.end());
    }
    return lines;
}

bool WriteIsolines(CLayerWriter& out, const CNoiseMapGrid& grid, const CMapLayerRequest& request)
{
    out.AddField("level", OFTReal);
    for (std::size_t i = 0; i < request.edges.size(); ++i) {
        const double edge = request.edges[i];
        const std::vector<CIsoSegment> segments = IsoSegments(grid, edge);
        if (segments.empty())
            continue;
        auto* lines = new OGRMultiLineString();
        for (const std::vector<CPointKey>& chain : ChainSegments(segments)) {
            auto* line = new OGRLineString();
            for (const CPointKey& p : chain)
                line->addPoint(p.first, p.second);
            lines->addGeometryDirectly(line);
        }
        const std::string colour =
            request.colours.empty() ? IsobandColour(edge, edge) : EdgeColour({request.edges, request.colours}, i);
        if (!out.Add(
                lines, [edge](OGRFeature& f) { f.SetField("level", edge); }, "PEN(c:" + colour + ")"))
            return false;
    }
    return true;
}

bool WriteReceivers(CLayerWriter& out, const CMyTalvoDoc& doc)
{
    out.AddField("id", OFTInteger);
    out.AddField("z", OFTReal);
    out.AddField("overall", OFTReal);
    for (const char* name : kLevelBandFields)
        out.AddField(name, OFTReal);
    for (std::size_t k = 0; k < doc.m_arrReceiver.size(); ++k) {
        const CReceiverPoint& r = doc.m_arrReceiver[k];
        const auto fill = [&r, k](OGRFeature& f) {
            f.SetField("id", int(k + 1));
            f.SetField("z", r.m_dZ);
            SetReal(f, "overall", MapLevel(r.m_dLevel, 0));
            for (int b = 0; b < kBandCount; ++b)
                SetReal(f, kLevelBandFields[b], r.m_dLevel[std::size_t(b)]);
        };
        if (!out.Add(new OGRPoint(r.m_dX, r.m_dY, r.m_dZ), fill, "SYMBOL(c:#000000)"))
            return false;
    }
    return true;
}

struct CModelLine {
    const char* kind;
    std::string name;
    double sx, sy, ex, ey;
    double zStart, zEnd, height, width;  // NaN where the kind has none
};

std::vector<CModelLine> ModelLines(const CMyTalvoDoc& doc)
{
    const double none = std::nan("");
    std::vector<CModelLine> lines;
    for (const CRoad& r : doc.m_arrRoad)
        lines.push_back({"road", r.m_pDescription, r.m_dStartX, r.m_dStartY, r.m_dEndX, r.m_dEndY, r.m_dStartZ,
                         r.m_dEndZ, none, r.m_dWidth});
    for (const CBarrier_Stage& b : doc.m_arrBarrier)
        lines.push_back({"barrier", b.m_pDescription, b.m_dStartX, b.m_dStartY, b.m_dEndX, b.m_dEndY, none, none,
                         b.m_dHeight, none});
    for (const CSungto& s : doc.m_arrEmbankment)
        lines.push_back({"embankment", s.m_pDescription, s.m_dStartX, s.m_dStartY, s.m_dEndX, s.m_dEndY, none, none,
                         s.m_dHeight, s.m_dWidth});
    for (const CJulto& s : doc.m_arrCutting)
        lines.push_back({"cutting", s.m_pDescription, s.m_dStartX, s.m_dStartY, s.m_dEndX, s.m_dEndY, none, none,
                         s.m_dHeight, s.m_dWidth});
    for (const CTunnel& t : doc.m_arrTunnel)
        lines.push_back({"tunnel", t.m_pDescription, t.m_dStartX, t.m_dStartY, t.m_dEndX, t.m_dEndY, t.m_dStartZ,
                         t.m_dEndZ, t.m_dHeight, t.m_dWidth});
    return lines;
}

bool WriteModel(CLayerWriter& out, const CMyTalvoDoc& doc)
{
    out.AddField("kind", OFTString);
    out.AddField("name", OFTString);
    for (const char* name : {"z_start", "z_end", "height", "width"})
        out.AddField(name, OFTReal);
    for (const CModelLine& m : ModelLines(doc)) {
        auto* line = new OGRLineString();
        line->addPoint(m.sx, m.sy);
        line->addPoint(m.ex, m.ey);
        const auto fill = [&m](OGRFeature& f) {
            f.SetField("kind", m.kind);
            f.SetField("name", m.name.c_str());
            SetReal(f, "z_start", m.zStart);
            SetReal(f, "z_end", m.zEnd);
            SetReal(f, "height", m.height);
            SetReal(f, "width", m.width);
        };
        if (!out.Add(line, fill, "PEN(c:#000000)"))
            return false;
    }
    return true;
}

OGRwkbGeometryType LayerGeometry(const std::string& name)
{
    if (name == kLayerIsobands)
        return wkbMultiPolygon;
    if (name == kLayerIsolines)
        return wkbMultiLineString;
    if (name == kLayerReceivers)
        return wkbPoint25D;
    if (IsBuildingLayer(name))
        return BuildingLayerGeometry(name);
    return wkbLineString;
}

bool WriteLayer(CLayerWriter& out, const std::string& name, const CMyTalvoDoc& doc, const CNoiseMapGrid& grid,
                const CMapLayerRequest& request)
{
    if (name == kLayerIsobands)
        return WriteIsobands(out, grid, request);
    if (name == kLayerIsolines)
        return WriteIsolines(out, grid, request);
    if (name == kLayerReceivers)
        return WriteReceivers(out, doc);
    if (IsBuildingLayer(name))
        return WriteBuildingLayer(out, name, doc);
    return WriteModel(out, doc);
}

bool KnownLayer(const std::string& name)
{
    return name == kLayerIsobands || name == kLayerIsolines || name == kLayerReceivers || name == kLayerModel ||
           IsBuildingLayer(name);
}

}  // namespace

bool IsMapVectorFile(const std::string& path) { return !VectorFormatFor(path).driver.empty(); }

bool IsMapGisFile(const std::string& path)
{
    const std::string ext = FileExtension(path);
    return ext == ".tif" || ext == ".tiff" || IsMapVectorFile(path);
}

std::vector<double> ScreenClassEdges()
{
    const auto edges = LevelClassEdges();
    return {edges.begin(), edges.end()};
}

std::string WriteMapGisFile(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, const CMapLayerRequest& request,
                            const std::string& path)
{
    const std::string ext = FileExtension(path);
    return WriteGisOutput(path, [&](const std::string& written) {
        if (ext == ".tif" || ext == ".tiff")
            return WriteMapGeoTiff(grid, request.crs, written);
        return WriteMapLayers(doc, grid, request, written);
    });
}

std::string WriteMapLayers(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, const CMapLayerRequest& request,
                           const std::string& path)
{
    const CVectorFormat format = VectorFormatFor(path);
    if (format.driver.empty())
        return "지원하지 않는 파일 형식입니다: " + path;
    if (!KnownLayer(request.layer))
        return "알 수 없는 레이어입니다: " + request.layer;
    const COgrSrs srs = MakeSrs(request.crs);
    if (!request.crs.empty() && !srs)
        return kMsgBadCrs + request.crs;
    if (format.needsCrs && !srs)
        return "KML 파일에는 좌표계가 필요합니다. (--crs)";
    // KML is written in longitude and latitude, transformed here so that a point that
    // cannot be transformed refuses the file instead of landing in it as metres.
    const COgrSrs lonLat = format.needsCrs ? MakeSrs(kLonLatCode) : nullptr;
    const CCoordinateTransformation toLonLat(lonLat ? OGRCreateCoordinateTransformation(srs.get(), lonLat.get())
                                                    : nullptr);
    if (format.needsCrs && !toLonLat)
        return kMsgNoLonLat;
    CGdalDataset ds = CreateVectorFile(format.driver, path);
    if (!ds)
        return "파일을 쓸 수 없습니다: " + path;
    OGRSpatialReference* layerSrs = lonLat ? lonLat.get() : srs.get();
    std::vector<std::string> names{kLayerIsobands, kLayerIsolines, kLayerReceivers, kLayerModel};
    if (!doc.m_arrBuilding.empty())
        names.insert(names.end(), {kLayerBuildings, kLayerFacade});
    if (format.oneLayer)
        names = {request.layer};
    OGRLayer* cadTable = nullptr;
    if (format.cadLayers)
        cadTable = ds->CreateLayer("entities", layerSrs, wkbUnknown, nullptr);
    const char* layerOptions[] = {"ENCODING=UTF-8", nullptr};
    for (const std::string& name : names) {
        OGRLayer* layer = cadTable;
        if (!layer)
            layer = ds->CreateLayer(name.c_str(), layerSrs, LayerGeometry(name),
                                    format.driver == "ESRI Shapefile" ? const_cast<char**>(layerOptions) : nullptr);
        CLayerWriter writer(layer, format.cadLayers ? name : std::string(), toLonLat.get());
        if (!layer || !WriteLayer(writer, name, doc, grid, request))
            return writer.TransformFailed() ? kMsgNoLonLat : "파일을 쓸 수 없습니다: " + path;
    }
    ds.reset();
    return {};
}
