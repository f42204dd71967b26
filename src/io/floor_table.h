#pragma once

// The per-floor table of the façade receivers, one row per building and floor, as the
// "층별 결과" window, its clipboard copy, its CSV file and the report show it: the
// building's number (from 1) and name, the floor, the number of façade points on it, the
// day's highest overall level with the wall and point it was met at and the day's lowest,
// then per period the limit the floor is judged by (model/compliance.h), its exceedance
// (highest level minus limit, signed) and the night's highest level, and a mark naming the
// periods whose limit the floor exceeds.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/building.h"
#include "model/compliance.h"
#include "model/facade_receivers.h"

struct CProjectSettings;

// The outdoor level, dB(A), that the housing rule asks every floor's façade to stay below.
inline constexpr double kFloorLevelLimit = 65.0;

// The floor's highest level reaches kFloorLevelLimit.
bool ReachesFloorLimit(const CFloorSummary& row);

// One floor in both periods, with the limits it is judged by.
struct CFloorRow {
    CFloorSummary m_day;
    double m_dNightMax = kNoEnergy;
    std::optional<CLimit> m_dayLimit, m_nightLimit;

    EJudgement Day() const { return Judge(m_day.m_dMax, m_dayLimit); }
    EJudgement Night() const { return Judge(m_dNightMax, m_nightLimit); }
    bool Exceeds() const { return Day() == EJudgement::kExceeds || Night() == EJudgement::kExceeds; }
};

// Rows for every floor of every building that has façade points, in building then floor order.
std::vector<CFloorRow> FloorRows(const std::vector<CFacadeReceiver>& receivers, const std::vector<CBuilding>& buildings,
                                 const CProjectSettings& settings);

enum EFloorColumn {
    kFloorColBuilding,
    kFloorColName,
    kFloorColFloor,
    kFloorColPoints,
    kFloorColMax,  // the day's
    kFloorColMaxWall,
    kFloorColMaxPoint,
    kFloorColMin,  // the day's
    kFloorColDayLimit,
    kFloorColDayExcess,
    kFloorColNightMax,
    kFloorColNightLimit,
    kFloorColNightExcess,
    kFloorColJudgement,  // "주간 초과", "야간 초과", "주간·야간 초과", "기준 없음" or empty
    kFloorColumnCount
};

// Column titles, in EFloorColumn order.
const std::vector<std::string>& FloorTableHeader();

// One row's cells, in EFloorColumn order: integers "%d", levels "%.2f" ("-" without energy,
// and then no wall and point). `buildings` names the buildings; a row whose building is
// not among them has an empty name.
std::vector<std::string> FloorRowCells(const CFloorRow& row, const std::vector<CBuilding>& buildings);

// The table as comma-separated text: the header, then one line per row; a cell holding a
// comma, a quote or a line end is quoted. UTF-8 with a byte-order mark, so that a
// spreadsheet reads the Korean names as they are.
void WriteFloorTableCsv(const std::vector<CFloorRow>& rows, const std::vector<CBuilding>& buildings, std::ostream& out);

// Writes the CSV file beside the target and renames it into place. Empty when it worked,
// otherwise the message to show.
std::string SaveFloorTableCsv(const std::vector<CFloorRow>& rows, const std::vector<CBuilding>& buildings,
                              const std::string& path);
