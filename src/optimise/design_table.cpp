#include "optimise/design_table.h"

#include <algorithm>

#include "optimise/barrier_apply.h"
#include "optimise/candidate_evaluator.h"
#include "optimise/design_limits.h"

namespace {

double Highest(const std::vector<double>& levels, const std::vector<int>& points)
{
    double top = kNoEnergy;
    for (int p : points)
        top = std::max(top, levels[static_cast<std::size_t>(p)]);
    return top;
}

EDesignCheck CheckOf(const CDesignTableRow& row, bool outOfReach, bool hasBarrier)
{
    if (!row.m_limit)
        return EDesignCheck::kNoLimit;
    if (outOfReach)
        return EDesignCheck::kOutOfReach;
    const double level = hasBarrier ? row.m_dAfter : row.m_dBefore;
    return ExceedsDesignLimit(level, *row.m_limit) ? EDesignCheck::kExceeds : EDesignCheck::kMet;
}

std::string RowLine(const CDesignTableRow& row)
{
    std::string line = row.m_nBuilding >= 0 ? std::to_string(row.m_nBuilding + 1) + "\t" +
                                                  std::to_string(row.m_nFloor) + "\t" + std::to_string(row.m_nPoints)
                                            : std::to_string(row.m_nReceiver + 1);
    for (double v : {row.m_limit ? row.m_limit->m_dValue : kNoEnergy, row.m_dBefore, row.m_dAfter, row.InsertionLoss()})
        line += "\t" + FormatLevel(v);
    return line + "\t" + DesignCheckText(row.m_eCheck) + "\n";
}

}  // namespace

double CDesignTableRow::InsertionLoss() const
{
    return HasEnergy(m_dBefore) && HasEnergy(m_dAfter) ? m_dBefore - m_dAfter : kNoEnergy;
}

CDesignTable MakeDesignTable(const CDesignSet& set, const std::vector<double>& before, const std::vector<double>& after,
                             const std::vector<int>& outOfReach)
{
    CDesignTable table;
    table.m_bHasBarrier = !after.empty();
    for (int r = 0; r < static_cast<int>(set.m_arrRow.size()); ++r) {
        const CDesignRow& source = set.m_arrRow[static_cast<std::size_t>(r)];
        CDesignTableRow row;
        row.m_strName = source.m_strName;
        row.m_nReceiver = source.m_nReceiver;
        row.m_nBuilding = source.m_nBuilding;
        row.m_nFloor = source.m_nFloor;
        row.m_nPoints = static_cast<int>(source.m_arrPoint.size());
        row.m_limit = source.m_limit;
        row.m_dBefore = Highest(before, source.m_arrPoint);
        if (table.m_bHasBarrier)
            row.m_dAfter = Highest(after, source.m_arrPoint);
        const bool out = std::find(outOfReach.begin(), outOfReach.end(), r) != outOfReach.end();
        row.m_eCheck = CheckOf(row, out, table.m_bHasBarrier);
        table.m_arrRow.push_back(std::move(row));
    }
    return table;
}

CDesignTable ComputeDesignTable(const CMyTalvoDoc& doc, const CDesignTarget& target,
                                const std::optional<COptBarrierResult>& barrier)
{
    const CDesignSet set = MakeDesignSet(doc, target);
    const CBarrier_Stage standing = barrier ? MakeOptimisedBarrier(*barrier) : CBarrier_Stage();
    CCandidateEvaluator eval(doc, set.m_arrPoint, target.m_ePeriod, standing);
    std::vector<int> all(set.m_arrPoint.size());
    std::vector<double> before(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<int>(i);
        before[i] = eval.LevelBefore(i);
    }
    std::vector<double> after;
    if (barrier) {
        eval.SetCandidate(standing);
        after = eval.LevelsWith(all);
    }
    CDesignTable table = MakeDesignTable(set, before, after, {});
    table.m_ePeriod = target.m_ePeriod;
    if (barrier)
        table.m_barrier = *barrier;
    return table;
}

const char* DesignCheckText(EDesignCheck check)
{
    switch (check) {
    case EDesignCheck::kMet: return "만족";
    case EDesignCheck::kExceeds: return "초과";
    case EDesignCheck::kOutOfReach: return "제외";
    case EDesignCheck::kNoLimit: break;
    }
    return "기준 없음";
}

std::string DesignTableText(const CDesignTable& table)
{
    const bool floors = !table.m_arrRow.empty() && table.m_arrRow.front().m_nBuilding >= 0;
    std::string text = floors ? "building\tfloor\tpoints" : "receiver";
    text += "\tlimit\tbefore\tafter\tloss\tcheck\n";
    for (const CDesignTableRow& row : table.m_arrRow)
        text += RowLine(row);
    return text;
}
