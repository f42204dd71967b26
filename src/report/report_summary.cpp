// The report's first part: what the project is, where and under which air, what it holds
// and which receivers miss their target.
#include <QLocale>

#include "model/document.h"
#include "model/program_version.h"
#include "report/report_html.h"
#include "report/report_parts.h"

using report::Fixed;

// The project's reference system (an EPSG code), or metres on the site's own axes.
QString CoordinateSystemText(const CProjectSettings& settings)
{
    if (settings.m_strCrs.empty())
        return QStringLiteral("지역 좌표 (m)");
    return QString::fromStdString(settings.m_strCrs);
}

bool ExceedsTarget(const CReceiverPoint& receiver)
{
    const double overall = EnergySum(receiver.m_dLevel);
    return receiver.m_dTargetLevel > 0 && HasEnergy(overall) && overall > receiver.m_dTargetLevel;
}

QString ReportLevel(double level) { return HasEnergy(level) ? Fixed(level, 1) : QStringLiteral("-"); }

namespace {

QString AirText(const CProjectSettings& s)
{
    return QStringLiteral("기온 %1 °C, 상대습도 %2 %, 기압 %3 kPa")
        .arg(Fixed(s.m_dTemperature, 1), Fixed(s.m_dHumidity, 1), Fixed(s.m_dPressure, 1));
}

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

QString ExceedingReceivers(const CMyTalvoDoc& doc)
{
    QStringList names;
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i) {
        const CReceiverPoint& r = doc.m_arrReceiver[i];
        if (ExceedsTarget(r))
            names << QStringLiteral("수음점 %1 (X %2, Y %3): %4 dB(A), 목표 %5 dB(A)")
                         .arg(i + 1)
                         .arg(Fixed(r.m_dX, 1), Fixed(r.m_dY, 1), ReportLevel(EnergySum(r.m_dLevel)),
                              Fixed(r.m_dTargetLevel, 1));
    }
    return names.isEmpty() ? QStringLiteral("없음") : names.join(QStringLiteral("<br>"));
}

}  // namespace

QString SummaryHtml(const CReportInput& input)
{
    const CMyTalvoDoc& doc = *input.doc;
    const CProjectSettings& s = doc.m_settings;
    const QString date = QLocale::c().toString(input.date, QStringLiteral("yyyy-MM-dd HH:mm"));
    return report::PartHeading(QStringLiteral("1. 개요")) +
           report::NameValueTable({
               {QStringLiteral("사업명"), report::Text(s.m_strProjectName)},
               {QStringLiteral("좌표계"), CoordinateSystemText(s)},
               {QStringLiteral("대기 조건"), AirText(s)},
               {QStringLiteral("계산 영역"), AreaText(s)},
               {QStringLiteral("수음점 간격, 높이"),
                QStringLiteral("%1 m, %2 m").arg(Fixed(s.m_dReceiverSpacing, 1), Fixed(s.m_dReceiverHeight, 1))},
               {QStringLiteral("입력 개체 수"), CountsText(doc)},
               {QStringLiteral("작성일"), date},
               {QStringLiteral("프로그램"), QString::fromUtf8(kProgramTitle)},
               {QStringLiteral("목표 초과 수음점"), ExceedingReceivers(doc)},
           });
}
