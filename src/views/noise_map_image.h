#pragma once

// The plan noise map as a picture on its own: the calculation area fitted into the image
// beside the legend, the map over the area and the model drawn on top, as the plan view
// shows it but without the receiver grid points. Needs no display (QImage only).

#include <QImage>
#include <QSize>

class CMyTalvoDoc;
struct CNoiseMapGrid;

QImage RenderPlanMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QSize size);

// An image size for a map of the document's area `width` pixels wide: tall enough for the
// area's proportions and the legend.
QSize PlanMapImageSize(const CMyTalvoDoc& doc, int width);
