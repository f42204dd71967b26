// The report's method statement: the standards the levels follow, where this program
// departs from them and why, the air the calculation was made in, the criterion the levels
// are judged by and where it comes from, the program's version and the input check.
#include "engine/input_check.h"
#include "engine/propagation_air.h"
#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "model/program_version.h"
#include "report/report_html.h"
#include "report/report_limits.h"
#include "report/report_parts.h"

using report::CRow;
using report::Fixed;

namespace {

QString Items(const QStringList& items)
{
    QString html = QStringLiteral("<ul style=\"font-size: 9pt;\">");
    for (const QString& item : items)
        html += QStringLiteral("<li>%1</li>").arg(item);
    return html + QStringLiteral("</ul>");
}

QString Basis()
{
    return report::Paragraph(QStringLiteral(
        "도로의 음향파워는 차종별 속도와 시간당 교통량, 포장에 따른 옥타브 밴드 계수로 구한 단위 길이당 "
        "음향파워레벨이며, 도로와 터널 갱구를 짧은 조각으로 나누어 점음원으로 다룹니다. 각 조각에서 수음점까지 "
        "<b>ISO 9613-1</b> (공기 흡수)과 <b>ISO 9613-2</b> (기하학적 확산, 지면 효과, 회절에 의한 차음, 반사)에 "
        "따라 감쇠를 구하고, 모든 조각과 반사 경로의 에너지를 합해 63 Hz ~ 8 kHz의 8개 옥타브 밴드 A 가중 "
        "음압레벨과 전체 레벨을 얻습니다. 장기 평균의 기상 보정 C<sub>met</sub>은 적용하지 않으며, 상단 회절 "
        "경로에는 ISO 9613-2의 K<sub>met</sub>을 씁니다."));
}

QStringList Deviations()
{
    return {
        QStringLiteral("<b>근거리</b>: 기하학적 확산은 점음원의 20·lg d + 11 dB 대신 조각 길이의 유한 선음원 식으로 "
                       "구하며 (멀어지면 같아짐, 최소 11 dB), 수음점이 음원 조각 (조각 길이 × 도로 폭 × 0.1 m의 상자) "
                       "안에 있으면 10·lg(4ab/π)입니다."),
        QStringLiteral("<b>음원 지역의 지면 계수</b>: 도로 포장은 단단한 지면이므로 음원 지역의 G<sub>s</sub>를 0으로 "
                       "둡니다. 수음 지역 G<sub>r</sub>과 중간 지역 G<sub>m</sub>은 수음점마다 입력한 값입니다."),
        QStringLiteral("<b>지면 감쇠의 하한</b>: 밴드별 지면 감쇠 A<sub>gr</sub>은 −6 dB 아래로 내려가지 않습니다."),
        QStringLiteral("<b>회절 감쇠의 상한</b>: ISO 9613-2의 20 dB와 25 dB 대신, 양쪽 측면 경로가 모두 이중 회절이고 "
                       "상단 경로가 단일 모서리가 아닐 때 30 dB, 그 밖에는 25 dB입니다."),
        QStringLiteral("<b>평탄 경로 항</b>: 경로를 가리는 것이 없어 A<sub>bar</sub>가 0이면, "
                       "4.8 − (34 + 600/d)·|Δz|/d dB가 양수일 때 그만큼을 더합니다 (d: 수평 거리, Δz: 높이 차)."),
        QStringLiteral("<b>방음벽 상단 장치</b>: 상단 장치의 삽입손실을 상단 회절 경로의 감쇠에 더합니다."),
        QStringLiteral("<b>반사</b>: 방음벽, 성토, 절토, 교량 방음벽과 건물 벽이 반사하며, 도로 양쪽 각각 마지막의 "
                       "유효한 반사 하나를 셉니다. 흡음률이 0.8을 넘는 밴드는 반사하지 않습니다."),
        QStringLiteral(
            "<b>건물 벽</b>: 건물 벽은 방음벽과 같이 소리를 가리고, 바깥면으로만 반사합니다. 외벽 수음점의 "
            "레벨은 그 뒤 벽의 반사를 포함합니다 (벽 앞 1 m 측정과 같이, 벽이 없을 때보다 최대 약 3 dB 높음)."),
        QStringLiteral(
            "<b>반올림이 정하지 않는 경우</b>: 반사면에서 10<sup>−6</sup> m 안의 수음점은 그 면의 반사를 받지 "
            "않고, 시선에서 10<sup>−6</sup> m 안의 상단 모서리는 시선 위에 있지 않은 것으로 보며, 각도가 "
            "10<sup>−9</sup> rad 안에서 같은 모서리는 먼저 만난 것이 앞섭니다."),
    };
}

QString AirTable(const CProjectSettings& s)
{
    const CAirTables air = PrepareAirTables(s.m_dTemperature, s.m_dHumidity, s.m_dPressure);
    CRow row{{QStringLiteral("α (dB/km)")}};
    for (double alpha : air.m_dAbsorption)
        row.cells << Fixed(alpha * 1000.0, 2);
    return report::Paragraph(QStringLiteral("기온 %1 °C, 상대습도 %2 %, 기압 %3 kPa. ISO 9613-1의 공기 흡수 계수:")
                                 .arg(Fixed(s.m_dTemperature, 1), Fixed(s.m_dHumidity, 1), Fixed(s.m_dPressure, 1))) +
           report::Table({QStringLiteral("밴드"), QStringLiteral("63"), QStringLiteral("125"), QStringLiteral("250"),
                          QStringLiteral("500"), QStringLiteral("1K"), QStringLiteral("2K"), QStringLiteral("4K"),
                          QStringLiteral("8K")},
                         {row});
}

QString PeriodsText(const CMyTalvoDoc& doc)
{
    QString text = QStringLiteral("주간 (06~22시) 레벨은 입력한 시간당 교통량의 레벨입니다. ");
    if (!HasNightLevels(doc))
        return text + QStringLiteral("야간 (22~06시) 교통량과 야간 교통량 비율이 없어 야간 레벨은 구하지 않았습니다.");
    return text + QStringLiteral(
                      "야간 (22~06시) 레벨은 같은 경로의 감쇠에 야간 음향파워 (야간 교통량으로 구한 값, "
                      "없으면 주간 음향파워 + 10·lg(야간 교통량 비율))를 더해 구합니다.");
}

QString CriterionRows(const CMyTalvoDoc& doc)
{
    const CProjectSettings& s = doc.m_settings;
    const int n = s.m_nCriterion;
    const char* source = CriterionSource(ECriterion(n >= 0 && n <= int(ECriterion::kUserDefined) ? n : 0));
    return report::NameValueTable({
        {QStringLiteral("평가 기준"), report::Text(CriterionText(s))},
        {QStringLiteral("근거"), *source ? report::Text(source) : QStringLiteral("-")},
        {QStringLiteral("적용"),
         QStringLiteral("수음점의 목표 레벨이 있으면 주간에는 그 값을, 없으면 수음점 (건물은 건물)의 지역에 해당하는 "
                        "기준을 적용합니다. 목표도 기준도 없는 수음점은 \"기준 없음\"으로 표시하며 만족으로 보지 "
                        "않습니다.")},
        {QStringLiteral("시간대"), PeriodsText(doc)},
    });
}

QString CheckText(const CMyTalvoDoc& doc)
{
    const std::string unusable = FindUnusableInput(doc);
    if (!unusable.empty())
        return QStringLiteral("<b>입력 검사에서 걸림</b>: ") + report::Text(unusable);
    QString text = QStringLiteral(
        "통과. 계산 전에 모든 도로, 터널, 성토, 절토, 방음벽, 수음점의 좌표·높이·음향파워와 대기 조건, 계산 "
        "영역, 건물의 평면 (꼭짓점, 자기 교차, 겹침)과 층수, 외벽 수음점 설정, 건물 안의 수음점을 검사합니다.");
    const std::string exclusion = ExclusionNote(doc);
    if (!exclusion.empty())
        text += QStringLiteral(" <b>%1</b>: 제외한 방음벽은 소리를 가리지 않고 반사만 합니다.")
                    .arg(report::Text(exclusion));
    return text;
}

}  // namespace

QString MethodHtml(const CMyTalvoDoc& doc)
{
    return report::PartHeading(QStringLiteral("2. 계산 방법")) + report::SubHeading(QStringLiteral("기준 규격")) +
           Basis() + report::SubHeading(QStringLiteral("이 프로그램이 ISO 9613-2와 다르게 계산하는 점")) +
           Items(Deviations()) + report::SubHeading(QStringLiteral("대기 조건")) + AirTable(doc.m_settings) +
           report::SubHeading(QStringLiteral("평가 기준")) + CriterionRows(doc) +
           report::SubHeading(QStringLiteral("프로그램과 입력 검사")) +
           report::NameValueTable({
               {QStringLiteral("프로그램"), QString::fromUtf8(kProgramTitle)},
               {QStringLiteral("입력 검사"), CheckText(doc)},
           });
}
