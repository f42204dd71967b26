// The report's maps part: the plan noise map and the section noise map, drawn into the
// page as figures, each under a caption that says what it shows.
#include "drawing/section_exaggeration.h"
#include "model/noise_level_classes.h"
#include "report/report_html.h"
#include "report/report_map_figures.h"
#include "report/report_parts.h"

namespace {

QString MapWhat(const CNoiseMapGrid& grid) { return QString::fromStdString(NoiseMapUnit(grid.m_nBand)); }

double Spacing(const std::vector<double>& nodes) { return nodes.size() > 1 ? nodes[1] - nodes[0] : 0; }

// Millimetres a part's heading and a caption take above a figure.
constexpr double kHeadingMm = 16, kCaptionMm = 9;

// A caption; with `newPage`, on a page of its own, so that it stays above its figure.
QString Caption(const QString& text, bool newPage)
{
    if (!newPage)
        return report::Paragraph(text);
    return QStringLiteral("<p style=\"font-size: 9pt; page-break-before: always;\">%1</p>").arg(text);
}

}  // namespace

QString MapsHtml(const CReportInput& input, CReportFigures& figures, QSizeF bodyMm)
{
    QString html = report::PartHeading(QStringLiteral("5. 소음 지도"));
    if (!input.map || input.map->plan.Empty())
        return html + report::Paragraph(QStringLiteral("소음지도가 계산되지 않았습니다."));
    const CNoiseMap& map = *input.map;
    const CNoiseMapGrid& plan = map.plan;
    const QSizeF roomMm(bodyMm.width(), bodyMm.height() - kHeadingMm - kCaptionMm);
    const CMapFigure planFigure = PlanMapFigure(*input.doc, map, roomMm);
    html += report::Paragraph(
                QStringLiteral("평면 소음지도: %1, 높이 %2 m, 격자 간격 %3 m")
                    .arg(MapWhat(plan), report::Fixed(plan.m_dHeight, 1), report::Fixed(Spacing(plan.m_arrU), 1))) +
            figures.Add(planFigure.sizeMm, planFigure.paint);
    if (!map.section || map.section->Empty())
        return html;
    const CNoiseMapGrid& section = *map.section;
    const CMapFigure sectionFigure = SectionMapFigure(*input.doc, map, roomMm);
    const double both = kHeadingMm + 2 * kCaptionMm + planFigure.sizeMm.height() + sectionFigure.sizeMm.height();
    return html +
           Caption(QStringLiteral("단면 소음지도: %1, 단면선을 따라 지면에서 %2 m까지, 격자 간격 %3 m, 높이 %4배 확대")
                       .arg(MapWhat(section), report::Fixed(section.m_dEndV - section.m_dStartV, 0),
                            report::Fixed(Spacing(section.m_arrU), 2))
                       .arg(kDefaultSectionExaggeration),
                   both > bodyMm.height()) +
           figures.Add(sectionFigure.sizeMm, sectionFigure.paint);
}
