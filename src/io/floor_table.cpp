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

const std::vector<std::string>& FloorTableHeader()
{
    static const std::vector<std::string> header = {
        "건물", "이름", "층", "수음점 수", "최고 (dB(A))", "최고 벽", "최고 점", "최저 (dB(A))", "65 dB(A) 이상"};
    return header;
}

std::vector<std::string> FloorRowCells(const CFloorSummary& row, const std::vector<CBuilding>& buildings)
{
    const bool known = row.m_nBuilding >= 0 && static_cast<std::size_t>(row.m_nBuilding) < buildings.size();
    const bool levelled = HasEnergy(row.m_dMax);
    return {Int(row.m_nBuilding + 1),
            known ? buildings[static_cast<std::size_t>(row.m_nBuilding)].m_pName : std::string(),
            Int(row.m_nFloor),
            Int(row.m_nPoints),
            FormatLevel(row.m_dMax),
            levelled ? Int(row.m_nMaxWall) : kNoEnergyMark,
            levelled ? Int(row.m_nMaxPoint) : kNoEnergyMark,
            FormatLevel(row.m_dMin),
            ReachesFloorLimit(row) ? "O" : ""};
}

void WriteFloorTableCsv(const std::vector<CFloorSummary>& rows, const std::vector<CBuilding>& buildings,
                        std::ostream& out)
{
    out << "\xEF\xBB\xBF";
    WriteCsvLine(FloorTableHeader(), out);
    for (const CFloorSummary& row : rows)
        WriteCsvLine(FloorRowCells(row, buildings), out);
}

std::string SaveFloorTableCsv(const std::vector<CFloorSummary>& rows, const std::vector<CBuilding>& buildings,
                              const std::string& path)
{
    COutputFile file;
    if (std::string failure = file.Create(path); !failure.empty())
        return failure;
    WriteFloorTableCsv(rows, buildings, file.Stream());
    return file.Commit();
}
