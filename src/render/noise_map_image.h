#pragma once

// The plan noise map as a picture on its own: the calculation area fitted into the image
// beside the legend, the map over the area and the model drawn on top, as the plan view
// shows it but without the receiver grid points. Needs no display (QImage only).

#include <QImage>
#include <QSize>

#include "drawing/view_projection.h"

class CMyTalvoDoc;
struct CNoiseMapGrid;

QImage RenderPlanMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QSize size);

// The section noise map as the section view shows it (mirrored, heights drawn
// `exaggeration` times larger than lengths, the map only above the ground), with the
// stretch `from` .. `to` of the section line and the heights of the map fitted into the
// image between the axes (distance along the line, height; metres) and the legend.
QImage RenderSectionMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                             double exaggeration, QSize size);
// Where that picture draws the world: its projection (mirrored positions, heights in metres).
CViewProjection SectionMapImageProjection(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                                          double exaggeration, QSize size);
// An image size for that picture `width` pixels wide, tall enough for the heights shown.
QSize SectionMapImageSize(const CNoiseMapGrid& section, double from, double to, double exaggeration, int width);

// An image size for a map of the document's area `width` pixels wide: tall enough for the
// area's proportions and the legend.
QSize PlanMapImageSize(const CMyTalvoDoc& doc, int width);
