#include "report/report_compliance.h"

#include <map>

#include "model/document.h"
#include "report/report_html.h"
#include "report/report_limits.h"
#include "report/report_parts.h"

using report::CRow;
using report::Fixed;

bool CPeriodVerdict::Exceeds() const { return ExceedsLimit(level, limit); }

std::vector<CReceiverVerdict> ReceiverVerdicts(const CMyTalvoDoc& doc)
{
    std::vector<CReceiverVerdict> verdicts;
    const CProjectSettings& s = doc.m_settings;
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i) {
        const CReceiverPoint& r = doc.m_arrReceiver[i];
        verdicts.push_back({i,
                            {EnergySum(r.m_dLevel), ReportReceiverLimit(s, r, EPeriod::kDay)},
                            {EnergySum(r.m_dNightLevel), ReportReceiverLimit(s, r, EPeriod::kNight)}});
    }
    return verdicts;
}

namespace {

// The highest level of each floor of each building, in building then floor order.
std::map<std::pair<int, int>, double> FloorMaxima(const std::vector<CFacadeReceiver>& facade, bool night)
{
    std::map<std::pair<int, int>, double> maxima;
    for (const CFacadeReceiver& f : facade) {
        const double level = EnergySum(night ? f.m_dNightLevel : f.m_dLevel);
        auto [at, added] = maxima.try_emplace({f.m_nBuilding, f.m_nFloor}, level);
        if (!added && level > at->second)
            at->second = level;
    }
    return maxima;
}

}  // namespace

std::vector<CFloorVerdict> FloorVerdicts(const CMyTalvoDoc& doc)
{
    const auto day = FloorMaxima(doc.m_arrFacade, false), night = FloorMaxima(doc.m_arrFacade, true);
    std::vector<CFloorVerdict> verdicts;
    for (const auto& [key, level] : day) {
        const auto [building, floor] = key;
        const bool known = building >= 0 && std::size_t(building) < doc.m_arrBuilding.size();
        std::optional<CLimit> dayLimit, nightLimit;
        if (known) {
            const CBuilding& b = doc.m_arrBuilding[std::size_t(building)];
            dayLimit = ReportBuildingLimit(doc.m_settings, b, EPeriod::kDay);
            nightLimit = ReportBuildingLimit(doc.m_settings, b, EPeriod::kNight);
        }
        verdicts.push_back({building, floor, {level, dayLimit}, {night.at(key), nightLimit}});
    }
    return verdicts;
}

QString NumberRuns(const std::vector<int>& numbers)
{
    QStringList runs;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        runs << (j == i ? QString::number(numbers[i]) : QStringLiteral("%1~%2").arg(numbers[i]).arg(numbers[j]));
        i = j + 1;
    }
    return runs.join(QStringLiteral(", "));
}

QString FloorRuns(const std::vector<int>& floors)
{
    return floors.empty() ? QString() : NumberRuns(floors) + QStringLiteral("층");
}

namespace {

QString LimitCell(const CPeriodVerdict& v)
{
    return v.limit ? Fixed(v.limit->m_dValue, 1) : QStringLiteral("기준 없음");
}

// By how much the level lies over its limit, or that it meets it.
QString ExcessCell(const CPeriodVerdict& v)
{
    if (v.Exceeds())
        return QStringLiteral("<b>+%1</b>").arg(Fixed(v.level - v.limit->m_dValue, 1));
    return v.limit && HasEnergy(v.level) ? QStringLiteral("만족") : QStringLiteral("-");
}

void AddPeriod(CRow& row, const CPeriodVerdict& v)
{
    row.cells << ReportLevel(v.level) << LimitCell(v) << ExcessCell(v);
    row.highlighted = row.highlighted || v.Exceeds();
}

QStringList PeriodHeader(const QString& level, bool night)
{
    QStringList header = {QStringLiteral("주간 ") + level, QStringLiteral("기준"), QStringLiteral("초과")};
    if (night)
        header << QStringLiteral("야간 ") + level << QStringLiteral("기준") << QStringLiteral("초과");
    return header;
}

}  // namespace

QString ReceiverVerdictTable(const CMyTalvoDoc& doc, const std::vector<CReceiverVerdict>& verdicts, bool night)
{
    std::vector<CRow> rows;
    for (const CReceiverVerdict& v : verdicts) {
        const CReceiverPoint& r = doc.m_arrReceiver[v.receiver];
        CRow row{{QString::number(v.receiver + 1), Fixed(r.m_dX, 1), Fixed(r.m_dY, 1), Fixed(r.m_dZ, 1)}};
        AddPeriod(row, v.day);
        if (night)
            AddPeriod(row, v.night);
        rows.push_back(row);
    }
    const QStringList header = QStringList{QStringLiteral("수음점"), QStringLiteral("X (m)"), QStringLiteral("Y (m)"),
                                           QStringLiteral("Z (m)")} +
                               PeriodHeader(QStringLiteral("dB(A)"), night);
    return report::Table(header, rows, 1);
}

namespace {

// A building's floors in one period: the highest level and its floor, the floors over.
struct CBuildingPeriod {
    double max = kNoEnergy;
    int maxFloor = 0;
    std::optional<CLimit> limit;
    std::vector<int> over;

    void Add(int floor, const CPeriodVerdict& v)
    {
        limit = v.limit;
        if (HasEnergy(v.level) && (!HasEnergy(max) || v.level > max)) {
            max = v.level;
            maxFloor = floor;
        }
        if (v.Exceeds())
            over.push_back(floor);
    }

    void AddCells(CRow& row) const
    {
        row.cells << (HasEnergy(max) ? QStringLiteral("%1 (%2층)").arg(ReportLevel(max)).arg(maxFloor)
                                     : QStringLiteral("-"));
        row.cells << (limit ? Fixed(limit->m_dValue, 1) : QStringLiteral("기준 없음"));
        if (!limit)
            row.cells << QStringLiteral("-");
        else if (over.empty())
            row.cells << QStringLiteral("없음");
        else
            row.cells << QStringLiteral("<b>%1 (%2개 층)</b>").arg(FloorRuns(over)).arg(over.size());
        row.highlighted = row.highlighted || !over.empty();
    }
};

QString BuildingNameOrDash(const CMyTalvoDoc& doc, int building)
{
    if (building < 0 || std::size_t(building) >= doc.m_arrBuilding.size())
        return QStringLiteral("-");
    const std::string& name = doc.m_arrBuilding[std::size_t(building)].m_pName;
    return name.empty() ? QStringLiteral("-") : report::Text(name);
}

}  // namespace

QString BuildingVerdictTable(const CMyTalvoDoc& doc, const std::vector<CFloorVerdict>& verdicts, bool night)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < verdicts.size();) {
        const int building = verdicts[i].building;
        CBuildingPeriod day, atNight;
        int floors = 0;
        for (; i < verdicts.size() && verdicts[i].building == building; ++i, ++floors) {
            day.Add(verdicts[i].floor, verdicts[i].day);
            atNight.Add(verdicts[i].floor, verdicts[i].night);
        }
        CRow row{{QString::number(building + 1), BuildingNameOrDash(doc, building), QString::number(floors)}};
        day.AddCells(row);
        if (night)
            atNight.AddCells(row);
        rows.push_back(row);
    }
    const QStringList header =
        QStringList{QStringLiteral("건물"), QStringLiteral("이름"), QStringLiteral("층수")} +
        QStringList{QStringLiteral("주간 최고"), QStringLiteral("기준"), QStringLiteral("초과 층")} +
        (night ? QStringList{QStringLiteral("야간 최고"), QStringLiteral("기준"), QStringLiteral("초과 층")}
               : QStringList());
    return report::Table(header, rows, 2);
}
