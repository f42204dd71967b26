#include "io/floor_table.h"

#include <cstdio>

#include "io/output_file.h"
#include "model/bands.h"

namespace {

std::string Int(int value) { return std::to_string(value); }

std::string CsvCell(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

void WriteCsvLine(const std::vector<std::string>& cells, std::ostream& out)
{
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << (i ? "," : "") << CsvCell(cells[i]);
    out << '\n';
}

}  // namespace

bool ReachesFloorLimit(const CFloorSummary& row) { return HasEnergy(row.m_dMax) && row.m_dMax >= kFloorLevelLimit; }

std::vector<CFloorRow> FloorRows(const std::vector<CFacadeReceiver>& receivers, const std::vector<CBuilding>& buildings,
                                 const CProjectSettings& settings)
{
    const std::vector<CFloorSummary> day = SummariseFloors(receivers, EPeriod::kDay);
    const std::vector<CFloorSummary> night = SummariseFloors(receivers, EPeriod::kNight);
    std::vector<CFloorRow> rows(day.size());
    // Both summaries hold the same floors in the same order: they differ only in levels.
    for (std::size_t i = 0; i < day.size(); ++i) {
        CFloorRow& row = rows[i];
        row.m_day = day[i];
        row.m_dNightMax = night[i].m_dMax;
        row.m_dayLimit = BuildingLimitAt(buildings, row.m_day.m_nBuilding, settings, EPeriod::kDay);
        row.m_nightLimit = BuildingLimitAt(buildings, row.m_day.m_nBuilding, settings, EPeriod::kNight);
    }
    return rows;
}

const std::vector<std::string>& FloorTableHeader()
{
    static const std::vector<std::string> header = {"건물",      "이름",      "층",        "수음점 수", "주간 최고",
                                                    "최고 벽",   "최고 점",   "주간 최저", "주간 기준", "주간 초과",
                                                    "야간 최고", "야간 기준", "야간 초과", "판정"};
    return header;
}

namespace {

std::string JudgementMark(const CFloorRow& row)
{
    const bool day = row.Day() == EJudgement::kExceeds, night = row.Night() == EJudgement::kExceeds;
    if (day || night)
        return day && night ? "주간·야간 초과" : day ? "주간 초과" : "야간 초과";
    return !row.m_dayLimit && !row.m_nightLimit ? "기준 없음" : "";
}

}  // namespace

std::vector<std::string> FloorRowCells(const CFloorRow& row, const std::vector<CBuilding>& buildings)
{
    const CFloorSummary& day = row.m_day;
    const bool known = day.m_nBuilding >= 0 && static_cast<std::size_t>(day.m_nBuilding) < buildings.size();
    const bool levelled = HasEnergy(day.m_dMax);
    return {Int(day.m_nBuilding + 1),
            known ? buildings[static_cast<std::size_t>(day.m_nBuilding)].m_pName : std::string(),
            Int(day.m_nFloor),
            Int(day.m_nPoints),
            FormatLevel(day.m_dMax),
            levelled ? Int(day.m_nMaxWall) : kNoEnergyMark,
            levelled ? Int(day.m_nMaxPoint) : kNoEnergyMark,
            FormatLevel(day.m_dMin),
            FormatLimit(row.m_dayLimit),
            FormatExceedance(Exceedance(day.m_dMax, row.m_dayLimit)),
            FormatLevel(row.m_dNightMax),
            FormatLimit(row.m_nightLimit),
            FormatExceedance(Exceedance(row.m_dNightMax, row.m_nightLimit)),
            JudgementMark(row)};
}

void WriteFloorTableCsv(const std::vector<CFloorRow>& rows, const std::vector<CBuilding>& buildings, std::ostream& out)
{
    out << "\xEF\xBB\xBF";
    WriteCsvLine(FloorTableHeader(), out);
    for (const CFloorRow& row : rows)
        WriteCsvLine(FloorRowCells(row, buildings), out);
}

std::string SaveFloorTableCsv(const std::vector<CFloorRow>& rows, const std::vector<CBuilding>& buildings,
                              const std::string& path)
{
    COutputFile file;
    if (std::string failure = file.Create(path); !failure.empty())
        return failure;
    WriteFloorTableCsv(rows, buildings, file.Stream());
    return file.Commit();
}
