#include "io/receiver_export.h"

#include <cstdio>
#include <exception>

#include "io/ordered_pipeline.h"
#include "model/document.h"

std::string CheckReceiverExport(const CMyTalvoDoc& doc, const CReceiverGrid& grid)
{
    if (doc.m_arrSegment.empty())
        return kMsgNotCalculated;
    return CheckReceiverGrid(grid);
}

std::string CreateExportFile(const std::string& path, std::ofstream& out)
{
    out.open(path, std::ios::binary | std::ios::trunc);
    if (out.is_open())
        return {};
    return "파일을 만들 수 없습니다: " + path;
}

std::string FormatGridLine(double x, double y, double z, const std::string& level)
{
    char buf[1024];  // "%.2f" of the largest double takes 312 characters
    const int n = std::snprintf(buf, sizeof buf, "%.2f\t%.2f\t%.2f\t", x, y, z);
    return std::string(buf, static_cast<std::size_t>(n)) + level + "\r\n";
}

namespace {

// The point of index i: column i / rows, row i % rows.
struct CGridPoints {
    std::vector<double> xs, ys;
    double z = 0;

    std::int64_t Count() const { return static_cast<std::int64_t>(xs.size() * ys.size()); }
    double X(std::int64_t i) const { return xs[static_cast<std::size_t>(i) / ys.size()]; }
    double Y(std::int64_t i) const { return ys[static_cast<std::size_t>(i) % ys.size()]; }
};

std::string PointLine(const CGridPoints& points, const PointLevelProvider& levels, std::int64_t i)
{
    const double x = points.X(i), y = points.Y(i);
    return FormatGridLine(x, y, points.z, FormatLevel(EnergySum(levels(x, y, points.z))));
}

}  // namespace

CExportOutcome RunReceiverExport(const CReceiverGrid& grid, const PointLevelProvider& levels,
                                 std::ostream& out, CRunProgress& progress, int threads)
{
    const CGridPoints points{GridColumnXs(grid), GridRowYs(grid), grid.m_dHeight};
    progress.Start(GridProgressTotal(grid));
    CExportOutcome outcome;
    auto compute = [&](std::int64_t i) { return PointLine(points, levels, i); };
    auto consume = [&](std::int64_t, std::string&& line) {
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        ++outcome.lines;
        if (!out) {
            outcome.status = CExportOutcome::Status::Failed;
            outcome.message = "파일에 쓸 수 없습니다.";
            return false;
        }
        if (progress.CancelRequested()) {
            outcome.status = CExportOutcome::Status::Cancelled;
            return false;
        }
        progress.Count();
        return true;
    };
    try {
        RunOrdered(points.Count(), threads, compute, consume);
    } catch (const std::exception& e) {
        outcome.status = CExportOutcome::Status::Failed;
        outcome.message = std::string("수음점 계산에 실패했습니다: ") + e.what();
    }
    if (outcome.status != CExportOutcome::Status::Failed && !out.flush()) {
        outcome.status = CExportOutcome::Status::Failed;
        outcome.message = "파일에 쓸 수 없습니다.";
    }
    return outcome;
}
