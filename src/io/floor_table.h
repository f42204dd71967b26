#pragma once

// The per-floor table of the façade receivers, one row per building and floor, as the
// "층별 결과" window, its clipboard copy, its CSV file and the report show it: the
// building's number (from 1) and name, the floor, the number of façade points on it, the
// highest overall level with the wall and point it was met at, and the lowest.

#include <ostream>
#include <string>
#include <vector>

#include "model/building.h"
#include "model/facade_receivers.h"

// The outdoor level, dB(A), that the housing rule asks every floor's façade to stay below.
inline constexpr double kFloorLevelLimit = 65.0;

// The floor's highest level reaches kFloorLevelLimit.
bool ReachesFloorLimit(const CFloorSummary& row);

enum EFloorColumn {
    kFloorColBuilding,
    kFloorColName,
    kFloorColFloor,
    kFloorColPoints,
    kFloorColMax,
    kFloorColMaxWall,
    kFloorColMaxPoint,
    kFloorColMin,
    kFloorColLimit,  // "O" when the floor reaches kFloorLevelLimit, else empty
    kFloorColumnCount
};

// Column titles, in EFloorColumn order.
const std::vector<std::string>& FloorTableHeader();

// One row's cells, in EFloorColumn order: integers "%d", levels "%.2f" ("-" without energy,
// and then no wall and point). `buildings` names the buildings; a row whose building is
// not among them has an empty name.
std::vector<std::string> FloorRowCells(const CFloorSummary& row, const std::vector<CBuilding>& buildings);

// The table as comma-separated text: the header, then one line per row; a cell holding a
// comma, a quote or a line end is quoted. UTF-8 with a byte-order mark, so that a
// spreadsheet reads the Korean names as they are.
void WriteFloorTableCsv(const std::vector<CFloorSummary>& rows, const std::vector<CBuilding>& buildings,
                        std::ostream& out);

// Writes the CSV file beside the target and renames it into place. Empty when it worked,
// otherwise the message to show.
std::string SaveFloorTableCsv(const std::vector<CFloorSummary>& rows, const std::vector<CBuilding>& buildings,
                              const std::string& path);
