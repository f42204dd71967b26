#pragma once

// The report's maps as figures drawn straight into the page with the views' painters: the
// plan noise map and the section noise map, each with its legend (and in plan the scale bar
// and north arrow) in the strip beside it, and the key map of the summary, the model with
// its receivers numbered. The painters measure lines and text in pixels; a figure's pixel
// is kFigurePixelMm on paper, so that their 12-pixel text reads 7.5 pt.

#include <QSizeF>
#include <vector>

#include "report/report_figures.h"

class CMyTalvoDoc;
struct CNoiseMap;

inline constexpr double kFigurePixelMm = 25.4 / 72.0 * 7.5 / 12.0;

struct CMapFigure {
    QSizeF sizeMm;
    CFigurePaint paint;
};

// Each figure is as large as fits into room (mm); the document and the map must outlive
// its painting.
CMapFigure PlanMapFigure(const CMyTalvoDoc& doc, const CNoiseMap& map, QSizeF roomMm);
// Needs map.section.
CMapFigure SectionMapFigure(const CMyTalvoDoc& doc, const CNoiseMap& map, QSizeF roomMm);
// `marked`: the receivers whose numbers are drawn red (those over their limit).
CMapFigure KeyMapFigure(const CMyTalvoDoc& doc, const std::vector<bool>& marked, QSizeF roomMm);
