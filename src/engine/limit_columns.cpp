#include "engine/limit_columns.h"

#include <cstddef>

#include "model/compliance.h"
#include "model/document.h"

const char* const kLimitColumnsHeader = "Limit\tExceedance";
const char* const kJudgementHeader = "목표\t주간 기준\t주간 초과\t야간\t야간 기준\t야간 초과";

namespace {

std::string LimitCells(double level, const std::optional<CLimit>& limit)
{
    return FormatLimit(limit) + '\t' + FormatExceedance(Exceedance(level, limit));
}

// As many kNoEnergyMark cells as the header has columns.
std::string EmptyCells(const std::string& header)
{
    std::string cells = kNoEnergyMark;
    for (char c : header)
        if (c == '\t')
            cells += std::string("\t") + kNoEnergyMark;
    return cells;
}

}  // namespace

std::string AppendColumns(const std::string& table, const std::string& header, const std::vector<std::string>& cells)
{
    std::string out;
    std::size_t line = 0, start = 0;
    while (start < table.size()) {
        const std::size_t end = table.find('\n', start);
        const std::size_t stop = end == std::string::npos ? table.size() : end;
        out.append(table, start, stop - start);
        out += '\t';
        out += line == 0 ? header : line - 1 < cells.size() ? cells[line - 1] : EmptyCells(header);
        if (end != std::string::npos)
            out += '\n';
        start = stop + 1;
        ++line;
    }
    return out;
}

std::vector<std::string> ReceiverLimitCells(const CMyTalvoDoc& doc, EPeriod period)
{
    std::vector<std::string> cells;
    for (const CReceiverPoint& r : doc.m_arrReceiver)
        cells.push_back(LimitCells(PeriodLevel(r, period), ReceiverLimit(r, doc.m_settings, period)));
    return cells;
}

std::vector<std::string> FacadeLimitCells(const CMyTalvoDoc& doc, EPeriod period)
{
    std::vector<std::string> cells;
    for (const CFacadeReceiver& r : doc.m_arrFacade)
        cells.push_back(LimitCells(PeriodLevel(r, period),
                                   BuildingLimitAt(doc.m_arrBuilding, r.m_nBuilding, doc.m_settings, period)));
    return cells;
}

std::vector<std::string> FloorLimitCells(const CMyTalvoDoc& doc, EPeriod period)
{
    std::vector<std::string> cells;
    for (const CFloorSummary& row : SummariseFloors(doc.m_arrFacade, period))
        cells.push_back(
            LimitCells(row.m_dMax, BuildingLimitAt(doc.m_arrBuilding, row.m_nBuilding, doc.m_settings, period)));
    return cells;
}

std::vector<std::string> JudgementCells(const CReceiverPoint& r, const CProjectSettings& settings)
{
    const std::optional<CLimit> day = ReceiverLimit(r, settings, EPeriod::kDay);
    const std::optional<CLimit> night = ReceiverLimit(r, settings, EPeriod::kNight);
    const double dayLevel = PeriodLevel(r, EPeriod::kDay), nightLevel = PeriodLevel(r, EPeriod::kNight);
    return {r.m_dTargetLevel > 0 ? FormatLevel(r.m_dTargetLevel) : std::string(kNoEnergyMark),
            FormatLimit(day),
            FormatExceedance(Exceedance(dayLevel, day)),
            FormatLevel(nightLevel),
            FormatLimit(night),
            FormatExceedance(Exceedance(nightLevel, night))};
}
