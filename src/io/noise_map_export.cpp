#include "io/noise_map_export.h"

#include <fstream>
#include <functional>

#include "model/bands.h"

namespace {

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
            out << FormatFixed2(p.x) << ',' << FormatFixed2(p.y) << ',' << FormatFixed2(p.z) << ','
                << (HasEnergy(level) ? FormatFixed2(level) : std::string()) << '\n';
        }
    }
}

std::string SaveNoiseMapCsv(const CNoiseMapGrid& grid, const std::string& path)
{
    return SaveWith(path, [&grid](std::ostream& out) { WriteNoiseMapCsv(grid, out); });
}
