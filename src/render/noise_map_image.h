#pragma once

// The noise maps as pictures on their own, laid out as an engineer hands them in: a title
// line across the top (project, what is shown, date), the strip with the legend (and in
// plan the scale bar and north arrow) on the right, and the map with the model on top
// fitted into the rest, as the views show it but without the receiver grid points.
// Needs no display (QImage only).

#include <QDate>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "drawing/view_projection.h"

#include "render/noise_map_renderer.h"
#include "render/plan_painter.h"

class CMyTalvoDoc;
struct CNoiseMapGrid;

// Where a picture of this size puts its parts; they do not overlap.
struct CMapImageLayout {
    QRect title, scene, column;
};
CMapImageLayout MapImageLayout(QSize size);

// The title line: the project's name, the map (called `name`) and what it shows, and the date.
QString MapImageTitle(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QDate date,
                      const QString& name = QStringLiteral("소음지도"));

// The style chooses the bands and the legend (the 5 dB classes unless given); `labels` the
// receivers' level labels, as the views show them (none unless asked for).
QImage RenderPlanMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QSize size,
                          const CMapStyle& style = CMapStyle(), const CResultDisplay& labels = CResultDisplay());

// The section noise map as the section view shows it (mirrored, heights drawn
// `exaggeration` times larger than lengths, the map only above the ground), with the
// stretch `from` .. `to` of the section line and the heights of the map fitted into the
// image between the axes (distance along the line, height; metres) and the legend.
QImage RenderSectionMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                             double exaggeration, QSize size, const CMapStyle& style = CMapStyle(),
                             const CResultDisplay& labels = CResultDisplay());
// Where that picture draws the world: its projection (mirrored positions, heights in metres)
// in the pixels of the scene, which starts at MapImageLayout(size).scene.topLeft().
CViewProjection SectionMapImageProjection(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                                          double exaggeration, QSize size);
// An image size for that picture `width` pixels wide, tall enough for the heights shown and
// the legend (the classes' unless given).
QSize SectionMapImageSize(const CNoiseMapGrid& section, double from, double to, double exaggeration, int width,
                          const CNoiseMapLegend* legend = nullptr);

// An image size for a map of the document's area `width` pixels wide: tall enough for the
// area's proportions and the legend (the classes' unless given).
QSize PlanMapImageSize(const CMyTalvoDoc& doc, int width, const CNoiseMapLegend* legend = nullptr);
