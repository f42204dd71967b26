// What no calculation can use never enters a project: an import of such a layer is refused
// with the feature and the field named, and nothing is written. Names arrive whole in the
// saved project, in whatever encoding the layer kept them.
#include <gtest/gtest.h>

#include <ogrsf_frmts.h>
#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "cli_run_support.h"
#include "gis/gis_crs.h"
#include "gis/gis_import.h"
#include "gis/gis_ogr.h"
#include "io/codepage.h"
#include "io/project_file.h"
#include "model/document.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

struct CFeatureText {
    const char* geometry;    // GeoJSON geometry
    const char* properties;  // GeoJSON properties
};

// A GeoJSON file in Korea 2000 (GeoJSON is longitude/latitude unless it names a system).
std::string WriteGeojson(const ScratchDir& dir, std::initializer_list<CFeatureText> features)
{
    std::string text = R"({"type":"FeatureCollection",)"
                       R"("crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::5186"}},"features":[)";
    for (const CFeatureText& f : features)
        text += std::string(text.back() == '[' ? "" : ",") + R"({"type":"Feature","geometry":)" + f.geometry +
                R"(,"properties":)" + f.properties + "}";
    const std::string path = dir.File("in.geojson");
    iotest::WriteBytes(path, text + "]}");
    return path;
}

CMyTalvoDoc Korea2000()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_strCrs = "EPSG:5186";
    return doc;
}

CImportResult Read(const std::string& path, EImportKind kind, const CMyTalvoDoc& base = Korea2000())
{
    CImportRequest request;
    request.kind = kind;
    return ReadImport(base, path, request);
}

constexpr const char* kLine = R"({"type":"LineString","coordinates":[[0,0],[100,0]]})";
constexpr const char* kPoint = R"({"type":"Point","coordinates":[10,20]})";

// A GeoPackage of one layer in `crs` (empty: none) with a feature per geometry.
std::string WriteGpkg(const ScratchDir& dir, const char* crs, const std::vector<OGRGeometry*>& geometries)
{
    const std::string path = dir.File("in.gpkg");
    CGdalDataset ds = CreateVectorFile("GPKG", path);
    const COgrSrs srs = MakeSrs(crs);
    OGRLayer* layer = ds->CreateLayer("input", srs.get(), wkbUnknown, nullptr);
    for (OGRGeometry* g : geometries) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetGeometryDirectly(g);
        EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    return path;
}

OGRGeometry* Point(double x, double y) { return new OGRPoint(x, y); }

}  // namespace

TEST(GisImportRefusals, UnusableAttributesAndGeometriesAreNamedByFeatureAndField)
{
    ScratchDir dir;
    const struct {
        EImportKind kind;
        CFeatureText second;  // after a usable first feature
        const char* message;
    } cases[] = {
        {EImportKind::Roads, {kLine, R"({"width":"abc"})"}, "피처 2의 width 값 \"abc\"은(는) 숫자가 아닙니다."},
        {EImportKind::Roads, {kLine, R"({"width":-3.5})"}, "피처 2의 width 값(-3.5)은 0 이상이어야 합니다."},
        {EImportKind::Roads, {kLine, R"({"speed3":-80})"}, "피처 2의 speed3 값(-80)은 0 이상이어야 합니다."},
        {EImportKind::Roads, {kLine, R"({"volume1":"12 대"})"}, "피처 2의 volume1 값 \"12 대\"은(는) 숫자가 아닙니다."},
        {EImportKind::Roads,
         {kLine, R"({"pieces":0.5})"},
         "피처 2의 pieces 값(0.5)은 1에서 100000 사이의 정수여야 합니다."},
        {EImportKind::Roads, {kLine, R"({"z_start":"nan"})"}, "피처 2의 z_start 값 \"nan\"은(는) 숫자가 아닙니다."},
        {EImportKind::Barriers, {kLine, R"({"height":-2})"}, "피처 2의 height 값(-2)은 0 이상이어야 합니다."},
        {EImportKind::Receivers, {kPoint, R"({"z":25000})"}, "피처 2의 z 값(25000)이 범위를 벗어납니다."},
        {EImportKind::Barriers, {"null", "{}"}, "피처 2의 도형이 비어 있습니다."},
        {EImportKind::Roads, {R"({"type":"LineString","coordinates":[]})", "{}"}, "피처 2의 도형이 비어 있습니다."},
        {EImportKind::Barriers,
         {R"({"type":"LineString","coordinates":[[0,0],[2e7,0]]})", "{}"},
         "피처 2의 좌표가 범위를 벗어납니다."},
        {EImportKind::Receivers,
         {R"({"type":"Point","coordinates":[0,0,-1e5]})", "{}"},
         "피처 2의 좌표가 범위를 벗어납니다."},
    };
    for (const auto& c : cases) {
        const CFeatureText first{c.kind == EImportKind::Receivers ? kPoint : kLine, R"({"width":7,"height":3})"};
        const CImportResult result = Read(WriteGeojson(dir, {first, c.second}), c.kind);
        EXPECT_FALSE(result.ok) << c.message;
        EXPECT_EQ(result.message.rfind(c.message, 0), 0u) << result.message;
        EXPECT_EQ(result.Count(), 0u) << c.message;
    }
    // Not a finite number: only binary formats can hold one.
    auto* line = new OGRLineString;
    line->addPoint(0, 0);
    line->addPoint(std::numeric_limits<double>::quiet_NaN(), 5);
    const CImportResult nan = Read(WriteGpkg(dir, "", {line}), EImportKind::Barriers, CMyTalvoDoc());
    EXPECT_EQ(nan.message, "피처 1의 좌표가 숫자가 아닙니다.");
}

// A shapefile's number column holding text reads as 0 in GDAL, which only warns.
TEST(GisImportRefusals, TextInAShapefileNumberColumnIsRefused)
{
    ScratchDir dir;
    const std::string path = dir.File("walls.shp");
    {
        CGdalDataset ds = CreateVectorFile("ESRI Shapefile", path);
        OGRLayer* layer = ds->CreateLayer("walls", nullptr, wkbLineString, nullptr);
        OGRFieldDefn height("height", OFTReal);
        height.SetWidth(10);
        height.SetPrecision(2);
        layer->CreateField(&height);
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("height", 4321.5);
        OGRGeometry* g = nullptr;
        OGRGeometryFactory::createFromWkt("LINESTRING (0 0, 10 0)", nullptr, &g);
        feature.SetGeometryDirectly(g);
        ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    std::string dbf = iotest::ReadBytes(dir.File("walls.dbf"));
    const std::size_t at = dbf.find("4321.50");
    ASSERT_NE(at, std::string::npos);
    dbf.replace(at, 7, "4x21.50");
    iotest::WriteBytes(dir.File("walls.dbf"), dbf);
    const CImportResult result = Read(path, EImportKind::Barriers, CMyTalvoDoc());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.rfind("피처 1의 height 값을 숫자로 읽을 수 없습니다", 0), 0u) << result.message;
}

TEST(GisImportRefusals, FeaturesTheTransformationCannotTakeAreCountedNotDropped)
{
    ScratchDir dir;
    const CMyTalvoDoc base = Korea2000();
    // Latitudes past the pole: PROJ refuses them.
    const CImportResult some =
        Read(WriteGpkg(dir, "EPSG:4326", {Point(127, 37.5), Point(127, 95), Point(127.1, 37.6), Point(127, 96)}),
             EImportKind::Receivers, base);
    EXPECT_FALSE(some.ok);
    EXPECT_EQ(some.message, "피처 2개의 좌표를 변환할 수 없습니다 (첫 번째: 피처 2): EPSG:4326 → EPSG:5186");
    const CImportResult none =
        Read(WriteGpkg(dir, "EPSG:4326", {Point(127, 95), Point(127, 96)}), EImportKind::Receivers, base);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.message.rfind("좌표 변환에 실패했습니다: EPSG:4326 → EPSG:5186.", 0), 0u) << none.message;
}

TEST(GisImportRefusals, RefusedImportWritesNothing)
{
    ScratchDir dir;
    const std::string layer = WriteGeojson(dir, {{kLine, R"({"width":7})"}, {kLine, R"({"width":"7m"})"}});
    const auto run = clitest::RunCli("import " + Quoted(clitest::AcceptanceProject()) + " " + Quoted(layer) +
                                         " --as roads --crs EPSG:5186 -o " + Quoted(dir.File("out.tlv")),
                                     dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("피처 2의 width 값 \"7m\"은(는) 숫자가 아닙니다."), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.tlv")));
}

namespace {

// A line shapefile whose names are the given bytes, with a .cpg naming `encoding` (none
// when empty: GDAL then hands the bytes over as they are).
std::string WriteNamedLines(const ScratchDir& dir, const std::string& stem, const std::string& encoding,
                            const std::vector<std::string>& names)
{
    const std::string path = dir.File(stem + ".shp");
    CGdalDataset ds = CreateVectorFile("ESRI Shapefile", path);
    const char* noRecoding[] = {"ENCODING=", nullptr};
    OGRLayer* layer = ds->CreateLayer(stem.c_str(), nullptr, wkbLineString, const_cast<char**>(noRecoding));
    OGRFieldDefn name("name", OFTString);
    layer->CreateField(&name);
    for (std::size_t k = 0; k < names.size(); ++k) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("name", names[k].c_str());
        auto* line = new OGRLineString;
        line->addPoint(10.0 * double(k + 1), 20);
        line->addPoint(10.0 * double(k + 1), 30);
        feature.SetGeometryDirectly(line);
        EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    ds.reset();
    if (!encoding.empty())
        iotest::WriteBytes(dir.File(stem + ".cpg"), encoding);
    return path;
}

CMyTalvoDoc ImportAndReopen(const ScratchDir& dir, const std::string& layer)
{
    const std::string out = dir.File("out.tlv");
    const auto run = clitest::RunCli(
        "import " + Quoted(clitest::AcceptanceProject()) + " " + Quoted(layer) + " --as barriers -o " + Quoted(out),
        dir);
    EXPECT_EQ(run.status, 0) << run.err;
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, out);
    EXPECT_TRUE(opened.ok) << opened.message;
    return doc;
}

}  // namespace

// Korean layers without a .cpg hold CP949; a name cut inside a character once swallowed
// the line break of the saved project, and the next barrier reopened at 0/0.
TEST(GisImportRefusals, NamesArriveDecodedAndWholeInTheSavedProject)
{
    ScratchDir dir;
    CMyTalvoDoc base;
    ASSERT_TRUE(OpenProject(base, clitest::AcceptanceProject()).ok);
    const std::size_t first = base.m_arrBarrier.size();

    const CMyTalvoDoc cp949 =
        ImportAndReopen(dir, WriteNamedLines(dir, "cp949", "", {Utf8ToCp949("101동 방음벽"), "north\xB5", "\xB5\xB5"}));
    ASSERT_EQ(cp949.m_arrBarrier.size(), first + 3);
    EXPECT_EQ(cp949.m_arrBarrier[first].m_pDescription, "101동 방음벽");
    EXPECT_EQ(cp949.m_arrBarrier[first + 1].m_pDescription, "north?");
    EXPECT_EQ(cp949.m_arrBarrier[first + 2].m_pDescription, "도");
    EXPECT_DOUBLE_EQ(cp949.m_arrBarrier[first + 2].m_dStartX, 30);
    EXPECT_DOUBLE_EQ(cp949.m_arrBarrier[first + 2].m_dEndY, 30);

    const CMyTalvoDoc utf8 =
        ImportAndReopen(dir, WriteNamedLines(dir, "utf8", "UTF-8", {"벽\xEA", "😀 wall", "끝\x01"}));
    ASSERT_EQ(utf8.m_arrBarrier.size(), first + 3);
    EXPECT_EQ(utf8.m_arrBarrier[first].m_pDescription, "벽?");
    EXPECT_EQ(utf8.m_arrBarrier[first + 1].m_pDescription, "? wall");
    EXPECT_EQ(utf8.m_arrBarrier[first + 2].m_pDescription, "끝");
    EXPECT_DOUBLE_EQ(utf8.m_arrBarrier[first + 1].m_dStartX, 20);
    EXPECT_DOUBLE_EQ(utf8.m_arrBarrier[first + 1].m_dStartY, 20);
}

// One line of a million vertices (a 16 MB shapefile) once took 814 MB of roads before the
// count was checked, and under a 1 GB limit ended in "std::bad_alloc". It is now refused
// from the count, in a fraction of that memory.
TEST(GisImportRefusals, MillionVertexLineIsRefusedByCountWithinAGigabyte)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "sanitizers reserve more address space than the limit";
#endif
    ScratchDir dir;
    const std::string path = dir.File("long.shp");
    {
        CGdalDataset ds = CreateVectorFile("ESRI Shapefile", path);
        OGRLayer* layer = ds->CreateLayer("long", nullptr, wkbLineString, nullptr);
        OGRFeature feature(layer->GetLayerDefn());
        auto* line = new OGRLineString;
        line->setNumPoints(1000000);
        for (int k = 0; k < 1000000; ++k)
            line->setPoint(k, 0.5 * k, 3.0 * (k % 2));
        feature.SetGeometryDirectly(line);
        ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    const auto limited = clitest::RunCli("import " + Quoted(clitest::AcceptanceProject()) + " " + Quoted(path) +
                                             " --as roads -o " + Quoted(dir.File("out.tlv")),
                                         dir, "ulimit -v 1000000; ");
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.err.find("가져올 도로가 너무 많습니다. 프로젝트에 도로 2개가 있어 99998개까지"),
              std::string::npos)
        << limited.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.tlv")));
}

// The layer file and its companions are inputs: writing the project over one would destroy
// the layer, also when named through a link or before the companion exists.
TEST(GisImportRefusals, OutputNamingTheLayerOrItsCompanionsIsRefused)
{
    ScratchDir dir;
    const std::string layer = WriteNamedLines(dir, "walls", "UTF-8", {"a"});
    std::filesystem::create_symlink(dir.File("walls.shx"), dir.File("link.tlv"));
    const std::string parts[] = {"walls.shp", "walls.shx", "walls.dbf", "walls.cpg"};
    std::vector<std::string> before;
    for (const std::string& part : parts)
        before.push_back(iotest::ReadBytes(dir.File(part)));
    // The layer, its companions, one through a link, one not there yet, one by another path.
    for (const char* output :
         {"walls.shp", "walls.shx", "walls.dbf", "walls.cpg", "link.tlv", "walls.prj", "walls.DBF", "./walls.dbf"}) {
        const auto run = clitest::RunCli("import " + Quoted(clitest::AcceptanceProject()) + " " + Quoted(layer) +
                                             " --as barriers -o " + Quoted(dir.File(output)),
                                         dir);
        EXPECT_EQ(run.status, 1) << output;
        EXPECT_NE(run.err.find("가져올 레이어의 파일입니다."), std::string::npos) << output << ": " << run.err;
    }
    for (std::size_t k = 0; k < std::size(parts); ++k)
        EXPECT_EQ(iotest::ReadBytes(dir.File(parts[k])), before[k]) << parts[k];
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.tlv")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("walls.prj")));
    EXPECT_EQ(clitest::RunCli("import " + Quoted(clitest::AcceptanceProject()) + " " + Quoted(layer) +
                                  " --as barriers -o " + Quoted(dir.File("walls.tlv")),
                              dir)
                  .status,
              0);
}

// A DXF whose text stops just after a carriage return (cut after the "\r" of a line end,
// or cut so and padded with NULs) once made GDAL's reader loop for ever: the import, and
// the desktop with it, never came back. The drawing it holds is read; what is no drawing
// is refused. GDAL takes a file for a DXF by its content, whatever its name, and tries its
// DXF reader on a file the reader claiming it first could not read.
TEST(GisImportRefusals, DxfCutAfterACarriageReturnIsReadNotHungOn)
{
    ScratchDir dir;
    const std::string line = "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n100\n21\n0\n0\nENDSEC\r";
    const std::string crLine = "0\rSECTION\r2\rENTITIES\r0\rLINE\r8\r0\r10\r0\r20\r0\r11\r100\r21\r0\r0\rENDSEC\r";
    const struct {
        const char* name;
        std::string bytes;
        int status;
    } cases[] = {{"cut.dxf", line, 0},
                 {"cr-lines.dxf", crLine, 0},
                 {"padded.dxf", line + std::string(3, '\0') + "x\n", 0},
                 {"named-otherwise.geojson", line, 0},
                 {"no-drawing.dxf", "\nE\r", 1},
                 {"kml-start.dxf", "\n<kml\r", 1}};  // claimed by the KML reader first
    for (const auto& c : cases) {
        iotest::WriteBytes(dir.File(c.name), c.bytes);
        const auto run = clitest::RunCli("import " + Quoted(clitest::AcceptanceProject()) + " " +
                                             Quoted(dir.File(c.name)) + " --as barriers -o " + Quoted(dir.File("out.tlv")),
                                         dir, "timeout 60 ");
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
        if (c.status == 0) {
            EXPECT_NE(run.out.find("1 barriers"), std::string::npos) << c.name << ": " << run.out;
        }
    }
    // Read from its copy, a GeoJSON layer keeps the name of its file.
    WriteGeojson(dir, {{kLine, "{}"}});
    iotest::WriteBytes(dir.File("in.geojson"), iotest::ReadBytes(dir.File("in.geojson")) + "\r");
    const auto named = clitest::RunCli("import " + Quoted(clitest::AcceptanceProject()) + " " +
                                           Quoted(dir.File("in.geojson")) + " --layer in --as barriers --crs EPSG:5186 -o " +
                                           Quoted(dir.File("out.tlv")),
                                       dir, "timeout 60 ");
    EXPECT_EQ(named.status, 0) << named.err;
}

// A view runs its query each time GDAL reads it, and a recursive one need never end: a
// GeoPackage whose own list of layers was such a view hung the import at the open. A
// GeoPackage holding a view is refused with the reason; the same file without it imports.
TEST(GisImportRefusals, GeopackageWithAViewIsRefusedNotHungOn)
{
    ScratchDir dir;
    const auto line = new OGRLineString;
    line->addPoint(200000, 500000);
    line->addPoint(200100, 500000);
    const std::string path = WriteGpkg(dir, "EPSG:5186", {line});
    const auto import = [&] {
        return clitest::RunCli("import " + Quoted(clitest::AcceptanceProject()) + " " + Quoted(path) +
                                   " --as barriers --crs EPSG:5186 -o " + Quoted(dir.File("out.tlv")),
                               dir, "timeout 60 ");
    };
    EXPECT_EQ(import().status, 0);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db,
                           "ALTER TABLE gpkg_contents RENAME TO contents;"
                           "CREATE VIEW gpkg_contents AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n)"
                           " SELECT c.* FROM n, contents c WHERE n.x < 0;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const auto run = import();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("GeoPackage에 뷰(view)가 있어 열지 않습니다."), std::string::npos) << run.err;
}
