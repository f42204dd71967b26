#include "io/receiver_export.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "io/ordered_pipeline.h"
#include "model/document.h"

std::string CheckReceiverExport(const CMyTalvoDoc& doc, const CReceiverGrid& grid)
{
    if (doc.m_arrSegment.empty())
        return kMsgNotCalculated;
    if (doc.m_bResultsStale)
        return kMsgStaleResults;
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

constexpr const char* kMsgWriteFailed = "파일에 쓸 수 없습니다.";

// The points of the export in its order: point i lies in column i / rows, row i % rows.
// A part of the grid made of whole columns is a sub-range of the columns.
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

// Writes the lines in order on the calling thread; the only writer of the file and of
// the done counter. The cancel is tested after each line is written, before it is counted.
class CLineWriter {
public:
    CLineWriter(std::ostream& out, CRunProgress& progress, CExportOutcome& outcome)
        : m_out(out), m_progress(progress), m_outcome(outcome)
    {
    }

    bool operator()(std::int64_t, std::string&& line)
    {
        m_out.write(line.data(), static_cast<std::streamsize>(line.size()));
        ++m_outcome.lines;
        if (!m_out)
            return Stop(CExportOutcome::Status::Failed, kMsgWriteFailed);
        if (m_progress.CancelRequested())
            return Stop(CExportOutcome::Status::Cancelled, "");
        m_progress.Count();
        return true;
    }

private:
    bool Stop(CExportOutcome::Status status, const std::string& message)
    {
        m_outcome.status = status;
        m_outcome.message = message;
        return false;
    }

    std::ostream& m_out;
    CRunProgress& m_progress;
    CExportOutcome& m_outcome;
};

// Writes the lines of points into out; progress has been started.
CExportOutcome ExportPoints(const CGridPoints& points, const PointLevelProvider& levels, std::ostream& out,
                            CRunProgress& progress, int threads)
{
    CExportOutcome outcome;
    const OrderedCompute compute = [&](std::int64_t i) { return PointLine(points, levels, i); };
    try {
        RunOrdered(points.Count(), threads, compute, CLineWriter(out, progress, outcome));
    } catch (const std::exception& e) {
        outcome.status = CExportOutcome::Status::Failed;
        outcome.message = std::string("수음점 계산에 실패했습니다: ") + e.what();
    }
    if (outcome.status != CExportOutcome::Status::Failed && !out.flush()) {
        outcome.status = CExportOutcome::Status::Failed;
        outcome.message = kMsgWriteFailed;
    }
    return outcome;
}

}  // namespace

CExportOutcome RunReceiverExport(const CReceiverGrid& grid, const PointLevelProvider& levels, std::ostream& out,
                                 CRunProgress& progress, int threads)
{
    const CGridPoints points{GridColumnXs(grid), GridRowYs(grid), grid.m_dHeight};
    progress.Start(GridProgressTotal(grid));
    return ExportPoints(points, levels, out, progress, threads);
}

CExportOutcome RunReceiverExportColumns(const CReceiverGrid& grid, std::size_t firstColumn, std::size_t columns,
                                        const PointLevelProvider& levels, std::ostream& out, CRunProgress& progress,
                                        int threads)
{
    const std::vector<double> xs = GridColumnXs(grid);
    const std::size_t first = std::min(firstColumn, xs.size());
    const std::size_t last = first + std::min(columns, xs.size() - first);
    const auto at = [&xs](std::size_t i) { return xs.begin() + static_cast<std::ptrdiff_t>(i); };
    const CGridPoints points{{at(first), at(last)}, GridRowYs(grid), grid.m_dHeight};
    progress.Start(points.Count());
    return ExportPoints(points, levels, out, progress, threads);
}
