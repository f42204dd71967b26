#pragma once

// Small builders of the report's rich text (the subset of HTML that QTextDocument lays
// out): escaped texts, numbers, headings and tables. Sizes are pixels at 96 dots per inch,
// the resolution the report is laid out at.

#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

namespace report {

QString Text(const std::string& utf8);  // escaped for rich text
// value with `decimals` decimals, or "-" when it is not a finite number.
QString Fixed(double value, int decimals);
// The heading of a part of the report.
QString PartHeading(const QString& title);
QString SubHeading(const QString& title);
QString Paragraph(const QString& text);

struct CRow {
    QStringList cells;  // already rich text
    bool highlighted = false;
};

// A table with a header row; numbers (every column after the first `leftColumns`) are right-aligned.
QString Table(const QStringList& header, const std::vector<CRow>& rows, int leftColumns = 1);
// Two columns: a name and its value.
QString NameValueTable(const std::vector<std::pair<QString, QString>>& rows);

}  // namespace report
