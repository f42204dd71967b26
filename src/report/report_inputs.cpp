// The report's inputs part: the calculation's frame (coordinate system, area, receiver
// grid, what the project holds), roads with their traffic, the band powers per metre as
// talvo-cli emission prints them, barriers, embankments, cuttings, tunnels and buildings.
#include "engine/emission.h"
#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "report/report_html.h"
#include "report/report_parts.h"

using report::CRow;
using report::Fixed;

// The project's reference system (an EPSG code), or metres on the site's own axes.
QString CoordinateSystemText(const CProjectSettings& settings)
{
    if (settings.m_strCrs.empty())
        return QStringLiteral("지역 좌표 (m)");
    return QString::fromStdString(settings.m_strCrs);
}

namespace {

QString AreaText(const CProjectSettings& s)
{
    return QStringLiteral("X %1 ~ %2 m, Y %3 ~ %4 m")
        .arg(Fixed(s.m_dAreaStartX, 1), Fixed(s.m_dAreaEndX, 1), Fixed(s.m_dAreaStartY, 1), Fixed(s.m_dAreaEndY, 1));
}

QString CountsText(const CMyTalvoDoc& doc)
{
    const QString counts = QStringLiteral("도로 %1, 터널 %2, 성토 %3, 절토 %4, 방음벽 %5, 수음점 %6")
                               .arg(doc.m_arrRoad.size())
                               .arg(doc.m_arrTunnel.size())
                               .arg(doc.m_arrEmbankment.size())
                               .arg(doc.m_arrCutting.size())
                               .arg(doc.m_arrBarrier.size())
                               .arg(doc.m_arrReceiver.size());
    if (doc.m_arrBuilding.empty())
        return counts;
    return counts + QStringLiteral(", 건물 %1").arg(doc.m_arrBuilding.size());
}

QString FrameTable(const CMyTalvoDoc& doc)
{
    const CProjectSettings& s = doc.m_settings;
    return report::NameValueTable({
        {QStringLiteral("좌표계"), CoordinateSystemText(s)},
        {QStringLiteral("계산 영역"), AreaText(s)},
        {QStringLiteral("수음점 간격, 높이"),
         QStringLiteral("%1 m, %2 m").arg(Fixed(s.m_dReceiverSpacing, 1), Fixed(s.m_dReceiverHeight, 1))},
        {QStringLiteral("입력 개체 수"), CountsText(doc)},
    });
}

QString Pick(const QStringList& names, int index)
{
    return index >= 0 && index < names.size() ? names[index] : QString::number(index);
}

QString RoadKind(int info)
{
    return Pick({QStringLiteral("일반"), QStringLiteral("교량"), QStringLiteral("성토"), QStringLiteral("절토")}, info);
}

QString Pavement(int state, int detail)
{
    static const QStringList states = {QStringLiteral("아스팔트"), QStringLiteral("콘크리트"),
                                       QStringLiteral("저소음")};
    static const QStringList details[] = {
        {QStringLiteral("DGA"), QStringLiteral("BSMA"), QStringLiteral("PMA"), QStringLiteral("SMA")},
        {QStringLiteral("H30"), QStringLiteral("ARG"), QStringLiteral("L18"), QStringLiteral("L25"),
         QStringLiteral("RAND")},
        {QStringLiteral("POR")}};
    if (state < 0 || state > 2)
        return QString::number(state);
    return states[state] + QStringLiteral(" ") + Pick(details[state], detail);
}

QString Bridge(const CRoad& road)
{
    if (road.m_nRoadInfo != kRoadInfoBridge)
        return QStringLiteral("-");
    const QString type =
        Pick({QStringLiteral("강철형교"), QStringLiteral("콘크리트형교"), QStringLiteral("콘크리트강철형교"),
              QStringLiteral("콘크리트상판강판형교"), QStringLiteral("콘크리트I형교")},
             road.m_nBridgeType);
    return QStringLiteral("%1, 방음벽 좌 %2 / 중 %3 / 우 %4 m")
        .arg(type, Fixed(road.m_dLeftBarrierHeight, 1), Fixed(road.m_dCentreBarrierHeight, 1),
             Fixed(road.m_dRightBarrierHeight, 1));
}

QString Point(double x, double y) { return QStringLiteral("%1, %2").arg(Fixed(x, 2), Fixed(y, 2)); }
QString Point(double x, double y, double z) { return Point(x, y) + QStringLiteral(", ") + Fixed(z, 2); }

QString RoadsTable(const CMyTalvoDoc& doc)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrRoad.size(); ++i) {
        const CRoad& r = doc.m_arrRoad[i];
        rows.push_back({{QString::number(i + 1), Point(r.m_dStartX, r.m_dStartY, r.m_dStartZ),
                         Point(r.m_dEndX, r.m_dEndY, r.m_dEndZ), Fixed(r.m_dWidth, 2), RoadKind(r.m_nRoadInfo),
                         Pavement(r.m_nPavementState, r.m_nPavementDetail), Fixed(r.m_dGradient, 2), Bridge(r)}});
    }
    return report::Table({QStringLiteral("도로"), QStringLiteral("시점 X, Y, Z (m)"),
                          QStringLiteral("종점 X, Y, Z (m)"), QStringLiteral("폭 (m)"), QStringLiteral("구분"),
                          QStringLiteral("포장"), QStringLiteral("경사 (%)"), QStringLiteral("교량")},
                         rows, 3);
}

// The classes that count: all five, or only the first two (large and small vehicles).
QStringList ClassNames(int mode)
{
    if (mode == 1)
        return {QStringLiteral("대형화물차"), QStringLiteral("중형화물차"), QStringLiteral("소형화물차"),
                QStringLiteral("버스"), QStringLiteral("승용차")};
    return {QStringLiteral("대형차량"), QStringLiteral("소형차량")};
}

template <class Source>
void AddTrafficRows(std::vector<CRow>& rows, const QString& name, const Source& s)
{
    const QStringList classes = ClassNames(s.m_nVehicleClassMode);
    for (qsizetype c = 0; c < classes.size(); ++c)
        rows.push_back(
            {{name, classes[c], Fixed(s.m_dSpeed[std::size_t(c)], 1), Fixed(s.m_dVolume[std::size_t(c)], 1)}});
}

QString TrafficTable(const CMyTalvoDoc& doc)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrRoad.size(); ++i)
        AddTrafficRows(rows, QStringLiteral("도로 %1").arg(i + 1), doc.m_arrRoad[i]);
    for (std::size_t i = 0; i < doc.m_arrTunnel.size(); ++i)
        AddTrafficRows(rows, QStringLiteral("터널 %1").arg(i + 1), doc.m_arrTunnel[i]);
    return report::Table({QStringLiteral("도로"), QStringLiteral("차종"), QStringLiteral("속도 (km/h)"),
                          QStringLiteral("차량수 (대/h)")},
                         rows, 2);
}

// One row as talvo-cli emission prints it: the eight bands and the overall level, "%.2f".
CRow EmissionRow(const QString& name, const CEmissionResult& e)
{
    CRow row{{name}};
    if (!e.ok) {
        row.cells << QString::fromStdString(e.message).toHtmlEscaped();
        for (int i = 0; i < kBandCount; ++i)
            row.cells << QString();
        return row;
    }
    for (double level : e.m_dLevel)
        row.cells << QString::fromStdString(FormatLevel(level));
    row.cells << QString::fromStdString(FormatLevel(e.Overall()));
    return row;
}

QStringList BandHeader(const QString& first)
{
    return {first,
            QStringLiteral("63"),
            QStringLiteral("125"),
            QStringLiteral("250"),
            QStringLiteral("500"),
            QStringLiteral("1K"),
            QStringLiteral("2K"),
            QStringLiteral("4K"),
            QStringLiteral("8K"),
            QStringLiteral("Overall")};
}

QString EmissionTable(const CMyTalvoDoc& doc)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrRoad.size(); ++i)
        rows.push_back(
            EmissionRow(QStringLiteral("도로 %1").arg(i + 1), ComputeEmission(EmissionInputOf(doc.m_arrRoad[i]))));
    for (std::size_t i = 0; i < doc.m_arrTunnel.size(); ++i)
        rows.push_back(
            EmissionRow(QStringLiteral("터널 %1").arg(i + 1), ComputeEmission(EmissionInputOf(doc.m_arrTunnel[i]))));
    return report::Table(BandHeader(QStringLiteral("음원")), rows);
}

QString Absorption(const CBarrier_Stage& b)
{
    if (!b.m_pAbsorptionDesc.empty())
        return report::Text(b.m_pAbsorptionDesc);
    QStringList values;
    for (double a : b.m_dAbsorption)
        values << Fixed(a, 2);
    return values.join(QStringLiteral("/"));
}

QString BarriersTable(const CMyTalvoDoc& doc)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrBarrier.size(); ++i) {
        const CBarrier_Stage& b = doc.m_arrBarrier[i];
        rows.push_back(
            {{QString::number(i + 1), Point(b.m_dStartX, b.m_dStartY), Point(b.m_dEndX, b.m_dEndY),
              Fixed(b.PlanLength(), 2), Fixed(b.m_dHeight, 2), Absorption(b), QString::number(b.m_nAttenuator)}});
    }
    return report::Table({QStringLiteral("방음벽"), QStringLiteral("시점 X, Y (m)"), QStringLiteral("종점 X, Y (m)"),
                          QStringLiteral("연장 (m)"), QStringLiteral("높이 (m)"),
                          QStringLiteral("흡음률 (63 Hz ~ 8 kHz)"), QStringLiteral("상단장치")},
                         rows, 3);
}

template <class Slope>
QString SlopesTable(const QString& kind, const std::vector<Slope>& slopes)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < slopes.size(); ++i) {
        const CSlope& s = slopes[i];
        rows.push_back({{QString::number(i + 1), Point(s.m_dStartX, s.m_dStartY), Point(s.m_dEndX, s.m_dEndY),
                         Fixed(s.m_dHeight, 2), Fixed(s.m_dWidth, 2), QString::number(s.m_nDirection)}});
    }
    return report::Table({kind, QStringLiteral("시점 X, Y (m)"), QStringLiteral("종점 X, Y (m)"),
                          QStringLiteral("높이 (m)"), QStringLiteral("폭 (m)"), QStringLiteral("방향")},
                         rows, 3);
}

QString TunnelsTable(const CMyTalvoDoc& doc)
{
    std::vector<CRow> rows;
    for (std::size_t i = 0; i < doc.m_arrTunnel.size(); ++i) {
        const CTunnel& t = doc.m_arrTunnel[i];
        rows.push_back(
            {{QString::number(i + 1), Point(t.m_dStartX, t.m_dStartY, t.m_dStartZ),
              Point(t.m_dEndX, t.m_dEndY, t.m_dEndZ), Fixed(t.m_dWidth, 2), Fixed(t.m_dHeight, 2),
              Pick({QStringLiteral("박스형"), QStringLiteral("방원형")}, t.m_nTunnelForm),
              Pick({QStringLiteral("콘크리트형"), QStringLiteral("측면흡음형"), QStringLiteral("전면흡음형")},
                   t.m_nWallMaterial),
              QString::number(t.m_nLaneCount), Pavement(t.m_nPavementState, t.m_nPavementDetail),
              Fixed(t.m_dGradient, 2)}});
    }
    return report::Table(
        {QStringLiteral("터널"), QStringLiteral("시점 X, Y, Z (m)"), QStringLiteral("종점 X, Y, Z (m)"),
         QStringLiteral("폭 (m)"), QStringLiteral("높이 (m)"), QStringLiteral("형태"), QStringLiteral("벽면"),
         QStringLiteral("차선"), QStringLiteral("포장"), QStringLiteral("경사 (%)")},
        rows, 3);
}

// Under the barriers: which of them every level of this report was computed without.
QString ExclusionParagraph(const CMyTalvoDoc& doc)
{
    const std::string note = ExclusionNote(doc);
    if (note.empty())
        return {};
    return report::Paragraph(
        QStringLiteral("<b>%1</b>: 제외한 방음벽은 소리를 가리지 않고 반사만 합니다.").arg(report::Text(note)));
}

// A table, or a line saying the project has none of that kind.
QString Listing(const QString& title, bool empty, const QString& table)
{
    return report::SubHeading(title) + (empty ? report::Paragraph(QStringLiteral("없음")) : table);
}

}  // namespace

QString InputsHtml(const CMyTalvoDoc& doc)
{
    const bool noSources = doc.m_arrRoad.empty() && doc.m_arrTunnel.empty();
    return report::PartHeading(QStringLiteral("3. 입력 자료")) + FrameTable(doc) +
           Listing(QStringLiteral("도로"), doc.m_arrRoad.empty(), RoadsTable(doc)) +
           Listing(QStringLiteral("교통량"), noSources, TrafficTable(doc)) +
           Listing(QStringLiteral("단위 길이당 음향 파워 (dB(A)/m, 터널은 갱구)"), noSources, EmissionTable(doc)) +
           Listing(QStringLiteral("방음벽"), doc.m_arrBarrier.empty(), BarriersTable(doc)) + ExclusionParagraph(doc) +
           Listing(QStringLiteral("성토"), doc.m_arrEmbankment.empty(),
                   SlopesTable(QStringLiteral("성토"), doc.m_arrEmbankment)) +
           Listing(QStringLiteral("절토"), doc.m_arrCutting.empty(),
                   SlopesTable(QStringLiteral("절토"), doc.m_arrCutting)) +
           Listing(QStringLiteral("터널"), doc.m_arrTunnel.empty(), TunnelsTable(doc)) +
           (doc.m_arrBuilding.empty() ? QString() : Listing(QStringLiteral("건물"), false, BuildingInputsHtml(doc)));
}
