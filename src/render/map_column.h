#pragma once

// The strip kept beside a noise map, in the views and in the pictures, so that nothing is
// drawn over the map: the legend at the top, then in plan the scale bar and a north arrow
// (Y points north, as in the national grids).

#include <QPainter>
#include <QRect>

#include "render/noise_map_renderer.h"

// Pixels: the legend with its margins on either side.
constexpr int kMapColumnWidth = CNoiseMapLegend::kWidth + 2 * CNoiseMapLegend::kMargin;

// Where the parts of the strip lie; scaleBar and northArrow are empty for a section.
struct CMapColumnLayout {
    QRect legend, scaleBar, northArrow;
};

// pixelsPerMetre: the plan's scale; 0 for a section, which has axes instead. The scale bar
// and the north arrow stay inside the strip however long the legend is.
CMapColumnLayout MapColumnLayout(const QRect& column, const CNoiseMapLegend& legend, double pixelsPerMetre);
// The height the strip needs for all its parts.
int MapColumnHeight(const CNoiseMapLegend& legend, double pixelsPerMetre);

void PaintMapColumn(QPainter& painter, const QRect& column, const CNoiseMapLegend& legend, double pixelsPerMetre);
