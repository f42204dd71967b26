#pragma once

// The assessment report laid out on A4 pages: a header with the project name and the
// date, page numbers, then the summary with its key map, the method, the inputs, the
// receiver results, the buildings' per-floor table (when there are buildings), the noise
// maps and, when there is one, the barrier design. Maps are drawn as paths and text, never
// as pictures. The same painting serves the PDF file and the printer. Needs a
// QGuiApplication (fonts), never a display.

#include <QString>
#include <string>

#include "report/report_input.h"

class QPagedPaintDevice;

// The family the report is set in: NanumBarunGothic when it is installed (it covers Korean
// and is embedded into the PDF), otherwise the default family.
QString ReportFontFamily();

// Sets the device to A4 portrait without margins and paints every page; returns the number
// of pages, 0 when the device failed. A QPrinter must print the full page
// (QPrinter::setFullPage(true)).
int PaintReport(QPagedPaintDevice& device, const CReportInput& input);

// Writes the report as a PDF beside path and renames it into place once every write, the
// close and the flush to disk succeeded, so the file at path is either the old one or the
// whole new report. Empty text, or the message why it failed.
std::string WriteReportPdf(const CReportInput& input, const QString& path);
