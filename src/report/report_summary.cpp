// The report's first page, what an engineer reads first: the project, the criterion and
// the targets, which barriers the calculation left out, how many receivers and building
// floors exceed their limits per period (named), a key map and the tables behind the count.
#include <QLocale>
#include <map>

#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "model/program_version.h"
#include "report/report_compliance.h"
#include "report/report_html.h"
#include "report/report_limits.h"
#include "report/report_map_figures.h"
#include "report/report_parts.h"

using report::Fixed;

QString ReportLevel(double level) { return HasEnergy(level) ? Fixed(level, 1) : QStringLiteral("-"); }

QString ReportBuildingName(const CMyTalvoDoc& doc, int building)
{
    const bool known = building >= 0 && std::size_t(building) < doc.m_arrBuilding.size();
    if (known && !doc.m_arrBuilding[std::size_t(building)].m_pName.empty())
        return report::Text(doc.m_arrBuilding[std::size_t(building)].m_pName);
    return QStringLiteral("건물 %1").arg(building + 1);
}

namespace {

QString CriterionCell(const CProjectSettings& s)
{
    QString text = report::Text(CriterionText(s));
    const int n = s.m_nCriterion;
    const char* source = CriterionSource(ECriterion(n >= 0 && n <= int(ECriterion::kUserDefined) ? n : 0));
    if (*source)
        text += QStringLiteral("<br>근거: ") + report::Text(source);
    return text;
}

// The receivers' own targets, receivers of one target together: "65.0 dB(A): 수음점 1~4, 7".
QString TargetsCell(const CMyTalvoDoc& doc)
{
    std::map<double, std::vector<int>> byTarget;
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i)
        if (doc.m_arrReceiver[i].m_dTargetLevel > 0)
            byTarget[doc.m_arrReceiver[i].m_dTargetLevel].push_back(int(i) + 1);
    if (byTarget.empty())
        return QStringLiteral("없음");
    QStringList targets;
    for (const auto& [target, receivers] : byTarget)
        targets << QStringLiteral("%1 dB(A): 수음점 %2").arg(Fixed(target, 1), NumberRuns(receivers));
    return targets.join(QStringLiteral("; ")) + QStringLiteral(" (주간, 평가 기준에 앞섬)");
}

QString ExclusionCell(const CMyTalvoDoc& doc)
{
    const std::string names = ExcludedBarrierNames(doc);
    if (names.empty())
        return QStringLiteral("없음");
    return QStringLiteral("<b>%1</b> (차음하지 않고 반사만 하도록 계산)").arg(report::Text(names));
}

QString ReceiverCount(const std::vector<CReceiverVerdict>& verdicts, bool night)
{
    int judged = 0;
    QStringList over;
    for (const CReceiverVerdict& v : verdicts) {
        const CPeriodVerdict& p = night ? v.night : v.day;
        judged += p.limit ? 1 : 0;
        if (p.Exceeds())
            over << QString::number(v.receiver + 1);
    }
    const int total = int(verdicts.size());
    if (judged == 0)
        return QStringLiteral("수음점 %1곳 모두 기준 없음").arg(total);
    QString text = QStringLiteral("수음점 %1곳 중 %2곳 초과").arg(judged).arg(over.size());
    if (!over.isEmpty())
        text += QStringLiteral(" (<b>수음점 %1</b>)").arg(over.join(QStringLiteral(", ")));
    if (judged < total)
        text += QStringLiteral(", 기준 없음 %1곳").arg(total - judged);
    return text;
}

QString FloorCount(const CMyTalvoDoc& doc, const std::vector<CFloorVerdict>& verdicts, bool night)
{
    int judged = 0, over = 0;
    QStringList named;
    for (std::size_t i = 0; i < verdicts.size();) {
        const int building = verdicts[i].building;
        std::vector<int> floors;
        for (; i < verdicts.size() && verdicts[i].building == building; ++i) {
            const CPeriodVerdict& p = night ? verdicts[i].night : verdicts[i].day;
            judged += p.limit ? 1 : 0;
            if (p.Exceeds())
                floors.push_back(verdicts[i].floor);
        }
        over += int(floors.size());
        if (!floors.empty())
            named << ReportBuildingName(doc, building) + QStringLiteral(" ") + FloorRuns(floors);
    }
    if (judged == 0)
        return QStringLiteral("건물 층 %1개 모두 기준 없음").arg(verdicts.size());
    QString text = QStringLiteral("건물 층 %1개 중 %2개 초과").arg(judged).arg(over);
    if (!named.isEmpty())
        text += QStringLiteral(" (<b>%1</b>)").arg(named.join(QStringLiteral(", ")));
    return text;
}

QString PeriodLine(const CMyTalvoDoc& doc, const std::vector<CReceiverVerdict>& receivers,
                   const std::vector<CFloorVerdict>& floors, bool night)
{
    QStringList parts;
    if (!receivers.empty())
        parts << ReceiverCount(receivers, night);
    if (!floors.empty())
        parts << FloorCount(doc, floors, night);
    if (parts.isEmpty())
        parts << QStringLiteral("판정할 수음점이 없습니다");
    return QStringLiteral("<b>%1</b>: %2")
        .arg(night ? QStringLiteral("야간") : QStringLiteral("주간"), parts.join(QStringLiteral("; ")));
}

QString VerdictLines(const CMyTalvoDoc& doc, const std::vector<CReceiverVerdict>& receivers,
                     const std::vector<CFloorVerdict>& floors, bool night)
{
    QString html = report::Paragraph(PeriodLine(doc, receivers, floors, false));
    if (night)
        return html + report::Paragraph(PeriodLine(doc, receivers, floors, true));
    return html + report::Paragraph(
                      QStringLiteral("<b>야간</b>: 야간 레벨이 없습니다 (야간 교통량도 야간 교통량 비율도 없습니다)"));
}

std::vector<bool> OverInAPeriod(const std::vector<CReceiverVerdict>& verdicts)
{
    std::vector<bool> over;
    for (const CReceiverVerdict& v : verdicts)
        over.push_back(v.day.Exceeds() || v.night.Exceeds());
    return over;
}

}  // namespace

QString SummaryHtml(const CReportInput& input, CReportFigures& figures, QSizeF keyMapRoomMm)
{
    const CMyTalvoDoc& doc = *input.doc;
    const CProjectSettings& s = doc.m_settings;
    const QString date = QLocale::c().toString(input.date, QStringLiteral("yyyy-MM-dd HH:mm"));
    const bool night = HasNightLevels(doc);
    const std::vector<CReceiverVerdict> receivers = ReceiverVerdicts(doc);
    const std::vector<CFloorVerdict> floors = FloorVerdicts(doc);
    const CMapFigure keyMap = KeyMapFigure(doc, OverInAPeriod(receivers), keyMapRoomMm);
    QString html = report::PartHeading(QStringLiteral("1. 개요")) +
                   report::NameValueTable({
                       {QStringLiteral("사업명"), report::Text(s.m_strProjectName)},
                       {QStringLiteral("평가 기준"), CriterionCell(s)},
                       {QStringLiteral("목표 레벨"), TargetsCell(doc)},
                       {QStringLiteral("계산에서 제외한 방음벽"), ExclusionCell(doc)},
                       {QStringLiteral("작성일"), date},
                       {QStringLiteral("프로그램"), QString::fromUtf8(kProgramTitle)},
                   }) +
                   report::SubHeading(QStringLiteral("기준 초과 요약")) + VerdictLines(doc, receivers, floors, night) +
                   report::SubHeading(QStringLiteral("위치도")) + figures.Add(keyMap.sizeMm, keyMap.paint);
    if (!receivers.empty())
        html += report::SubHeading(QStringLiteral("수음점별 판정")) + ReceiverVerdictTable(doc, receivers, night);
    if (!floors.empty())
        html += report::SubHeading(QStringLiteral("건물별 판정 (층별 최고 레벨)")) +
                BuildingVerdictTable(doc, floors, night);
    return html;
}
