// The report's buildings: their inputs (footprint, floors, height, ground factors and
// absorption) and the per-floor table of the façade levels, every building and every
// floor, the floors whose highest level reaches 65 dB(A) marked.
#include "io/floor_table.h"
#include "model/document.h"
#include "model/footprint.h"
#include "report/report_html.h"
#include "report/report_parts.h"

using report::CRow;
using report::Fixed;

namespace {

QString BuildingName(const CBuilding& b) { return b.m_pName.empty() ? QStringLiteral("-") : report::Text(b.m_pName); }

QString AbsorptionText(const CBuilding& b)
{
    if (!b.m_pAbsorptionDesc.empty())
        return report::Text(b.m_pAbsorptionDesc);
    QStringList values;
    for (double a : b.m_dAbsorption)
        values << Fixed(a, 2);
    return values.join(QStringLiteral("/"));
}

CRow FloorRow(const CFloorSummary& row, const std::vector<CBuilding>& buildings)
{
    const bool reaches = ReachesFloorLimit(row);
    const bool known = row.m_nBuilding >= 0 && std::size_t(row.m_nBuilding) < buildings.size();
    const QString max = ReportLevel(row.m_dMax);
    const QString where = HasEnergy(row.m_dMax)
                              ? QStringLiteral("벽 %1, 점 %2").arg(row.m_nMaxWall).arg(row.m_nMaxPoint)
                              : QStringLiteral("-");
    CRow out{{QString::number(row.m_nBuilding + 1),
              known ? BuildingName(buildings[std::size_t(row.m_nBuilding)]) : QStringLiteral("-"),
              QString::number(row.m_nFloor), QString::number(row.m_nPoints),
              reaches ? QStringLiteral("<b>%1</b>").arg(max) : max, where, ReportLevel(row.m_dMin),
              reaches ? QStringLiteral("<b>%1 이상</b>").arg(kFloorLevelLimit) : QString()}};
    out.highlighted = reaches;
    return out;
}

}  // namespace

QString BuildingInputsHtml(const CMyTalvoDoc& doc)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrBuilding.size(); ++i) {
        const CBuilding& b = doc.m_arrBuilding[i];
        rows.push_back(
            {{QString::number(i + 1), BuildingName(b), QString::number(b.m_nFloors), Fixed(b.m_dFloorHeight, 2),
              Fixed(b.Height(), 2), QString::number(b.m_arrFootprint.size()),
              Fixed(std::abs(SignedDoubleArea(b.m_arrFootprint)) / 2, 1),
              Fixed(b.m_dGroundFactor, 2) + QStringLiteral(" / ") + Fixed(b.m_dAreaFactor, 2), AbsorptionText(b)}});
    }
    return report::Table(
        {QStringLiteral("건물"), QStringLiteral("이름"), QStringLiteral("층수"), QStringLiteral("층고 (m)"),
         QStringLiteral("높이 (m)"), QStringLiteral("꼭짓점"), QStringLiteral("면적 (m²)"),
         QStringLiteral("지면계수 (중간/수음)"), QStringLiteral("흡음률 (63 Hz ~ 8 kHz)")},
        rows, 2);
}

QString FloorsHtml(const CMyTalvoDoc& doc)
{
    const CProjectSettings& s = doc.m_settings;
    const QString heading = report::PartHeading(QStringLiteral("4. 예측 결과: 건물 층별 소음도"));
    const QString method = report::Paragraph(
        QStringLiteral("외벽 수음점은 각 벽을 따라 %1 m 이하 간격으로, 벽에서 %2 m 바깥, 각 층 바닥 위 %3 m에 "
                       "둡니다. 뒤쪽 벽의 반사음을 포함한 전체 레벨, dB(A). 층의 최고 레벨이 %4 dB(A) 이상인 "
                       "층은 색으로 표시합니다.")
            .arg(Fixed(s.m_dFacadeSpacing, 1), Fixed(s.m_dFacadeDistance, 1), Fixed(s.m_dFacadeHeight, 1))
            .arg(kFloorLevelLimit));
    if (doc.m_arrFacade.empty())
        return heading + method + report::Paragraph(QStringLiteral("외벽 수음점의 계산 결과가 없습니다."));
    std::vector<CRow> rows;
    for (const CFloorSummary& row : SummariseFloors(doc.m_arrFacade))
        rows.push_back(FloorRow(row, doc.m_arrBuilding));
    return heading + method +
           report::Table({QStringLiteral("건물"), QStringLiteral("이름"), QStringLiteral("층"),
                          QStringLiteral("수음점"), QStringLiteral("최고"), QStringLiteral("최고 위치"),
                          QStringLiteral("최저"), QStringLiteral("%1 dB(A)").arg(kFloorLevelLimit)},
                         rows, 2);
}
