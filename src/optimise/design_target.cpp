#include "optimise/design_target.h"

#include "engine/period_levels.h"
#include "model/document.h"
#include "model/facade_receivers.h"
#include "optimise/design_limits.h"

namespace {

bool IsBuildingTarget(const CDesignTarget& target) { return target.m_eKind == CDesignTarget::EKind::kBuilding; }

// The floors of the target, from 1 inclusive; every floor when none are named.
void FloorRange(const CDesignTarget& target, const CBuilding& building, int& first, int& last)
{
    const bool every = target.m_nFirstFloor == 0 && target.m_nLastFloor == 0;
    first = every ? 1 : target.m_nFirstFloor;
    last = every ? building.m_nFloors : target.m_nLastFloor;
}

std::string BuildingName(const CMyTalvoDoc& doc, int building)
{
    const std::string& name = doc.m_arrBuilding[static_cast<std::size_t>(building)].m_pName;
    return name.empty() ? "건물 " + std::to_string(building + 1) : name;
}

std::string FloorRangeText(int first, int last)
{
    const std::string from = std::to_string(first);
    return (first == last ? from : from + "~" + std::to_string(last)) + "층";
}

std::string CheckBuildingTarget(const CMyTalvoDoc& doc, const CDesignTarget& target)
{
    if (target.m_nBuilding < 0 || target.m_nBuilding >= static_cast<int>(doc.m_arrBuilding.size()))
        return kMsgNoSuchBuilding;
    const CBuilding& building = doc.m_arrBuilding[static_cast<std::size_t>(target.m_nBuilding)];
    int first = 0, last = 0;
    FloorRange(target, building, first, last);
    if (first < 1 || last < first || last > building.m_nFloors)
        return "층은 1층에서 " + std::to_string(building.m_nFloors) + "층 사이에서 아래층부터 주십시오.";
    return {};
}

std::string CheckReceiverTarget(const CMyTalvoDoc& doc, const CDesignTarget& target)
{
    if (target.m_arrReceiver.empty())
        return kMsgChooseReceivers;
    for (int r : target.m_arrReceiver)
        if (r < 0 || r >= static_cast<int>(doc.m_arrReceiver.size()))
            return "그런 수음점이 없습니다: " + std::to_string(r + 1);
    return {};
}

void AddReceiverRows(const CMyTalvoDoc& doc, const CDesignTarget& target, CDesignSet& set)
{
    for (int r : target.m_arrReceiver) {
        const CReceiverPoint& p = doc.m_arrReceiver[static_cast<std::size_t>(r)];
        CDesignRow row;
        row.m_strName = "수음점 " + std::to_string(r + 1);
        row.m_nReceiver = r;
        row.m_limit = target.m_dTarget ? TypedDesignLimit(*target.m_dTarget)
                                       : DesignReceiverLimit(p, doc.m_settings, target.m_ePeriod);
        row.m_arrPoint.push_back(static_cast<int>(set.m_arrPoint.size()));
        set.m_arrPoint.push_back({CMVector(p.m_dX, p.m_dY, p.m_dZ), p.m_dGroundFactor, p.m_dAreaFactor});
        set.m_arrRow.push_back(std::move(row));
    }
}

// One row per floor in the range that has façade points, from the lowest floor up.
void AddFloorRows(const CMyTalvoDoc& doc, const CDesignTarget& target, CDesignSet& set)
{
    const CBuilding& building = doc.m_arrBuilding[static_cast<std::size_t>(target.m_nBuilding)];
    int first = 0, last = 0;
    FloorRange(target, building, first, last);
    const std::vector<CFacadeReceiver> facade = DeriveFacadeReceivers(doc.m_arrBuilding, doc.m_settings);
    for (int floor = first; floor <= last; ++floor) {
        CDesignRow row;
        row.m_strName = BuildingName(doc, target.m_nBuilding) + " " + FloorRangeText(floor, floor);
        row.m_nBuilding = target.m_nBuilding;
        row.m_nFloor = floor;
        row.m_limit = target.m_dTarget ? TypedDesignLimit(*target.m_dTarget)
                                       : DesignBuildingLimit(building, doc.m_settings, target.m_ePeriod);
        for (const CFacadeReceiver& f : facade) {
            if (f.m_nBuilding != target.m_nBuilding || f.m_nFloor != floor)
                continue;
            row.m_arrPoint.push_back(static_cast<int>(set.m_arrPoint.size()));
            set.m_arrPoint.push_back({f.m_vPos, f.m_dGroundFactor, f.m_dAreaFactor});
        }
        if (!row.m_arrPoint.empty())
            set.m_arrRow.push_back(std::move(row));
    }
}

}  // namespace

std::string CheckDesignTarget(const CMyTalvoDoc& doc, const CDesignTarget& target)
{
    const std::string refusal =
        IsBuildingTarget(target) ? CheckBuildingTarget(doc, target) : CheckReceiverTarget(doc, target);
    if (!refusal.empty())
        return refusal;
    if (target.m_ePeriod == EPeriod::kNight && !HasPeriodPowers(doc, EPeriod::kNight))
        return kMsgNoNightPowers;
    return {};
}

CDesignSet MakeDesignSet(const CMyTalvoDoc& doc, const CDesignTarget& target)
{
    CDesignSet set;
    if (IsBuildingTarget(target))
        AddFloorRows(doc, target, set);
    else
        AddReceiverRows(doc, target, set);
    return set;
}

std::string DescribeRows(const CDesignSet& set, const std::vector<int>& rows)
{
    std::string text;
    for (std::size_t i = 0; i < rows.size();) {
        const CDesignRow& row = set.m_arrRow[static_cast<std::size_t>(rows[i])];
        std::size_t j = i + 1;
        while (row.m_nBuilding >= 0 && j < rows.size()) {
            const CDesignRow& next = set.m_arrRow[static_cast<std::size_t>(rows[j])];
            if (next.m_nBuilding != row.m_nBuilding || next.m_nFloor != row.m_nFloor + static_cast<int>(j - i))
                break;
            ++j;
        }
        if (!text.empty())
            text += ", ";
        if (row.m_nBuilding >= 0) {
            const int last = set.m_arrRow[static_cast<std::size_t>(rows[j - 1])].m_nFloor;
            text += row.m_strName.substr(0, row.m_strName.rfind(' ') + 1) + FloorRangeText(row.m_nFloor, last);
        } else {
            text += row.m_strName;
        }
        i = j;
    }
    return text;
}
