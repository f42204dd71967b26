#pragma once

// The parts of the assessment report as rich text: the summary, the method, the inputs,
// the receiver results, the noise maps and the barrier design. Each part is laid out on
// pages of its own. The numbers come from the same engine functions talvo-cli calc and
// emission print.

#include <QSizeF>
#include <QString>

#include "report/report_input.h"

class CMyTalvoDoc;
class CReportFigures;
struct CProjectSettings;

// The coordinate system the project's positions are given in, as the report names it.
QString CoordinateSystemText(const CProjectSettings& settings);

// A level as the report's tables show it: one decimal, or "-" without energy.
QString ReportLevel(double level);

// A building as the tables name it: its name, or "건물 N" (from 1) without one.
QString ReportBuildingName(const CMyTalvoDoc& doc, int building);
// The summary, with its key map at most as large as keyMapRoomMm added to figures.
QString SummaryHtml(const CReportInput& input, CReportFigures& figures, QSizeF keyMapRoomMm);
// How the levels were computed: the standards, this program's deviations from them, the
// air, the criterion with its source, the program's version and the input check.
QString MethodHtml(const CMyTalvoDoc& doc);
QString InputsHtml(const CMyTalvoDoc& doc);
QString ResultsHtml(const CMyTalvoDoc& doc);
QString DesignHtml(const CMyTalvoDoc& doc, const CReportDesign& design);
// The buildings' table of the inputs part, and the per-floor table of the façade levels
// (a part of its own after the receiver results; only for a project with buildings).
QString BuildingInputsHtml(const CMyTalvoDoc& doc);
QString FloorsHtml(const CMyTalvoDoc& doc);
// The noise maps: the plan map and the section map as figures added to figures, each
// fitting with its caption on a page whose body is bodyMm; a line saying so when no map
// was computed.
QString MapsHtml(const CReportInput& input, CReportFigures& figures, QSizeF bodyMm);
