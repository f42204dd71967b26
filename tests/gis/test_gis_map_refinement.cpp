// The refined map on the isolines layer of talvo-cli map, read back with GDAL: on both
// examples at their default spacing its iso-lines run where those of a uniform grid at the
// finest size run, and behind a barrier at 2 m the beads at the grid's nodes are gone.
#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "cli_run_support.h"
#include "gis/gis_ogr.h"
#include "io/project_file.h"
#include "model/document.h"

using clitest::Quoted;
using iotest::ScratchDir;

namespace {

struct CPoint {
    double x, y;
};
using CPolyline = std::vector<CPoint>;
// The polylines of every level of an isolines layer.
using CIsoLines = std::map<double, std::vector<CPolyline>>;

// An example with its calculation area cut down to x0..x1, y0..y1, saved into dir.
std::string ExampleStretch(const ScratchDir& dir, const std::string& example, double x0, double x1, double y0,
                           double y1)
{
    CMyTalvoDoc doc;
    if (!OpenProject(doc, std::string(TALVO_EXAMPLES) + "/" + example).ok)
        return {};
    doc.m_settings.m_dAreaStartX = x0;
    doc.m_settings.m_dAreaEndX = x1;
    doc.m_settings.m_dAreaStartY = y0;
    doc.m_settings.m_dAreaEndY = y1;
    const std::string path = dir.File(example);
    return SaveProject(doc, path).ok ? path : std::string();
}

// talvo-cli map PROJECT --layer isolines with the options, read back.
CIsoLines MapIsoLines(const ScratchDir& dir, const std::string& project, const std::string& options)
{
    const std::string out = dir.File("isolines.geojson");
    std::remove(out.c_str());
    const auto run = clitest::RunCli(
        "map " + Quoted(project) + " -o " + Quoted(out) + " --layer isolines --height 1.5 " + options, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    CIsoLines lines;
    CGdalDataset ds = OpenVectorFile(out);
    if (!ds)
        return lines;
    for (auto& feature : *ds->GetLayer(0)) {
        std::vector<CPolyline>& level = lines[feature->GetFieldAsDouble("level")];
        for (const OGRLineString* line : *feature->GetGeometryRef()->toMultiLineString()) {
            CPolyline& polyline = level.emplace_back();
            for (const OGRPoint& p : *line)
                polyline.push_back({p.getX(), p.getY()});
        }
    }
    return lines;
}

double DistanceToSegment(CPoint p, CPoint a, CPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The segments of the lines filed in square cells `cell` wide, for nearby look-ups.
class CSegmentIndex {
public:
    CSegmentIndex(const std::vector<CPolyline>& lines, double cell) : m_cell(cell)
    {
        for (const CPolyline& line : lines)
            for (std::size_t k = 1; k < line.size(); ++k) {
                const CPoint mid{0.5 * (line[k - 1].x + line[k].x), 0.5 * (line[k - 1].y + line[k].y)};
                m_cells[Key(mid)].push_back({line[k - 1], line[k]});
            }
    }
    // True when a segment passes within `reach` of p (reach plus the longest segment below the cell).
    bool Near(CPoint p, double reach) const
    {
        const auto [cx, cy] = Key(p);
        for (long long i = cx - 2; i <= cx + 2; ++i)
            for (long long j = cy - 2; j <= cy + 2; ++j)
                if (const auto it = m_cells.find({i, j}); it != m_cells.end())
                    for (const auto& [a, b] : it->second)
                        if (DistanceToSegment(p, a, b) <= reach)
                            return true;
        return false;
    }

private:
    std::pair<long long, long long> Key(CPoint p) const
    {
        return {std::llround(std::floor(p.x / m_cell)), std::llround(std::floor(p.y / m_cell))};
    }
    double m_cell;
    std::map<std::pair<long long, long long>, std::vector<std::pair<CPoint, CPoint>>> m_cells;
};

// The share of the length of `lines` that lies within `reach` of `reference` at the same
// level: a piece counts when both its ends and its middle do.
double ShareWithin(const CIsoLines& lines, const CIsoLines& reference, double reach)
{
    double near = 0, total = 0;
    for (const auto& [level, polylines] : lines) {
        const auto found = reference.find(level);
        const CSegmentIndex index(found == reference.end() ? std::vector<CPolyline>{} : found->second, reach);
        for (const CPolyline& line : polylines)
            for (std::size_t k = 1; k < line.size(); ++k) {
                const CPoint a = line[k - 1], b = line[k], mid{0.5 * (a.x + b.x), 0.5 * (a.y + b.y)};
                const double length = std::hypot(b.x - a.x, b.y - a.y);
                total += length;
                if (index.Near(a, reach) && index.Near(b, reach) && index.Near(mid, reach))
                    near += length;
            }
    }
    return total > 0 ? near / total : 0;
}

// Closed iso-lines from `least` to `most` wide in x and in y: beads round single nodes.
int Beads(const CIsoLines& lines, double least, double most)
{
    int beads = 0;
    for (const auto& [level, polylines] : lines)
        for (const CPolyline& line : polylines) {
            if (line.size() < 3 || line.front().x != line.back().x || line.front().y != line.back().y)
                continue;
            double x0 = line[0].x, x1 = x0, y0 = line[0].y, y1 = y0;
            for (const CPoint& p : line) {
                x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
            }
            beads += std::min(x1 - x0, y1 - y0) >= least && std::max(x1 - x0, y1 - y0) <= most;
        }
    return beads;
}

}  // namespace

TEST(GisMapRefinement, IsoLinesLieWithinTheFinestSizeOfAUniformGridThatFine)
{
    // Stretches of both examples with the barriers' shadows, the bridge's end and the
    // tunnel's portal; the default spacing 50 m refined to 3.125 m against a uniform grid
    // of 3.125 m.
    struct CStretch {
        const char* example;
        double x0, x1, y0, y1;
    };
    for (const CStretch& s :
         {CStretch{"highway-village.tlv", 100, 500, 150, 400}, CStretch{"valley-crossing.tlv", 700, 1100, 50, 350}}) {
        ScratchDir dir;
        const std::string project = ExampleStretch(dir, s.example, s.x0, s.x1, s.y0, s.y1);
        ASSERT_FALSE(project.empty());
        const CIsoLines refined = MapIsoLines(dir, project, "--spacing 50");
        const CIsoLines uniform = MapIsoLines(dir, project, "--spacing 3.125 --uniform");
        ASSERT_FALSE(refined.empty());
        EXPECT_GE(ShareWithin(refined, uniform, 3.125), 0.95) << s.example;
    }
}

TEST(GisMapRefinement, FinestSizeOptionsAreTakenOrRefused)
{
    ScratchDir dir;
    const std::string project = ExampleStretch(dir, "highway-village.tlv", 100, 500, 150, 400);
    ASSERT_FALSE(project.empty());
    const auto vertices = [](const CIsoLines& lines) {
        std::size_t n = 0;
        for (const auto& [level, polylines] : lines)
            for (const CPolyline& line : polylines)
                n += line.size();
        return n;
    };
    const std::size_t fine = vertices(MapIsoLines(dir, project, "--spacing 50"));
    const std::size_t coarser = vertices(MapIsoLines(dir, project, "--spacing 50 --finest 12.5"));
    const std::size_t none = vertices(MapIsoLines(dir, project, "--spacing 50 --uniform"));
    EXPECT_GT(fine, 2 * coarser);
    EXPECT_GT(coarser, none);
    for (const char* bad : {"--finest 0", "--finest -1", "--uniform --finest 1"}) {
        const auto run =
            clitest::RunCli("map " + Quoted(project) + " -o " + Quoted(dir.File("bad.geojson")) + " " + bad, dir);
        EXPECT_EQ(run.status, 1) << bad;
        EXPECT_FALSE(run.err.empty()) << bad;
    }
}

TEST(GisMapRefinement, RefinedIsobandsAreValidPolygonsThatTileTheArea)
{
    ScratchDir dir;
    const std::string project = ExampleStretch(dir, "valley-crossing.tlv", 700, 1100, 50, 350);
    ASSERT_FALSE(project.empty());
    const std::string out = dir.File("bands.gpkg");
    const auto run = clitest::RunCli("map " + Quoted(project) + " -o " + Quoted(out) + " --height 1.5", dir);
    ASSERT_EQ(run.status, 0) << run.err;
    CGdalDataset ds = OpenVectorFile(out);
    ASSERT_TRUE(ds);
    OGRMultiPolygon all;
    double sum = 0;
    for (auto& feature : *ds->GetLayerByName("isobands")) {
        const OGRGeometry* g = feature->GetGeometryRef();
        ASSERT_NE(g, nullptr);
        EXPECT_TRUE(g->IsValid()) << "band from " << feature->GetFieldAsDouble("lower");
        sum += g->toMultiPolygon()->get_Area();
        for (const OGRPolygon* polygon : *g->toMultiPolygon())
            all.addGeometry(polygon);
    }
    // Overlaps would make the union smaller than the sum; gaps both smaller than the area.
    std::unique_ptr<OGRGeometry> merged(all.UnionCascaded());
    ASSERT_TRUE(merged);
    EXPECT_NEAR(sum, 400.0 * 300.0, 1e-4);
    EXPECT_NEAR(OGR_G_Area(OGRGeometry::ToHandle(merged.get())), 400.0 * 300.0, 1e-2);
}

TEST(GisMapRefinement, NoBeadRemainsBehindABarrierAtTwoMetres)
{
    // Within 7 m of the road's edge a receiver in line with the end of a source piece lies
    // in the near field of both pieces at once, so the level is higher on those lines alone
    // (x = 260, 270, ...): a uniform map at 2 m draws a bead of 65 dB round each node on
    // them behind the village barrier (y = 215). Refined, only slivers narrower than the
    // finest size (0.125 m) are left along the lines.
    ScratchDir dir;
    const std::string project = ExampleStretch(dir, "highway-village.tlv", 250, 350, 216, 240);
    ASSERT_FALSE(project.empty());
    const CIsoLines uniform = MapIsoLines(dir, project, "--spacing 2 --uniform");
    const CIsoLines refined = MapIsoLines(dir, project, "--spacing 2");
    EXPECT_GE(Beads(uniform, 0.25, 4.0), 5);
    EXPECT_EQ(Beads(refined, 0.25, 4.0), 0);
}
