#pragma once

// The receiver export: the predicted overall level on the receiver grid, one text line
// "%.2f\t%.2f\t%.2f\t%s\r\n" (x, y, z, level) per point, all y of the first x, then of the
// next x, and so on. The points are computed on several threads and written strictly in
// that order, so the file is the same byte for byte whatever the thread count.
// Thread-safe where it is shared: the CRunProgress of a running export may be read and
// cancelled from any thread; the output stream belongs to the export until it returns.

#include <cstdint>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>

#include "io/receiver_grid.h"
#include "model/bands.h"
#include "model/run_progress.h"

class CMyTalvoDoc;

// Band levels at (x, y, z), z absolute as stored in a receiver. Called concurrently from
// the export's threads, so it must be thread-safe (CCalcScene::PointLevels is).
using PointLevelProvider = std::function<Bands(double x, double y, double z)>;

inline constexpr const char* kMsgNotCalculated = "소음해석을 먼저 수행하세요.";

// Empty when an export of doc over grid may start; otherwise the message refusing it,
// checked in this order: no source pieces yet, results stale (the model changed since the
// calculation), the spacing, the area.
std::string CheckReceiverExport(const CMyTalvoDoc& doc, const CReceiverGrid& grid);

// Creates (or truncates) the output file for binary writing. Empty when it worked,
// otherwise the message to show; nothing must start then.
std::string CreateExportFile(const std::string& path, std::ofstream& out);

// One line of the file: "%.2f\t%.2f\t%.2f\t%s\r\n".
std::string FormatGridLine(double x, double y, double z, const std::string& level);

struct CExportOutcome {
    enum class Status { Finished, Cancelled, Failed };
    Status status = Status::Finished;
    std::int64_t lines = 0;  // lines written; on cancel one more than progress.Done()
    std::string message;     // why it failed
};

// Runs the export of a checked grid into out. progress gets the total and counts every
// point written; a cancel requested on it stops the export after the line being written,
// which stays in the file but is not counted. threads <= 0 uses every core.
CExportOutcome RunReceiverExport(const CReceiverGrid& grid, const PointLevelProvider& levels, std::ostream& out,
                                 CRunProgress& progress, int threads);

// The same for the columns [firstColumn, firstColumn + columns) of the grid's column walk
// only (a tile): exactly the lines of those columns in the whole export. The progress total
// is then the tile's exact number of points.
CExportOutcome RunReceiverExportColumns(const CReceiverGrid& grid, std::size_t firstColumn, std::size_t columns,
                                        const PointLevelProvider& levels, std::ostream& out, CRunProgress& progress,
                                        int threads);
