// What the import suggests for a layer: points become receivers, lines with traffic
// attributes roads, other lines barriers, polygons buildings; a layer that cannot be read
// says why and suggests nothing.
#include <gtest/gtest.h>

#include <ogrsf_frmts.h>

#include "gis/gis_layer_survey.h"
#include "gis/gis_ogr.h"
#include "io_test_support.h"

using iotest::ScratchDir;

namespace {

// A GeoPackage with one layer "input" of the geometries (WKT), with the fields named.
std::string WriteLayer(const ScratchDir& dir, std::initializer_list<const char*> wkts,
                       std::initializer_list<const char*> fields = {})
{
    const std::string path = dir.File("in.gpkg");
    CGdalDataset ds = CreateVectorFile("GPKG", path);
    OGRLayer* layer = ds->CreateLayer("input", nullptr, wkbUnknown, nullptr);
    for (const char* name : fields) {
        OGRFieldDefn field(name, OFTReal);
        layer->CreateField(&field);
    }
    for (const char* wkt : wkts) {
        OGRFeature feature(layer->GetLayerDefn());
        OGRGeometry* g = nullptr;
        OGRGeometryFactory::createFromWkt(wkt, nullptr, &g);
        feature.SetGeometryDirectly(g);
        EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE) << wkt;
    }
    return path;
}

std::optional<EImportKind> Suggest(const std::string& path, const std::string& layer = {})
{
    return SuggestedImportKind(SurveyLayer(path, layer));
}

}  // namespace

TEST(GisLayerSurvey, ShapesAndTrafficFieldsChooseTheKind)
{
    const ScratchDir points, lines, roads, mixed;
    EXPECT_EQ(Suggest(WriteLayer(points, {"POINT (1 2)", "MULTIPOINT ((3 4), (5 6))"})), EImportKind::Receivers);
    EXPECT_EQ(Suggest(WriteLayer(lines, {"LINESTRING (0 0, 10 0)"}, {"height"})), EImportKind::Barriers);
    EXPECT_EQ(Suggest(WriteLayer(roads, {"MULTILINESTRING ((0 0, 10 0))"}, {"width", "volume2"})), EImportKind::Roads);
    // The most numerous shape decides: two lines outweigh a point.
    const CLayerSurvey survey =
        SurveyLayer(WriteLayer(mixed, {"LINESTRING (0 0, 1 1)", "POINT (0 0)", "LINESTRING (1 1, 2 2)"}), "");
    EXPECT_EQ(survey.lines, 2u);
    EXPECT_EQ(survey.points, 1u);
    EXPECT_EQ(SuggestedImportKind(survey), EImportKind::Barriers);
}

TEST(GisLayerSurvey, PolygonsAreBuildingsAndUnreadableLayersSuggestNothing)
{
    const ScratchDir dir;
    const std::string path = WriteLayer(dir, {"POLYGON ((0 0, 10 0, 10 10, 0 0))", "LINESTRING (0 0, 1 1)",
                                              "MULTIPOLYGON (((20 0, 30 0, 30 10, 20 0)))"});
    const CLayerSurvey survey = SurveyLayer(path, "input");
    EXPECT_TRUE(survey.ok);
    EXPECT_EQ(survey.polygons, 2u);
    EXPECT_EQ(SuggestedImportKind(survey), EImportKind::Buildings);

    const CLayerSurvey missing = SurveyLayer(path, "no-such-layer");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, "레이어를 찾을 수 없습니다: no-such-layer");
    EXPECT_EQ(Suggest(dir.File("absent.gpkg")), std::nullopt);
    const ScratchDir empty;
    EXPECT_EQ(Suggest(WriteLayer(empty, {})), std::nullopt);
}
