#pragma once

// Small drawing helpers shared by the plan and section painters: every shape is
// projected to pixels first and drawn with an untransformed painter, so lines stay one
// pixel wide and text keeps its size at every zoom.

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include "drawing/entity_outline.h"
#include "drawing/view_projection.h"

class QPainter;

inline QPointF ToQt(const CViewPoint& p) { return {p.x, p.y}; }

QPolygonF OutlineToPixels(const CViewProjection& proj, const COutline& outline);

void FillPolygon(QPainter& painter, const QPolygonF& polygon, const QColor& colour);
void DrawLine(QPainter& painter, QPointF a, QPointF b, const QColor& colour, double width = 1.0);
// Pixels of light halo on either side of a shape drawn over a noise map, so that it stands
// out on every class colour.
constexpr double kHaloWidth = 2.0;
// The halo under a line of the given width, and round a polygon's edge.
void DrawLineHalo(QPainter& painter, QPointF a, QPointF b, double width);
void DrawPolygonHalo(QPainter& painter, const QPolygonF& polygon);
// A square point of the given size in pixels, centred on p.
void DrawPoint(QPainter& painter, QPointF p, const QColor& colour, double size = 3.0);
// Text with its baseline starting at p.
void DrawLabel(QPainter& painter, QPointF p, const QString& text, const QColor& colour);
// Pixels of white round every glyph of a level label.
constexpr double kLabelHaloWidth = 1.5;
// A level label: text as DrawLabel writes it, on a white halo, so that "65.86" in red stays
// legible on the red and maroon classes of a noise map, on roads and on barriers alike.
void DrawHaloLabel(QPainter& painter, QPointF p, const QString& text, const QColor& colour);
// A scale bar from `start` to the right, of the roundest length that fits in `room` pixels,
// with ticks at its ends and its length written above it.
void DrawScaleBar(QPainter& painter, QPointF start, double room, double pixelsPerMetre);
