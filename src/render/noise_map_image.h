#pragma once

// The plan noise map as a picture on its own: the calculation area fitted into the image
// beside the legend, the map over the area and the model drawn on top, as the plan view
// shows it but without the receiver grid points. Needs no display (QImage only).

#include <QImage>
#include <QSize>

#include "render/noise_map_renderer.h"

class CMyTalvoDoc;
struct CNoiseMapGrid;

// The style chooses the bands and the legend (the 5 dB classes unless given).
QImage RenderPlanMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QSize size,
                          const CMapStyle& style = CMapStyle());

// The section noise map as the section view shows it (mirrored, heights true to scale),
// with the stretch `from` .. `to` of the section line and the heights of the map fitted
// into the image beside the legend.
QImage RenderSectionMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to, QSize size,
                             const CMapStyle& style = CMapStyle());
// An image size for that picture `width` pixels wide, tall enough for the heights shown and
// the legend (the classes' unless given).
QSize SectionMapImageSize(const CNoiseMapGrid& section, double from, double to, int width,
                          const CNoiseMapLegend* legend = nullptr);

// An image size for a map of the document's area `width` pixels wide: tall enough for the
// area's proportions and the legend (the classes' unless given).
QSize PlanMapImageSize(const CMyTalvoDoc& doc, int width, const CNoiseMapLegend* legend = nullptr);
