// The report's barrier design part: the barrier, and the levels without and with it at the
// receiver or the building floors it was designed for, against their limits.
#include "engine/calculation.h"
#include "model/document.h"
#include "optimise/barrier_apply.h"
#include "report/report_html.h"
#include "report/report_limits.h"
#include "report/report_parts.h"

using report::CRow;
using report::Fixed;

namespace {

// The overall level at the receiver once the designed barrier stands in the project.
double LevelWithDesign(const CMyTalvoDoc& doc, const CReportDesign& design)
{
    CMyTalvoDoc withBarrier = doc;
    withBarrier.m_arrBarrier.push_back(MakeOptimisedBarrier(design.barrier));
    Calculate(withBarrier);
    const CReceiverPoint& r = withBarrier.m_arrReceiver[std::size_t(design.receiver)];
    return EnergySum(design.period == EPeriod::kNight ? r.m_dNightLevel : r.m_dLevel);
}

QString Decibels(double level) { return ReportLevel(level) + QStringLiteral(" dB(A)"); }

QString Verdict(double level, const std::optional<CLimit>& limit)
{
    if (!limit)
        return QStringLiteral("기준 없음");
    return ExceedsLimit(level, limit) ? QStringLiteral("<b>기준 초과</b>") : QStringLiteral("기준 만족");
}

QString PeriodText(EPeriod period) { return QString::fromUtf8(PeriodName(period)); }

std::vector<std::pair<QString, QString>> BarrierRows(const COptBarrierResult& b)
{
    return {
        {QStringLiteral("방음벽"),
         QStringLiteral("시점 %1, %2 m - 종점 %3, %4 m")
             .arg(Fixed(b.m_dStartX, 2), Fixed(b.m_dStartY, 2), Fixed(b.m_dEndX, 2), Fixed(b.m_dEndY, 2))},
        {QStringLiteral("연장"), Fixed(MakeOptimisedBarrier(b).PlanLength(), 2) + QStringLiteral(" m")},
        {QStringLiteral("높이"), Fixed(b.m_dHeight, 2) + QStringLiteral(" m")},
    };
}

QString ReceiverDesign(const CMyTalvoDoc& doc, const CReportDesign& design)
{
    const CReceiverPoint& r = doc.m_arrReceiver[std::size_t(design.receiver)];
    const double before = EnergySum(design.period == EPeriod::kNight ? r.m_dNightLevel : r.m_dLevel);
    const double reached = LevelWithDesign(doc, design);
    const std::optional<CLimit> limit = ReportReceiverLimit(doc.m_settings, r, design.period);
    std::vector<std::pair<QString, QString>> rows = BarrierRows(design.barrier);
    rows.insert(rows.end(),
                {
                    {QStringLiteral("대상 수음점"),
                     QStringLiteral("수음점 %1 (X %2, Y %3, Z %4), %5")
                         .arg(design.receiver + 1)
                         .arg(Fixed(r.m_dX, 1), Fixed(r.m_dY, 1), Fixed(r.m_dZ, 1), PeriodText(design.period))},
                    {QStringLiteral("설치 전 레벨"), Decibels(before)},
                    {QStringLiteral("설치 후 레벨"), Decibels(reached)},
                    {QStringLiteral("기준 레벨"), limit ? Decibels(limit->m_dValue) : QStringLiteral("기준 없음")},
                    {QStringLiteral("판정"), Verdict(reached, limit)},
                });
    return report::NameValueTable(rows);
}

// The first cells of a row: the building and the floor, or the receiver.
QStringList RowNameCells(const CMyTalvoDoc& doc, const CReportDesignFloor& f)
{
    if (f.receiver >= 0)
        return {QString::number(f.receiver + 1)};
    return {ReportBuildingName(doc, f.building), QString::number(f.floor)};
}

// Row by row: the highest level without and with the barrier, its insertion loss and the
// verdict; rows out of the barrier's reach are named as such.
QString FloorsDesign(const CMyTalvoDoc& doc, const CReportDesign& design)
{
    const bool receivers = design.floors.front().receiver >= 0;
    std::vector<CRow> rows;
    for (const CReportDesignFloor& f : design.floors) {
        const bool both = HasEnergy(f.before) && HasEnergy(f.after);
        CRow row{RowNameCells(doc, f)};
        row.cells << ReportLevel(f.before) << ReportLevel(f.after)
                  << (both ? Fixed(f.before - f.after, 1) : QStringLiteral("-"))
                  << (f.limit ? Fixed(f.limit->m_dValue, 1) : QStringLiteral("기준 없음"))
                  << (f.outOfReach ? QStringLiteral("<b>방음벽으로 불가</b>") : Verdict(f.after, f.limit));
        row.highlighted = f.outOfReach || ExceedsLimit(f.after, f.limit);
        rows.push_back(row);
    }
    const QStringList names =
        receivers ? QStringList{QStringLiteral("수음점")} : QStringList{QStringLiteral("건물"), QStringLiteral("층")};
    const QString what = receivers ? QStringLiteral("수음점별 설치 전후 (%1, dB(A))")
                                   : QStringLiteral("층별 설치 전후 (%1, 층별 최고 레벨 dB(A))");
    return report::SubHeading(what.arg(PeriodText(design.period))) +
           report::Table(
               names + QStringList{QStringLiteral("설치 전"), QStringLiteral("설치 후"), QStringLiteral("삽입손실"),
                                   QStringLiteral("기준"), QStringLiteral("판정")},
               rows, int(names.size()));
}

}  // namespace

QString DesignHtml(const CMyTalvoDoc& doc, const CReportDesign& design)
{
    const QString heading = report::PartHeading(QStringLiteral("6. 방음벽 설계"));
    const bool forReceiver = design.receiver >= 0 && std::size_t(design.receiver) < doc.m_arrReceiver.size();
    if (!forReceiver && design.floors.empty())
        return heading + report::Paragraph(QStringLiteral("설계 대상 수음점이 없습니다."));
    QString html = heading;
    if (forReceiver)
        html += ReceiverDesign(doc, design);
    else
        html += report::NameValueTable(BarrierRows(design.barrier));
    if (!design.floors.empty())
        html += FloorsDesign(doc, design);
    return html;
}

CReportDesign ReportDesignOf(const CDesignTable& table)
{
    CReportDesign design;
    design.barrier = table.m_barrier;
    design.period = table.m_ePeriod;
    for (const CDesignTableRow& row : table.m_arrRow) {
        CReportDesignFloor f;
        f.building = row.m_nBuilding;
        f.floor = row.m_nFloor;
        f.receiver = row.m_nReceiver;
        f.before = row.m_dBefore;
        f.after = row.m_dAfter;
        f.limit = row.m_limit;
        f.outOfReach = row.m_eCheck == EDesignCheck::kOutOfReach;
        design.floors.push_back(f);
    }
    return design;
}
