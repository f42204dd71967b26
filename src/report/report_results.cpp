// The report's results part (the receiver table) and its barrier design part.
#include "engine/calculation.h"
#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "optimise/barrier_apply.h"
#include "report/report_html.h"
#include "report/report_parts.h"

using report::CRow;
using report::Fixed;

namespace {

CRow ReceiverRow(const CReceiverPoint& r, std::size_t index)
{
    CRow row{{QString::number(index + 1), Fixed(r.m_dX, 1), Fixed(r.m_dY, 1), Fixed(r.m_dZ, 1)}};
    for (double level : r.m_dLevel)
        row.cells << ReportLevel(level);
    const QString overall = ReportLevel(EnergySum(r.m_dLevel));
    row.highlighted = ExceedsTarget(r);
    row.cells << (row.highlighted ? QStringLiteral("<b>%1</b>").arg(overall) : overall);
    row.cells << (r.m_dTargetLevel > 0 ? Fixed(r.m_dTargetLevel, 1) : QStringLiteral("-"));
    return row;
}

// The overall level at the receiver once the designed barrier stands in the project.
double LevelWithDesign(const CMyTalvoDoc& doc, const CReportDesign& design)
{
    CMyTalvoDoc withBarrier = doc;
    withBarrier.m_arrBarrier.push_back(MakeOptimisedBarrier(design.barrier));
    Calculate(withBarrier);
    return EnergySum(withBarrier.m_arrReceiver[std::size_t(design.receiver)].m_dLevel);
}

}  // namespace

QString ResultsHtml(const CMyTalvoDoc& doc)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i)
        rows.push_back(ReceiverRow(doc.m_arrReceiver[i], i));
    const QStringList header = {QStringLiteral("수음점"),  QStringLiteral("X (m)"), QStringLiteral("Y (m)"),
                                QStringLiteral("Z (m)"),   QStringLiteral("63"),    QStringLiteral("125"),
                                QStringLiteral("250"),     QStringLiteral("500"),   QStringLiteral("1K"),
                                QStringLiteral("2K"),      QStringLiteral("4K"),    QStringLiteral("8K"),
                                QStringLiteral("Overall"), QStringLiteral("목표")};
    const std::string exclusion = ExclusionNote(doc);
    const QString note =
        exclusion.empty() ? QString() : report::Paragraph(QStringLiteral("<b>%1</b>").arg(report::Text(exclusion)));
    return report::PartHeading(QStringLiteral("3. 예측 결과")) +
           report::Paragraph(QStringLiteral("옥타브 밴드별 A 가중 음압레벨과 전체 레벨, dB(A). "
                                            "목표 레벨을 넘는 수음점은 색으로 표시합니다.")) +
           note + report::Table(header, rows, 1);
}

QString DesignHtml(const CMyTalvoDoc& doc, const CReportDesign& design)
{
    const QString heading = report::PartHeading(QStringLiteral("5. 방음벽 설계"));
    if (design.receiver < 0 || std::size_t(design.receiver) >= doc.m_arrReceiver.size())
        return heading + report::Paragraph(QStringLiteral("설계 대상 수음점이 없습니다."));
    const COptBarrierResult& b = design.barrier;
    const CReceiverPoint& r = doc.m_arrReceiver[std::size_t(design.receiver)];
    const double reached = LevelWithDesign(doc, design);
    const bool met = r.m_dTargetLevel <= 0 || (HasEnergy(reached) && reached <= r.m_dTargetLevel);
    return heading +
           report::NameValueTable({
               {QStringLiteral("방음벽"),
                QStringLiteral("시점 %1, %2 m - 종점 %3, %4 m")
                    .arg(Fixed(b.m_dStartX, 2), Fixed(b.m_dStartY, 2), Fixed(b.m_dEndX, 2), Fixed(b.m_dEndY, 2))},
               {QStringLiteral("연장"), Fixed(MakeOptimisedBarrier(b).PlanLength(), 2) + QStringLiteral(" m")},
               {QStringLiteral("높이"), Fixed(b.m_dHeight, 2) + QStringLiteral(" m")},
               {QStringLiteral("대상 수음점"), QStringLiteral("수음점 %1 (X %2, Y %3, Z %4)")
                                                   .arg(design.receiver + 1)
                                                   .arg(Fixed(r.m_dX, 1), Fixed(r.m_dY, 1), Fixed(r.m_dZ, 1))},
               {QStringLiteral("설치 전 레벨"), ReportLevel(EnergySum(r.m_dLevel)) + QStringLiteral(" dB(A)")},
               {QStringLiteral("설치 후 레벨"), ReportLevel(reached) + QStringLiteral(" dB(A)")},
               {QStringLiteral("목표 레벨"),
                r.m_dTargetLevel > 0 ? Fixed(r.m_dTargetLevel, 1) + QStringLiteral(" dB(A)") : QStringLiteral("-")},
               {QStringLiteral("판정"), met ? QStringLiteral("목표 만족") : QStringLiteral("목표 초과")},
           });
}
