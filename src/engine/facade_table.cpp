#include "engine/facade_table.h"

#include <initializer_list>

#include "engine/period_levels.h"

const char* const kFacadeTableHeader =
    "building\twall\tpoint\tfloor\tX(m)\tY(m)\tZ(m)\t63\t125\t250\t500\t1K\t2K\t4K\t8K\tOverall";
const char* const kFloorTableHeader = "building\tfloor\tpoints\tmax\twall\tpoint\tmin";

namespace {

std::string Numbers(std::initializer_list<int> values)
{
    std::string text;
    for (int v : values)
        text += (text.empty() ? "" : "\t") + std::to_string(v);
    return text;
}

std::string ReceiverLine(const CFacadeReceiver& r, EPeriod period)
{
    std::string line = Numbers({r.m_nBuilding + 1, r.m_nWall, r.m_nPoint, r.m_nFloor});
    for (double v : {r.m_vPos.x, r.m_vPos.y, r.m_vPos.z})
        line += '\t' + FormatFixed2(v);
    const Bands& levels = LevelsOf(r, period);
    for (double level : levels)
        line += '\t' + FormatLevel(level);
    return line + '\t' + FormatLevel(EnergySum(levels)) + '\n';
}

// The receivers with the period's levels where the floor summary reads them.
std::vector<CFacadeReceiver> WithLevelsOf(std::vector<CFacadeReceiver> receivers, EPeriod period)
{
    for (CFacadeReceiver& r : receivers)
        r.m_dLevel = LevelsOf(r, period);
    return receivers;
}

std::string FloorLine(const CFloorSummary& row)
{
    std::string line = Numbers({row.m_nBuilding + 1, row.m_nFloor, row.m_nPoints}) + '\t' + FormatLevel(row.m_dMax);
    if (HasEnergy(row.m_dMax))
        line += '\t' + Numbers({row.m_nMaxWall, row.m_nMaxPoint});
    else
        line += std::string("\t") + kNoEnergyMark + '\t' + kNoEnergyMark;
    return line + '\t' + FormatLevel(row.m_dMin) + '\n';
}

}  // namespace

std::string FacadeTableText(const std::vector<CFacadeReceiver>& receivers, EPeriod period)
{
    std::string text = std::string(kFacadeTableHeader) + '\n';
    for (const CFacadeReceiver& r : receivers)
        text += ReceiverLine(r, period);
    return text;
}

std::string FloorTableText(const std::vector<CFacadeReceiver>& receivers, EPeriod period)
{
    std::string text = std::string(kFloorTableHeader) + '\n';
    for (const CFloorSummary& row : SummariseFloors(WithLevelsOf(receivers, period)))
        text += FloorLine(row);
    return text;
}
