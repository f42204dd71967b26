#include "io/noise_map_export.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>

#include "io/level_class_polygons.h"
#include "model/bands.h"
#include "model/noise_level_classes.h"

namespace {

std::string Fixed2(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    return buf;
}

std::string EdgeOrNull(double edge) { return std::isfinite(edge) ? Fixed2(edge) : "null"; }

void WriteRing(const CMapRing& ring, std::ostream& out)
{
    out << '[';
    for (std::size_t k = 0; k < ring.size(); ++k)
        out << (k ? "," : "") << '[' << Fixed2(ring[k].u) << ',' << Fixed2(ring[k].v) << ']';
    out << ']';
}

void WritePolygon(const CMapPolygon& polygon, std::ostream& out)
{
    out << '[';
    WriteRing(polygon.exterior, out);
    for (const CMapRing& hole : polygon.holes) {
        out << ',';
        WriteRing(hole, out);
    }
    out << ']';
}

void WriteFeature(int levelClass, const std::vector<CMapPolygon>& polygons, int band, std::ostream& out)
{
    out << "{\"type\":\"Feature\",\"properties\":{\"class\":\"" << LevelClassLabel(levelClass)
        << "\",\"low\":" << EdgeOrNull(LevelClassLow(levelClass))
        << ",\"high\":" << EdgeOrNull(LevelClassHigh(levelClass)) << ",\"fill\":\"" << LevelClassColour(levelClass)
        << "\",\"unit\":\"" << NoiseMapUnit(band) << "\"},\"geometry\":{\"type\":\"MultiPolygon\",\"coordinates\":[";
    for (std::size_t p = 0; p < polygons.size(); ++p) {
        out << (p ? "," : "");
        WritePolygon(polygons[p], out);
    }
    out << "]}}";
}

std::string SaveWith(const std::string& path, const std::function<void(std::ostream&)>& write)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return "파일을 만들 수 없습니다: " + path;
    write(out);
    out.flush();
    if (!out)
        return "파일을 쓸 수 없습니다: " + path;
    return {};
}

}  // namespace

void WriteNoiseMapCsv(const CNoiseMapGrid& grid, std::ostream& out)
{
    out << "x,y,z,level\n";
    for (std::size_t c = 0; c < grid.Columns(); ++c) {
        for (std::size_t r = 0; r < grid.Rows(); ++r) {
            const CMVector p = grid.PointAt(c, r);
            const double level = grid.Level(c, r);
            out << Fixed2(p.x) << ',' << Fixed2(p.y) << ',' << Fixed2(p.z) << ','
                << (HasEnergy(level) ? Fixed2(level) : std::string()) << '\n';
        }
    }
}

void WriteNoiseMapGeoJson(const CNoiseMapGrid& grid, std::ostream& out)
{
    out << "{\"type\":\"FeatureCollection\",\"features\":[";
    bool first = true;
    for (int k = 0; k < kLevelClassCount; ++k) {
        const std::vector<CMapPolygon> polygons = LevelClassPolygons(grid, k);
        if (polygons.empty())
            continue;
        out << (first ? "\n" : ",\n");
        WriteFeature(k, polygons, grid.m_nBand, out);
        first = false;
    }
    out << "\n]}\n";
}

std::string SaveNoiseMapCsv(const CNoiseMapGrid& grid, const std::string& path)
{
    return SaveWith(path, [&grid](std::ostream& out) { WriteNoiseMapCsv(grid, out); });
}

std::string SaveNoiseMapGeoJson(const CNoiseMapGrid& grid, const std::string& path)
{
    return SaveWith(path, [&grid](std::ostream& out) { WriteNoiseMapGeoJson(grid, out); });
}
