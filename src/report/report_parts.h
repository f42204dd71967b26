#pragma once

// The text parts of the assessment report as rich text: the summary, the inputs, the
// receiver results and the barrier design. Each part is laid out on pages of its own.
// The numbers come from the same engine functions talvo-cli calc and emission print.

#include <QString>

#include "report/report_input.h"

class CMyTalvoDoc;
class CReceiverPoint;
struct CProjectSettings;

// The coordinate system the project's positions are given in, as the report names it.
QString CoordinateSystemText(const CProjectSettings& settings);

// True when the receiver has a target level (> 0) and its overall level lies above it.
bool ExceedsTarget(const CReceiverPoint& receiver);
// A level as the report's tables show it: one decimal, or "-" without energy.
QString ReportLevel(double level);

QString SummaryHtml(const CReportInput& input);
QString InputsHtml(const CMyTalvoDoc& doc);
QString ResultsHtml(const CMyTalvoDoc& doc);
QString DesignHtml(const CMyTalvoDoc& doc, const CReportDesign& design);
// The buildings' table of the inputs part, and the per-floor table of the façade levels
// (a part of its own after the receiver results; only for a project with buildings).
QString BuildingInputsHtml(const CMyTalvoDoc& doc);
QString FloorsHtml(const CMyTalvoDoc& doc);
