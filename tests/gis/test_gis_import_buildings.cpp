// Buildings from polygon layers: the apartment blocks of the acceptance shapefile with
// their floors, floor heights, names and footprints (checked through the façade receivers
// they give), and the footprints and attributes that are refused by feature.
#include <gtest/gtest.h>

#include <ogrsf_frmts.h>

#include <cmath>

#include "cli_run_support.h"
#include "gis/gis_import.h"
#include "gis/gis_ogr.h"
#include "io/project_file.h"
#include "model/document.h"
#include "model/facade_receivers.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

constexpr double kTablePlanTol = 0.02;  // m, as the acceptance tables

std::string Apartments(const std::string& ext) { return iotest::DataPath("acceptance/apartments." + ext); }

CImportResult ReadBuildings(const CMyTalvoDoc& base, const std::string& path, const std::string& floorsField = "")
{
    CImportRequest request;
    request.kind = EImportKind::Buildings;
    request.floorsField = floorsField;
    return ReadImport(base, path, request);
}

// A GeoJSON layer without a coordinate system (its polygons in local metres), one feature
// per geometry and properties pair.
std::string WritePolygons(const ScratchDir& dir, std::initializer_list<std::pair<const char*, const char*>> features)
{
    std::string text = R"({"type":"FeatureCollection",)"
                       R"("crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::5186"}},"features":[)";
    for (const auto& [geometry, properties] : features)
        text += std::string(text.back() == '[' ? "" : ",") + R"({"type":"Feature","geometry":)" + geometry +
                R"(,"properties":)" + properties + "}";
    const std::string path = dir.File("blocks.geojson");
    iotest::WriteBytes(path, text + "]}");
    return path;
}

CMyTalvoDoc Korea2000Base()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_strCrs = "EPSG:5186";
    return doc;
}

constexpr const char* kSquare = R"({"type":"Polygon","coordinates":[[[0,0],[0,20],[20,20],[20,0],[0,0]]]})";

}  // namespace

TEST(GisImportBuildings, ApartmentBlocksComeWithFloorsNamesAndTheFacadeReceiversOfTheTables)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, Apartments("tlv")).ok);
    const CImportResult result = ReadBuildings(doc, Apartments("shp"));
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(result.buildings.size(), 2u);
    EXPECT_EQ(result.Count(), 2u);
    const CBuilding &slab = result.buildings[0], &low = result.buildings[1];
    EXPECT_EQ(slab.m_pName, "101동");
    EXPECT_EQ(slab.m_nFloors, 12);
    EXPECT_DOUBLE_EQ(slab.m_dFloorHeight, 2.9);
    EXPECT_EQ(low.m_pName, "근린생활시설");
    EXPECT_EQ(low.m_nFloors, 5);
    EXPECT_DOUBLE_EQ(low.m_dFloorHeight, 3.0);
    // The ring as the file lists it, without its closing vertex: wall 1 is the west wall.
    ASSERT_EQ(slab.m_arrFootprint.size(), 4u);
    EXPECT_DOUBLE_EQ(slab.m_arrFootprint[0].x, 181.7);
    EXPECT_DOUBLE_EQ(slab.m_arrFootprint[1].y, 61.3);
    EXPECT_DOUBLE_EQ(slab.m_arrFootprint[2].x, 270.3);
    ASSERT_EQ(low.m_arrFootprint.size(), 4u);
    EXPECT_DOUBLE_EQ(low.m_arrFootprint[3].x, 347.448);
    EXPECT_DOUBLE_EQ(low.m_dAbsorption[7], 0.2);
    EXPECT_DOUBLE_EQ(low.m_dGroundFactor, 1.0);
    EXPECT_DOUBLE_EQ(low.m_dAreaFactor, 1.0);

    // Everything of the import the façade receivers depend on, against the expected table.
    AddImport(doc, result);
    const std::vector<CFacadeReceiver> facade = DeriveFacadeReceivers(doc.m_arrBuilding, doc.m_settings);
    std::string table = "building\twall\tpoint\tfloor\tX(m)\tY(m)\tZ(m)\n";
    for (const CFacadeReceiver& r : facade) {
        char line[160];
        std::snprintf(line, sizeof line, "%d\t%d\t%d\t%d\t%.2f\t%.2f\t%.2f\n", r.m_nBuilding + 1, r.m_nWall, r.m_nPoint,
                      r.m_nFloor, r.m_vPos.x, r.m_vPos.y, r.m_vPos.z);
        table += line;
    }
    std::string expected;
    for (const std::string& row : clitest::Split(iotest::ReadBytes(Apartments("facade.txt")), '\n')) {
        const auto fields = clitest::Split(row, '\t');
        for (std::size_t k = 0; k < 7 && k < fields.size(); ++k)
            expected += fields[k] + (k == 6 ? "\n" : "\t");
    }
    EXPECT_EQ(facade.size(), 324u);
    clitest::ExpectSameTable(table, expected, kTablePlanTol);
}

TEST(GisImportBuildings, ImportedBlocksAreSavedWithTheProject)
{
    ScratchDir dir;
    const std::string out = dir.File("out.tlv");
    const auto run = clitest::RunCli(
        "import " + Quoted(Apartments("tlv")) + " " + Quoted(Apartments("shp")) + " --as buildings -o " + Quoted(out),
        dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "2 buildings added, 0 holes in their footprints ignored\n");
    CMyTalvoDoc saved;
    ASSERT_TRUE(OpenProject(saved, out).ok);
    ASSERT_EQ(saved.m_arrBuilding.size(), 2u);
    EXPECT_EQ(saved.m_arrBuilding[1].m_pName, "근린생활시설");
    EXPECT_EQ(saved.m_arrBuilding[0].m_nFloors, 12);
    EXPECT_DOUBLE_EQ(saved.m_arrBuilding[0].m_arrFootprint[2].x, 270.3);
    EXPECT_EQ(saved.m_arrRoad.size(), 1u);
}

TEST(GisImportBuildings, PartsHolesCleaningAndFloorsFromTheHeight)
{
    ScratchDir dir;
    // A repeated first vertex and a closing vertex; a two-part block with a courtyard.
    const std::string path = WritePolygons(
        dir, {{R"({"type":"Polygon","coordinates":[[[0,0],[0,0],[0,20],[20,20],[20,20],[20,0],[0,0]]]})",
               R"({"height":31,"name":"A"})"},
              {R"({"type":"MultiPolygon","coordinates":[)"
               R"([[[100,0],[100,30],[130,30],[130,0],[100,0]],[[110,10],[120,10],[120,20],[110,20],[110,10]]],)"
               R"([[[200,0],[200,10],[210,10],[210,0],[200,0]]]]})",
               R"({"floors":15,"floor_h":2.8,"height":99})"},
              {R"({"type":"LineString","coordinates":[[0,50],[50,50]]})", "{}"},  // not a building
              {R"({"type":"Polygon","coordinates":[[[300,0],[300,20],[320,20],[320,0],[300,0]]]})",
               R"({"height":1,"층수":4})"}});
    CMyTalvoDoc base = Korea2000Base();
    base.m_arrBuilding.emplace_back();  // a block far away, copied by --like
    base.m_arrBuilding[0].m_arrFootprint = {{1000, 1000, 0}, {1010, 1000, 0}, {1010, 1010, 0}};
    base.m_arrBuilding[0].m_dFloorHeight = 3.3;
    base.m_arrBuilding[0].m_dGroundFactor = 0.4;
    CImportRequest request;
    request.kind = EImportKind::Buildings;
    request.like = 1;
    const CImportResult result = ReadImport(base, path, request);
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(result.buildings.size(), 4u);
    EXPECT_EQ(result.holesIgnored, 1u);
    const CBuilding& a = result.buildings[0];
    EXPECT_EQ(a.m_arrFootprint.size(), 4u);
    EXPECT_EQ(a.m_nFloors, 9);  // round(31 / 3.3)
    EXPECT_DOUBLE_EQ(a.m_dGroundFactor, 0.4);
    EXPECT_EQ(result.buildings[1].m_nFloors, 15);  // floors before the height
    EXPECT_DOUBLE_EQ(result.buildings[2].m_dFloorHeight, 2.8);
    EXPECT_EQ(result.buildings[2].m_arrFootprint[2].x, 210.0);
    EXPECT_EQ(result.buildings[3].m_nFloors, 1);  // at least one floor
    EXPECT_EQ(ReadBuildings(Korea2000Base(), path, "층수").buildings.at(3).m_nFloors, 4);
}

TEST(GisImportBuildings, UnusableFootprintsAndFloorsAreRefusedByFeature)
{
    ScratchDir dir;
    CMyTalvoDoc base = Korea2000Base();
    base.m_arrBuilding.emplace_back();
    base.m_arrBuilding[0].m_pName = "101동";
    base.m_arrBuilding[0].m_arrFootprint = {{500, 0, 0}, {520, 0, 0}, {520, 20, 0}, {500, 20, 0}};
    const struct {
        const char* geometry;
        const char* properties;
        const char* message;
    } cases[] = {
        {kSquare, R"({"name":"B"})", "피처 2의 floors 값(층수)도 height 값(높이)도 없습니다."},
        {kSquare, R"({"floors":2.5})", "피처 2의 floors 값(2.5)은 1에서 1000 사이의 정수여야 합니다."},
        {kSquare, R"({"floors":3,"floor_h":0})", "피처 2의 floor_h 값(0)은 0보다 커야 합니다."},
        {kSquare, R"({"height":-6})", "피처 2의 height 값(-6)은 0보다 커야 합니다."},
        {kSquare, R"({"height":5000,"floor_h":2})", "피처 2의 height 값(5000)은 층고 2 m로 1000층을 넘습니다."},
        {kSquare, R"({"floors":2,"floor_h":6000})", "피처 2의 2층에 층고 6000 m로 높이가 10000 m를 넘습니다."},
        {R"({"type":"Polygon","coordinates":[[[0,0],[20,20],[0,20],[20,0],[0,0]]]})", R"({"floors":3})",
         "피처 2의 평면이 스스로 교차합니다."},
        {R"({"type":"Polygon","coordinates":[[[0,0],[10,0],[20,0],[10,0],[0,0]]]})", R"({"floors":3})",
         "피처 2의 평면은 한 직선 위에 있지 않은 서로 다른 꼭짓점이 3개 이상이어야 합니다."},
        {R"({"type":"Polygon","coordinates":[[[-30,5],[-30,8],[5,8],[5,5],[-30,5]]]})", R"({"floors":3,"name":"B"})",
         "피처 2 (B)의 건물이 피처 1 (A)의 건물와(과) 겹칩니다."},
        {R"({"type":"MultiPolygon","coordinates":[[[[40,0],[40,9],[49,9],[49,0],[40,0]]],)"
         R"([[[510,5],[510,9],[530,9],[530,5],[510,5]]]]})",
         R"({"floors":3})", "피처 2의 2번째 다각형의 건물이 프로젝트의 건물 1 (101동)와(과) 겹칩니다."},
    };
    for (const auto& c : cases) {
        const std::string path =
            WritePolygons(dir, {{kSquare, R"({"floors":4,"name":"A"})"}, {c.geometry, c.properties}});
        const CImportResult result = ReadBuildings(base, path);
        EXPECT_FALSE(result.ok) << c.message;
        EXPECT_EQ(result.message, c.message);
    }
    const std::string path = WritePolygons(dir, {{kSquare, R"({"floors":4})"}});
    EXPECT_EQ(ReadBuildings(base, path, "stories").message, "레이어에 층수 속성 \"stories\"이(가) 없습니다.");
    EXPECT_TRUE(ReadBuildings(base, path).ok);
}

// A footprint is at most 10,000 vertices, a layer's polygons at most 1,000,000 together:
// counted before a building is made.
TEST(GisImportBuildings, FootprintsBeyondTheVertexLimitsAreRefused)
{
    ScratchDir dir;
    const auto circle = [&](int vertices) {
        const std::string path = dir.File("round" + std::to_string(vertices) + ".gpkg");
        CGdalDataset ds = CreateVectorFile("GPKG", path);
        OGRLayer* layer = ds->CreateLayer("round", nullptr, wkbPolygon, nullptr);
        OGRFieldDefn floors("floors", OFTInteger);
        layer->CreateField(&floors);
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("floors", 3);
        auto* ring = new OGRLinearRing;
        ring->setNumPoints(vertices + 1);
        for (int k = 0; k < vertices; ++k)
            ring->setPoint(k, 100 * std::cos(2 * M_PI * k / vertices), 100 * std::sin(2 * M_PI * k / vertices));
        ring->setPoint(vertices, 100, 0);
        auto* polygon = new OGRPolygon;
        polygon->addRingDirectly(ring);
        feature.SetGeometryDirectly(polygon);
        EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
        return path;
    };
    EXPECT_TRUE(ReadBuildings(CMyTalvoDoc(), circle(10000)).ok);
    EXPECT_EQ(ReadBuildings(CMyTalvoDoc(), circle(10001)).message,
              "피처 1의 꼭짓점이 너무 많습니다. 건물 하나는 10000개까지의 꼭짓점을 가질 수 있습니다.");
    EXPECT_EQ(ReadBuildings(CMyTalvoDoc(), circle(1000000)).message,
              "가져올 도형의 꼭짓점이 너무 많습니다. 한 번에 1000000개까지의 꼭짓점을 가져올 수 있습니다.");
}
