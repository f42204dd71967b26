#include "report/report_html.h"

#include <cmath>

namespace report {

namespace {

const char* const kHeaderBackground = "#dde3ea";
const char* const kHighlightBackground = "#ffd2cc";

QString Cell(const QString& tag, const QString& text, bool right, const char* background)
{
    QString attributes = right ? QStringLiteral(" align=\"right\"") : QString();
    if (background)
        attributes += QStringLiteral(" bgcolor=\"%1\"").arg(QString::fromLatin1(background));
    return QStringLiteral("<%1%2>%3</%1>").arg(tag, attributes, text);
}

QString TableStart()
{
    return QStringLiteral(
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
        "style=\"border-collapse: collapse; border-color: #8a8a8a; font-size: 7.5pt;\">");
}

}  // namespace

QString Text(const std::string& utf8) { return QString::fromStdString(utf8).toHtmlEscaped(); }

QString Fixed(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("-");
}

QString PartHeading(const QString& title)
{
    return QStringLiteral("<h2 style=\"font-size: 14pt;\">%1</h2>").arg(title);
}

QString SubHeading(const QString& title)
{
    return QStringLiteral("<h3 style=\"font-size: 10.5pt; margin-top: 12px;\">%1</h3>").arg(title);
}

QString Paragraph(const QString& text) { return QStringLiteral("<p style=\"font-size: 9pt;\">%1</p>").arg(text); }

QString Table(const QStringList& header, const std::vector<CRow>& rows, int leftColumns)
{
    QString html = TableStart() + QStringLiteral("<thead><tr>");
    for (const QString& title : header)
        html += Cell(QStringLiteral("th"), title, false, kHeaderBackground);
    html += QStringLiteral("</tr></thead>");
    for (const CRow& row : rows) {
        html += QStringLiteral("<tr>");
        for (qsizetype i = 0; i < row.cells.size(); ++i)
            html += Cell(QStringLiteral("td"), row.cells[i], i >= leftColumns,
                         row.highlighted ? kHighlightBackground : nullptr);
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString NameValueTable(const std::vector<std::pair<QString, QString>>& rows)
{
    QString html = TableStart();
    for (const auto& [name, value] : rows)
        html += QStringLiteral("<tr>") + Cell(QStringLiteral("th"), name, false, kHeaderBackground) +
                Cell(QStringLiteral("td"), value, false, nullptr) + QStringLiteral("</tr>");
    return html + QStringLiteral("</table>");
}

}  // namespace report
