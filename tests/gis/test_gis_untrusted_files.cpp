// Project and layer files never reach the system. talvo-cli runs under a preloaded library
// that notes every file it opens and every socket it makes (support/open_watch.cpp): hostile
// coordinate systems and layer files must make it open nothing they name, nothing else in
// their folder, and no network connection.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run_support.h"
#include "gis/gis_crs.h"
#include "gis/gis_ogr.h"
#include "gis/gis_proj_gate.h"
#include "io/codepage.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

struct CWatchedRun {
    clitest::CliRun run;
    std::vector<std::string> opened;  // every path the process opened
    std::vector<int> networkSockets;  // the domains of its Internet sockets and connections
};

// talvo-cli run with args under the open watch, its output and log in dir.
CWatchedRun RunWatched(const std::string& args, const ScratchDir& dir)
{
    const std::string log = dir.File("watch.log");
    std::remove(log.c_str());
    const std::string env = "TALVO_OPEN_WATCH_LOG=" + Quoted(log) + " LD_PRELOAD=" + Quoted(TALVO_OPEN_WATCH) +
                            " ASAN_OPTIONS=\"$ASAN_OPTIONS:verify_asan_link_order=0\" ";
    const std::string command = env + Quoted(TALVO_CLI) + " " + args + " >" + Quoted(dir.File("stdout.txt")) + " 2>" +
                                Quoted(dir.File("stderr.txt"));
    const int raw = std::system(command.c_str());
    CWatchedRun watched{{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, iotest::ReadBytes(dir.File("stdout.txt")),
                         iotest::ReadBytes(dir.File("stderr.txt"))},
                        {},
                        {}};
    std::istringstream lines(iotest::ReadBytes(log));
    for (std::string what, detail; lines >> what && std::getline(lines >> std::ws, detail);) {
        if (what == "open")
            watched.opened.push_back(detail);
        else if (std::stoi(detail) == AF_INET || std::stoi(detail) == AF_INET6)
            watched.networkSockets.push_back(std::stoi(detail));
    }
    return watched;
}

// Nothing named in `forbidden` was opened, nothing in dir but `allowed` (and the run's own
// output files), and no Internet socket was made.
void ExpectReachedNothing(const CWatchedRun& watched, const ScratchDir& dir, const std::set<std::string>& allowed,
                          const std::vector<std::string>& forbidden)
{
    ASSERT_FALSE(watched.opened.empty()) << "the open watch noted nothing";
    const std::string folder = dir.File("");
    for (const std::string& path : watched.opened) {
        for (const std::string& secret : forbidden)
            EXPECT_EQ(path.find(secret), std::string::npos) << "opened " << path;
        if (path.rfind(folder, 0) == 0) {
            const std::string name = path.substr(folder.size());
            const bool ours =
                name == "stdout.txt" || name == "stderr.txt" || name.find(".talvo-tmp-") != std::string::npos;
            EXPECT_TRUE(ours || allowed.count(name)) << "opened " << path;
        }
    }
    EXPECT_TRUE(watched.networkSockets.empty()) << watched.networkSockets.size() << " Internet sockets";
}

// A copy of the acceptance project whose settings name the coordinate system `value`.
std::string ProjectWithCrs(const ScratchDir& dir, const std::string& name, const std::string& value)
{
    std::string text = Cp949ToUtf8(iotest::ReadBytes(clitest::AcceptanceProject()));
    text.insert(text.find('\n') + 1, "좌표계=" + value + "\r\n");
    iotest::WriteBytes(dir.File(name), Utf8ToCp949(text));
    return dir.File(name);
}

std::string GeoJsonNamingCrs(const std::string& crs)
{
    return R"({"type":"FeatureCollection","crs":{"type":"name","properties":{"name":")" + crs +
           R"("}},"features":[{"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[1,2]}}]})";
}

// A WKT of longitude and latitude whose PROJ4 extension names `grid` as its datum shift.
std::string WktShiftedBy(const std::string& grid)
{
    return R"(GEOGCS["x",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],PRIMEM["Greenwich",0],)"
           R"(UNIT["degree",0.0174532925199433],EXTENSION["PROJ4","+proj=longlat +nadgrids=@null,@)" +
           grid + R"("]])";
}

// A one-point layer without a system in the format of `path`.
void WritePointLayer(const std::string& driver, const std::string& path)
{
    CGdalDataset ds = CreateVectorFile(driver, path);
    ASSERT_TRUE(ds);
    OGRLayer* layer = ds->CreateLayer("input", nullptr, wkbPoint, nullptr);
    OGRFeature feature(layer->GetLayerDefn());
    feature.SetGeometryDirectly(new OGRPoint(1, 2));
    ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
}

}  // namespace

TEST(UntrustedFiles, ProjGatePassesProjsOwnTextsAndRefusesEveryFileNamedByAPath)
{
    const COgrSrs korea = MakeSrs("EPSG:5186");
    ASSERT_TRUE(korea);
    char* wkt1 = nullptr;
    char* proj = nullptr;
    char* json = nullptr;
    korea->exportToWkt(&wkt1);
    korea->exportToProj4(&proj);
    korea->exportToPROJJSON(&json, nullptr);
    const char* const wkt2Options[] = {"FORMAT=WKT2_2019", nullptr};
    char* wkt2 = nullptr;
    korea->exportToWkt(&wkt2, wkt2Options);
    for (const char* text :
         {static_cast<const char*>(wkt1), static_cast<const char*>(wkt2), static_cast<const char*>(proj),
          static_cast<const char*>(json), "EPSG:5186", "urn:ogc:def:crs:EPSG::4326",
          "+proj=pipeline +step +proj=hgridshift +grids=kr_ngii_grid.tif +step +proj=utm +zone=52"})
        EXPECT_TRUE(IsSafeProjText(text)) << text;
    for (char* text : {wkt1, wkt2, proj, json})
        CPLFree(text);

    for (const std::string& text :
         {std::string("+proj=pipeline +step +init=/tmp/x:x"), std::string("+proj=longlat +nadgrids=@null,@/etc/shadow"),
          std::string("+proj=longlat +init = \"/etc/shadow:x\""), WktShiftedBy("/etc/shadow"),
          std::string(R"(BOUNDCRS[SOURCECRS[GEOGCRS["x"]],ABRIDGEDTRANSFORMATION["t",METHOD["NTv2"],)"
                      R"(PARAMETERFILE["Latitude and longitude difference file","../../etc/shadow"]]])"),
          std::string(R"({"type":"Transformation","parameters":[{"name":"file","value":"\/etc\/shadow"}]})"),
          std::string(R"(GEOGTRAN["x",METHOD["NTv2"],PARAMETER["Dataset_/etc/shadow",0.0]])"),
          std::string("/etc/shadow"), std::string("~/grid.gsb")})
        EXPECT_FALSE(IsSafeProjText(text)) << text;

    // The coordinate-system check refuses such texts before PROJ reads them.
    for (const char* text : {"+proj=tmerc +units=m", "+init=epsg:5186", "EPSG:5186 ", "ESRI:102100", "EPSG:0x5186"})
        EXPECT_FALSE(CheckCrs(text).ok) << text;
}

TEST(UntrustedFiles, LayerFilesOpenNothingTheyNameAndConnectNowhere)
{
    ScratchDir dir;
    const std::string secret = dir.File("secret.txt");
    iotest::WriteBytes(secret, "not for GDAL or PROJ\n");
    const std::string vrt =
        "<OGRVRTDataSource><OGRVRTLayer name=\"x\"><SrcDataSource>/etc/passwd</SrcDataSource>"
        "</OGRVRTLayer></OGRVRTDataSource>";
    iotest::WriteBytes(dir.File("passwd.vrt"), vrt);
    iotest::WriteBytes(dir.File("vrt.geojson"), vrt);  // the drivers decide, not the extension
    iotest::WriteBytes(dir.File("init.geojson"), GeoJsonNamingCrs("+proj=pipeline +step +init=" + secret + ":x"));
    WritePointLayer("ESRI Shapefile", dir.File("grid.shp"));
    iotest::WriteBytes(dir.File("grid.prj"), WktShiftedBy(secret));
    WritePointLayer("GPKG", dir.File("grid.gpkg"));
    {
        CGdalDataset gpkg(GDALDataset::Open(dir.File("grid.gpkg").c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        ASSERT_TRUE(gpkg);
        gpkg->ExecuteSQL(
            ("INSERT INTO gpkg_spatial_ref_sys VALUES ('x', 99, 'NONE', 99, '" + WktShiftedBy(secret) + "', NULL)")
                .c_str(),
            nullptr, nullptr);
        gpkg->ExecuteSQL("UPDATE gpkg_geometry_columns SET srs_id = 99", nullptr, nullptr);
        gpkg->ExecuteSQL("UPDATE gpkg_contents SET srs_id = 99", nullptr, nullptr);
    }
    const std::string layers[] = {dir.File("passwd.vrt"),
                                  dir.File("vrt.geojson"),
                                  "/vsicurl/http://127.0.0.1:9/roads.geojson",
                                  "http://127.0.0.1:9/roads.geojson",
                                  dir.File("init.geojson"),
                                  dir.File("grid.shp"),
                                  dir.File("grid.gpkg")};
    for (const std::string& layer : layers) {
        const CWatchedRun watched = RunWatched("import " + Quoted(clitest::AcceptanceProject()) + " " + Quoted(layer) +
                                                   " --as receivers -o " + Quoted(dir.File("out.tlv")),
                                               dir);
        EXPECT_EQ(watched.run.status, 1) << layer << ": " << watched.run.err;
        const std::string name = layer.substr(layer.find_last_of('/') + 1);
        const std::string stem = name.substr(0, name.find('.'));
        std::set<std::string> companions{name};
        for (const char* part : {".shx", ".dbf", ".prj", ".cpg", ".SHX", ".DBF", ".PRJ", ".CPG"})
            companions.insert(stem + part);
        ExpectReachedNothing(watched, dir, companions, {"/etc/passwd", secret, "127.0.0.1"});
        // The one open of layer files says why it refused.
        std::string why;
        EXPECT_FALSE(OpenVectorFile(layer, why)) << layer;
        EXPECT_FALSE(why.empty()) << layer;
        if (stem == "grid" || stem == "init") {
            EXPECT_NE(why.find("좌표계"), std::string::npos) << why;
        }
    }
}

TEST(UntrustedFiles, ProjectCoordinateSystemThatIsNoCodeOpensWithoutItAndReachesNothing)
{
    ScratchDir dir;
    const std::string secret = dir.File("secret.txt");
    iotest::WriteBytes(secret, "not for PROJ\n");
    const std::string values[] = {"+proj=pipeline +step +init=" + secret + ":x", "+nadgrids=@null,@/etc/shadow",
                                  "+proj=longlat +nadgrids=@null,@" + secret, WktShiftedBy(secret), secret};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const std::string name = "p" + std::to_string(i) + ".tlv";
        const std::string project = ProjectWithCrs(dir, name, values[i]);
        for (const std::string& command :
             {"calc " + Quoted(project), "map " + Quoted(project) + " -o " + Quoted(dir.File("m.geojson"))}) {
            const CWatchedRun watched = RunWatched(command, dir);
            EXPECT_EQ(watched.run.status, 0) << command << ": " << watched.run.err;
            EXPECT_NE(watched.run.err.find("좌표계 없이 엽니다"), std::string::npos) << watched.run.err;
            ExpectReachedNothing(watched, dir, {name, "m.geojson"}, {secret, "/etc/shadow"});
        }
    }
    // A code of a system in degrees is no plan system either; a projected one in metres stays.
    const CWatchedRun degrees = RunWatched("calc " + Quoted(ProjectWithCrs(dir, "d.tlv", "EPSG:4326")), dir);
    EXPECT_NE(degrees.run.err.find("좌표계 없이"), std::string::npos) << degrees.run.err;
    const CWatchedRun metres = RunWatched("calc " + Quoted(ProjectWithCrs(dir, "k.tlv", "EPSG:5186")), dir);
    EXPECT_EQ(metres.run.err.find("좌표계"), std::string::npos) << metres.run.err;
}
