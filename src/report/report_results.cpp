// The report's results part: the receiver table.
#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "report/report_html.h"
#include "report/report_limits.h"
#include "report/report_parts.h"

using report::CRow;
using report::Fixed;

namespace {

QString Marked(const QString& level, bool over) { return over ? QStringLiteral("<b>%1</b>").arg(level) : level; }

// The day bands and overall level against the day's limit; with `night`, the night's
// overall level against its own.
CRow ReceiverRow(const CProjectSettings& s, const CReceiverPoint& r, std::size_t index, bool night)
{
    CRow row{{QString::number(index + 1), Fixed(r.m_dX, 1), Fixed(r.m_dY, 1), Fixed(r.m_dZ, 1)}};
    for (double level : r.m_dLevel)
        row.cells << ReportLevel(level);
    const double day = EnergySum(r.m_dLevel);
    const std::optional<CLimit> limit = ReportReceiverLimit(s, r, EPeriod::kDay);
    row.highlighted = ExceedsLimit(day, limit);
    row.cells << Marked(ReportLevel(day), row.highlighted);
    row.cells << (limit ? Fixed(limit->m_dValue, 1) : QStringLiteral("-"));
    if (!night)
        return row;
    const double atNight = EnergySum(r.m_dNightLevel);
    const std::optional<CLimit> nightLimit = ReportReceiverLimit(s, r, EPeriod::kNight);
    const bool over = ExceedsLimit(atNight, nightLimit);
    row.highlighted = row.highlighted || over;
    row.cells << Marked(ReportLevel(atNight), over)
              << (nightLimit ? Fixed(nightLimit->m_dValue, 1) : QStringLiteral("-"));
    return row;
}

}  // namespace

QString ResultsHtml(const CMyTalvoDoc& doc)
{
    const bool night = HasNightLevels(doc);
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i)
        rows.push_back(ReceiverRow(doc.m_settings, doc.m_arrReceiver[i], i, night));
    QStringList header = {QStringLiteral("수음점"),  QStringLiteral("X (m)"), QStringLiteral("Y (m)"),
                          QStringLiteral("Z (m)"),   QStringLiteral("63"),    QStringLiteral("125"),
                          QStringLiteral("250"),     QStringLiteral("500"),   QStringLiteral("1K"),
                          QStringLiteral("2K"),      QStringLiteral("4K"),    QStringLiteral("8K"),
                          QStringLiteral("Overall"), QStringLiteral("기준")};
    if (night)
        header << QStringLiteral("야간") << QStringLiteral("야간 기준");
    const std::string exclusion = ExclusionNote(doc);
    const QString note =
        exclusion.empty() ? QString() : report::Paragraph(QStringLiteral("<b>%1</b>").arg(report::Text(exclusion)));
    return report::PartHeading(QStringLiteral("4. 예측 결과")) +
           report::Paragraph(QStringLiteral("옥타브 밴드별 A 가중 음압레벨과 전체 레벨 (주간), dB(A). 기준은 수음점의 "
                                            "목표 레벨, 없으면 평가 기준의 한계입니다. 기준을 넘는 수음점은 색으로 "
                                            "표시합니다.")) +
           note + report::Table(header, rows, 1);
}
